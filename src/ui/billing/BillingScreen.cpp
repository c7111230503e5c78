#include "ui/billing/BillingScreen.h"

#include "base/Dates.h"
#include "billing/BillingRules.h"
#include "ledger/Ledger.h"
#include "ui/billing/BillingFrames.h"
#include "ui/billing/BillingModels.h"
#include "ui/shell/Navigator.h"
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
    QAction *runs = bar->addAction(QStringLiteral("Billing Runs"));
    runs->setObjectName(QStringLiteral("mnuBillingRuns"));
    connect(runs, &QAction::triggered, this, [this] { m_navigator.show(ScreenId::BillingRuns); });
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
    m_chargeFrame = new ChargeFrame(m_ctx, this);
    m_serviceFrame = new ServiceFrame(m_ctx, this);
    connect(m_chargeFrame, &ChargeFrame::chargePosted, this, &BillingScreen::chargePosted);
    connect(m_serviceFrame, &ServiceFrame::serviceChanged, this, &BillingScreen::serviceChanged);
    frames->addWidget(m_chargeFrame);
    frames->addWidget(m_serviceFrame);
    frames->addStretch();
    centre->addLayout(frames);
    top->addLayout(centre, 1);
    layout->addLayout(top, 1);
    m_itemsFrame = new ItemsFrame(m_ctx, this);
    connect(m_itemsFrame, &ItemsFrame::itemsReady, this, &BillingScreen::itemsReady);
    layout->addWidget(m_itemsFrame);
    layout->addWidget(buildCommands());
}

QWidget *BillingScreen::buildCommands()
{
    auto *panel = new QWidget(this);
    auto *commands = new QHBoxLayout(panel);
    commands->setContentsMargins(0, 0, 0, 0);
    QPushButton *all = billingCommand(2, QStringLiteral("&Select All"), panel);
    QPushButton *none = billingCommand(3, QStringLiteral("&Clear All"), panel);
    connect(all, &QPushButton::clicked, this, [this] { selectAll(true); });
    connect(none, &QPushButton::clicked, this, [this] { selectAll(false); });
    m_printInvoice = new QCheckBox(QStringLiteral("Print Invoices"), panel);
    m_printInvoice->setObjectName(QStringLiteral("ckPrintInvoice"));
    m_printInvoice->setToolTip(QStringLiteral("Checked - Prints an Invoice for each Acct; Unchecked - Enters Billing data only"));
    connect(m_printInvoice, &QCheckBox::toggled, this, &BillingScreen::showRunCaption);
    m_run = new QPushButton(kRecordsCaption, panel);
    m_run->setObjectName(QStringLiteral("cmdPrint"));
    m_run->setEnabled(false);
    connect(m_run, &QPushButton::clicked, this, &BillingScreen::run);
    auto *preview = new QPushButton(QStringLiteral("Pre&view Invoices"), panel);
    preview->setObjectName(QStringLiteral("cmdPreview"));
    preview->setToolTip(QStringLiteral("Shows the invoices of the selected accounts as they would print; nothing is posted"));
    connect(preview, &QPushButton::clicked, this, &BillingScreen::previewRun);
    auto *menu = new QPushButton(QStringLiteral("Menu"), panel);
    menu->setObjectName(QStringLiteral("cmdMenu"));
    connect(menu, &QPushButton::clicked, this, [this] { m_navigator.show(ScreenId::MainMenu); });
    for (QWidget *w : std::initializer_list<QWidget *>{all, none, m_printInvoice, m_run, preview})
        commands->addWidget(w);
    commands->addStretch();
    commands->addWidget(menu);
    return panel;
}

QString BillingScreen::caption() const
{
    return QStringLiteral("Cycle Invoicing");
}

const ItemsModel &BillingScreen::items() const
{
    return m_itemsFrame->model();
}

bool BillingScreen::itemsAdded() const
{
    return m_itemsFrame->added();
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
    QPushButton *load = billingCommand(4, QStringLiteral("&LoadGrid"), panel);
    connect(load, &QPushButton::clicked, this, &BillingScreen::loadGrid);
    v->addWidget(load);
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

void BillingScreen::activate(Routine)
{
    m_frequency->setCurrentRow(-1);
    m_frequency->setCurrentRow(Monthly); // empties the grid, as a choice of frequency does
    m_months->setCurrentRow(m_ctx.clock.today().month() - 1);
    m_chargeFrame->hide();
    m_serviceFrame->hide();
    m_serviceFrame->load(m_ctx.catalog.services());
    m_itemsFrame->load(m_ctx.catalog.itemsInFileOrder());
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
    CycleGrid grid = CycleGrid::load(m_ctx.store, std::max(0, m_frequency->currentRow()),
                                     std::max(0, m_months->currentRow()), m_ctx.locale);
    readBilledBefore();
    // An account a run has billed for this month already is marked as
    // posted, so that a second run after a restart does not bill it again.
    for (CycleRow &row : grid.rows) {
        if (m_billedBefore.contains(grid.acctNo(row.rec)))
            row.selected = QStringLiteral("P");
    }
    m_grid->setGrid(std::move(grid));
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
        if (row.selected == QLatin1String("P")) {
            // Billed for this month already: only on the user's word.
            const auto before = m_billedBefore.constFind(m_grid->grid().acctNo(row.rec));
            if (before == m_billedBefore.cend())
                return;
            const QString which = before->invoiceNo.isEmpty() ? QStringLiteral("run %1").arg(before->runNo)
                                                              : QStringLiteral("invoice %1").arg(before->invoiceNo);
            if (!m_ctx.prompt.ask(QStringLiteral("This account was billed for this period on %1 (%2). Bill it again?")
                                      .arg(dates::toShortDateText(before->date, m_ctx.locale), which),
                                  QStringLiteral("Billed Before")))
                return;
            row.selected = QStringLiteral("+");
            m_run->setEnabled(true);
            m_grid->rowChanged(r);
            return;
        }
        row.selected = row.selected == QLatin1String("+") ? QString() : QStringLiteral("+");
        if (!row.selected.isEmpty())
            m_run->setEnabled(true);
        m_grid->rowChanged(r);
        break;
    case CycleGridModel::Charge:
        m_chargeFrame->open(r);
        break;
    case CycleGridModel::Service:
        m_serviceFrame->open(r);
        break;
    default:
        break;
    }
}

void BillingScreen::readBilledBefore()
{
    m_billedBefore = RunRegister::read(m_ctx.store)
                         .billedFor(m_ctx.store, std::max(0, m_months->currentRow()), m_ctx.clock.today().year());
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

// The row that was clicked, whichever is current now, gets the frame's
// charge or service for this run.
void BillingScreen::chargePosted(int row, const QString &charge)
{
    if (row < 0 || row >= m_grid->rowCount())
        return;
    m_grid->row(row).charge = charge;
    m_grid->rowChanged(row);
    m_table->setFocus();
}

void BillingScreen::serviceChanged(int row, const QString &service, const QString &charge)
{
    if (row < 0 || row >= m_grid->rowCount())
        return;
    CycleRow &r = m_grid->row(row);
    r.service = service;
    r.charge = charge;
    m_grid->rowChanged(row);
    m_table->setFocus();
}

void BillingScreen::startAddingItems()
{
    // The accounts are chosen again for the items (posted ones keep their mark).
    if (m_itemsFrame->start())
        selectAll(false);
}

void BillingScreen::itemsReady()
{
    m_ctx.prompt.message(QStringLiteral("Select all Accounts to which to Add these items\nThen Click ") + m_run->text(),
                         kAppTitle);
    m_table->setFocus();
}

void BillingScreen::showRunCaption()
{
    m_run->setText(m_printInvoice->isChecked() ? kPrintCaption : kRecordsCaption);
}

} // namespace ui
