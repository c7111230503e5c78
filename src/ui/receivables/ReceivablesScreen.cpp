#include "ui/receivables/ReceivablesScreen.h"

#include "base/Csv.h"
#include "base/Dates.h"
#include "printing/PainterSurface.h"
#include "printing/TablePrint.h"
#include "ui/receivables/ReceivablesModel.h"
#include "ui/shell/Navigator.h"
#include "ui/widgets/ValueLabel.h"
#include "ui/widgets/DateBox.h"
#include "ui/widgets/RowGrid.h"
#include "ui/widgets/StepProgress.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QSaveFile>
#include <QTableView>
#include <QVBoxLayout>

using namespace receivables;
using base::Money;

namespace ui {


ReceivablesScreen::ReceivablesScreen(context::AppContext &ctx, Navigator &navigator, PrinterChooser printers,
                                     SaveFileChooser saveFile, QWidget *parent)
    : Screen(parent), m_ctx(ctx), m_navigator(navigator), m_printers(std::move(printers)), m_saveFile(std::move(saveFile))
{
    setObjectName(QStringLiteral("frmReceivables"));
    auto *layout = new QVBoxLayout(this);
    auto *choices = new QHBoxLayout;
    auto labelled = [&](QWidget *w, const QString &caption) {
        auto *label = new QLabel(caption, this);
        label->setBuddy(w);
        choices->addWidget(label);
        choices->addWidget(w);
    };
    m_asOf = makeDateBox(this, "dtAsOf", m_ctx.locale);
    labelled(m_asOf, QStringLiteral("&As of"));
    m_overdue = new QComboBox(this);
    m_overdue->setObjectName(QStringLiteral("cboOverdue"));
    m_overdue->addItems({QStringLiteral("All balances"), QStringLiteral("Over 30 days"), QStringLiteral("Over 60 days"),
                         QStringLiteral("Over 90 days")});
    labelled(m_overdue, QStringLiteral("S&how"));
    m_from = makeDateBox(this, "dtStatementFrom", m_ctx.locale);
    labelled(m_from, QStringLiteral("Statements &from"));
    choices->addStretch();
    layout->addLayout(choices);
    buildGrid(layout);
    layout->addLayout(buildCommands());

    connect(m_asOf, &QDateEdit::dateChanged, this, [this] { reload(); });
    connect(m_overdue, &QComboBox::currentIndexChanged, this, [this](int i) {
        m_filter->setOverdueDays(i * 30);
        showTotals();
    });
    // Enter on a row, or a double click, opens its statement.
    connect(m_grid, &QTableView::activated, this, [this] { previewStatement(); });
}

void ReceivablesScreen::buildGrid(QVBoxLayout *layout)
{
    m_model = new ReceivablesModel(m_ctx.locale, this);
    m_filter = new OverdueFilter(this);
    m_filter->setSourceModel(m_model);
    m_filter->setSortRole(ReceivablesModel::kSortRole);
    m_grid = new QTableView(this);
    m_grid->setModel(m_filter);
    setUpRowGrid(m_grid, QStringLiteral("fgReceivables"), QStringLiteral("Accounts receivable"));
    m_grid->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_grid->horizontalHeader()->setResizeContentsPrecision(100); // sized from the first rows, not all of thousands
    m_grid->horizontalHeader()->setSectionResizeMode(ReceivablesModel::Name, QHeaderView::Stretch);
    // A click on a head (or F-keys of the header) sorts by that column.
    m_grid->setSortingEnabled(true);
    m_grid->sortByColumn(ReceivablesModel::AcctNo, Qt::AscendingOrder);
    auto *gridLabel = new QLabel(QStringLiteral("Accounts with a balance (Enter shows the statement)"), this);
    gridLabel->setBuddy(m_grid);
    layout->addWidget(gridLabel);
    layout->addWidget(m_grid, 1);
    // The totals of the accounts shown, read by a screen reader as they are.
    m_totals = makeValueLabel(this, "lblTotals");
    layout->addWidget(m_totals);
}

QHBoxLayout *ReceivablesScreen::buildCommands()
{
    auto *commands = new QHBoxLayout;
    auto command = [&](const char *name, const QString &caption, const QString &tip, std::function<void()> run) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setToolTip(tip);
        connect(b, &QPushButton::clicked, this, std::move(run));
        commands->addWidget(b);
        return b;
    };
    command("cmdPrintList", QStringLiteral("&Print..."), QStringLiteral("Prints the list shown with its totals"),
            [this] { printReport(); });
    command("cmdPreviewList", QStringLiteral("Print Pre&view"), QStringLiteral("Shows the pages Print would make"),
            [this] { m_printers.preview(this, [this](QPrinter &p) { return renderReport(p).isEmpty(); }); });
    command("cmdExportList", QStringLiteral("&Export CSV..."), QStringLiteral("Saves the list shown as a CSV file"),
            [this] { exportCsv(); });
    command("cmdStatements", QStringLiteral("&Statements..."),
            QStringLiteral("Prints the statements of the chosen accounts into one document"),
            [this] { printStatements(rowsChosen()); });
    command("cmdStatementsDue", QStringLiteral("Statements for A&ll Due..."),
            QStringLiteral("Prints the statement of every account shown with a balance due"), [this] {
                std::vector<const Receivable *> due;
                for (const Receivable *r : rowsShown())
                    if (r->aging.balance().raw() > 0)
                        due.push_back(r);
                printStatements(due);
            });
    command("cmdPreviewStatement", QStringLiteral("Statement P&review"),
            QStringLiteral("Shows the statement of the current account"), [this] { previewStatement(); });
    commands->addStretch();
    command("cmdMenu", QStringLiteral("&Menu"), QString(), [this] { m_navigator.show(ScreenId::MainMenu); });
    return commands;
}

QString ReceivablesScreen::caption() const
{
    return QStringLiteral("Accounts Receivable");
}

void ReceivablesScreen::activate(Routine)
{
    const QDate today = m_ctx.clock.today();
    m_from->setDate(today.addMonths(-1).addDays(1));
    if (m_asOf->date() == today)
        reload(); // the files may have changed since
    else
        m_asOf->setDate(today); // reloads
    m_grid->setFocus();
}

void ReceivablesScreen::reload()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_model->setRows(receivablesAt(m_ctx.store, m_asOf->date(), m_ctx.locale));
    QApplication::restoreOverrideCursor();
    if (m_filter->rowCount() > 0)
        m_grid->setCurrentIndex(m_filter->index(0, 0));
    showTotals();
}

std::vector<const Receivable *> ReceivablesScreen::rowsShown() const
{
    std::vector<const Receivable *> rows;
    for (int r = 0; r < m_filter->rowCount(); ++r)
        rows.push_back(&m_model->row(m_filter->mapToSource(m_filter->index(r, 0)).row()));
    return rows;
}

std::vector<const Receivable *> ReceivablesScreen::rowsChosen() const
{
    QList<int> chosen;
    for (const QModelIndex &i : m_grid->selectionModel()->selectedRows())
        chosen.append(i.row());
    if (chosen.isEmpty() && m_grid->currentIndex().isValid())
        chosen.append(m_grid->currentIndex().row());
    std::sort(chosen.begin(), chosen.end());
    std::vector<const Receivable *> rows;
    for (int r : chosen)
        rows.push_back(&m_model->row(m_filter->mapToSource(m_filter->index(r, 0)).row()));
    return rows;
}

void ReceivablesScreen::showTotals()
{
    Aging total;
    const std::vector<const Receivable *> rows = rowsShown();
    Money balance;
    for (const Receivable *r : rows) {
        total.current += r->aging.current;
        total.days31to60 += r->aging.days31to60;
        total.days61to90 += r->aging.days61to90;
        total.over90 += r->aging.over90;
        balance += r->aging.balance();
    }
    const QLocale &l = m_ctx.locale;
    m_totals->setText(QStringLiteral("Totals of %1 %2: balance %3; current %4; 31-60 days %5; 61-90 days %6; over 90 days %7.")
                          .arg(rows.size())
                          .arg(rows.size() == 1 ? QStringLiteral("account") : QStringLiteral("accounts"),
                               balance.toCurrencyText(l), total.current.toCurrencyText(l),
                               total.days31to60.toCurrencyText(l), total.days61to90.toCurrencyText(l),
                               total.over90.toCurrencyText(l)));
}

QList<QStringList> ReceivablesScreen::reportRows() const
{
    QList<QStringList> rows;
    for (int r = 0; r < m_filter->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < ReceivablesModel::Note; ++c)
            cells << m_filter->index(r, c).data().toString();
        rows << cells;
    }
    return rows;
}

QString ReceivablesScreen::renderReport(QPrinter &printer) const
{
    std::vector<printing::TableColumn> columns;
    const double edges[] = {720, 1800, 4300, 5700, 7000, 8100, 9200, 10300, 11520};
    for (int c = 0; c < ReceivablesModel::Note; ++c)
        columns.push_back({m_model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString(), edges[c], edges[c + 1],
                           c >= ReceivablesModel::Balance});
    // The totals of the rows printed, at the foot of every page.
    Money sums[5];
    for (const Receivable *r : rowsShown())
        for (int c = ReceivablesModel::Balance; c <= ReceivablesModel::Over90; ++c)
            sums[c - ReceivablesModel::Balance] += ReceivablesModel::amountOf(*r, c);
    QStringList footer{QStringLiteral("Totals"), QStringLiteral("%1 accounts").arg(m_filter->rowCount()), QString()};
    for (const Money &m : sums)
        footer << m.toCurrencyText(m_ctx.locale);
    const QStringList header{m_ctx.settings.values().businessName,
                             QStringLiteral("As of %1, %2").arg(base::dates::toShortDateText(m_asOf->date(), m_ctx.locale),
                                                                m_overdue->currentText().toLower())};
    printing::PainterSurface surface(printer);
    printing::PagePrinter page(surface, m_ctx.settings.values(), m_ctx.store);
    page.printerSetup(QStringLiteral("Portrait"), m_ctx.settings.values().printInColor);
    if (!printing::printTable(page, QStringLiteral("Accounts Receivable"), header, columns, reportRows(), footer))
        return printerProblem(printer, surface.error());
    return QString();
}

void ReceivablesScreen::printReport()
{
    printOnChosen(m_printers, this, m_ctx.prompt, [this](QPrinter &p) { return renderReport(p); });
}

void ReceivablesScreen::exportCsv()
{
    const QString file = m_saveFile(this, QStringLiteral("AccountsReceivable-%1.csv").arg(m_asOf->date().toString(Qt::ISODate)));
    if (file.isEmpty())
        return;
    QByteArray bytes = base::csv::line({QStringLiteral("Account"), QStringLiteral("Name"), QStringLiteral("Telephone"),
                                        QStringLiteral("As of"), QStringLiteral("Balance"), QStringLiteral("Current"),
                                        QStringLiteral("31-60 Days"), QStringLiteral("61-90 Days"),
                                        QStringLiteral("Over 90 Days"), QStringLiteral("Note")});
    const std::vector<const Receivable *> rows = rowsShown();
    for (const Receivable *r : rows)
        bytes += base::csv::line({r->acctNo, r->name, r->phone, m_asOf->date().toString(Qt::ISODate),
                                  r->aging.balance().toPlainText(), r->aging.current.toPlainText(),
                                  r->aging.days31to60.toPlainText(), r->aging.days61to90.toPlainText(),
                                  r->aging.over90.toPlainText(), unreadableText(r->unreadable)});
    if (!writeChosenFile(m_ctx.prompt, file, bytes, QStringLiteral("Export"), QStringLiteral("nothing was exported")))
        return;
    m_ctx.prompt.message(QStringLiteral("%1 %2 exported to %3.")
                             .arg(rows.size())
                             .arg(rows.size() == 1 ? QStringLiteral("account was") : QStringLiteral("accounts were"),
                                  QDir::toNativeSeparators(file)),
                         QStringLiteral("Export"));
}

std::vector<StatementToPrint> ReceivablesScreen::statementsOf(const std::vector<const Receivable *> &rows) const
{
    QStringList ledgers;
    for (const Receivable *r : rows)
        ledgers << r->ledgerFile;
    return statementsFor(m_ctx.store, ledgers, m_from->date(), m_asOf->date(),
                         m_ctx.settings.values().addressStyle == setup::AddressStyle::USA, m_ctx.locale);
}

void ReceivablesScreen::printStatements(const std::vector<const Receivable *> &rows)
{
    if (rows.empty()) {
        m_ctx.prompt.message(QStringLiteral("No account in the list has a statement to print."), QStringLiteral("Statements"));
        return;
    }
    std::unique_ptr<QPrinter> printer = m_printers.choose(this);
    if (!printer)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const std::vector<StatementToPrint> statements = statementsOf(rows);
    QApplication::restoreOverrideCursor();
    printing::PainterSurface surface(*printer);
    printing::PagePrinter page(surface, m_ctx.settings.values(), m_ctx.store, QImage(m_ctx.settings.values().logoFile));
    page.printerSetup(QStringLiteral("Portrait"), m_ctx.settings.values().printInColor);
    bool ok = false;
    {
        StepProgress progress(this, int(statements.size()), QStringLiteral("dlgStatementProgress"),
                              QStringLiteral("Statements"));
        ok = receivables::printStatements(page, m_ctx.locale, statements, [&](int i) {
            return progress.step(i, QStringLiteral("Statement %1 of %2: %3")
                                        .arg(i + 1)
                                        .arg(statements.size())
                                        .arg(statements[size_t(i)].customer.name));
        });
    }
    if (!ok) {
        m_ctx.prompt.message(QStringLiteral("A Print Error has occurred\n(%1)").arg(printerProblem(*printer, surface.error())),
                             QStringLiteral("Print Error"));
        return;
    }
    m_ctx.prompt.message(QStringLiteral("%1 %2 printed%3.")
                             .arg(statements.size())
                             .arg(statements.size() == 1 ? QStringLiteral("statement was") : QStringLiteral("statements were"),
                                  printer->outputFileName().isEmpty()
                                      ? QString()
                                      : QStringLiteral(" to %1").arg(QDir::toNativeSeparators(printer->outputFileName()))),
                         QStringLiteral("Statements"));
}

void ReceivablesScreen::previewStatement()
{
    const QModelIndex current = m_grid->currentIndex();
    if (!current.isValid()) {
        m_ctx.prompt.beep();
        return;
    }
    const Receivable *r = &m_model->row(m_filter->mapToSource(current).row());
    const std::vector<StatementToPrint> statements = statementsOf({r});
    m_printers.preview(this, [&](QPrinter &printer) {
        printing::PainterSurface surface(printer);
        printing::PagePrinter page(surface, m_ctx.settings.values(), m_ctx.store, QImage(m_ctx.settings.values().logoFile));
        page.printerSetup(QStringLiteral("Portrait"), m_ctx.settings.values().printInColor);
        return receivables::printStatements(page, m_ctx.locale, statements);
    });
}

} // namespace ui
