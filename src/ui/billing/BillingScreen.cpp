#include "ui/billing/BillingScreen.h"

#include "billing/BillingRules.h"
#include "ledger/Ledger.h"
#include "ui/billing/BillingModels.h"
#include "ui/shell/Navigator.h"
#include "ui/widgets/AlignedLists.h"
#include "ui/widgets/RowGrid.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

using namespace base;
using namespace billing;
using namespace context;

namespace ui {

namespace {
const QString kPrintCaption = QStringLiteral("Print Invoices and Enter Records");
const QString kRecordsCaption = QStringLiteral("Enter Records Only");
} // namespace

BillingScreen::BillingScreen(AppContext &ctx, Navigator &navigator, PrinterChooser printers, QWidget *parent)
    : Screen(parent), m_ctx(ctx), m_navigator(navigator), m_printers(std::move(printers))
{
    setObjectName(QStringLiteral("frmCycleBilling"));
    auto *layout = new QVBoxLayout(this);
    auto *bar = new QMenuBar(this);
    QAction *addItems = bar->addAction(QStringLiteral("Add Items"));
    addItems->setObjectName(QStringLiteral("mnuAddItems"));
    connect(addItems, &QAction::triggered, this, &BillingScreen::startAddingItems);
    layout->setMenuBar(bar);

    auto *top = new QHBoxLayout;
    top->addWidget(buildSelection());
    auto *centre = new QVBoxLayout;
    m_grid = new CycleGridModel(this);
    m_table = new QTableView(this);
    m_table->setModel(m_grid);
    setUpRowGrid(m_table, QStringLiteral("fgMonthly"), QStringLiteral("Accounts to bill"));
    m_table->setToolTip(QStringLiteral("Displays active accounts for selection and review"));
    m_table->setSelectionBehavior(QAbstractItemView::SelectItems);
    // The names get the room; the mark column is narrow.
    m_table->horizontalHeader()->setSectionResizeMode(CycleGridModel::Selected, QHeaderView::Interactive);
    m_table->horizontalHeader()->resizeSection(CycleGridModel::Selected, 70);
    m_table->horizontalHeader()->setSectionResizeMode(CycleGridModel::Name, QHeaderView::Stretch);
    m_table->horizontalHeader()->resizeSection(CycleGridModel::Service, 150);
    m_table->horizontalHeader()->resizeSection(CycleGridModel::Rec, 60);
    // A click, or Enter on the current cell, acts on that cell.
    connect(m_table, &QTableView::clicked, this, &BillingScreen::cellChosen);
    connect(m_table, &QTableView::activated, this, &BillingScreen::cellChosen);
    centre->addWidget(m_table, 1);
    auto *frames = new QHBoxLayout;
    frames->addWidget(buildChargeFrame());
    frames->addWidget(buildServiceFrame());
    frames->addStretch();
    centre->addLayout(frames);
    top->addLayout(centre, 1);
    layout->addLayout(top, 1);
    layout->addWidget(buildItemsFrame());

    auto *commands = new QHBoxLayout;
    command(2, QStringLiteral("&Select All"), this);
    command(3, QStringLiteral("&Clear All"), this);
    connect(m_cmd[2], &QPushButton::clicked, this, [this] { selectAll(true); });
    connect(m_cmd[3], &QPushButton::clicked, this, [this] { selectAll(false); });
    m_printInvoice = new QCheckBox(QStringLiteral("Print Invoices"), this);
    m_printInvoice->setObjectName(QStringLiteral("ckPrintInvoice"));
    m_printInvoice->setToolTip(QStringLiteral("Checked - Prints an Invoice for each Acct; Unchecked - Enters Billing data only"));
    connect(m_printInvoice, &QCheckBox::toggled, this, &BillingScreen::showRunCaption);
    m_run = new QPushButton(kRecordsCaption, this);
    m_run->setObjectName(QStringLiteral("cmdPrint"));
    m_run->setEnabled(false);
    connect(m_run, &QPushButton::clicked, this, &BillingScreen::run);
    auto *preview = new QPushButton(QStringLiteral("Pre&view Invoices"), this);
    preview->setObjectName(QStringLiteral("cmdPreview"));
    preview->setToolTip(QStringLiteral("Shows the invoices of the selected accounts as they would print; nothing is posted"));
    connect(preview, &QPushButton::clicked, this, &BillingScreen::previewRun);
    auto *menu = new QPushButton(QStringLiteral("Menu"), this);
    menu->setObjectName(QStringLiteral("cmdMenu"));
    connect(menu, &QPushButton::clicked, this, [this] { m_navigator.show(ScreenId::MainMenu); });
    for (QWidget *w : std::initializer_list<QWidget *>{m_cmd[2], m_cmd[3], m_printInvoice, m_run, preview})
        commands->addWidget(w);
    commands->addStretch();
    commands->addWidget(menu);
    layout->addLayout(commands);
}

QString BillingScreen::caption() const
{
    return QStringLiteral("Cycle Invoicing");
}

QPushButton *BillingScreen::command(int index, const QString &caption, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QStringLiteral("cmdMonthly_%1").arg(index));
    m_cmd[size_t(index)] = b;
    return b;
}

QWidget *BillingScreen::buildSelection()
{
    auto *panel = new QWidget(this);
    auto *v = new QVBoxLayout(panel);
    v->setContentsMargins(0, 0, 0, 0);
    auto list = [&](const char *name, const QString &caption, const QStringList &entries) {
        auto *label = new QLabel(caption, panel);
        auto *l = new QListWidget(panel);
        l->setObjectName(QString::fromLatin1(name));
        l->setAccessibleName(caption);
        l->addItems(entries);
        l->setMaximumWidth(200);
        label->setBuddy(l);
        v->addWidget(label);
        v->addWidget(l);
        return l;
    };
    v->addWidget(new QLabel(QStringLiteral("Select Cycle Type"), panel));
    m_frequency = list("lstFrequency", QStringLiteral("Select Cycle to display accounts"), frequencyNames());
    m_frequency->setMaximumHeight(130);
    // A choice by the arrow keys is a choice, as a click is.
    connect(m_frequency, &QListWidget::currentRowChanged, this, &BillingScreen::chooseFrequency);
    v->addWidget(new QLabel(QStringLiteral("Select Month"), panel));
    m_months = list("lstMonths", QStringLiteral("Select the Month to Bill"), monthAbbreviations());
    v->addWidget(new QLabel(QStringLiteral("Click Load Grid"), panel));
    connect(command(4, QStringLiteral("&LoadGrid"), panel), &QPushButton::clicked, this, &BillingScreen::loadGrid);
    v->addWidget(m_cmd[4]);
    m_shown = new QLabel(QStringLiteral("Cycle Shown"), panel);
    m_shown->setObjectName(QStringLiteral("Label1_1"));
    v->addWidget(m_shown);
    for (const char *hint : {"Click the Selected Column to Select/Deselect Accounts to Post",
                             "Click the Charge Column to Modify the Charge for this Cycle only.",
                             "Click the Service Column to Modify the Service for this Cycle only."}) {
        auto *l = new QLabel(QString::fromLatin1(hint), panel);
        l->setWordWrap(true);
        l->setMaximumWidth(200);
        v->addWidget(l);
    }
    v->addStretch();
    return panel;
}

QWidget *BillingScreen::buildChargeFrame()
{
    m_chargeFrame = new QGroupBox(QStringLiteral("Change Charge"), this);
    m_chargeFrame->setObjectName(QStringLiteral("fraCharge"));
    auto *g = new QGridLayout(m_chargeFrame);
    m_charge = new QLineEdit(m_chargeFrame);
    m_charge->setObjectName(QStringLiteral("txtCharge"));
    auto *label = new QLabel(QStringLiteral("Enter Charge"), m_chargeFrame);
    label->setBuddy(m_charge);
    m_charge->installEventFilter(this);
    g->addWidget(label, 0, 0);
    g->addWidget(m_charge, 0, 1);
    connect(command(5, QStringLiteral("&Post Charge"), m_chargeFrame), &QPushButton::clicked, this,
            &BillingScreen::postCharge);
    connect(command(6, QStringLiteral("Clear Cha&rge"), m_chargeFrame), &QPushButton::clicked, m_chargeFrame,
            &QWidget::hide);
    connect(m_charge, &QLineEdit::returnPressed, this, &BillingScreen::postCharge);
    g->addWidget(m_cmd[5], 1, 0);
    g->addWidget(m_cmd[6], 1, 1);
    m_chargeFrame->hide();
    return m_chargeFrame;
}

QWidget *BillingScreen::buildServiceFrame()
{
    m_serviceFrame = new QGroupBox(QStringLiteral("Change Service"), this);
    m_serviceFrame->setObjectName(QStringLiteral("fraServices"));
    auto *g = new QGridLayout(m_serviceFrame);
    m_services = new QComboBox(m_serviceFrame);
    m_services->setObjectName(QStringLiteral("cboServices"));
    m_services->setAccessibleName(QStringLiteral("Service for this run"));
    m_serviceCosts = new QListWidget(m_serviceFrame);
    m_serviceCosts->setObjectName(QStringLiteral("lstServiceCost"));
    m_serviceCosts->setAccessibleName(QStringLiteral("Charge of the service"));
    m_serviceCosts->setMaximumHeight(90);
    // Either list moves the other to the same position.
    keepRowsAligned(m_services, m_serviceCosts);
    g->addWidget(m_services, 0, 0, 1, 2);
    g->addWidget(m_serviceCosts, 1, 0, 1, 2);
    connect(command(8, QStringLiteral("Change Service"), m_serviceFrame), &QPushButton::clicked, this,
            &BillingScreen::changeService);
    connect(command(7, QStringLiteral("Exit (no Change)"), m_serviceFrame), &QPushButton::clicked, m_serviceFrame,
            &QWidget::hide);
    g->addWidget(m_cmd[8], 2, 0);
    g->addWidget(m_cmd[7], 2, 1);
    m_serviceFrame->hide();
    return m_serviceFrame;
}

void BillingScreen::activate(Routine)
{
    m_frequency->setCurrentRow(-1);
    m_frequency->setCurrentRow(Monthly); // empties the grid, as a choice of frequency does
    m_months->setCurrentRow(m_ctx.clock.today().month() - 1);
    m_charge->setText(Money().toCurrencyText(m_ctx.locale));
    m_chargeFrame->hide();
    m_serviceFrame->hide();
    m_services->clear();
    m_serviceCosts->clear();
    for (const catalog::ServiceRow &s : m_ctx.catalog.services()) {
        m_services->addItem(s.description);
        m_serviceCosts->addItem(s.charge);
    }
    m_services->setCurrentIndex(-1);
    m_items->setItems(m_ctx.catalog.itemsInFileOrder());
    showRunCaption();
    m_frequency->setFocus();
}

void BillingScreen::chooseFrequency(int index)
{
    if (index < 0)
        return;
    m_grid->setGrid(CycleGrid());
    m_run->setEnabled(false);
    m_shown->setText(QStringLiteral("Accounts Invoiced ") + frequencyNames().value(index));
}

void BillingScreen::loadGrid()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_grid->setGrid(CycleGrid::load(m_ctx.store, std::max(0, m_frequency->currentRow()),
                                    std::max(0, m_months->currentRow()), m_ctx.locale));
    QApplication::restoreOverrideCursor();
    m_chargeFrame->hide();
    m_serviceFrame->hide();
}

void BillingScreen::cellChosen(const QModelIndex &index)
{
    if (!index.isValid())
        return;
    const int r = index.row();
    CycleRow &row = m_grid->row(r);
    switch (index.column()) {
    case CycleGridModel::Selected:
        if (row.selected == QLatin1String("P"))
            return; // posted: never billed again in this grid
        row.selected = row.selected == QLatin1String("+") ? QString() : QStringLiteral("+");
        if (!row.selected.isEmpty())
            m_run->setEnabled(true);
        m_grid->rowChanged(r);
        break;
    case CycleGridModel::Charge:
        m_chargeRow = r;
        m_charge->setText(Money().toCurrencyText(m_ctx.locale));
        m_chargeFrame->show();
        m_charge->setFocus();
        break;
    case CycleGridModel::Service:
        m_serviceRow = r;
        m_serviceFrame->show();
        m_services->setFocus();
        break;
    default:
        break;
    }
}

void BillingScreen::selectAll(bool on)
{
    // A posted row keeps its "P" either way, so no account is billed twice.
    for (CycleRow &row : m_grid->grid().rows) {
        if (row.selected != QLatin1String("P"))
            row.selected = on ? QStringLiteral("+") : QString();
    }
    m_grid->allChanged();
    if (on && !m_grid->grid().rows.empty())
        m_run->setEnabled(true);
}

bool BillingScreen::eventFilter(QObject *watched, QEvent *event)
{
    // While the box shows zero, typing replaces it.
    if (watched == m_charge && event->type() == QEvent::KeyPress
        && m_charge->text() == Money().toCurrencyText(m_ctx.locale)) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (!key->text().isEmpty() && key->text().at(0).isPrint())
            m_charge->clear();
    }
    return Screen::eventFilter(watched, event);
}

void BillingScreen::postCharge()
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
    // The row that was clicked, whichever is current now.
    if (m_chargeRow < 0 || m_chargeRow >= m_grid->rowCount())
        return;
    m_charge->setText(charge->toCurrencyText(m_ctx.locale));
    m_grid->row(m_chargeRow).charge = m_charge->text();
    m_grid->rowChanged(m_chargeRow);
    m_chargeFrame->hide();
    m_table->setFocus();
}

void BillingScreen::changeService()
{
    const int i = m_services->currentIndex();
    if (i < 0 || m_serviceRow < 0 || m_serviceRow >= m_grid->rowCount())
        return; // no service chosen: nothing changes
    if (const std::optional<QString> problem = ledger::chargeTextProblem(m_services->itemText(i))) {
        m_ctx.prompt.message(*problem + u'.', QStringLiteral("Change Service"));
        m_services->setFocus();
        return;
    }
    CycleRow &row = m_grid->row(m_serviceRow);
    row.service = m_services->itemText(i);
    row.charge = m_serviceCosts->item(i) ? m_serviceCosts->item(i)->text() : QString();
    m_grid->rowChanged(m_serviceRow);
    m_serviceFrame->hide();
    m_table->setFocus();
}

void BillingScreen::showRunCaption()
{
    m_run->setText(m_printInvoice->isChecked() ? kPrintCaption : kRecordsCaption);
}

} // namespace ui
