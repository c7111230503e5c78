#include "ui/services/ItemsTab.h"

#include "catalog/Catalog.h"
#include "ui/services/CatalogTabParts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace base;
using namespace catalog;
using namespace ui::catalogtab;

namespace ui {

ItemsTab::ItemsTab(context::AppContext &ctx, const std::vector<InventoriedItemRecord> &items,
                   const QStringList &categories, QWidget *parent)
    : CatalogTab(ctx, parent)
{
    m_modifyOnSelect = true;
    auto *layout = new QVBoxLayout(this);
    m_grid = makeGrid(this, "fgItems", QStringLiteral("Inventoried Items"),
                      {QStringLiteral("Description"), QStringLiteral("Category"), QStringLiteral("Cost (Unit)"),
                       QStringLiteral("Price"), QStringLiteral("On-Hand"), QStringLiteral("Disc Price"),
                       QStringLiteral("Disc Qty"), QStringLiteral("Reorder"), QStringLiteral("When At")});
    m_grid->setToolTip(QStringLiteral("Displays Items that can be added during invoice creation"));
    m_grid->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    watchGrid();
    layout->addWidget(m_grid, 1);

    auto *lower = new QHBoxLayout;
    lower->addWidget(buildHints());
    lower->addLayout(buildForm(), 2);
    lower->addLayout(buildCommands());
    layout->addLayout(lower);

    m_editors = {m_save, m_price, m_discountPrice, m_description};
    watchAmountBox(m_price, QStringLiteral("sell price"));
    for (QLineEdit *box : {m_description, m_cost, m_price, m_discountPrice, m_onHand, m_discountQty, m_reorderAmount,
                           m_reorderAt})
        box->installEventFilter(this);
    load(items, categories);
    m_modify->setEnabled(!m_rows.empty());
}

QWidget *ItemsTab::buildHints()
{
    auto *hints = new QGroupBox(this);
    auto *hintBox = new QVBoxLayout(hints);
    hintBox->addWidget(boldLabel("ADD AN ITEM", hints));
    hintBox->addWidget(wrapped(QStringLiteral("Click on Add New,enter Data then click Save Sales Item"), hints));
    hintBox->addWidget(boldLabel("MODIFY AN ITEM", hints));
    hintBox->addWidget(wrapped(QStringLiteral("Click on an Item in the Grid to Select it."), hints));
    hintBox->addWidget(wrapped(QStringLiteral("Click Modify Item, enter Data then click Save Sales Item"), hints));
    hintBox->addStretch();
    return hints;
}

QLayout *ItemsTab::buildForm()
{
    auto *form = new QGridLayout;
    m_description = entryBox(this, QStringLiteral("txtDescription_1"), QStringLiteral("Description"), 50);
    m_category = new QComboBox(this);
    m_category->setObjectName(QStringLiteral("cboCategory"));
    m_category->setEditable(true);
    m_category->setInsertPolicy(QComboBox::NoInsert);
    m_category->lineEdit()->setMaxLength(20);
    m_category->setAccessibleName(QStringLiteral("Category"));
    m_cost = entryBox(this, QStringLiteral("txtCost"), QStringLiteral("Cost per Unit (what you pay)"));
    m_cost->setToolTip(QStringLiteral("What you pay for each unit of this item"));
    m_price = entryBox(this, QStringLiteral("txtCharge_1"), QStringLiteral("Sell Price"));
    m_onHand = entryBox(this, QStringLiteral("txtOnHand"), QStringLiteral("Currently On Hand (Units)"));
    m_discountPrice = entryBox(this, QStringLiteral("txtCharge_2"), QStringLiteral("Quantity Discount Price"));
    m_discountPrice->setToolTip(QStringLiteral("Price applied when qty => Discount Qty"));
    m_discountQty = entryBox(this, QStringLiteral("txtDiscountQty"), QStringLiteral("Apply Quantity Discount when"));
    m_discountQty->setToolTip(QStringLiteral("Discount price will be applied when qty => than this"));
    m_reorderAmount = entryBox(this, QStringLiteral("txtReorderAmount"), QStringLiteral("Reorder (Units)"));
    m_reorderAt = entryBox(this, QStringLiteral("txtReorderAt"), QStringLiteral("when On Hand (Units) falls to:"));
    for (QLineEdit *box : {m_cost, m_price, m_discountPrice})
        box->setAlignment(Qt::AlignRight);
    int row = 0;
    auto add = [&](const char *label, QWidget *box, const char *after = nullptr) {
        auto *name = new QLabel(QString::fromLatin1(label), this);
        name->setBuddy(box); // the name a screen reader gives the box, the category list included
        form->addWidget(name, row, 0, Qt::AlignRight);
        form->addWidget(box, row, 1);
        if (after)
            form->addWidget(new QLabel(QString::fromLatin1(after), this), row, 2);
        ++row;
    };
    add("Description", m_description);
    add("Category", m_category);
    add("Cost per Unit (what you pay)", m_cost);
    add("Sell Price", m_price);
    add("Currently On Hand (Units)", m_onHand);
    add("Quantity Discount Price", m_discountPrice);
    add("Apply Quantity Discount when", m_discountQty, "or more Units Sold");
    form->addWidget(wrapped(QStringLiteral("(Set to 0 to Disable)"), this), row++, 1);
    add("Reorder (Units)", m_reorderAmount);
    add("when On Hand (Units) falls to:", m_reorderAt);
    m_keepCategory = new QCheckBox(QStringLiteral("Do not clear Category when Saving"), this);
    m_keepCategory->setObjectName(QStringLiteral("ckClearItem"));
    form->addWidget(m_keepCategory, row++, 1, 1, 2);
    form->setColumnStretch(1, 1);
    return form;
}

QLayout *ItemsTab::buildCommands()
{
    auto *buttons = new QVBoxLayout;
    m_addNew = command(8, "Add New", "Alows addition of an item", [this] { addNew(m_description); });
    m_addNew->setAccessibleName(QStringLiteral("Add New Sales Item"));
    m_modify = command(9, "Modify Item", "Allows changes to the current selected item", [this] { modify(); });
    m_modify->setAccessibleName(QStringLiteral("Modify Sales Item"));
    m_save = command(13, "Save Sales Item", "Save the currently selected item", [this] { save(); });
    m_delete = command(10, "Delete Item", nullptr, [this] {
        deleteRow(QStringLiteral("This will DELETE the Selected Sales Item"), QStringLiteral("Delete Sales Item"));
    });
    m_delete->setAccessibleName(QStringLiteral("Delete Sales Item"));
    m_clearItem = command(11, "Clear Item", "clears the description", [this] { clearEntry(); });
    for (QPushButton *b : {m_addNew, m_modify, m_save, m_delete, m_clearItem})
        buttons->addWidget(b);
    buttons->addWidget(command(24, "Clear Prices", "clears the sell and discount prices", [this] {
        m_price->setText(currency(Money()));
        m_discountPrice->setText(currency(Money()));
    }));
    buttons->addWidget(command(14, "Cancel Add New or Modify", "cancels the current action", [this] {
        endEdit();
        clearEntry();
    }));
    buttons->addStretch();
    return buttons;
}

void ItemsTab::load(const std::vector<InventoriedItemRecord> &items, const QStringList &categories)
{
    m_rows = items;
    m_category->clear();
    m_category->addItems(categories);
    m_category->setEditText(QString());
    redraw();
}

void ItemsTab::redraw()
{
    m_grid->setRowCount(int(m_rows.size()));
    for (int r = 0; r < int(m_rows.size()); ++r) {
        const InventoriedItemRecord &i = m_rows[size_t(r)];
        setCell(m_grid, r, 0, i.description, Qt::AlignLeft);
        setCell(m_grid, r, 1, i.category, Qt::AlignLeft);
        setCell(m_grid, r, 2, currency(i.cost), Qt::AlignRight);
        setCell(m_grid, r, 3, currency(i.price), Qt::AlignRight);
        setCell(m_grid, r, 4, QString::number(i.onHand), Qt::AlignHCenter);
        setCell(m_grid, r, 5, currency(i.discountPrice), Qt::AlignRight);
        setCell(m_grid, r, 6, QString::number(i.discountQty), Qt::AlignHCenter);
        setCell(m_grid, r, 7, QString::number(i.reorderAmount), Qt::AlignHCenter);
        setCell(m_grid, r, 8, QString::number(i.reorderAt), Qt::AlignHCenter);
    }
    forgetRow();
}

void ItemsTab::clearEntry()
{
    for (QLineEdit *box :
         {m_price, m_description, m_discountPrice, m_onHand, m_cost, m_discountQty, m_reorderAmount, m_reorderAt})
        box->clear();
    m_category->setEditText(QString());
}

void ItemsTab::modify()
{
    if (!hasRow()) {
        m_ctx.prompt.beep();
        return;
    }
    m_clearItem->setEnabled(true);
    beginEdit();
    m_editingExisting = true;
    const InventoriedItemRecord &i = m_rows[size_t(m_row)];
    m_description->setText(i.description);
    m_category->setEditText(i.category);
    m_cost->setText(currency(i.cost));
    m_price->setText(currency(i.price));
    m_onHand->setText(QString::number(i.onHand));
    m_discountPrice->setText(currency(i.discountPrice));
    m_discountQty->setText(QString::number(i.discountQty));
    m_reorderAmount->setText(QString::number(i.reorderAmount));
    m_reorderAt->setText(QString::number(i.reorderAt));
    m_grid->setEnabled(false);
}

bool ItemsTab::checkNumber(QLineEdit *box, ItemNumber number)
{
    const std::optional<QString> problem = itemNumberProblem(number, box->text(), m_ctx.locale);
    if (!problem)
        return true;
    m_ctx.prompt.beep();
    m_ctx.prompt.message(*problem, kInvalidNumberTitle);
    box->setFocus();
    return false;
}

bool ItemsTab::checkLeavingBox(QObject *box)
{
    if (box == m_price) {
        return checkAmountBox(m_price);
    } else if (box == m_discountPrice) {
        // A discount price that is not an amount becomes the sell price.
        if (m_discountPrice->text().isEmpty() || !Money::parse(m_discountPrice->text(), m_ctx.locale)) {
            m_ctx.prompt.beep();
            m_discountPrice->setText(currency(Money::parse(m_price->text(), m_ctx.locale).value_or(Money())));
        }
    } else if (box == m_cost) {
        return checkNumber(m_cost, ItemNumber::Cost);
    } else if (box == m_discountQty) {
        if (m_discountQty->text().isEmpty())
            m_discountQty->setText(QStringLiteral("0"));
        return checkNumber(m_discountQty, ItemNumber::DiscountQty);
    } else if (box == m_onHand) {
        return checkNumber(m_onHand, ItemNumber::OnHand);
    } else if (box == m_reorderAmount) {
        return checkNumber(m_reorderAmount, ItemNumber::ReorderAmount);
    } else if (box == m_reorderAt) {
        return checkNumber(m_reorderAt, ItemNumber::ReorderAt);
    }
    return true;
}

// Both prices are present and amounts of money.
bool ItemsTab::checkPrices()
{
    for (QLineEdit *price : {m_price, m_discountPrice}) {
        if (price->text().isEmpty()) {
            m_ctx.prompt.beep();
            price->setFocus();
            return false;
        }
        // The sell price must be an amount, not the zero that replaced one;
        // a discount price that is none becomes the sell price.
        if (price == m_price ? !amountForSave(m_price) : !checkLeavingBox(price))
            return false;
    }
    return true;
}

InventoriedItemRecord ItemsTab::typedItem() const
{
    const QLocale &l = m_ctx.locale;
    InventoriedItemRecord item;
    item.description = m_description->text();
    item.category = m_category->currentText().trimmed();
    item.cost = Money::parse(m_cost->text(), l).value_or(Money());
    item.price = Money::parse(m_price->text(), l).value_or(Money());
    item.onHand = parseInt16(m_onHand->text(), l).value_or(0);
    item.discountPrice = Money::parse(m_discountPrice->text(), l).value_or(Money());
    item.discountQty = parseInt32(m_discountQty->text(), l).value_or(0);
    item.reorderAmount = parseInt16(m_reorderAmount->text(), l).value_or(0);
    item.reorderAt = parseInt16(m_reorderAt->text(), l).value_or(0);
    return item;
}

void ItemsTab::save()
{
    if (m_description->text().isEmpty()) {
        m_ctx.prompt.beep();
        m_description->setFocus();
        return;
    }
    if (!checkPrices())
        return;
    // A count that is not a number becomes 0 and the user saves again.
    if (!parseInt16(m_onHand->text(), m_ctx.locale)) {
        m_ctx.prompt.beep();
        m_onHand->setText(QStringLiteral("0"));
        return;
    }
    if (m_cost->text().trimmed().isEmpty())
        m_cost->setText(currency(Money()));
    for (QLineEdit *box : {m_reorderAmount, m_reorderAt, m_discountQty}) {
        if (box->text().trimmed().isEmpty())
            box->setText(QStringLiteral("0"));
    }
    for (QLineEdit *box : {m_cost, m_discountQty, m_reorderAmount, m_reorderAt}) {
        if (!checkLeavingBox(box))
            return;
    }

    const InventoriedItemRecord item = typedItem();
    m_grid->setEnabled(true);
    if (!m_editingExisting || m_row < 0 || m_row >= int(m_rows.size())) {
        m_rows.push_back(item);
        m_row = int(m_rows.size()) - 1;
    } else {
        m_rows[size_t(m_row)] = item;
    }
    const int keep = m_row;
    const QString category = m_category->currentText();
    keepCategory(item.category);
    redraw();
    selectRow(keep);
    clearEntry();
    if (m_keepCategory->isChecked())
        m_category->setEditText(category);
    endEdit();
    m_clearItem->setEnabled(false);
}

// The category list gains a new category at once; one no longer used stays
// until the next load.
void ItemsTab::keepCategory(const QString &category)
{
    QStringList categories;
    for (int i = 0; i < m_category->count(); ++i)
        categories.append(m_category->itemText(i));
    addCategory(categories, category);
    if (categories.size() > m_category->count())
        m_category->addItem(categories.last());
}

bool ItemsTab::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *box = qobject_cast<QLineEdit *>(watched);
        const bool typed = !static_cast<QKeyEvent *>(event)->text().isEmpty();
        // A box holding the default zero is emptied by the first key, so
        // typing replaces it.
        const bool priceBox = box == m_price || box == m_discountPrice || box == m_cost;
        if (typed && priceBox && box->text() == currency(Money()))
            box->clear();
        if (typed && box == m_onHand && box->text() == QLatin1String("0"))
            box->clear();
    } else if (event->type() == QEvent::FocusOut && !m_checking) {
        m_checking = true;
        checkLeavingBox(watched);
        m_checking = false;
    }
    return CatalogTab::eventFilter(watched, event);
}

} // namespace ui
