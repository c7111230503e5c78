#include "ui/history/HistoryScreen.h"

#include "base/Dates.h"
#include "base/FieldRoutines.h"
#include "customers/CustomerFile.h"
#include "history/History.h"
#include "history/HistoryView.h"
#include "printing/PainterSurface.h"
#include "printing/TablePrint.h"
#include "ui/history/HistoryModel.h"
#include "ui/shell/Navigator.h"
#include "ui/shell/SaveFileChooser.h"
#include "ui/history/HistoryRangeFrame.h"
#include "ui/widgets/FailureText.h"
#include "ui/widgets/RowGrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QSaveFile>
#include <QTableView>
#include <QVBoxLayout>

using namespace base;
using namespace context;
using namespace history;

namespace ui {

HistoryScreen::HistoryScreen(AppContext &ctx, Navigator &navigator, PrinterChooser printers, ExportFile exportFile,
                             QWidget *parent)
    : Screen(parent), m_ctx(ctx), m_navigator(navigator), m_printers(std::move(printers)),
      m_exportFile(std::move(exportFile))
{
    setObjectName(QStringLiteral("frmHistory"));
    if (!m_exportFile) {
        m_exportFile = [](QWidget *parent) {
            return QFileDialog::getSaveFileName(parent, QStringLiteral("Export the History"), QString(),
                                                QStringLiteral("CSV files (*.csv)"));
        };
    }
    auto *layout = new QVBoxLayout(this);
    auto *top = new QHBoxLayout;
    m_range = new HistoryRangeFrame(m_ctx, this);
    connect(m_range, &HistoryRangeFrame::singleToggled, this, [this](bool on) { m_purgeAll->setEnabled(!on); });
    top->addWidget(m_range);
    top->addStretch();
    layout->addLayout(top);

    m_title = new QLabel(QStringLiteral("Financial History"), this);
    m_title->setObjectName(QStringLiteral("Label1_6"));
    QFont bold = m_title->font();
    bold.setBold(true);
    m_title->setFont(bold);
    layout->addWidget(m_title);
    m_financial = new HistoryModel(true, m_ctx.locale, this);
    m_service = new HistoryModel(false, m_ctx.locale, this);
    auto grid = [&](HistoryModel *model, const char *name, const QString &accessible) {
        auto *view = new QTableView(this);
        view->setModel(model);
        setUpRowGrid(view, QString::fromLatin1(name), accessible);
        view->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Interactive);
        view->horizontalHeader()->resizeSection(0, 110);
        view->horizontalHeader()->resizeSection(1, 220);
        view->horizontalHeader()->resizeSection(2, 100);
        view->horizontalHeader()->setSectionResizeMode(3, QHeaderView::Stretch);
        view->setWordWrap(true);
        layout->addWidget(view, 1);
        return view;
    };
    m_financialGrid = grid(m_financial, "fgHistory", QStringLiteral("Financial history"));
    m_serviceGrid = grid(m_service, "fgSHistory", QStringLiteral("Service history"));
    m_serviceGrid->hide();

    auto *totals = new QHBoxLayout;
    m_totalLabel = new QLabel(QStringLiteral("Total"), this);
    m_total = new QLineEdit(this);
    m_total->setObjectName(QStringLiteral("txtAmount"));
    m_total->setReadOnly(true);
    m_total->setMaximumWidth(160);
    m_total->setAlignment(Qt::AlignRight);
    m_totalLabel->setBuddy(m_total);
    m_flows = new QLabel(this);
    m_flows->setObjectName(QStringLiteral("lblFlows"));
    totals->addStretch();
    totals->addWidget(m_flows);
    totals->addWidget(m_totalLabel);
    totals->addWidget(m_total);
    layout->addLayout(totals);
    layout->addWidget(buildCommands());
}

QString HistoryScreen::caption() const
{
    return QStringLiteral("Account Service and Billing History");
}

QWidget *HistoryScreen::buildCommands()
{
    auto *box = new QWidget(this);
    auto *h = new QHBoxLayout(box);
    h->setContentsMargins(0, 0, 0, 0);
    auto command = [&](int index, const QString &caption) {
        auto *b = new QPushButton(caption, box);
        b->setObjectName(QStringLiteral("cmdHistory_%1").arg(index));
        h->addWidget(b);
        return b;
    };
    connect(command(1, QStringLiteral("Load Grid")), &QPushButton::clicked, this, &HistoryScreen::loadHistory);
    connect(command(4, QStringLiteral("Toggle &Grids")), &QPushButton::clicked, this, &HistoryScreen::toggleGrids);
    m_purgeAll = command(2, QStringLiteral("&Purge All Accounts History"));
    connect(m_purgeAll, &QPushButton::clicked, this, &HistoryScreen::purgeAll);
    connect(command(3, QStringLiteral("Purge &Account History")), &QPushButton::clicked, this, &HistoryScreen::purgeAccount);
    auto *exportButton = new QPushButton(QStringLiteral("E&xport..."), box);
    exportButton->setObjectName(QStringLiteral("cmdExport"));
    exportButton->setToolTip(QStringLiteral("Writes the grid shown to a CSV file"));
    connect(exportButton, &QPushButton::clicked, this, &HistoryScreen::exportGrid);
    h->addWidget(exportButton);
    auto *print = new QPushButton(QStringLiteral("P&rint..."), box);
    print->setObjectName(QStringLiteral("cmdPrintHistory"));
    print->setToolTip(QStringLiteral("Prints the grid shown with its range and total"));
    connect(print, &QPushButton::clicked, this, &HistoryScreen::printGrid);
    h->addWidget(print);
    auto *preview = new QPushButton(QStringLiteral("Print Pre&view"), box);
    preview->setObjectName(QStringLiteral("cmdPreviewHistory"));
    preview->setToolTip(QStringLiteral("Shows the pages Print would make, before any paper is spent"));
    connect(preview, &QPushButton::clicked, this,
            [this] { m_printers.preview(this, [this](QPrinter &printer) { return renderGrid(printer).isEmpty(); }); });
    h->addWidget(preview);
    h->addStretch();
    connect(command(0, QStringLiteral("&Menu")), &QPushButton::clicked, this,
            [this] { m_navigator.show(ScreenId::MainMenu); });
    return box;
}

void HistoryScreen::activate(Routine)
{
    if (!m_ctx.store.dataFileExists(customers::kCustomerFile)) {
        m_navigator.show(ScreenId::MainMenu);
        return;
    }
    m_range->load([this] { return customers::AcctNoIndex::read(m_ctx.store); });
    const QDate today = m_ctx.clock.today();
    m_range->setRange(today.addDays(-30), today);
    loadHistory();
}

void HistoryScreen::loadHistory()
{
    Selection h = selectHistory(m_ctx.store, m_range->filter(), m_ctx.locale);
    m_financial->setView(std::move(h.financial));
    m_service->setView(std::move(h.service));
    // A text with a line break gets a row tall enough for its lines; the
    // others keep the grid's row height (measuring every row costs more
    // than reading the files).
    for (QTableView *view : {m_financialGrid, m_serviceGrid}) {
        const auto *model = static_cast<const HistoryModel *>(view->model());
        for (qint32 r : model->view().multiLine())
            view->resizeRowToContents(r);
    }
    m_total->setText(h.totals.net.toCurrencyText(m_ctx.locale));
    QString flows = QStringLiteral("Billed %1   Received %2")
                        .arg(h.totals.billed.toCurrencyText(m_ctx.locale), h.totals.received.toCurrencyText(m_ctx.locale));
    if (h.totals.unreadable > 0)
        flows += QStringLiteral("   (%1 amount(s) that cannot be read left out)").arg(h.totals.unreadable);
    m_flows->setText(flows);
}

void HistoryScreen::releaseFiles()
{
    // The grids read their rows from the open files: let them go before the
    // files are replaced (a system that keeps an open file from being
    // replaced would refuse the purge); the screen loads again after it.
    m_financial->setView({});
    m_service->setView({});
}

bool HistoryScreen::financialShown() const
{
    return !m_financialGrid->isHidden();
}

void HistoryScreen::toggleGrids()
{
    const bool financial = !financialShown();
    m_financialGrid->setVisible(financial);
    m_serviceGrid->setVisible(!financial);
    m_total->setVisible(financial);
    m_totalLabel->setVisible(financial);
    m_flows->setVisible(financial);
    m_title->setText(financial ? QStringLiteral("Financial History") : QStringLiteral("Service History"));
}

void HistoryScreen::purgeAll()
{
    if (!m_ctx.prompt.ask(QStringLiteral("Click Yes to Delete All History Records"), QStringLiteral("Purge History Files")))
        return;
    if (!m_ctx.prompt.ask(QStringLiteral("Are you Sure?"), QStringLiteral("Confirm Purge History Files")))
        return;
    releaseFiles();
    if (store::FileResult r = purgeAllHistory(m_ctx.store); !r) {
        m_ctx.prompt.message(failureText(QStringLiteral("The history files could not be purged"), r),
                             QStringLiteral("Purge History Files"));
        activate(Routine::History);
        return;
    }
    m_financial->setView({});
    m_service->setView({});
    m_navigator.show(ScreenId::MainMenu);
}

void HistoryScreen::purgeAccount()
{
    // Only an account of the list: an empty number would match every record
    // stored without one.
    const QString acct = m_range->account();
    if (acct.isEmpty() || !m_range->isListed(acct)) {
        m_ctx.prompt.message(QStringLiteral("Choose an account from the list first; \"%1\" is not one of your accounts.")
                                 .arg(acct),
                             QStringLiteral("Purge Account History"));
        return;
    }
    if (!m_ctx.prompt.ask(QStringLiteral("Click Yes to Delete This Acctounts History\nAccount %1").arg(acct),
                          QStringLiteral("Purge Account History")))
        return;
    if (!m_ctx.prompt.ask(QStringLiteral("Are you Sure?"), QStringLiteral("Confirm Purge Account History")))
        return;
    releaseFiles();
    if (store::FileResult r = purgeAccountHistory(m_ctx.store, acct); !r)
        m_ctx.prompt.message(failureText(QStringLiteral("The history of account %1 could not be purged").arg(acct), r),
                             QStringLiteral("Purge Account History"));
    activate(Routine::History);
}

void HistoryScreen::exportGrid()
{
    const QString path = m_exportFile(this);
    if (path.isEmpty())
        return;
    const bool financial = financialShown();
    const QByteArray csv = toCsv((financial ? m_financial : m_service)->view().rows(m_ctx.locale), financial);
    (void)writeChosenFile(m_ctx.prompt, path, csv, QStringLiteral("Export"));
}

void HistoryScreen::printGrid()
{
    printOnChosen(m_printers, this, m_ctx.prompt, [this](QPrinter &p) { return renderGrid(p); });
}

QString HistoryScreen::renderGrid(QPrinter &printer)
{
    const bool financial = financialShown();
    const HistoryModel *model = financial ? m_financial : m_service;
    QList<QStringList> rows;
    rows.reserve(model->rowCount());
    for (int r = 0; r < model->rowCount(); ++r)
        rows.append(model->rowTexts(r));
    std::vector<printing::TableColumn> columns;
    const double edges[] = {720, 2160, 5040, 6480, 10080, 11520};
    for (int c = 0; c < 5; ++c)
        columns.push_back({model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString(), edges[c], edges[c + 1],
                           financial && c == 4});
    QStringList header = {QStringLiteral("%1 to %2").arg(dates::toShortDateText(m_range->start(), m_ctx.locale),
                                                         dates::toShortDateText(m_range->end(), m_ctx.locale))};
    if (m_range->single())
        header.append(QStringLiteral("Account ") + m_range->account());
    if (financial)
        header.append(QStringLiteral("Total %1   %2").arg(m_total->text(), m_flows->text()));
    printing::PainterSurface surface(printer);
    printing::PagePrinter page(surface, m_ctx.settings.values(), m_ctx.store);
    page.printerSetup(QStringLiteral("Portrait"), m_ctx.settings.values().printInColor);
    if (!printing::printTable(page, m_title->text(), header, columns, rows))
        return printerProblem(printer, surface.error());
    return QString();
}

} // namespace ui
