#include "history/History.h"

#include "store/Transaction.h"

#include "base/RecordCodec.h"
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
// The file without the account's records, replaced whole; its backup copy
// goes, since restoring it would bring the purged records back.
void keepOthers(Transaction &tx, const QString &file, int length, int acctAt, int acctWidth, const QString &acctNo)
{
    const FileStore &store = tx.store();
    if (!store.dataFileExists(file))
        return;
    const QByteArray bytes = store.readFile(file).value_or(QByteArray());
    // Every whole record, however many (the record count of the other
    // screens stops at 32,767); a torn piece at the end is no record.
    const qsizetype count = bytes.size() / length;
    QByteArray kept;
    kept.reserve(bytes.size());
    for (qsizetype n = 0; n < count; ++n) {
        const QByteArray record = bytes.mid(n * length, length);
        if (RecordReader(record).text(acctAt, acctWidth).trimmed() != acctNo)
            kept += record;
    }
    if (kept.size() == bytes.size())
        return;
    tx.replace(file, kept);
    if (store.fileExists(FileStore::backupName(file)))
        tx.remove(FileStore::backupName(file));
}
} // namespace

FileResult purgeAccountHistory(const FileStore &store, const QString &acctNo)
{
    const QString acct = acctNo.trimmed();
    Transaction tx(store, QStringLiteral("a purge of history"));
    keepOthers(tx, kServiceHistoryFile, ServiceHistoryRecord::kLength, 30, 25, acct);
    keepOthers(tx, kFinancialHistoryFile, ledger::LedgerEntry::kLength, 45, 25, acct);
    return tx.commit();
}

FileResult purgeAllHistory(const FileStore &store)
{
    Transaction tx(store, QStringLiteral("a purge of history"));
    for (const QString &file : {kServiceHistoryFile, kFinancialHistoryFile}) {
        for (const QString &name : {FileStore::backupName(file), file}) {
            if (store.fileExists(name))
                tx.remove(name);
        }
    }
    return tx.commit();
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
