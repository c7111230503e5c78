#pragma once
// The services screen's "Services" tab: the services grid and the boxes a
// service is added or changed in. Edits change the tab's rows only; the
// screen writes them to the file.
#include "catalog/Catalog.h"
#include "context/AppContext.h"

#include <QWidget>
#include <array>
#include <vector>

class QListWidget;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace ui {

class ServicesTab : public QWidget {
    Q_OBJECT
public:
    // Shows the rows; Modify Item is offered when there are any.
    ServicesTab(context::AppContext &ctx, const std::vector<catalog::ServiceRow> &rows, QWidget *parent = nullptr);

    // Shows these rows, none chosen.
    void load(const std::vector<catalog::ServiceRow> &rows);
    const std::vector<catalog::ServiceRow> &rows() const { return m_rows; }
    // Shows the rows as they stand, none chosen.
    void redraw();
    // Leaves Add New or Modify: the boxes locked, the grid free.
    void endEdit();
    void focusAddNew();

Q_SIGNALS:
    // A service was taken off the rows; the screen writes the file (or
    // deletes it when it was the last).
    void entryDeleted(bool wasLast);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildEntry();
    QPushButton *command(int index, const char *caption, const char *tip);
    void onCommand(int index);
    void selectRow(int row);
    void beginEdit();
    void clearEntry();
    void modify();
    void save();
    void deleteRow();
    bool checkCharge();

    context::AppContext &m_ctx;
    std::vector<catalog::ServiceRow> m_rows;
    int m_row = -1; // the grid's current row, -1 for none
    bool m_editingExisting = false;
    bool m_checking = false;

    QTableWidget *m_grid = nullptr;
    QLineEdit *m_description = nullptr;
    QLineEdit *m_charge = nullptr;
    QListWidget *m_time = nullptr;
    QPushButton *m_save = nullptr;
    QPushButton *m_delete = nullptr;
    QPushButton *m_addNew = nullptr;
    QPushButton *m_modify = nullptr;
};

} // namespace ui
