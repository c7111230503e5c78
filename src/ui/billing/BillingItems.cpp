// The billing screen's items frame: the sales items added to every invoice
// of the run, each priced with its quantity discount.
#include "ui/billing/BillingScreen.h"

#include "billing/BillingRules.h"
#include "ui/billing/BillingModels.h"
#include "ui/widgets/RowGrid.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QCoreApplication>
#include <QTableView>
#include <QVBoxLayout>

using namespace base;
using namespace billing;
using namespace context;

namespace ui {

QWidget *BillingScreen::buildItemsFrame()
{
    m_itemsFrame = new QGroupBox(QStringLiteral("Add Items to Invoice"), this);
    m_itemsFrame->setObjectName(QStringLiteral("fraItems"));
    auto *layout = new QHBoxLayout(m_itemsFrame);
    auto *left = new QVBoxLayout;
    left->addWidget(new QLabel(QStringLiteral("Click Sel for Each Item to Add to the Iinvoice"), m_itemsFrame));
    m_items = new ItemsModel(m_ctx.locale, this);
    m_itemTable = new QTableView(m_itemsFrame);
    m_itemTable->setModel(m_items);
    setUpRowGrid(m_itemTable, QStringLiteral("fgItems"), QStringLiteral("Sales items"));
    m_itemTable->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_itemTable->horizontalHeader()->setSectionResizeMode(ItemsModel::Sel, QHeaderView::Interactive);
    m_itemTable->horizontalHeader()->resizeSection(ItemsModel::Sel, 50);
    m_itemTable->horizontalHeader()->setSectionResizeMode(ItemsModel::Description, QHeaderView::Stretch);
    m_itemTable->setMinimumHeight(140);
    connect(m_itemTable, &QTableView::clicked, this, &BillingScreen::itemChosen);
    connect(m_itemTable, &QTableView::activated, this, &BillingScreen::itemChosen);
    // The right button on a marked row, or the menu key, offers its removal.
    m_itemTable->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_itemTable, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        const QModelIndex index = m_itemTable->indexAt(at).isValid() ? m_itemTable->indexAt(at) : m_itemTable->currentIndex();
        if (index.isValid())
            removeItem(index.row());
    });
    left->addWidget(m_itemTable, 1);
    auto *closing = new QHBoxLayout;
    connect(command(10, QStringLiteral("Close Window and Add Items to Invoice(s)"), m_itemsFrame), &QPushButton::clicked,
            this, [this] { closeItems(true); });
    connect(command(1, QStringLiteral("Close Window without Adding to Invoice"), m_itemsFrame), &QPushButton::clicked,
            this, [this] { closeItems(false); });
    closing->addWidget(m_cmd[10]);
    closing->addWidget(m_cmd[1]);
    closing->addStretch();
    left->addLayout(closing);
    layout->addLayout(left, 1);

    m_calcFrame = new QGroupBox(QStringLiteral("Calculate Item Cost"), m_itemsFrame);
    m_calcFrame->setObjectName(QStringLiteral("fraCalculateItem"));
    auto *g = new QGridLayout(m_calcFrame);
    m_itemName = new QLabel(m_calcFrame);
    m_itemName->setObjectName(QStringLiteral("lblItem"));
    m_units = new QLineEdit(m_calcFrame);
    m_units->setObjectName(QStringLiteral("txtUnits"));
    auto *unitsLabel = new QLabel(QStringLiteral("Enter Units"), m_calcFrame);
    unitsLabel->setBuddy(m_units);
    m_itemCost = new QLabel(m_calcFrame);
    m_itemCost->setObjectName(QStringLiteral("lblTotalCost"));
    // The amount itself is what a screen reader reads out.
    m_itemCost->setAccessibleDescription(QStringLiteral("Total Cost"));
    g->addWidget(m_itemName, 0, 0, 1, 2);
    g->addWidget(unitsLabel, 1, 0);
    g->addWidget(m_units, 1, 1);
    g->addWidget(new QLabel(QStringLiteral("Total Cost"), m_calcFrame), 2, 0);
    g->addWidget(m_itemCost, 2, 1);
    connect(command(9, QStringLiteral("Calculate"), m_calcFrame), &QPushButton::clicked, this, &BillingScreen::calculateItem);
    connect(command(0, QStringLiteral("Add to Invoice"), m_calcFrame), &QPushButton::clicked, this,
            &BillingScreen::addItemToInvoice);
    connect(m_units, &QLineEdit::returnPressed, this, &BillingScreen::calculateItem);
    // Units edited after "Calculate" must be priced again before they are added.
    connect(m_units, &QLineEdit::textEdited, this, [this] {
        m_priced.reset();
        m_itemCost->clear();
        m_cmd[0]->setEnabled(false);
    });
    g->addWidget(m_cmd[9], 3, 0);
    g->addWidget(m_cmd[0], 3, 1);
    m_cmd[0]->setEnabled(false);
    m_calcFrame->hide();
    layout->addWidget(m_calcFrame);
    m_itemsFrame->hide();
    return m_itemsFrame;
}

void BillingScreen::startAddingItems()
{
    if (!m_ctx.prompt.ask(QStringLiteral("Ckick YES to Add Items to Invoice(s)"), kAppTitle))
        return;
    m_itemName->clear();
    m_units->clear();
    m_itemCost->clear();
    m_priced.reset();
    m_cmd[0]->setEnabled(false);
    // Deselect the accounts (posted ones keep their mark).
    selectAll(false);
    m_itemsAdded = true;
    m_items->setItems(m_ctx.catalog.itemsInFileOrder());
    m_itemsFrame->show();
    m_itemTable->setFocus();
    // In a small window the frame opens below the fold: bring it into view.
    for (QWidget *w = parentWidget(); w; w = w->parentWidget()) {
        if (auto *scroll = qobject_cast<QScrollArea *>(w)) {
            QCoreApplication::processEvents(); // the frame's place, once laid out
            scroll->ensureWidgetVisible(m_itemsFrame);
            break;
        }
    }
}

void BillingScreen::itemChosen(const QModelIndex &index)
{
    if (!index.isValid() || index.column() != ItemsModel::Sel || m_items->row(index.row()).selected)
        return;
    m_itemRow = index.row();
    m_itemName->setText(m_items->row(m_itemRow).item.description);
    m_units->clear();
    m_itemCost->clear();
    m_priced.reset();
    m_cmd[0]->setEnabled(false);
    m_calcFrame->show();
    m_units->setFocus();
}

void BillingScreen::calculateItem()
{
    if (m_itemRow < 0 || m_itemRow >= m_items->rowCount())
        return;
    const std::optional<int> units = readUnits(m_units->text());
    if (!units) {
        m_ctx.prompt.message(QStringLiteral("Enter the units as a whole number from 1 to 32767."),
                             QStringLiteral("Enter Units"));
        m_units->setFocus();
        m_units->selectAll();
        return;
    }
    const catalog::InventoriedItemRecord &item = m_items->row(m_itemRow).item;
    m_priced = priceItem(item.price, item.discountQty, item.discountPrice, *units);
    m_itemCost->setText(m_priced->toCurrencyText(m_ctx.locale));
    m_cmd[0]->setEnabled(true);
    m_cmd[0]->setFocus();
}

void BillingScreen::addItemToInvoice()
{
    const std::optional<int> units = readUnits(m_units->text());
    if (!m_priced || !units || m_itemRow < 0 || m_itemRow >= m_items->rowCount())
        return;
    ItemRow &row = m_items->row(m_itemRow);
    row.selected = true;
    row.units = *units;
    row.total = *m_priced;
    m_items->rowChanged(m_itemRow);
    m_units->clear();
    m_itemCost->clear();
    m_priced.reset();
    m_calcFrame->hide();
    m_cmd[0]->setEnabled(false);
    m_itemTable->setFocus();
}

void BillingScreen::removeItem(int row)
{
    if (row < 0 || row >= m_items->rowCount() || !m_items->row(row).selected)
        return;
    if (!m_ctx.prompt.ask(QStringLiteral("Click YES to Remove this item from the Invoice"), QStringLiteral("REmove Item")))
        return;
    ItemRow &r = m_items->row(row);
    r.selected = false;
    r.units = 0;
    r.total = {};
    m_items->rowChanged(row);
}

void BillingScreen::closeItems(bool add)
{
    if (add) {
        m_itemsFrame->hide();
        m_ctx.prompt.message(QStringLiteral("Select all Accounts to which to Add these items\nThen Click ")
                                 + (m_printInvoice->isChecked() ? QStringLiteral("Print Invoices and Enter Records")
                                                                : QStringLiteral("Enter Records Only")),
                             kAppTitle);
        m_table->setFocus();
        return;
    }
    if (m_ctx.prompt.ask(QStringLiteral("Would you like to Clear the Selected Items?"), QStringLiteral("Clear Items"))) {
        m_items->clearMarks();
        m_itemsAdded = false;
    }
    m_itemsFrame->hide();
}

// The marked items' total, summed afresh whenever it is needed, so the
// subtotal always matches the item lines.
Money BillingScreen::itemsTotal() const
{
    QList<Money> totals;
    for (const ItemRow &r : m_items->rows()) {
        if (r.selected)
            totals.append(r.total);
    }
    return sumItems(totals);
}

} // namespace ui
