// The billing screen's run command: the question, the check of the whole
// run, the posting with its progress window, the marks and the messages.
#include "ui/billing/BillingScreen.h"

#include "ui/billing/BillingModels.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableView>

using namespace base;
using namespace billing;
using namespace context;

namespace ui {

void BillingScreen::run()
{
    const std::vector<CycleRow> &rows = m_grid->grid().rows;
    if (std::none_of(rows.begin(), rows.end(), [](const CycleRow &r) { return r.selected == QLatin1String("+"); })) {
        m_ctx.prompt.beep();
        return;
    }
    if (!m_ctx.prompt.ask(QStringLiteral("Are Selected Accounts Correct?"), QStringLiteral("Verify Account List")))
        return;
    const setup::BusinessValues &v = m_ctx.settings.values();
    QString problem;
    const std::optional<TaxRates> rates = readTaxRates(v, m_ctx.locale, &problem);
    if (!rates) {
        m_ctx.prompt.message(QStringLiteral("No account was billed: %1.\nCorrect it on the setup screen.").arg(problem),
                             QStringLiteral("Billing Run"));
        return;
    }
    RunSettings settings{m_ctx.clock.today(), m_itemsAdded, itemsTotal(), *rates, v.taxHeading1, v.taxHeading2};
    const auto plan = planRecordsRun(m_grid->grid(), settings, m_ctx.locale);
    if (const RunProblem *p = std::get_if<RunProblem>(&plan)) {
        const CycleRow &row = rows[size_t(p->row)];
        m_ctx.prompt.message(QStringLiteral("No account was billed: account %1 (%2): %3.")
                                 .arg(m_grid->grid().acctNo(row.rec), m_grid->grid().name(row.rec), p->reason),
                             QStringLiteral("Billing Run"));
        m_table->selectRow(p->row);
        return;
    }
    const std::vector<Posting> &postings = std::get<std::vector<Posting>>(plan);
    QProgressDialog progress(QString(), QStringLiteral("Cancel"), 0, int(postings.size()), this);
    progress.setObjectName(QStringLiteral("dlgBillingProgress"));
    progress.setWindowTitle(QStringLiteral("Billing Run"));
    progress.setAccessibleName(QStringLiteral("Billing run progress"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(300);
    const RunOutcome out = postRun(m_ctx.store, postings, settings.date, m_ctx.locale, [&](int i, const Posting &p) {
        progress.setValue(i);
        progress.setLabelText(QStringLiteral("Posting %1 of %2: %3").arg(i + 1).arg(postings.size()).arg(p.entry.acctName));
        QCoreApplication::processEvents();
        return !progress.wasCanceled();
    });
    progress.setValue(int(postings.size()));
    // What was posted is marked at once, whatever stopped the run.
    markPosted(out.posted);
    if (!out.result || out.cancelled) {
        reportStop(out, postings);
        return;
    }
    m_ctx.prompt.message(QStringLiteral("Invoice Records for ") + frequencyNames().value(m_frequency->currentRow())
                             + QStringLiteral(" accounts have been Created"),
                         QStringLiteral("Billing Records Created"));
    m_items->clearMarks();
    m_itemsAdded = false;
}

void BillingScreen::markPosted(const std::vector<int> &rows)
{
    for (int r : rows) {
        m_grid->row(r).selected = QStringLiteral("P");
        m_grid->rowChanged(r);
    }
}

void BillingScreen::reportStop(const RunOutcome &out, const std::vector<Posting> &postings)
{
    QString text = QStringLiteral("The billing run stopped after %1 of %2 accounts; those are marked P and will not be "
                                  "billed again.")
                       .arg(out.posted.size())
                       .arg(postings.size());
    if (!out.result && out.posted.size() < postings.size()) {
        const Posting &failed = postings[out.posted.size()];
        text += QStringLiteral("\nAccount %1 (%2) could not be posted: %3.")
                    .arg(failed.entry.acctNo, failed.entry.acctName, out.result.error);
    } else if (!out.result) {
        text += QStringLiteral("\n%1.").arg(out.result.error);
    }
    text += QStringLiteral("\nSelect the run again to bill the rest.");
    m_ctx.prompt.message(text, QStringLiteral("Billing Run Stopped"));
}

} // namespace ui
