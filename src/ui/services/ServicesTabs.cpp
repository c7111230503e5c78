// The services screen's two catalogue tabs: the services grid with its
// entry boxes and the items grid with its own, and the checks that keep
// every typed value convertible before it reaches the files.
#include "ui/widgets/RowGrid.h"
#include "ui/services/ServicesScreen.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace catalog;

namespace ui {

namespace {

QTableWidget *makeGrid(QWidget *parent, const char *name, const QStringList &headings)
{
    auto *grid = new QTableWidget(0, int(headings.size()), parent);
    setUpRowGrid(grid, QString::fromLatin1(name));
    grid->setHorizontalHeaderLabels(headings);
    return grid;
}

void setCell(QTableWidget *grid, int row, int column, const QString &text, Qt::Alignment align)
{
    auto *item = new QTableWidgetItem(text);
    item->setTextAlignment(align | Qt::AlignVCenter);
    grid->setItem(row, column, item);
}

QLabel *boldLabel(const char *text, QWidget *parent)
{
    auto *l = new QLabel(QString::fromLatin1(text), parent);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

QLineEdit *entryBox(QWidget *parent, const QString &name, const QString &accessible, int maxLength = 0)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setAccessibleName(accessible);
    if (maxLength > 0)
        box->setMaxLength(maxLength);
    return box;
}

} // namespace

QWidget *ServicesScreen::buildServicesTab()
{
    auto *page = new QWidget(this);
    auto *layout = new QHBoxLayout(page);
    m_serviceGrid = makeGrid(page, "fgServices", {QStringLiteral("Service Description"), QStringLiteral("Charge"),
                                                 QStringLiteral("Allotted Time")});
    m_serviceGrid->horizontalHeader()->resizeSection(1, 110);
    m_serviceGrid->horizontalHeader()->resizeSection(2, 110);
    connect(m_serviceGrid, &QTableWidget::cellClicked, this, [this](int row) { selectServiceRow(row); });
    layout->addWidget(m_serviceGrid, 3);

    auto *side = new QVBoxLayout;
    auto *add = new QGroupBox(page);
    auto *addBox = new QVBoxLayout(add);
    addBox->addWidget(boldLabel("ADD A SERVICE", add));
    addBox->addWidget(new QLabel(QStringLiteral("Click on Add New,enter Data then click Save Service"), add));
    addBox->addWidget(boldLabel("MODIFY A SERVICE", add));
    addBox->addWidget(new QLabel(QStringLiteral("Click on a Service in the Grid to Select it."), add));
    addBox->addWidget(new QLabel(QStringLiteral("Click Modify Item, enter Data then click Save Service"), add));
    side->addWidget(add);

    auto *entry = new QGridLayout;
    m_description[0] = entryBox(page, QStringLiteral("txtDescription_0"), QStringLiteral("Description"), 60);
    m_charge[0] = entryBox(page, QStringLiteral("txtCharge_0"), QStringLiteral("Charge"));
    m_charge[0]->setAlignment(Qt::AlignRight);
    m_time = new QListWidget(page);
    m_time->setObjectName(QStringLiteral("lstTime"));
    m_time->setAccessibleName(QStringLiteral("Time Req"));
    m_time->addItems(catalog::allotted::timeList());
    m_time->setCurrentRow(0);
    m_time->setMaximumHeight(120);
    entry->addWidget(new QLabel(QStringLiteral("Description"), page), 0, 0);
    entry->addWidget(m_description[0], 1, 0, 1, 3);
    entry->addWidget(new QLabel(QStringLiteral("Charge"), page), 2, 0);
    entry->addWidget(m_charge[0], 3, 0);
    entry->addWidget(commandButton(page, 5, "Clear", "Clears Description"), 1, 3);
    entry->addWidget(commandButton(page, 6, "Clear", "Clears Charge"), 3, 1);
    entry->addWidget(new QLabel(QStringLiteral("Time Req"), page), 2, 2);
    entry->addWidget(m_time, 3, 2, 2, 1);
    entry->addWidget(new QLabel(QStringLiteral("Time is used by other Scheduling Programs"), page), 5, 0, 1, 4);
    side->addLayout(entry);

    auto *buttons = new QGridLayout;
    buttons->addWidget(commandButton(page, 1, "Add New", "Allows addtion of an Item"), 0, 0);
    buttons->addWidget(commandButton(page, 3, "Modify Item", "Make Changes to the current item"), 0, 1);
    buttons->addWidget(commandButton(page, 4, "Save Service", "Save the current item"), 1, 0);
    buttons->addWidget(commandButton(page, 2, "Delete Item", nullptr), 1, 1);
    buttons->addWidget(commandButton(page, 7, "Cancel Add or Modify", "Cancels the current action"), 2, 0, 1, 2);
    side->addLayout(buttons);
    side->addStretch();
    layout->addLayout(side, 2);

    m_cmd[2]->setEnabled(false);
    for (QLineEdit *box : {m_description[0], m_charge[0]})
        box->installEventFilter(this);
    return page;
}

QWidget *ServicesScreen::buildItemsTab()
{
    auto *page = new QWidget(this);
    auto *layout = new QVBoxLayout(page);
    m_itemGrid = makeGrid(page, "fgItems",
                          {QStringLiteral("Description"), QStringLiteral("Category"), QStringLiteral("Cost (Unit)"),
                           QStringLiteral("Price"), QStringLiteral("On-Hand"), QStringLiteral("Disc Price"),
                           QStringLiteral("Disc Qty"), QStringLiteral("Reorder"), QStringLiteral("When At")});
    m_itemGrid->setToolTip(QStringLiteral("Displays Items that can be added during invoice creation"));
    m_itemGrid->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    connect(m_itemGrid, &QTableWidget::cellClicked, this, [this](int row) { selectItemRow(row); });
    layout->addWidget(m_itemGrid, 1);

    auto *lower = new QHBoxLayout;
    auto *hints = new QGroupBox(page);
    auto *hintBox = new QVBoxLayout(hints);
    hintBox->addWidget(boldLabel("ADD AN ITEM", hints));
    hintBox->addWidget(new QLabel(QStringLiteral("Click on Add New,enter Data then click Save Sales Item"), hints));
    hintBox->addWidget(boldLabel("MODIFY AN ITEM", hints));
    hintBox->addWidget(new QLabel(QStringLiteral("Click on an Item in the Grid to Select it."), hints));
    hintBox->addWidget(new QLabel(QStringLiteral("Click Modify Item, enter Data then click Save Sales Item"), hints));
    hintBox->addStretch();
    lower->addWidget(hints);

    auto *form = new QGridLayout;
    m_description[1] = entryBox(page, QStringLiteral("txtDescription_1"), QStringLiteral("Description"), 50);
    m_category = new QComboBox(page);
    m_category->setObjectName(QStringLiteral("cboCategory"));
    m_category->setEditable(true);
    m_category->setInsertPolicy(QComboBox::NoInsert);
    m_category->lineEdit()->setMaxLength(20);
    m_category->setAccessibleName(QStringLiteral("Category"));
    m_cost = entryBox(page, QStringLiteral("txtCost"), QStringLiteral("Cost per Unit (what you pay)"));
    m_cost->setToolTip(QStringLiteral("What you pay for each unit of this item"));
    m_charge[1] = entryBox(page, QStringLiteral("txtCharge_1"), QStringLiteral("Sell Price"));
    m_onHand = entryBox(page, QStringLiteral("txtOnHand"), QStringLiteral("Currently On Hand (Units)"));
    m_charge[2] = entryBox(page, QStringLiteral("txtCharge_2"), QStringLiteral("Quantity Discount Price"));
    m_charge[2]->setToolTip(QStringLiteral("Price applied when qty => Discount Qty"));
    m_discountQty = entryBox(page, QStringLiteral("txtDiscountQty"), QStringLiteral("Apply Quantity Discount when"));
    m_discountQty->setToolTip(QStringLiteral("Discount price will be applied when qty => than this"));
    m_reorderAmount = entryBox(page, QStringLiteral("txtReorderAmount"), QStringLiteral("Reorder (Units)"));
    m_reorderAt = entryBox(page, QStringLiteral("txtReorderAt"), QStringLiteral("when On Hand (Units) falls to:"));
    for (QLineEdit *box : {m_cost, m_charge[1], m_charge[2]})
        box->setAlignment(Qt::AlignRight);
    int row = 0;
    auto add = [&](const char *label, QWidget *box, const char *after = nullptr) {
        form->addWidget(new QLabel(QString::fromLatin1(label), page), row, 0, Qt::AlignRight);
        form->addWidget(box, row, 1);
        if (after)
            form->addWidget(new QLabel(QString::fromLatin1(after), page), row, 2);
        ++row;
    };
    add("Description", m_description[1]);
    add("Category", m_category);
    add("Cost per Unit (what you pay)", m_cost);
    add("Sell Price", m_charge[1]);
    add("Currently On Hand (Units)", m_onHand);
    add("Quantity Discount Price", m_charge[2]);
    add("Apply Quantity Discount when", m_discountQty, "or more Units Sold");
    form->addWidget(new QLabel(QStringLiteral("(Set to 0 to Disable)"), page), row++, 1);
    add("Reorder (Units)", m_reorderAmount);
    add("when On Hand (Units) falls to:", m_reorderAt);
    m_keepCategory = new QCheckBox(QStringLiteral("Do not clear Category when Saving"), page);
    m_keepCategory->setObjectName(QStringLiteral("ckClearItem"));
    form->addWidget(m_keepCategory, row++, 1, 1, 2);
    form->setColumnStretch(1, 1);
    lower->addLayout(form, 2);

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(commandButton(page, 8, "Add New", "Alows addition of an item"));
    buttons->addWidget(commandButton(page, 9, "Modify Item", "Allows changes to the current selected item"));
    buttons->addWidget(commandButton(page, 13, "Save Sales Item", "Save the currently selected item"));
    buttons->addWidget(commandButton(page, 10, "Delete Item", nullptr));
    buttons->addWidget(commandButton(page, 11, "Clear Item", "clears the description"));
    buttons->addWidget(commandButton(page, 24, "Clear Prices", "clears the sell and discount prices"));
    buttons->addWidget(commandButton(page, 14, "Cancel Add New or Modify", "cancels the current action"));
    buttons->addStretch();
    lower->addLayout(buttons);
    layout->addLayout(lower);

    m_cmd[10]->setEnabled(false);
    for (QLineEdit *box : {m_description[1], m_cost, m_charge[1], m_charge[2], m_onHand, m_discountQty,
                           m_reorderAmount, m_reorderAt})
        box->installEventFilter(this);
    return page;
}

void ServicesScreen::reloadServices()
{
    m_services = m_ctx.catalog.services();
    showServices();
}

void ServicesScreen::reloadItems()
{
    m_items = m_ctx.catalog.items();
    m_category->clear();
    m_category->addItems(m_ctx.catalog.categories());
    m_category->setEditText(QString());
    showItems();
}

void ServicesScreen::showServices()
{
    m_serviceGrid->setRowCount(int(m_services.size()));
    for (int r = 0; r < int(m_services.size()); ++r) {
        const ServiceRow &s = m_services[size_t(r)];
        setCell(m_serviceGrid, r, 0, s.description, Qt::AlignLeft);
        setCell(m_serviceGrid, r, 1, s.charge, Qt::AlignRight);
        setCell(m_serviceGrid, r, 2, s.time, Qt::AlignHCenter);
    }
    m_serviceRow = -1;
    m_serviceGrid->clearSelection();
    m_cmd[2]->setEnabled(false);
}

void ServicesScreen::showItems()
{
    m_itemGrid->setRowCount(int(m_items.size()));
    for (int r = 0; r < int(m_items.size()); ++r) {
        const InventoriedItemRecord &i = m_items[size_t(r)];
        setCell(m_itemGrid, r, 0, i.description, Qt::AlignLeft);
        setCell(m_itemGrid, r, 1, i.category, Qt::AlignLeft);
        setCell(m_itemGrid, r, 2, currency(i.cost), Qt::AlignRight);
        setCell(m_itemGrid, r, 3, currency(i.price), Qt::AlignRight);
        setCell(m_itemGrid, r, 4, QString::number(i.onHand), Qt::AlignHCenter);
        setCell(m_itemGrid, r, 5, currency(i.discountPrice), Qt::AlignRight);
        setCell(m_itemGrid, r, 6, QString::number(i.discountQty), Qt::AlignHCenter);
        setCell(m_itemGrid, r, 7, QString::number(i.reorderAmount), Qt::AlignHCenter);
        setCell(m_itemGrid, r, 8, QString::number(i.reorderAt), Qt::AlignHCenter);
    }
    m_itemRow = -1;
    m_itemGrid->clearSelection();
    m_cmd[10]->setEnabled(false);
}

void ServicesScreen::selectServiceRow(int row)
{
    if (row < 0 || row >= int(m_services.size()) || !m_serviceGrid->isEnabled())
        return;
    m_serviceRow = row;
    m_serviceGrid->selectRow(row);
    m_cmd[2]->setEnabled(true);
}

void ServicesScreen::selectItemRow(int row)
{
    if (row < 0 || row >= int(m_items.size()) || !m_itemGrid->isEnabled())
        return;
    m_itemRow = row;
    m_itemGrid->selectRow(row);
    m_cmd[9]->setEnabled(true);
    m_cmd[10]->setEnabled(true);
}

void ServicesScreen::modifyService()
{
    if (m_serviceRow < 0 || m_serviceRow >= int(m_services.size())) {
        m_ctx.prompt.beep(); // no service chosen in the grid
        return;
    }
    beginEdit(0);
    m_editingExisting = true;
    const ServiceRow &s = m_services[size_t(m_serviceRow)];
    m_description[0]->setText(s.description);
    m_charge[0]->setText(s.charge);
    const QList<QListWidgetItem *> time = m_time->findItems(s.time, Qt::MatchExactly);
    m_time->setCurrentItem(time.isEmpty() ? nullptr : time.front());
    m_serviceGrid->setEnabled(false);
}

void ServicesScreen::saveService()
{
    if (m_description[0]->text().isEmpty()) {
        m_description[0]->setFocus();
        m_ctx.prompt.beep();
        return;
    }
    if (m_charge[0]->text().isEmpty()) {
        m_ctx.prompt.beep();
        m_charge[0]->setFocus();
        return;
    }
    const std::optional<Money> charge = Money::parse(m_charge[0]->text(), m_ctx.locale);
    if (!charge) {
        // As on leaving the box: never a charge that is not an amount.
        m_ctx.prompt.beep();
        m_charge[0]->setText(currency(Money()));
        m_charge[0]->setFocus();
        return;
    }
    const QString chargeText = currency(*charge);
    if (chargeText.size() > ServiceRecord::kChargeWidth) {
        m_ctx.prompt.message(QStringLiteral("The charge %1 is too large to be kept.\nA service charge may be at most %2 "
                                            "characters as currency, such as %3.")
                                 .arg(chargeText)
                                 .arg(ServiceRecord::kChargeWidth)
                                 .arg(currency(Money::fromCents(9999999))),
                             QStringLiteral("Charge Too Large"));
        m_charge[0]->setFocus();
        return;
    }
    m_serviceGrid->setEnabled(true);
    QListWidgetItem *time = m_time->currentItem();
    const ServiceRow row{m_description[0]->text(), chargeText, time ? time->text() : catalog::allotted::timeText(0)};
    if (m_editingExisting && m_serviceRow >= 0 && m_serviceRow < int(m_services.size()))
        m_services[size_t(m_serviceRow)] = row;
    else
        m_services.push_back(row);
    const int keep = m_editingExisting ? m_serviceRow : int(m_services.size()) - 1;
    showServices();
    selectServiceRow(keep);
    clearEntry(0);
    endEdit(0);
    m_cmd[3]->setEnabled(true);
}

void ServicesScreen::modifyItem()
{
    if (m_itemRow < 0 || m_itemRow >= int(m_items.size())) {
        m_ctx.prompt.beep();
        return;
    }
    m_cmd[11]->setEnabled(true);
    beginEdit(1);
    m_editingExisting = true;
    const InventoriedItemRecord &i = m_items[size_t(m_itemRow)];
    m_description[1]->setText(i.description);
    m_category->setEditText(i.category);
    m_cost->setText(currency(i.cost));
    m_charge[1]->setText(currency(i.price));
    m_onHand->setText(QString::number(i.onHand));
    m_charge[2]->setText(currency(i.discountPrice));
    m_discountQty->setText(QString::number(i.discountQty));
    m_reorderAmount->setText(QString::number(i.reorderAmount));
    m_reorderAt->setText(QString::number(i.reorderAt));
    m_itemGrid->setEnabled(false);
}

bool ServicesScreen::refuseNumber(QLineEdit *box, const QString &what, const QString &range)
{
    m_ctx.prompt.beep();
    m_ctx.prompt.message(QStringLiteral("%1 must be %2.\n\"%3\" cannot be used.").arg(what, range, box->text()),
                         QStringLiteral("Invalid Number"));
    box->setFocus();
    return false;
}

bool ServicesScreen::checkWhole16(QLineEdit *box, const QString &what)
{
    if (box->text().trimmed().isEmpty() || parseInt16(box->text(), m_ctx.locale))
        return true;
    return refuseNumber(box, what, QStringLiteral("a whole number from -32,768 to 32,767"));
}

// The checks made when a box loses the focus. False when the box was
// refused and keeps the focus.
bool ServicesScreen::checkLeavingBox(QObject *box)
{
    if (box == m_charge[0] || box == m_charge[1]) {
        auto *b = static_cast<QLineEdit *>(box);
        if (b->text().isEmpty() || !Money::parse(b->text(), m_ctx.locale)) {
            m_ctx.prompt.beep();
            b->setText(currency(Money()));
            b->setFocus();
            return false;
        }
    } else if (box == m_charge[2]) {
        if (m_charge[2]->text().isEmpty() || !Money::parse(m_charge[2]->text(), m_ctx.locale)) {
            m_ctx.prompt.beep();
            m_charge[2]->setText(currency(Money::parse(m_charge[1]->text(), m_ctx.locale).value_or(Money())));
        }
    } else if (box == m_cost) {
        if (!m_cost->text().trimmed().isEmpty() && !Money::parse(m_cost->text(), m_ctx.locale))
            return refuseNumber(m_cost, QStringLiteral("The cost per unit"), QStringLiteral("an amount of money"));
    } else if (box == m_discountQty) {
        if (m_discountQty->text().isEmpty())
            m_discountQty->setText(QStringLiteral("0"));
        else if (!parseInt32(m_discountQty->text(), m_ctx.locale))
            return refuseNumber(m_discountQty, QStringLiteral("The discount quantity"),
                                QStringLiteral("a whole number from 0 to 2,147,483,647"));
    } else if (box == m_onHand) {
        return checkWhole16(m_onHand, QStringLiteral("The units on hand"));
    } else if (box == m_reorderAmount) {
        return checkWhole16(m_reorderAmount, QStringLiteral("The reorder amount"));
    } else if (box == m_reorderAt) {
        return checkWhole16(m_reorderAt, QStringLiteral("The reorder level"));
    }
    return true;
}

void ServicesScreen::saveItem()
{
    if (m_description[1]->text().isEmpty()) {
        m_ctx.prompt.beep();
        m_description[1]->setFocus();
        return;
    }
    for (QLineEdit *price : {m_charge[1], m_charge[2]}) {
        if (price->text().isEmpty()) {
            m_ctx.prompt.beep();
            price->setFocus();
            return;
        }
        if (!checkLeavingBox(price))
            return;
    }
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

    InventoriedItemRecord item;
    item.description = m_description[1]->text();
    item.category = m_category->currentText().trimmed();
    item.cost = Money::parse(m_cost->text(), m_ctx.locale).value_or(Money());
    item.price = Money::parse(m_charge[1]->text(), m_ctx.locale).value_or(Money());
    item.onHand = parseInt16(m_onHand->text(), m_ctx.locale).value_or(0);
    item.discountPrice = Money::parse(m_charge[2]->text(), m_ctx.locale).value_or(Money());
    item.discountQty = parseInt32(m_discountQty->text(), m_ctx.locale).value_or(0);
    item.reorderAmount = parseInt16(m_reorderAmount->text(), m_ctx.locale).value_or(0);
    item.reorderAt = parseInt16(m_reorderAt->text(), m_ctx.locale).value_or(0);

    m_itemGrid->setEnabled(true);
    if (!m_editingExisting || m_itemRow < 0 || m_itemRow >= int(m_items.size())) {
        m_items.push_back(item);
        m_itemRow = int(m_items.size()) - 1;
    } else {
        m_items[size_t(m_itemRow)] = item;
    }
    const int keep = m_itemRow;
    // The category list gains a new category at once; one no longer used
    // stays until the next load.
    const QString category = m_category->currentText();
    QStringList categories;
    for (int i = 0; i < m_category->count(); ++i)
        categories.append(m_category->itemText(i));
    addCategory(categories, item.category);
    if (categories.size() > m_category->count())
        m_category->addItem(categories.last());
    showItems();
    selectItemRow(keep);
    clearEntry(1);
    if (m_keepCategory->isChecked())
        m_category->setEditText(category);
    endEdit(1);
    m_cmd[11]->setEnabled(false);
}

} // namespace ui
