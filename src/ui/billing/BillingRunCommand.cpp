// The billing screen's run command: the question, the check of the whole
// run, the posting (records only, or printed) with its progress window, the
// marks and the messages; and the preview of a printed run.
#include "ui/billing/BillingScreen.h"

#include "printing/PainterSurface.h"
#include "ui/billing/BillingFrames.h"
#include "ui/billing/BillingModels.h"
#include "ui/widgets/StepProgress.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QListWidget>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableView>

using namespace base;
using namespace billing;
using namespace context;

namespace ui {

namespace {
const QString kCancelText = QStringLiteral("Invoice Printing and Account Posting will be Canceled");
const QString kCancelTitle = QStringLiteral("Cancel Printing");

// The progress window of a run: one step per account, its name shown; its
// Cancel stops after the account in progress.
class RunProgress : public StepProgress {
public:
    RunProgress(QWidget *parent, int steps)
        : StepProgress(parent, steps, QStringLiteral("dlgBillingProgress"), QStringLiteral("Billing Run")), m_steps(steps)
    {
    }
    bool step(int i, const Posting &p)
    {
        return StepProgress::step(i, QStringLiteral("Posting %1 of %2: %3").arg(i + 1).arg(m_steps).arg(p.entry.acctName));
    }

private:
    int m_steps;
};
} // namespace

std::optional<std::pair<RunSettings, std::vector<Posting>>> BillingScreen::planRun()
{
    const setup::BusinessValues &v = m_ctx.settings.values();
    QString problem;
    const std::optional<TaxRates> rates = readTaxRates(v, m_ctx.locale, &problem);
    if (!rates) {
        m_ctx.prompt.message(QStringLiteral("No account was billed: %1.\nCorrect it on the setup screen.").arg(problem),
                             QStringLiteral("Billing Run"));
        return std::nullopt;
    }
    const QDateTime now = m_ctx.clock.now();
    RunSettings settings{now.date(),
                         m_itemsFrame->added(),
                         m_itemsFrame->total(),
                         *rates,
                         v.taxHeading1,
                         v.taxHeading2,
                         v.addressStyle == setup::AddressStyle::USA,
                         std::max(0, m_frequency->currentRow()),
                         std::max(0, m_months->currentRow()),
                         now.time(),
                         m_itemsFrame->added() ? m_itemsFrame->soldLines() : std::vector<SoldLine>(),
                         v.previousBalanceOnInvoices};
    auto plan = planRecordsRun(m_grid->grid(), settings, m_ctx.locale);
    if (const RunProblem *p = std::get_if<RunProblem>(&plan)) {
        const CycleRow &row = m_grid->grid().rows[size_t(p->row)];
        m_ctx.prompt.message(QStringLiteral("No account was billed: account %1 (%2): %3.")
                                 .arg(m_grid->grid().acctNo(row.rec), m_grid->grid().name(row.rec), p->reason),
                             QStringLiteral("Billing Run"));
        m_table->selectRow(p->row);
        return std::nullopt;
    }
    return std::make_pair(settings, std::move(std::get<std::vector<Posting>>(plan)));
}

void BillingScreen::run()
{
    const std::vector<CycleRow> &rows = m_grid->grid().rows;
    if (std::none_of(rows.begin(), rows.end(), [](const CycleRow &r) { return r.selected == QLatin1String("+"); })) {
        m_ctx.prompt.beep();
        return;
    }
    if (!m_ctx.prompt.ask(QStringLiteral("Are Selected Accounts Correct?"), QStringLiteral("Verify Account List")))
        return;
    const auto plan = planRun();
    if (!plan)
        return;
    const auto &[settings, postings] = *plan;
    if (m_printInvoice->isChecked()) {
        runPrinted(settings, postings);
        return;
    }
    RunProgress progress(this, int(postings.size()));
    const RunOutcome out = postRun(m_ctx.store, postings, settings, m_ctx.locale,
                                   [&](int i, const Posting &p) { return progress.step(i, p); });
    finishRun(out, postings);
}

void BillingScreen::runPrinted(const RunSettings &settings, const std::vector<Posting> &postings)
{
    std::unique_ptr<QPrinter> printer = m_printers.choose(this);
    if (!printer) {
        m_ctx.prompt.message(kCancelText, kCancelTitle);
        return;
    }
    const setup::BusinessValues values = m_ctx.settings.values();
    printing::DeviceInvoiceSink sink(*printer, invoiceJobsFor(*printer), values, m_ctx.store, m_ctx.locale);
    PrintedOutcome out;
    {
        RunProgress progress(this, int(postings.size()));
        const PrintedRunInput input{postings, settings, values.sequentialInvoiceNumbers == 1};
        out = postPrintedRun(m_ctx.store, input, m_ctx.locale, sink,
                             [&](int i, const Posting &p) { return progress.step(i, p); });
    }
    if (out.printFailed)
        out.printReason = printerProblem(*printer, out.printReason);
    // The file is closed whatever stopped the run, so the pages printed
    // before a failure can be read.
    QString fileNote;
    if (!sink.finish()) {
        const QString problem = printerProblem(*printer, sink.error());
        fileNote = QStringLiteral("The file %1 could not be finished (%2); the invoices printed to it may not open.")
                       .arg(printer->outputFileName(), problem);
        if (!out.printFailed) {
            out.printFailed = true;
            out.printReason = problem;
        }
    } else if (sink.started() && out.printFailed) {
        fileNote = QStringLiteral("The invoices printed before the error are in the file %1.").arg(printer->outputFileName());
    }
    m_ctx.catalog.loadInventoriedItems(m_ctx.store); // the stock sold
    if (out.printFailed) {
        markPosted(out.posted);
        m_ctx.prompt.message(QStringLiteral("A Print Error has occurred\n(%1)").arg(out.printReason),
                             QStringLiteral("Print Error"));
        QStringList lines{kCancelText};
        lines << postedText(out.posted.size(), postings.size(), out.invoices);
        if (!out.failedInvoice.isEmpty())
            lines << QStringLiteral("Invoice %1 was not posted; its number will not be used again.").arg(out.failedInvoice);
        if (!fileNote.isEmpty())
            lines << fileNote;
        m_ctx.prompt.message(lines.join(u'\n'), kCancelTitle);
        return;
    }
    finishRun(out, postings, out.invoices, out.failedInvoice);
}

void BillingScreen::finishRun(const RunOutcome &out, const std::vector<Posting> &postings, const QStringList &invoices,
                              const QString &failedInvoice)
{
    // What was posted is marked at once, whatever stopped the run.
    markPosted(out.posted);
    if (!out.result || out.cancelled || !out.unconfirmed.empty()) {
        reportStop(out, postings, invoices, failedInvoice);
        return;
    }
    m_ctx.prompt.message(QStringLiteral("Invoice Records for ") + frequencyNames().value(m_frequency->currentRow())
                             + QStringLiteral(" accounts have been Created"),
                         QStringLiteral("Billing Records Created"));
    m_itemsFrame->clear();
}

void BillingScreen::previewRun()
{
    const std::vector<CycleRow> &rows = m_grid->grid().rows;
    if (std::none_of(rows.begin(), rows.end(), [](const CycleRow &r) { return r.selected == QLatin1String("+"); })) {
        m_ctx.prompt.beep();
        return;
    }
    const auto plan = planRun();
    if (!plan)
        return;
    const auto &[settings, postings] = *plan;
    const setup::BusinessValues values = m_ctx.settings.values();
    const QStringList numbers = peekInvoiceNos(m_ctx.store, values.sequentialInvoiceNumbers == 1, settings.date,
                                               int(postings.size()));
    const QImage logo(values.logoFile);
    m_printers.preview(this, [&](QPrinter &printer) {
        printing::PainterSurface surface(printer);
        printing::PagePrinter page(surface, values, m_ctx.store, logo);
        page.printerSetup(QStringLiteral("Portrait"), values.printInColor);
        for (size_t i = 0; i < postings.size(); ++i) {
            if (i > 0)
                surface.newDocumentPage();
            const InvoiceToPrint invoice =
                invoiceFor(m_ctx.store, postings[i], numbers.value(qsizetype(i)), settings, m_ctx.locale);
            printing::printInvoicePages(page, m_ctx.locale, invoice.values, invoice.lines);
        }
        return surface.endDocument();
    });
}

void BillingScreen::markPosted(const std::vector<int> &rows)
{
    readBilledBefore();
    for (int r : rows) {
        m_grid->row(r).selected = QStringLiteral("P");
        m_grid->rowChanged(r);
    }
}

QString BillingScreen::postedText(size_t posted, size_t all, const QStringList &invoices)
{
    QString text = QStringLiteral("%1 of %2 accounts were posted; those are marked P and will not be billed again.")
                       .arg(posted)
                       .arg(all);
    if (!invoices.isEmpty())
        text += QStringLiteral(" Invoices posted: %1.").arg(invoices.join(QStringLiteral(", ")));
    return text;
}

void BillingScreen::reportStop(const RunOutcome &out, const std::vector<Posting> &postings, const QStringList &invoices,
                               const QString &failedInvoice)
{
    QStringList lines{QStringLiteral("The billing run stopped.") + u' ' + postedText(out.posted.size(), postings.size(), invoices)};
    if (out.failedAt >= 0 && size_t(out.failedAt) < postings.size()) {
        const Posting &failed = postings[size_t(out.failedAt)];
        QString line = QStringLiteral("Account %1 (%2) could not be posted: %3.")
                           .arg(failed.entry.acctNo, failed.entry.acctName, out.result.error);
        if (out.failedTakenBack)
            line += failedInvoice.isEmpty()
                        ? QStringLiteral(" Nothing of it, or of the other accounts not marked P, was written.")
                        : QStringLiteral(" Invoice %1 was printed but nothing of it was posted: destroy the printed copy; "
                                         "the number will not be used again.")
                              .arg(failedInvoice);
        else
            line += QStringLiteral(" What was written could not be taken back; it will be completed when the "
                                   "program next starts.");
        lines << line;
    } else if (!out.result) {
        lines << QStringLiteral("The disk reported: %1.").arg(out.result.error);
    }
    if (!out.unconfirmed.empty()) {
        QStringList accounts;
        for (const Posting &p : postings) {
            if (std::find(out.unconfirmed.begin(), out.unconfirmed.end(), p.row) != out.unconfirmed.end())
                accounts << p.entry.acctNo;
        }
        lines << QStringLiteral("The disk did not confirm the writes of %1 %2 (%3); they are not marked, and will be "
                                "completed when the program next starts.")
                     .arg(accounts.size())
                     .arg(accounts.size() == 1 ? QStringLiteral("account") : QStringLiteral("accounts"),
                          accounts.join(QStringLiteral(", ")));
    }
    lines << QStringLiteral("Select the run again to bill the rest.");
    m_ctx.prompt.message(lines.join(u'\n'), QStringLiteral("Billing Run Stopped"));
}

} // namespace ui
