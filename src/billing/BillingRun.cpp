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
        const BillingAccount a = grid.account(row.rec);
        RunAccountRecord &reg = p.registered;
        reg.acctNo = acctNo;
        reg.name = p.entry.acctName;
        reg.subtotal = p.subtotal;
        reg.tax1 = p.amounts.tax1;
        reg.tax2 = p.amounts.tax2;
        reg.total = p.total;
        reg.charge = *charge;
        reg.description = reference + u' ' + a.reference;
        reg.service = reference;
        reg.address1 = a.address1;
        reg.address2 = a.address2;
        reg.address3 = a.address3;
        reg.state = a.state;
        reg.address4 = a.address4;
        reg.tax1Name = s.tax1Name;
        reg.tax2Name = s.tax2Name;
        postings.push_back(std::move(p));
    }
    return postings;
}

namespace {
// Accounts written between two syncs.
constexpr size_t kGroup = 64;

std::vector<int> rowsOf(const std::vector<Posting> &postings, size_t from, size_t to)
{
    std::vector<int> rows;
    for (size_t i = from; i < to && i < postings.size(); ++i)
        rows.push_back(postings[i].row);
    return rows;
}
} // namespace

namespace detail {

void stagePosting(Transaction &tx, const Posting &p, const QDate &today, const QLocale &locale)
{
    for (const TaxRecord &t : p.taxes)
        tx.append(kTaxRecordsFile, TaxRecord::kLength, t.encode());
    ledger::stageLedgerEntry(tx, p.ledgerFile, p.entry, today, locale);
}

int ledgerRecordOf(const Transaction &tx, const QString &ledgerFile)
{
    return int(std::max<qint64>(tx.size(ledgerFile), 0) / ledger::LedgerEntry::kLength);
}

std::vector<RunItemRecord> itemRecords(const std::vector<SoldLine> &items, const std::vector<int> &taken)
{
    std::vector<RunItemRecord> out;
    for (size_t i = 0; i < items.size(); ++i)
        out.push_back({0, items[i].description, std::int16_t(items[i].units),
                       std::int16_t(i < taken.size() ? taken[i] : 0), items[i].unitPrice, items[i].total});
    return out;
}

RunRecord runHeader(const RunSettings &s, RunMode mode)
{
    RunRecord r;
    r.made = QDateTime(s.date, s.time);
    r.mode = mode;
    r.frequency = std::int16_t(s.frequency);
    r.month = std::int16_t(s.month);
    r.usaAddresses = s.usaAddresses ? 1 : 0;
    return r;
}

QByteArray encodeRunNote(const RunNote &note)
{
    valuelist::Writer w;
    w.integer(note.accounts.size());
    for (const QString &a : note.accounts)
        w.text(a);
    w.text(note.invoiceNo).boolean(note.printed).endLine();
    return w.bytes();
}

std::optional<RunNote> decodeRunNote(const QByteArray &bytes)
{
    valuelist::Reader r(bytes);
    RunNote note;
    const qint64 count = r.integer(-1);
    if (count < 0 || count > qint64(r.fieldCount()))
        return std::nullopt;
    for (qint64 i = 0; i < count; ++i)
        note.accounts.append(r.text());
    note.invoiceNo = r.text();
    note.printed = r.boolean(false);
    return note;
}

} // namespace detail

using namespace detail;

// Each group of accounts is one transaction: staged account by account
// (the progress hears each and may stop the run there), then committed
// with one sync. A failure takes the whole group back; what the outcome
// calls posted is what the files hold.
RunOutcome postRun(const FileStore &store, const std::vector<Posting> &postings, const RunSettings &settings,
                   const QLocale &locale, const std::function<bool(int, const Posting &)> &progress)
{
    const QDate &today = settings.date;
    RunOutcome out;
    if (FileResult r = ledger::ensureLedgerFolders(store); !r) {
        out.result = r;
        out.failedAt = postings.empty() ? -1 : 0;
        return out;
    }
    store.restoreFromBackup(kTaxRecordsFile); // once: every group appends to it
    RegisterWriter reg(store, runHeader(settings, RunMode::RecordsOnly));
    for (size_t from = 0; from < postings.size() && !out.cancelled; from += kGroup) {
        const size_t to = std::min(postings.size(), from + kGroup);
        Transaction tx(store, kRunKind);
        RunNote note;
        size_t staged = from;
        for (; staged < to; ++staged) {
            if (progress && !progress(int(staged), postings[staged])) {
                out.cancelled = true;
                break;
            }
            tx.setPart(int(staged));
            const Posting &p = postings[staged];
            stagePosting(tx, p, today, locale);
            RunAccountRecord account = p.registered;
            account.ledgerRecord = ledgerRecordOf(tx, p.ledgerFile);
            reg.stageAccount(tx, account, itemRecords(settings.items, {}));
            note.accounts.append(p.entry.acctNo);
        }
        if (staged == from)
            break;
        reg.stageRun(tx);
        tx.setNote(encodeRunNote(note));
        if (FileResult r = tx.commit(); !r) {
            reg.takenBack();
            out.result = r;
            out.failedAt = tx.failedPart() >= 0 ? tx.failedPart() : r.replaced ? -1 : int(from);
            out.failedTakenBack = !r.replaced;
            if (r.replaced)
                out.unconfirmed = rowsOf(postings, from, staged);
            return out;
        }
        reg.committed();
        const std::vector<int> rows = rowsOf(postings, from, staged);
        out.posted.insert(out.posted.end(), rows.begin(), rows.end());
    }
    return out;
}

RecoveredRun recoveredRun(const FinishedWork &work)
{
    RecoveredRun out;
    if (work.kind != kRunKind)
        return out;
    out.result = work.result;
    if (const std::optional<RunNote> note = decodeRunNote(work.note)) {
        if (work.result)
            out.accounts = note->accounts;
        if (!note->invoiceNo.isEmpty() && work.result) {
            out.invoices.append(note->invoiceNo);
            if (!note->printed)
                out.unprinted.append(note->invoiceNo);
        }
    }
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
    if (!r.result)
        lines << QStringLiteral("A billing run stopped in the middle could not be finished (%1).").arg(r.result.error);
    return lines.join(u'\n');
}

} // namespace billing
