#pragma once
// The services screen's "Inventoried Items" tab: the items grid and the
// boxes an item is added or changed in. Every box that holds a number is
// checked when it is left and again at Save Sales Item, so nothing that
// does not fit its field reaches the file. Edits change the tab's rows
// only; the screen writes them.
#include "catalog/CatalogRecords.h"
#include "catalog/CatalogRules.h"
#include "ui/services/CatalogTab.h"

#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace ui {

class ItemsTab : public CatalogTab {
    Q_OBJECT
public:
    // Shows the items; Modify Item is offered when there are any.
    ItemsTab(context::AppContext &ctx, const std::vector<catalog::InventoriedItemRecord> &items,
             const QStringList &categories, QWidget *parent = nullptr);

    // Shows these items, none chosen, and these categories in the list.
    void load(const std::vector<catalog::InventoriedItemRecord> &items, const QStringList &categories);
    const std::vector<catalog::InventoriedItemRecord> &rows() const { return m_rows; }
    void redraw();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildHints();
    QLayout *buildForm();
    QLayout *buildCommands();
    int rowCount() const override { return int(m_rows.size()); }
    void eraseRow(int row) override { m_rows.erase(m_rows.begin() + row); }
    void clearEntry() override;
    void modify();
    void save();
    // The checks made when a box loses the focus. False when the box was
    // refused and keeps the focus.
    bool checkLeavingBox(QObject *box);
    bool checkNumber(QLineEdit *box, catalog::ItemNumber number);
    bool checkPrices();
    catalog::InventoriedItemRecord typedItem() const;
    void keepCategory(const QString &category);
    QString currency(base::Money m) const { return m.toCurrencyText(m_ctx.locale); }

    std::vector<catalog::InventoriedItemRecord> m_rows;
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
    QPushButton *m_clearItem = nullptr;
};

} // namespace ui
