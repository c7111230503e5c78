#pragma once
// What the services and items tabs have in common: a grid of rows, a row
// chosen by a click, entry boxes that are open only while adding or
// modifying, and Delete Item with its question. Each tab adds its own
// boxes, rows and checks.
#include "context/AppContext.h"

#include <QHash>
#include <functional>
#include <QWidget>
#include <vector>

class QLineEdit;
class QPushButton;
class QTableWidget;

namespace ui {

class CatalogTab : public QWidget {
    Q_OBJECT
public:
    // Leaves Add New or Modify: the boxes locked, the grid free.
    void endEdit();
    void focusAddNew();

Q_SIGNALS:
    // An entry was taken off the rows; the screen writes the file (or
    // deletes it when it was the last).
    void entryDeleted(bool wasLast);

protected:
    CatalogTab(context::AppContext &ctx, QWidget *parent);

    // A numbered command ("cmdServices_<n>") that runs `run` when pressed.
    QPushButton *command(int index, const char *caption, const char *tip, std::function<void()> run);
    // Add New: the boxes open and empty for a new entry.
    void addNew(QWidget *firstBox);
    // Empties the tab's entry boxes.
    virtual void clearEntry() = 0;
    virtual int rowCount() const = 0;
    virtual void eraseRow(int row) = 0;

    // The row the commands act on is the grid's current row, however it was
    // chosen: a click, the arrow keys, a screen reader.
    void watchGrid();
    void selectRow(int row);
    void beginEdit();
    // After the grid is drawn again: no row chosen.
    void forgetRow();
    bool hasRow() const { return m_row >= 0 && m_row < rowCount(); }
    void deleteRow(const QString &question, const QString &title);

    // A money box whose text is checked when it is left. Text that is no
    // amount gets the beep and shows zero, and the typed text is kept, so
    // the save that follows is refused with a message until the box is
    // changed again.
    void watchAmountBox(QLineEdit *box, const QString &what);
    bool checkAmountBox(QLineEdit *box);
    // For a save: false, with the message, when the box holds no amount or
    // was refused since it last changed.
    bool amountForSave(QLineEdit *box);

    context::AppContext &m_ctx;
    QTableWidget *m_grid = nullptr;
    int m_row = -1; // the grid's current row, -1 for none
    bool m_editingExisting = false;
    bool m_checking = false; // a leaving check is showing its message
    QPushButton *m_addNew = nullptr;
    QPushButton *m_modify = nullptr;
    QPushButton *m_save = nullptr;
    QPushButton *m_delete = nullptr;
    std::vector<QWidget *> m_editors; // open only while adding or modifying
    bool m_modifyOnSelect = false;    // choosing a row offers Modify Item

private:
    struct AmountBox {
        QString what;    // how the message names the box
        QString refused; // the text refused when it was left, or nothing
        bool wasRefused = false;
    };
    QHash<QLineEdit *, AmountBox> m_amountBoxes;
};

} // namespace ui
