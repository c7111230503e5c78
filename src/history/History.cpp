#include "history/History.h"

#include "base/Dates.h"
#include "base/RecordCodec.h"
#include "ledger/Ledger.h"
#include "ledger/LedgerEntry.h"

using namespace base;
using namespace store;

namespace history {

QByteArray ServiceHistoryRecord::encode() const
{
    RecordWriter w(kLength);
    w.putText(0, 30, acctName.trimmed());
    w.putText(30, 25, acctNo.trimmed());
    w.putText(55, 15, serviceDate.trimmed());
    w.putText(70, 35, service.trimmed());
    w.putText(105, 40, servicedBy.trimmed());
    return w.bytes();
}

ServiceHistoryRecord ServiceHistoryRecord::decode(const QByteArray &bytes)
{
    RecordReader r(bytes);
    return {r.text(0, 30), r.text(30, 25), r.text(55, 15), r.text(70, 35), r.text(105, 40)};
}

namespace {

bool shown(const HistoryRow &row, const HistoryFilter &f)
{
    if (f.account && row.acctNo != *f.account)
        return false;
    return !row.date.isValid() || (row.date >= f.start && row.date <= f.end);
}

template <typename Decode>
void readRecords(const FileStore &store, const QString &file, int length, Decode &&decode)
{
    if (!store.dataFileExists(file))
        return;
    const QByteArray bytes = store.readFile(file).value_or(QByteArray());
    const int count = store.recordCount(file, length);
    for (int n = 0; n < count; ++n)
        decode(bytes.mid(qsizetype(n) * length, length));
}

} // namespace

History loadHistory(const FileStore &store, const HistoryFilter &filter, const QLocale &locale)
{
    History h;
    readRecords(store, kServiceHistoryFile, ServiceHistoryRecord::kLength, [&](const QByteArray &bytes) {
        const ServiceHistoryRecord r = ServiceHistoryRecord::decode(bytes);
        HistoryRow row{r.acctNo.trimmed(), r.acctName.trimmed(), r.serviceDate.trimmed(), r.service.trimmed(),
                       r.servicedBy.trimmed(), dates::parseShortDate(r.serviceDate, locale).value_or(QDate()), std::nullopt};
        if (shown(row, filter))
            h.service.push_back(std::move(row));
    });
    const MoneyReader money(locale);
    readRecords(store, kFinancialHistoryFile, ledger::LedgerEntry::kLength, [&](const QByteArray &bytes) {
        const ledger::LedgerEntry e = ledger::LedgerEntry::decode(bytes);
        HistoryRow row{e.acctNo.trimmed(), e.acctName.trimmed(), e.entryDate.trimmed(), e.entryText.trimmed(),
                       e.entryAmount.trimmed(), dates::parseShortDate(e.entryDate, locale).value_or(QDate()), money.parse(e.entryAmount)};
        if (!shown(row, filter))
            return;
        const ledger::Sign sign = ledger::signOf(QLatin1StringView(e.entryText.toLatin1()));
        if (!row.amount)
            ++h.totals.unreadable;
        else if (sign == ledger::Sign::Subtract) {
            h.totals.received = h.totals.received + *row.amount;
            h.totals.net = h.totals.net - *row.amount;
        } else if (sign == ledger::Sign::Add) {
            h.totals.billed = h.totals.billed + *row.amount;
            h.totals.net = h.totals.net + *row.amount;
        }
        h.financial.push_back(std::move(row));
    });
    return h;
}

std::pair<QDate, QDate> reportPeriod(int index, const QDate &today)
{
    const QDate monthStart(today.year(), today.month(), 1);
    switch (index) {
    case 0: {
        const QDate last = monthStart.addDays(-1);
        return {QDate(last.year(), last.month(), 1), last};
    }
    case 1: return {monthStart, today};
    case 2: return {QDate(today.year(), 1, 1), today};
    default: return {QDate(1990, 1, 1), today};
    }
}

namespace {
// The file without the account's records, replaced whole.
FileResult keepOthers(const FileStore &store, const QString &file, int length, int acctAt, int acctWidth,
                      const QString &acctNo)
{
    if (!store.dataFileExists(file))
        return FileResult::success();
    const QByteArray bytes = store.readFile(file).value_or(QByteArray());
    const int count = store.recordCount(file, length);
    QByteArray kept;
    bool removed = false;
    for (int n = 0; n < count; ++n) {
        const QByteArray record = bytes.mid(qsizetype(n) * length, length);
        if (RecordReader(record).text(acctAt, acctWidth).trimmed() == acctNo) {
            removed = true;
            continue;
        }
        kept += record.leftJustified(length, ' ');
    }
    if (!removed)
        return FileResult::success();
    if (FileResult r = store.replaceFile(file, kept); !r)
        return r;
    // The backup copy would bring the purged records back if it were restored.
    store.killIfExists(FileStore::backupName(file));
    return FileResult::success();
}
} // namespace

FileResult purgeAccountHistory(const FileStore &store, const QString &acctNo)
{
    const QString acct = acctNo.trimmed();
    if (FileResult r = keepOthers(store, kServiceHistoryFile, ServiceHistoryRecord::kLength, 30, 25, acct); !r)
        return r;
    return keepOthers(store, kFinancialHistoryFile, ledger::LedgerEntry::kLength, 45, 25, acct);
}

void purgeAllHistory(const FileStore &store)
{
    store.deleteDataFile(kServiceHistoryFile);
    store.deleteDataFile(kFinancialHistoryFile);
}

QByteArray toCsv(const std::vector<HistoryRow> &rows, bool financial)
{
    auto field = [](QString text) {
        if (text.contains(u',') || text.contains(u'"') || text.contains(u'\n') || text.contains(u'\r')) {
            text.replace(QStringLiteral("\""), QStringLiteral("\"\""));
            return u'"' + text + u'"';
        }
        return text;
    };
    QStringList lines;
    lines.append(financial ? QStringLiteral("Account,Name,Date,Invoice Number/Reference,Amount")
                           : QStringLiteral("Account,Name,Date,Service Provided,Serviced By"));
    for (const HistoryRow &r : rows) {
        const QString date = r.date.isValid() ? r.date.toString(Qt::ISODate) : r.dateText;
        const QString last = financial ? (r.amount ? r.amount->toPlainText() : r.extra) : r.extra;
        lines.append(QStringList{field(r.acctNo), field(r.name), field(date), field(r.text), field(last)}.join(u','));
    }
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}

} // namespace history
