#include "ui/runs/BillingRunsScreen.h"

#include "ui/runs/RunModels.h"
#include "ui/shell/Navigator.h"
#include "ui/widgets/ValueLabel.h"
#include "ui/widgets/RowGrid.h"
#include "ui/widgets/StepProgress.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

using namespace billing;
using base::Money;

namespace ui {

BillingRunsScreen::BillingRunsScreen(context::AppContext &ctx, Navigator &navigator, PrinterChooser printers,
                                     QWidget *parent)
    : Screen(parent), m_ctx(ctx), m_navigator(navigator), m_printers(std::move(printers))
{
    setObjectName(QStringLiteral("frmBillingRuns"));
    auto *layout = new QVBoxLayout(this);
    // The names and the months get the spare width; the other columns fit
    // what they hold.
    auto grid = [&](QAbstractTableModel *model, const char *name, const QString &caption, int wide) {
        auto *label = new QLabel(caption, this);
        auto *view = new QTableView(this);
        view->setModel(model);
        setUpRowGrid(view, QString::fromLatin1(name), QString(caption).remove(u'&'));
        view->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
        view->horizontalHeader()->setResizeContentsPrecision(100); // from the first rows, not all of thousands
        view->horizontalHeader()->setSectionResizeMode(wide, QHeaderView::Stretch);
        label->setBuddy(view);
        layout->addWidget(label);
        return view;
    };
    m_runs = new RunsModel(m_ctx.locale, this);
    m_runGrid = grid(m_runs, "fgRuns", QStringLiteral("Billing &runs, newest first"), RunsModel::Billed);
    layout->addWidget(m_runGrid, 2);
    m_accounts = new RunAccountsModel(m_ctx.locale, this);
    m_accountGrid = grid(m_accounts, "fgRunAccounts", QStringLiteral("&Accounts of the chosen run"), RunAccountsModel::Name);
    // Several invoices can be chosen to print again (Shift and Ctrl with
    // the arrow keys, or the mouse).
    m_accountGrid->setSelectionMode(QAbstractItemView::ExtendedSelection);
    layout->addWidget(m_accountGrid, 3);
    // The chosen run in words, and what a void being prepared will post:
    // a screen reader reads the text itself.
    m_summary = makeValueLabel(this, "lblRunSummary");
    layout->addWidget(m_summary);

    // A run chosen with the arrow keys is chosen, as by a click.
    connect(m_runGrid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) { chooseRun(current.row()); });
    connect(m_accountGrid->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] { enableCommands(); });

    auto *commands = new QHBoxLayout;
    m_printAgain = command("cmdPrintAgain", QStringLiteral("&Print Again..."),
                           QStringLiteral("Prints the chosen invoices (or credit notes) again, as they were posted"),
                           &BillingRunsScreen::printAgain);
    m_preview = command("cmdPreviewAgain", QStringLiteral("Pre&view"),
                        QStringLiteral("Shows the chosen invoices (or credit notes) as they would print again"),
                        &BillingRunsScreen::previewAgain);
    m_voidRun = command("cmdVoidRun", QStringLiteral("Void R&un..."),
                        QStringLiteral("Credits every account of the chosen run, after showing what will be posted"),
                        &BillingRunsScreen::voidRun);
    m_voidInvoice = command("cmdVoidInvoice", QStringLiteral("Void &Invoice..."),
                            QStringLiteral("Credits the chosen account of the run, after showing what will be posted"),
                            &BillingRunsScreen::voidInvoice);
    auto *billing = new QPushButton(QStringLiteral("&Billing"), this);
    billing->setObjectName(QStringLiteral("cmdBilling"));
    connect(billing, &QPushButton::clicked, this, [this] { m_navigator.show(ScreenId::Billing, Routine::Invoices); });
    auto *menu = new QPushButton(QStringLiteral("&Menu"), this);
    menu->setObjectName(QStringLiteral("cmdMenu"));
    connect(menu, &QPushButton::clicked, this, [this] { m_navigator.show(ScreenId::MainMenu); });
    for (QWidget *w : {m_printAgain, m_preview, m_voidRun, m_voidInvoice})
        commands->addWidget(w);
    commands->addStretch();
    commands->addWidget(billing);
    commands->addWidget(menu);
    layout->addLayout(commands);
}

QPushButton *BillingRunsScreen::command(const char *name, const QString &caption, const QString &tip,
                                        void (BillingRunsScreen::*run)())
{
    auto *b = new QPushButton(caption, this);
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(tip);
    connect(b, &QPushButton::clicked, this, run);
    return b;
}

QString BillingRunsScreen::caption() const
{
    return QStringLiteral("Billing Runs");
}

void BillingRunsScreen::activate(Routine)
{
    // Read again each time: a run or a void made since is listed.
    readRegister(0);
    m_runGrid->setFocus();
}

void BillingRunsScreen::readRegister(int keepRunNo)
{
    m_runs->setRegister(RunRegister::read(m_ctx.store));
    const int row = keepRunNo ? std::max(0, m_runs->rowOf(keepRunNo)) : 0;
    if (m_runs->rowCount() == 0) {
        m_accounts->setAccounts({}, {});
        m_summary->setText(QStringLiteral("No billing run has been entered in the register yet. Runs made from now on "
                                          "are listed here."));
        enableCommands();
        return;
    }
    m_runGrid->setCurrentIndex(m_runs->index(row, 0));
    chooseRun(row); // also when the row was current already
}

void BillingRunsScreen::chooseRun(int row)
{
    if (row < 0 || row >= m_runs->rowCount())
        return;
    const RunRecord &run = m_runs->run(row);
    m_accounts->setAccounts(run, m_runs->runRegister().accounts(m_ctx.store, run));
    if (m_accounts->rowCount() > 0)
        m_accountGrid->selectionModel()->setCurrentIndex(m_accounts->index(0, 0), QItemSelectionModel::NoUpdate);
    m_summary->setText(QStringLiteral("Run %1 (%2): %3 accounts, %4. %5.")
                           .arg(run.runNo)
                           .arg(RunsModel::billedText(run))
                           .arg(run.accountCount)
                           .arg(m_runs->data(m_runs->index(row, RunsModel::Total), Qt::DisplayRole).toString(),
                                m_runs->stateText(run)));
    enableCommands();
}

void BillingRunsScreen::enableCommands()
{
    const bool any = m_accounts->rowCount() > 0;
    const RunRecord &run = m_accounts->run();
    const bool printedDocuments =
        any && (run.mode == RunMode::Printed
                || (run.mode == RunMode::Void && m_runs->runRegister().run(run.voidsRun)
                    && m_runs->runRegister().run(run.voidsRun)->mode == RunMode::Printed));
    m_printAgain->setEnabled(printedDocuments);
    m_preview->setEnabled(printedDocuments);
    const bool voidable = any && run.mode != RunMode::Void;
    m_voidRun->setEnabled(voidable && !m_runs->runRegister().state(run).whole());
    const int current = m_accountGrid->currentIndex().row();
    m_voidInvoice->setEnabled(voidable && current >= 0 && m_accounts->account(current).voidedBy == 0);
}

QList<InvoiceToPrint> BillingRunsScreen::chosenInvoices() const
{
    QList<int> rows;
    for (const QModelIndex &i : m_accountGrid->selectionModel()->selectedRows())
        rows.append(i.row());
    if (rows.isEmpty())
        for (int r = 0; r < m_accounts->rowCount(); ++r)
            rows.append(r);
    std::sort(rows.begin(), rows.end());
    const RunRecord &run = m_accounts->run();
    QList<InvoiceToPrint> out;
    for (int r : rows) {
        const RegisteredAccount &a = m_accounts->account(r);
        if (run.mode == RunMode::Void) {
            if (const RunRecord *voided = m_runs->runRegister().run(run.voidsRun))
                out.append(creditNote(*voided, a, run.made.date(), m_ctx.locale));
        } else {
            out.append(registeredInvoice(run, a.record, a.items, m_ctx.locale));
        }
    }
    return out;
}

void BillingRunsScreen::printAgain()
{
    const QList<InvoiceToPrint> documents = chosenInvoices();
    if (documents.isEmpty()) {
        m_ctx.prompt.beep();
        return;
    }
    printDocuments(documents, m_accounts->run().mode == RunMode::Void ? QStringLiteral("credit notes")
                                                                      : QStringLiteral("invoices"));
}

void BillingRunsScreen::printDocuments(const QList<InvoiceToPrint> &documents, const QString &what)
{
    std::unique_ptr<QPrinter> printer = m_printers.choose(this);
    if (!printer)
        return;
    const bool toFile = !printer->outputFileName().isEmpty();
    const setup::BusinessValues values = m_ctx.settings.values();
    printing::DeviceInvoiceSink sink(*printer, invoiceJobsFor(*printer), values, m_ctx.store, m_ctx.locale);
    int printed = 0;
    QString problem;
    {
        StepProgress progress(this, int(documents.size()), QStringLiteral("dlgPrintAgainProgress"),
                              QStringLiteral("Printing"));
        for (const InvoiceToPrint &d : documents) {
            if (!progress.step(printed, QStringLiteral("Printing %1 of %2: %3")
                                            .arg(printed + 1)
                                            .arg(documents.size())
                                            .arg(d.values.invoiceNo)))
                break;
            if (!sink.print(d.values, d.lines)) {
                problem = printerProblem(*printer, sink.error());
                break;
            }
            ++printed;
        }
    }
    if (!sink.finish() && problem.isEmpty())
        problem = printerProblem(*printer, sink.error());
    if (!problem.isEmpty()) {
        m_ctx.prompt.message(QStringLiteral("A Print Error has occurred\n(%1)\n%2 of %3 %4 were printed; nothing was "
                                            "posted.")
                                 .arg(problem)
                                 .arg(printed)
                                 .arg(documents.size())
                                 .arg(what),
                             QStringLiteral("Print Error"));
        return;
    }
    m_ctx.prompt.message(QStringLiteral("%1 %2 %3 printed%4; nothing was posted.")
                             .arg(printed)
                             .arg(printed == 1 ? what.chopped(1) : what, printed == 1 ? QStringLiteral("was")
                                                                                    : QStringLiteral("were"),
                                  toFile ? QStringLiteral(" to %1").arg(printer->outputFileName()) : QString()),
                         QStringLiteral("Print Again"));
}

void BillingRunsScreen::previewAgain()
{
    const QList<InvoiceToPrint> documents = chosenInvoices();
    if (documents.isEmpty()) {
        m_ctx.prompt.beep();
        return;
    }
    const setup::BusinessValues values = m_ctx.settings.values();
    m_printers.preview(this, [&](QPrinter &printer) {
        printing::DeviceInvoiceSink sink(printer, printing::DeviceInvoiceSink::Jobs::OneDocument, values, m_ctx.store,
                                         m_ctx.locale);
        for (const InvoiceToPrint &d : documents)
            if (!sink.print(d.values, d.lines))
                break;
        return sink.finish();
    });
}

QString BillingRunsScreen::voidQuestion(const VoidPlan &plan, bool whole) const
{
    const QLocale &l = m_ctx.locale;
    QStringList lines;
    if (whole) {
        lines << QStringLiteral("Void run %1 (%2)?").arg(plan.run.runNo).arg(RunsModel::billedText(plan.run));
    } else {
        const RunAccountRecord &a = plan.lines.front().account.record;
        lines << (a.invoiceNo.isEmpty()
                      ? QStringLiteral("Void the entry of account %1 (%2) in run %3?").arg(a.acctNo, a.name).arg(plan.run.runNo)
                      : QStringLiteral("Void invoice %1 of account %2 (%3)?").arg(a.invoiceNo, a.acctNo, a.name));
    }
    lines << QStringLiteral("%1 %2 will be credited %3 in all, dated today.")
                 .arg(plan.lines.size())
                 .arg(plan.lines.size() == 1 ? QStringLiteral("account") : QStringLiteral("accounts"),
                      plan.total.toCurrencyText(l));
    // A few accounts are read out here; many are in the list behind.
    if (plan.lines.size() <= 10) {
        for (const VoidLine &v : plan.lines)
            lines << QStringLiteral("  %1 %2: %3 credited, balance after %4")
                         .arg(v.account.record.acctNo, v.account.record.name, v.account.record.total.toCurrencyText(l),
                              RunAccountsModel::balanceText(v.after(), l));
    } else {
        lines << QStringLiteral("The balance each account will have is in the list of accounts.");
    }
    Money tax;
    for (const VoidLine &v : plan.lines)
        tax += v.account.record.tax1 + v.account.record.tax2;
    if (tax.raw() != 0)
        lines << QStringLiteral("Tax records of -%1 will be written.").arg(tax.toCurrencyText(l));
    if (plan.run.mode == RunMode::Printed)
        lines << QStringLiteral("The sales journal and the sold items get the invoices' figures negative, and a "
                                "credit note is filed for each invoice.");
    QStringList stock;
    for (const catalog::UnitsSold &s : plan.stockReturned)
        stock << QStringLiteral("%1 %2").arg(s.units).arg(s.description);
    if (!stock.isEmpty())
        lines << QStringLiteral("Stock returned: %1.").arg(stock.join(QStringLiteral(", ")));
    lines << QStringLiteral("Nothing already posted is changed or deleted.");
    return lines.join(u'\n');
}

void BillingRunsScreen::voidChosen(bool whole)
{
    if (m_accounts->rowCount() == 0) {
        m_ctx.prompt.beep();
        return;
    }
    const QString title = whole ? QStringLiteral("Void Run") : QStringLiteral("Void Invoice");
    const int current = m_accountGrid->currentIndex().row();
    if (!whole && current < 0) {
        m_ctx.prompt.message(QStringLiteral("Choose the invoice to void in the list of accounts."), title);
        return;
    }
    const RunRecord run = m_accounts->run();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    auto planned = planVoid(m_ctx.store, m_runs->runRegister(), run.runNo,
                            whole ? 0 : m_accounts->account(current).number, m_ctx.locale);
    QApplication::restoreOverrideCursor();
    if (const QString *why = std::get_if<QString>(&planned)) {
        m_ctx.prompt.message(*why, title);
        return;
    }
    const VoidPlan &plan = std::get<VoidPlan>(planned);
    QHash<int, Money> after;
    for (const VoidLine &v : plan.lines)
        after.insert(v.account.number, v.after());
    m_accounts->setBalancesAfter(after);
    const QString question = voidQuestion(plan, whole);
    m_summary->setText(question);
    if (!m_ctx.prompt.ask(question, title)) {
        m_accounts->setBalancesAfter({});
        chooseRun(m_runGrid->currentIndex().row());
        return;
    }
    VoidOutcome out;
    {
        StepProgress progress(this, int(plan.lines.size()), QStringLiteral("dlgVoidProgress"), title);
        out = postVoid(m_ctx.store, plan, m_ctx.clock.now(), m_ctx.locale, [&](int i, const VoidLine &v) {
            return progress.step(i, QStringLiteral("Crediting %1 of %2: %3")
                                        .arg(i + 1)
                                        .arg(plan.lines.size())
                                        .arg(v.account.record.name));
        });
    }
    m_ctx.catalog.loadInventoriedItems(m_ctx.store); // the stock given back
    readRegister(run.runNo);
    m_ctx.prompt.message(voidOutcomeText(plan, out, m_ctx.locale), title);
    if (!out.result || out.creditNotes.isEmpty())
        return;
    if (!m_ctx.prompt.ask(QStringLiteral("Print the %1 now? They can be printed again at any time by choosing run %2 "
                                         "in the list.")
                              .arg(out.creditNotes.size() == 1 ? QStringLiteral("credit note")
                                                               : QStringLiteral("%1 credit notes").arg(out.creditNotes.size()))
                              .arg(out.voidRunNo),
                          QStringLiteral("Credit Notes")))
        return;
    const RunRecord *voided = m_runs->runRegister().run(run.runNo);
    const RunRecord *voidRun = m_runs->runRegister().run(out.voidRunNo);
    if (!voided || !voidRun)
        return;
    QList<InvoiceToPrint> notes;
    for (const RegisteredAccount &a : m_runs->runRegister().accounts(m_ctx.store, *voidRun))
        notes.append(creditNote(*voided, a, voidRun->made.date(), m_ctx.locale));
    printDocuments(notes, QStringLiteral("credit notes"));
}

} // namespace ui
