#include "ui/billing/BillingFrames.h"

#include "billing/BillingRules.h"
#include "ledger/Ledger.h"
#include "ui/billing/BillingModels.h"
#include "ui/widgets/AlignedLists.h"
#include "ui/widgets/RowGrid.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QTableView>
#include <QVBoxLayout>

using namespace base;
using namespace billing;
using context::kAppTitle;

namespace ui {

QPushButton *billingCommand(int index, const QString &caption, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QStringLiteral("cmdMonthly_%1").arg(index));
    return b;
}

ChargeFrame::ChargeFrame(context::AppContext &ctx, QWidget *parent)
    : QGroupBox(QStringLiteral("Change Charge"), parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("fraCharge"));
    auto *g = new QGridLayout(this);
    m_charge = new QLineEdit(this);
    m_charge->setObjectName(QStringLiteral("txtCharge"));
    auto *label = new QLabel(QStringLiteral("Enter Charge"), this);
    label->setBuddy(m_charge);
    m_charge->installEventFilter(this);
    g->addWidget(label, 0, 0);
    g->addWidget(m_charge, 0, 1);
    QPushButton *post = billingCommand(5, QStringLiteral("&Post Charge"), this);
    QPushButton *clear = billingCommand(6, QStringLiteral("Clear Cha&rge"), this);
    connect(post, &QPushButton::clicked, this, &ChargeFrame::post);
    connect(clear, &QPushButton::clicked, this, &QWidget::hide);
    connect(m_charge, &QLineEdit::returnPressed, this, &ChargeFrame::post);
    g->addWidget(post, 1, 0);
    g->addWidget(clear, 1, 1);
    m_charge->setText(Money().toCurrencyText(m_ctx.locale));
    hide();
}

void ChargeFrame::open(int row)
{
    m_row = row;
    m_charge->setText(Money().toCurrencyText(m_ctx.locale));
    show();
    m_charge->setFocus();
}

bool ChargeFrame::eventFilter(QObject *watched, QEvent *event)
{
    // While the box shows zero, typing replaces it.
    if (watched == m_charge && event->type() == QEvent::KeyPress
        && m_charge->text() == Money().toCurrencyText(m_ctx.locale)) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (!key->text().isEmpty() && key->text().at(0).isPrint())
            m_charge->clear();
    }
    return QGroupBox::eventFilter(watched, event);
}

void ChargeFrame::post()
{
    const QString zero = Money().toCurrencyText(m_ctx.locale);
    const std::optional<Money> charge = Money::parse(m_charge->text(), m_ctx.locale);
    if (!charge || charge->raw() <= 0) {
        m_ctx.prompt.beep();
        m_ctx.prompt.message(QStringLiteral("Enter a new Charge amount\nAmount cannot be ") + zero, kAppTitle);
        m_charge->setText(zero);
        m_charge->setFocus();
        return;
    }
    m_charge->setText(charge->toCurrencyText(m_ctx.locale));
    hide();
    Q_EMIT chargePosted(m_row, m_charge->text());
}

ServiceFrame::ServiceFrame(context::AppContext &ctx, QWidget *parent)
    : QGroupBox(QStringLiteral("Change Service"), parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("fraServices"));
    auto *g = new QGridLayout(this);
    m_services = new QComboBox(this);
    m_services->setObjectName(QStringLiteral("cboServices"));
    m_services->setAccessibleName(QStringLiteral("Service for this run"));
    m_costs = new QListWidget(this);
    m_costs->setObjectName(QStringLiteral("lstServiceCost"));
    m_costs->setAccessibleName(QStringLiteral("Charge of the service"));
    m_costs->setMaximumHeight(90);
    // Either list moves the other to the same position.
    keepRowsAligned(m_services, m_costs);
    g->addWidget(m_services, 0, 0, 1, 2);
    g->addWidget(m_costs, 1, 0, 1, 2);
    QPushButton *change = billingCommand(8, QStringLiteral("Change Service"), this);
    QPushButton *exit = billingCommand(7, QStringLiteral("Exit (no Change)"), this);
    connect(change, &QPushButton::clicked, this, &ServiceFrame::change);
    connect(exit, &QPushButton::clicked, this, &QWidget::hide);
    g->addWidget(change, 2, 0);
    g->addWidget(exit, 2, 1);
    hide();
}

void ServiceFrame::load(const std::vector<catalog::ServiceRow> &services)
{
    m_services->clear();
    m_costs->clear();
    for (const catalog::ServiceRow &s : services) {
        m_services->addItem(s.description);
        m_costs->addItem(s.charge);
    }
    m_services->setCurrentIndex(-1);
}

void ServiceFrame::open(int row)
{
    m_row = row;
    show();
    m_services->setFocus();
}

void ServiceFrame::change()
{
    const int i = m_services->currentIndex();
    if (i < 0)
        return; // no service chosen: nothing changes
    if (const std::optional<QString> problem = ledger::chargeTextProblem(m_services->itemText(i))) {
        m_ctx.prompt.message(*problem + u'.', QStringLiteral("Change Service"));
        m_services->setFocus();
        return;
    }
    hide();
    Q_EMIT serviceChanged(m_row, m_services->itemText(i), m_costs->item(i) ? m_costs->item(i)->text() : QString());
}

ItemsFrame::ItemsFrame(context::AppContext &ctx, QWidget *parent)
    : QGroupBox(QStringLiteral("Add Items to Invoice"), parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("fraItems"));
    auto *layout = new QHBoxLayout(this);
    auto *left = new QVBoxLayout;
    left->addWidget(new QLabel(QStringLiteral("Click Sel for Each Item to Add to the Iinvoice"), this));
    m_items = new ItemsModel(m_ctx.locale, this);
    m_table = new QTableView(this);
    m_table->setModel(m_items);
    setUpRowGrid(m_table, QStringLiteral("fgItems"), QStringLiteral("Sales items"));
    m_table->setSelectionBehavior(QAbstractItemView::SelectItems);
    m_table->horizontalHeader()->setSectionResizeMode(ItemsModel::Sel, QHeaderView::Interactive);
    m_table->horizontalHeader()->resizeSection(ItemsModel::Sel, 50);
    m_table->horizontalHeader()->setSectionResizeMode(ItemsModel::Description, QHeaderView::Stretch);
    m_table->setMinimumHeight(140);
    connect(m_table, &QTableView::clicked, this, &ItemsFrame::itemChosen);
    connect(m_table, &QTableView::activated, this, &ItemsFrame::itemChosen);
    // The right button on a marked row, or the menu key, offers its removal.
    m_table->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_table, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        const QModelIndex index = m_table->indexAt(at).isValid() ? m_table->indexAt(at) : m_table->currentIndex();
        if (index.isValid())
            removeItem(index.row());
    });
    left->addWidget(m_table, 1);
    auto *closing = new QHBoxLayout;
    QPushButton *addAll = billingCommand(10, QStringLiteral("Close Window and Add Items to Invoice(s)"), this);
    QPushButton *drop = billingCommand(1, QStringLiteral("Close Window without Adding to Invoice"), this);
    connect(addAll, &QPushButton::clicked, this, [this] { close(true); });
    connect(drop, &QPushButton::clicked, this, [this] { close(false); });
    closing->addWidget(addAll);
    closing->addWidget(drop);
    closing->addStretch();
    left->addLayout(closing);
    layout->addLayout(left, 1);
    layout->addWidget(buildCalculation());
    hide();
}

QWidget *ItemsFrame::buildCalculation()
{
    m_calcFrame = new QGroupBox(QStringLiteral("Calculate Item Cost"), this);
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
    QPushButton *calculate = billingCommand(9, QStringLiteral("Calculate"), m_calcFrame);
    m_add = billingCommand(0, QStringLiteral("Add to Invoice"), m_calcFrame);
    connect(calculate, &QPushButton::clicked, this, &ItemsFrame::calculate);
    connect(m_add, &QPushButton::clicked, this, &ItemsFrame::addToInvoice);
    connect(m_units, &QLineEdit::returnPressed, this, &ItemsFrame::calculate);
    // Units edited after "Calculate" must be priced again before they are added.
    connect(m_units, &QLineEdit::textEdited, this, &ItemsFrame::forgetPrice);
    g->addWidget(calculate, 3, 0);
    g->addWidget(m_add, 3, 1);
    m_add->setEnabled(false);
    m_calcFrame->hide();
    return m_calcFrame;
}

void ItemsFrame::load(const std::vector<catalog::InventoriedItemRecord> &items)
{
    m_items->setItems(items);
}

void ItemsFrame::forgetPrice()
{
    m_priced.reset();
    m_itemCost->clear();
    m_add->setEnabled(false);
}

bool ItemsFrame::start()
{
    if (!m_ctx.prompt.ask(QStringLiteral("Ckick YES to Add Items to Invoice(s)"), kAppTitle))
        return false;
    m_itemName->clear();
    m_units->clear();
    forgetPrice();
    m_added = true;
    m_items->setItems(m_ctx.catalog.itemsInFileOrder());
    show();
    m_table->setFocus();
    // In a small window the frame opens below the fold: bring it into view.
    for (QWidget *w = parentWidget(); w; w = w->parentWidget()) {
        if (auto *scroll = qobject_cast<QScrollArea *>(w)) {
            QCoreApplication::processEvents(); // the frame's place, once laid out
            scroll->ensureWidgetVisible(this);
            break;
        }
    }
    return true;
}

void ItemsFrame::clear()
{
    m_items->clearMarks();
    m_added = false;
}

void ItemsFrame::itemChosen(const QModelIndex &index)
{
    if (!index.isValid() || index.column() != ItemsModel::Sel || m_items->row(index.row()).selected)
        return;
    m_itemRow = index.row();
    m_itemName->setText(m_items->row(m_itemRow).item.description);
    m_units->clear();
    forgetPrice();
    m_calcFrame->show();
    m_units->setFocus();
}

void ItemsFrame::calculate()
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
    m_add->setEnabled(true);
    m_add->setFocus();
}

void ItemsFrame::addToInvoice()
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
    forgetPrice();
    m_calcFrame->hide();
    m_table->setFocus();
}

void ItemsFrame::removeItem(int row)
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

void ItemsFrame::close(bool add)
{
    hide();
    if (add) {
        Q_EMIT itemsReady();
        return;
    }
    if (m_ctx.prompt.ask(QStringLiteral("Would you like to Clear the Selected Items?"), QStringLiteral("Clear Items")))
        clear();
}

std::vector<SoldLine> ItemsFrame::soldLines() const
{
    std::vector<SoldLine> lines;
    if (!m_added)
        return lines;
    for (const ItemRow &r : m_items->rows()) {
        if (r.selected)
            lines.push_back({r.item.description, r.units, r.item.price, r.total});
    }
    return lines;
}

Money ItemsFrame::total() const
{
    QList<Money> totals;
    for (const ItemRow &r : m_items->rows()) {
        if (r.selected)
            totals.append(r.total);
    }
    return sumItems(totals);
}

} // namespace ui
