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
    // A posting takes at least eight values and a tax record four: a count
    // beyond what the values could hold is damage, never a loop to run.
    const qint64 values = qint64(r.fieldCount());
    PendingGroup g;
    g.taxBefore = r.integer(-1);
    const qint64 count = r.integer(-1);
    if (g.taxBefore < 0 || count < 0 || count > values / 8)
        return std::nullopt;
    for (qint64 i = 0; i < count; ++i) {
        if (r.atEnd())
            return std::nullopt;
        PendingPosting p;
        p.ledgerFile = r.text();
        p.entry = ledger::LedgerEntry::readFrom(r);
        p.ledgerBefore = r.integer(-1);
        const qint64 taxes = r.integer(-1);
        if (p.ledgerBefore < 0 || taxes < 0 || taxes > values / 4 || p.ledgerFile.isEmpty()
            || p.ledgerFile != ledger::ledgerFile(p.entry.acctNo))
            return std::nullopt;
        for (qint64 t = 0; t < taxes; ++t) {
            if (r.atEnd())
                return std::nullopt;
            TaxRecord rec;
            rec.name = r.text();
            rec.date = r.text();
            rec.reference = r.text();
            rec.amount = r.text();
            p.taxes.push_back(rec);
        }
        g.postings.push_back(std::move(p));
    }
    if (!r.atEnd())
        return std::nullopt;
    return g;
}

QString setAside(const FileStore &store, const QString &marker)
{
    QString name = marker + QStringLiteral(".damaged");
    for (int n = 2; store.fileExists(name); ++n)
        name = marker + QStringLiteral(".damaged%1").arg(n);
    if (!store.renameDataFile(marker, name))
        return QString();
    return name;
}

} // namespace detail

namespace detail {

std::optional<QByteArray> readMarker(const FileStore &store, const QString &name)
{
    return store.fileExists(name) ? store.readFile(name) : std::nullopt;
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

bool undoPosting(const FileStore &store, const PendingGroup &g, size_t k)
{
    if (k >= g.postings.size())
        return true;
    qint64 taxKeep = g.taxBefore;
    for (size_t i = 0; i < k; ++i)
        taxKeep += qint64(g.postings[i].taxes.size());
    bool ok = true;
    const qint64 taxBytes = taxKeep * TaxRecord::kLength;
    if (store.fileSize(kTaxRecordsFile) > taxBytes)
        ok = store.writeBytes(kTaxRecordsFile, 0, QByteArray(), taxBytes).ok;
    const PendingPosting &p = g.postings[k];
    const QString copy = ledger::backupFile(p.ledgerFile);
    if (p.ledgerBefore == 0) {
        // The posting began this ledger: it goes, with the copy made of it.
        store.killIfExists(p.ledgerFile);
        store.killIfExists(copy);
        return ok && !store.fileExists(p.ledgerFile);
    }
    const qint64 ledgerBytes = p.ledgerBefore * ledger::LedgerEntry::kLength;
    if (store.fileSize(p.ledgerFile) > ledgerBytes)
        ok = store.writeBytes(p.ledgerFile, 0, QByteArray(), ledgerBytes).ok && ok;
    if (store.fileSize(copy) != store.fileSize(p.ledgerFile))
        ok = ledger::refreshLedgerBackup(store, p.ledgerFile).ok && ok;
    return ok;
}

} // namespace detail

using namespace detail;

namespace {

std::vector<int> rowsOf(const std::vector<Posting> &postings, size_t from, size_t to)
{
    std::vector<int> rows;
    for (size_t i = from; i < to && i < postings.size(); ++i)
        rows.push_back(postings[i].row);
    return rows;
}

// A write failed on posting k of the group [from, to). The account is taken
// back, and what was written before it is made durable; the marker then
// goes. Whatever cannot be confirmed stays in the marker, trimmed to the
// accounts really begun, so that finishing it never bills an account the
// run did not reach.
void stopGroup(const FileStore &store, const std::vector<Posting> &postings, PendingGroup &group, size_t from, size_t k,
               RunOutcome &out)
{
    const bool undone = out.failedAt < 0 || undoPosting(store, group, k);
    if (out.failedAt >= 0)
        out.failedTakenBack = undone;
    const size_t begun = undone ? k : k + 1;
    const FileResult synced = store.endDeferredSync();
    if (synced && undone) {
        store.killIfExists(kPendingRun);
        const std::vector<int> rows = rowsOf(postings, from, from + k);
        out.posted.insert(out.posted.end(), rows.begin(), rows.end());
        return;
    }
    if (!synced && out.result)
        out.result = synced;
    group.postings.resize(begun);
    // When the marker cannot be trimmed it still lists the whole group, and
    // all of it will be finished: say so of every account in it.
    const size_t listed = store.replaceFile(kPendingRun, encodeGroup(group)) ? begun : postings.size() - from;
    const size_t confirmedUpTo = synced ? k : 0;
    const std::vector<int> sure = rowsOf(postings, from, from + confirmedUpTo);
    out.posted.insert(out.posted.end(), sure.begin(), sure.end());
    const std::vector<int> left = rowsOf(postings, from + confirmedUpTo, from + std::min(listed, size_t(kGroup)));
    out.unconfirmed.insert(out.unconfirmed.end(), left.begin(), left.end());
}

} // namespace

RunOutcome postRun(const FileStore &store, const std::vector<Posting> &postings, const QDate &today,
                   const QLocale &locale, const std::function<bool(int, const Posting &)> &progress)
{
    RunOutcome out;
    out.recovered = recoverBillingRun(store, today, locale);
    if (!out.recovered.result) {
        out.result = out.recovered.result;
        return out;
    }
    if (out.recovered.any())
        return out;
    for (size_t from = 0; from < postings.size(); from += kGroup) {
        const size_t to = std::min(postings.size(), from + kGroup);
        PendingGroup group = groupOf(store, postings, from, to);
        // The group is on the disk before any of its writes can be.
        if (FileResult r = store.replaceFile(kPendingRun, encodeGroup(group)); !r) {
            out.result = r;
            out.failedAt = int(from);
            return out;
        }
        store.beginDeferredSync();
        size_t done = 0;
        for (size_t i = from; i < to; ++i, ++done) {
            if (progress && !progress(int(i), postings[i])) {
                out.cancelled = true;
                break;
            }
            if (FileResult r = completeGroup(store, group, done, done + 1, today, locale); !r) {
                out.result = r;
                out.failedAt = int(i);
                break;
            }
        }
        if (done < to - from) {
            stopGroup(store, postings, group, from, done, out);
            return out;
        }
        if (FileResult r = store.endDeferredSync(); !r) {
            // Every account of the group was written; the disk did not
            // confirm them. The marker lists exactly them and stays.
            out.result = r;
            const std::vector<int> rows = rowsOf(postings, from, to);
            out.unconfirmed.insert(out.unconfirmed.end(), rows.begin(), rows.end());
            return out;
        }
        store.killIfExists(kPendingRun);
        const std::vector<int> rows = rowsOf(postings, from, to);
        out.posted.insert(out.posted.end(), rows.begin(), rows.end());
    }
    return out;
}

RecoveredRun recoverBillingRun(const FileStore &store, const QDate &today, const QLocale &locale)
{
    RecoveredRun out;
    if (const std::optional<QByteArray> marker = readMarker(store, kPendingRun)) {
        const std::optional<PendingGroup> g = decodeGroup(*marker);
        if (!g) {
            out.setAside = setAside(store, kPendingRun);
            if (out.setAside.isEmpty())
                out.result = FileResult::failure(QStringLiteral("a damaged %1 could not be set aside").arg(kPendingRun.mid(1)));
            return out;
        }
        if (FileResult r = completeGroup(store, *g, 0, g->postings.size(), today, locale); !r) {
            out.result = r;
            return out;
        }
        store.killIfExists(kPendingRun);
        for (const PendingPosting &p : g->postings)
            out.accounts.append(p.entry.acctNo);
    }
    RecoveredRun printed = recoverPrintedInvoice(store, today, locale);
    out.accounts += printed.accounts;
    out.invoices += printed.invoices;
    out.unprinted += printed.unprinted;
    if (out.setAside.isEmpty())
        out.setAside = printed.setAside;
    if (!printed.result)
        out.result = printed.result;
    return out;
}

QString recoveredRunText(const RecoveredRun &r)
{
    QStringList lines;
    if (!r.accounts.isEmpty())
        lines << QStringLiteral("A billing run that was interrupted has been completed: %1 %2 posted (%3).")
                     .arg(r.accounts.size())
                     .arg(r.accounts.size() == 1 ? QStringLiteral("account") : QStringLiteral("accounts"),
                          r.accounts.join(QStringLiteral(", ")));
    if (!r.invoices.isEmpty())
        lines << QStringLiteral("Invoices posted: %1.").arg(r.invoices.join(QStringLiteral(", ")));
    if (!r.unprinted.isEmpty())
        lines << QStringLiteral("These invoices were posted but may never have come out of the printer: %1. Their "
                                "completed invoices are in the CompletedInvoices folder.")
                     .arg(r.unprinted.join(QStringLiteral(", ")));
    if (!r.setAside.isEmpty())
        lines << QStringLiteral("A note of unfinished billing work was damaged and could not be used; nothing was "
                                "written from it. It has been kept as %1 for you to look at.")
                     .arg(r.setAside.mid(1));
    if (!r.result)
        lines << QStringLiteral("A billing run stopped in the middle could not be finished (%1).").arg(r.result.error);
    return lines.join(u'\n');
}

} // namespace billing
