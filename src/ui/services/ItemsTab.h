#pragma once
// The services screen's "Inventoried Items" tab: the items grid and the
// boxes an item is added or changed in. Every box that holds a number is
// checked when it is left and again at Save Sales Item, so nothing that
// does not fit its field reaches the file. Edits change the tab's rows
// only; the screen writes them.
#include "catalog/CatalogRecords.h"
#include "catalog/CatalogRules.h"
#include "context/AppContext.h"

#include <QWidget>
#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace ui {

class ItemsTab : public QWidget {
    Q_OBJECT
public:
    // Shows the items; Modify Item is offered when there are any.
    ItemsTab(context::AppContext &ctx, const std::vector<catalog::InventoriedItemRecord> &items,
             const QStringList &categories, QWidget *parent = nullptr);

    // Shows these items, none chosen, and these categories in the list.
    void load(const std::vector<catalog::InventoriedItemRecord> &items, const QStringList &categories);
    const std::vector<catalog::InventoriedItemRecord> &rows() const { return m_rows; }
    void redraw();
    void endEdit();
    void focusAddNew();

Q_SIGNALS:
    // An item was taken off the rows; the screen writes the file (or
    // deletes it when it was the last).
    void entryDeleted(bool wasLast);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildHints();
    QLayout *buildForm();
    QLayout *buildCommands();
    QPushButton *command(int index, const char *caption, const char *tip);
    void onCommand(int index);
    void selectRow(int row);
    void beginEdit();
    void clearEntry();
    void modify();
    void save();
    void deleteRow();
    // The checks made when a box loses the focus. False when the box was
    // refused and keeps the focus.
    bool checkLeavingBox(QObject *box);
    bool checkNumber(QLineEdit *box, catalog::ItemNumber number);
    bool checkPrices();
    catalog::InventoriedItemRecord typedItem() const;
    void keepCategory(const QString &category);
    QString currency(Money m) const { return m.toCurrencyText(m_ctx.locale); }

    context::AppContext &m_ctx;
    std::vector<catalog::InventoriedItemRecord> m_rows;
    int m_row = -1; // the grid's current row, -1 for none
    bool m_editingExisting = false;
    bool m_checking = false;

    QTableWidget *m_grid = nullptr;
    QLineEdit *m_description = nullptr;
    QComboBox *m_category = nullptr;
    QLineEdit *m_cost = nullptr;
    QLineEdit *m_price = nullptr;
    QLineEdit *m_onHand = nullptr;
    QLineEdit *m_discountPrice = nullptr;
    QLineEdit *m_discountQty = nullptr;
    QLineEdit *m_reorderAmount = nullptr;
    QLineEdit *m_reorderAt = nullptr;
    QCheckBox *m_keepCategory = nullptr;
    QPushButton *m_addNew = nullptr;
    QPushButton *m_modify = nullptr;
    QPushButton *m_save = nullptr;
    QPushButton *m_delete = nullptr;
    QPushButton *m_clearItem = nullptr;
};

} // namespace ui
