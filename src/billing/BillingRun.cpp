#include "billing/BillingRun.h"

#include "billing/PrintedRun.h"
#include "billing/RunGroups.h"

#include "base/Dates.h"
#include "base/RecordCodec.h"
#include "base/ValueList.h"
#include "ledger/Ledger.h"

#include <QHash>

using namespace base;
using namespace store;

namespace billing {

QByteArray TaxRecord::encode() const
{
    RecordWriter w(kLength);
    w.putText(0, 20, name.trimmed());
    w.putText(20, 15, date.trimmed());
    w.putText(35, 30, reference.trimmed());
    w.putText(65, 10, amount.trimmed());
    return w.bytes();
}

TaxRecord TaxRecord::decode(const QByteArray &bytes)
{
    RecordReader r(bytes);
    return {r.text(0, 20), r.text(20, 15), r.text(35, 30), r.text(65, 10)};
}

std::variant<std::vector<Posting>, RunProblem> planRecordsRun(const CycleGrid &grid, const RunSettings &s,
                                                             const QLocale &locale)
{
    std::vector<Posting> postings;
    const QString date = dates::toShortDateText(s.date, locale);
    for (size_t r = 0; r < grid.rows.size(); ++r) {
        const CycleRow &row = grid.rows[r];
        if (row.selected != QLatin1String("+"))
            continue;
        auto refuse = [&](const QString &why) { return RunProblem{int(r), why}; };
        if (row.rec < 1 || row.rec > grid.accountCount())
            return refuse(QStringLiteral("the row names no customer record"));
        const QString chargeText = grid.charge(row).trimmed();
        const std::optional<Money> charge = Money::parse(chargeText, locale);
        if (!charge)
            return refuse(QStringLiteral("the charge \"%1\" is not an amount").arg(chargeText));
        if (charge->raw() <= 0)
            return refuse(QStringLiteral("the charge must be above zero"));
        const QString acctNo = grid.acctNo(row.rec);
        Posting p;
        p.row = int(r);
        p.ledgerFile = ledger::ledgerFile(acctNo);
        if (p.ledgerFile.isEmpty())
            return refuse(QStringLiteral("the account number \"%1\" cannot name a ledger file").arg(acctNo));
        p.subtotal = *charge + (s.itemsAdded ? s.itemsTotal : Money());
        p.amounts = computeTaxes(p.subtotal, s.rates);
        p.total = p.amounts.total(p.subtotal);
        const QString reference = grid.service(row).trimmed();
        for (const auto &[amount, name] : {std::pair{p.amounts.tax1, s.tax1Name}, std::pair{p.amounts.tax2, s.tax2Name}}) {
            if (amount.raw() <= 0)
                continue;
            const QString text = amount.toPlainText();
            if (text.size() > 10)
                return refuse(QStringLiteral("the tax %1 is too long for the tax records").arg(text));
            p.taxes.push_back({name, date, reference, text});
        }
        const QString total = p.total.toPlainText();
        if (total.size() > ledger::LedgerEntry::kAmountWidth)
            return refuse(QStringLiteral("the total %1 is too long for the ledger").arg(total));
        // What the run writes as a charge must read back as one.
        const QString text = reference + u' ' + grid.reference(row.rec);
        if (const std::optional<QString> problem = ledger::chargeTextProblem(text))
            return refuse(QStringLiteral("the service %1").arg(*problem));
        p.entry = ledger::makeEntry(acctNo, grid.name(row.rec), total, text, s.date, locale);
        postings.push_back(std::move(p));
    }
    return postings;
}

namespace {
// Accounts written between two syncs.
constexpr size_t kGroup = 64;
} // namespace

namespace detail {

QByteArray encodeGroup(const PendingGroup &g)
{
    valuelist::Writer w;
    w.integer(g.taxBefore).integer(qint64(g.postings.size())).endLine();
    for (const PendingPosting &p : g.postings) {
        w.text(p.ledgerFile);
        p.entry.writeTo(w);
        w.integer(p.ledgerBefore).integer(qint64(p.taxes.size()));
        for (const TaxRecord &t : p.taxes)
            w.text(t.name).text(t.date).text(t.reference).text(t.amount);
        w.endLine();
    }
    return w.bytes();
}

} // namespace detail

namespace detail {

std::optional<PendingGroup> decodeGroup(const QByteArray &bytes)
{
    valuelist::Reader r(bytes);
    PendingGroup g;
    g.taxBefore = r.integer(0);
    const qint64 count = r.integer(0);
    for (qint64 i = 0; i < count && !r.atEnd(); ++i) {
        PendingPosting p;
        p.ledgerFile = r.text();
        p.entry = ledger::LedgerEntry::readFrom(r);
        p.ledgerBefore = r.integer(0);
        const qint64 taxes = r.integer(0);
        for (qint64 t = 0; t < taxes; ++t) {
            TaxRecord rec;
            rec.name = r.text();
            rec.date = r.text();
            rec.reference = r.text();
            rec.amount = r.text();
            p.taxes.push_back(rec);
        }
        g.postings.push_back(std::move(p));
    }
    return g;
}

} // namespace detail

namespace detail {

std::optional<PendingGroup> readGroup(const FileStore &store)
{
    const std::optional<QByteArray> file = store.readFile(kPendingRun);
    if (!file)
        return std::nullopt;
    return detail::decodeGroup(*file);
}

// The whole records of a ledger, after the restore from its backup the
// append itself would make.
qint64 ledgerCount(const FileStore &store, const QString &file)
{
    store.dataFileExists(file); // restored from its backup first, as the append does
    return store.wholeRecords(file, ledger::LedgerEntry::kLength);
}

// Writes what of one group is not yet written: the tax records in order
// after the count before the group, each ledger entry unless its ledger
// already grew past its count before, and each ledger's backup.
FileResult completeGroup(const FileStore &store, const PendingGroup &g, size_t first, size_t last, const QDate &today,
                         const QLocale &locale)
{
    qint64 taxIndex = 0;
    for (size_t i = 0; i < first && i < g.postings.size(); ++i)
        taxIndex += qint64(g.postings[i].taxes.size());
    const qint64 taxNow = store.wholeRecords(kTaxRecordsFile, TaxRecord::kLength);
    for (size_t i = first; i < last && i < g.postings.size(); ++i) {
        const PendingPosting &p = g.postings[i];
        for (const TaxRecord &t : p.taxes) {
            if (g.taxBefore + taxIndex++ < taxNow)
                continue; // written before the kill
            if (FileResult r = store.appendRecord(kTaxRecordsFile, TaxRecord::kLength, t.encode()); !r)
                return r;
        }
        if (ledgerCount(store, p.ledgerFile) <= (p.ledgerBefore == 0 ? 1 : p.ledgerBefore)) {
            if (FileResult r = ledger::writeLedgerEntryAt(store, p.ledgerFile, p.ledgerBefore, p.entry, today, locale); !r)
                return r;
        }
        if (FileResult r = ledger::refreshLedgerBackup(store, p.ledgerFile); !r)
            return r;
    }
    return FileResult::success();
}

PendingGroup groupOf(const FileStore &store, const std::vector<Posting> &postings, size_t from, size_t to)
{
    PendingGroup g;
    store.dataFileExists(kTaxRecordsFile);
    g.taxBefore = store.wholeRecords(kTaxRecordsFile, TaxRecord::kLength);
    QHash<QString, qint64> after; // a ledger billed twice in one group
    for (size_t i = from; i < to; ++i) {
        const Posting &p = postings[i];
        const qint64 before = after.contains(p.ledgerFile) ? after.value(p.ledgerFile) : ledgerCount(store, p.ledgerFile);
        after.insert(p.ledgerFile, before == 0 ? 2 : before + 1);
        g.postings.push_back({p.ledgerFile, p.entry, before, p.taxes});
    }
    return g;
}

} // namespace detail

using namespace detail;

RunOutcome postRun(const FileStore &store, const std::vector<Posting> &postings, const QDate &today,
                   const QLocale &locale, const std::function<bool(int, const Posting &)> &progress)
{
    RunOutcome out;
    if (FileResult r = recoverBillingRun(store, today, locale); !r) {
        out.result = r;
        return out;
    }
    for (size_t from = 0; from < postings.size() && !out.cancelled; from += kGroup) {
        const size_t to = std::min(postings.size(), from + kGroup);
        PendingGroup group = groupOf(store, postings, from, to);
        // The group is on the disk before any of its writes can be.
        if (FileResult r = store.replaceFile(kPendingRun, encodeGroup(group)); !r) {
            out.result = r;
            return out;
        }
        store.beginDeferredSync();
        size_t done = 0;
        for (size_t i = from; i < to; ++i) {
            if (progress && !progress(int(i), postings[i])) {
                out.cancelled = true;
                break;
            }
            if (FileResult r = completeGroup(store, group, i - from, i - from + 1, today, locale); !r) {
                (void)store.endDeferredSync();
                out.result = r;
                return out; // the file stays: the next start finishes the account
            }
            ++done;
            out.posted.push_back(postings[i].row);
        }
        if (FileResult r = store.endDeferredSync(); !r) {
            out.result = r;
            return out;
        }
        if (out.cancelled) {
            // Only what was written stays in the file, so a kill now
            // cannot finish accounts the user stopped before.
            group.postings.resize(done);
            if (FileResult r = store.replaceFile(kPendingRun, encodeGroup(group)); !r) {
                out.result = r;
                return out;
            }
        }
    }
    store.killIfExists(kPendingRun);
    return out;
}

FileResult recoverBillingRun(const FileStore &store, const QDate &today, const QLocale &locale)
{
    if (const std::optional<PendingGroup> g = readGroup(store)) {
        if (FileResult r = completeGroup(store, *g, 0, g->postings.size(), today, locale); !r)
            return r;
        store.killIfExists(kPendingRun);
    }
    return recoverPrintedInvoice(store, today, locale);
}

} // namespace billing
