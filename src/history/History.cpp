#include "history/History.h"

#include "store/Transaction.h"

#include "base/Dates.h"
#include "base/RecordCodec.h"
#include "ledger/Ledger.h"
#include "ledger/LedgerEntry.h"

#include <string>
#include <string_view>
#include <unordered_map>

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

// A pass over one history file that takes each record's account and date
// from its bytes and decodes only the records the filter shows. Dates
// repeat from record to record, so each date text is read once.
class HistoryPass {
public:
    HistoryPass(const HistoryFilter &filter, const QLocale &locale) : m_filter(filter), m_locale(locale)
    {
        if (filter.account)
            m_account = filter.account->toLatin1();
        // The order of day, month and year in a numeric short date ("M/d/yyyy"
        // gives month, day, year); none when the pattern has names in it.
        const QString pattern = dates::shortDatePattern(locale);
        for (QChar c : pattern) {
            const char field = c == u'd' ? 'd' : c == u'M' ? 'M' : c == u'y' ? 'y' : 0;
            if (field && (m_order.isEmpty() || m_order.back() != field))
                m_order.append(field);
            else if (!field && c.isLetter())
                m_order.clear(), m_numeric = false;
        }
        m_numeric = m_numeric && m_order.size() == 3 && !pattern.contains(QLatin1String("MMM"))
                    && !pattern.contains(QLatin1String("ddd"));
    }
    // The record's date when the record is shown (invalid: shown whatever
    // the range); nothing when it is filtered out.
    std::optional<QDate> shown(const QByteArray &record, int acctAt, int acctWidth, int dateAt, int dateWidth)
    {
        if (m_filter.account && textBytes(record, acctAt, acctWidth) != QByteArrayView(m_account))
            return std::nullopt;
        const QByteArrayView dateText = textBytes(record, dateAt, dateWidth);
        const std::string_view key(dateText.data(), size_t(dateText.size()));
        auto cached = m_dates.find(key);
        if (cached == m_dates.end())
            cached = m_dates.emplace(std::string(key), readDate(dateText)).first;
        const QDate date = cached->second;
        if (date.isValid() && (date < m_filter.start || date > m_filter.end))
            return std::nullopt;
        return date;
    }

private:
    // Three numbers with a four-digit year in the pattern's order are read
    // here; anything else the locale's reader reads.
    QDate readDate(QByteArrayView text) const
    {
        if (m_numeric) {
            int value[3] = {0, 0, 0}, digits[3] = {0, 0, 0}, field = 0;
            bool ok = true;
            for (char c : text) {
                // Nothing may follow the third number, and no number has
                // more than four digits (a longer one would overflow).
                if (field > 2 || (c >= '0' && c <= '9' && digits[field] == 4)) {
                    ok = false;
                    break;
                }
                if (c >= '0' && c <= '9') {
                    value[field] = value[field] * 10 + (c - '0');
                    ++digits[field];
                } else if (digits[field] > 0) {
                    ++field;
                } else {
                    ok = false;
                    break;
                }
            }
            if (ok && field == 2 && digits[2] > 0) {
                int d = 0, m = 0, y = 0, yDigits = 0;
                for (int i = 0; i < 3; ++i) {
                    (m_order[i] == 'd' ? d : m_order[i] == 'M' ? m : y) = value[i];
                    if (m_order[i] == 'y')
                        yDigits = digits[i];
                }
                if (yDigits == 4 && QDate::isValid(y, m, d))
                    return QDate(y, m, d);
            }
        }
        return dates::parseShortDate(QString::fromLatin1(text), m_locale).value_or(QDate());
    }

    const HistoryFilter &m_filter;
    QLocale m_locale;
    QByteArray m_account;
    QList<char> m_order;
    bool m_numeric = true;
    // Looked up by the bytes in place, with no key made per record.
    struct KeyHash {
        using is_transparent = void;
        size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    std::unordered_map<std::string, QDate, KeyHash, std::equal_to<>> m_dates;
};

template <typename Decode>
void readRecords(const FileStore &store, const QString &file, int length, Decode &&decode)
{
    if (!store.dataFileExists(file))
        return;
    const QByteArray bytes = store.readFile(file).value_or(QByteArray());
    const int count = int(store.wholeRecords(file, length));
    for (int n = 0; n < count; ++n)
        decode(QByteArray::fromRawData(bytes.constData() + qsizetype(n) * length, length));
}

} // namespace

History loadHistory(const FileStore &store, const HistoryFilter &filter, const QLocale &locale)
{
    History h;
    HistoryPass pass(filter, locale);
    readRecords(store, kServiceHistoryFile, ServiceHistoryRecord::kLength, [&](const QByteArray &bytes) {
        const std::optional<QDate> date = pass.shown(bytes, 30, 25, 55, 15);
        if (!date)
            return;
        const ServiceHistoryRecord r = ServiceHistoryRecord::decode(bytes);
        h.service.push_back({r.acctNo, r.acctName, r.serviceDate, r.service, r.servicedBy, *date, std::nullopt});
    });
    const MoneyReader money(locale);
    readRecords(store, kFinancialHistoryFile, ledger::LedgerEntry::kLength, [&](const QByteArray &bytes) {
        const std::optional<QDate> date = pass.shown(bytes, 45, 25, 70, 15);
        if (!date)
            return;
        const ledger::LedgerEntry e = ledger::LedgerEntry::decode(bytes);
        HistoryRow row{e.acctNo, e.acctName, e.entryDate, e.entryText, e.entryAmount, *date, money.parse(e.entryAmount)};
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
