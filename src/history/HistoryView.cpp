#include "history/HistoryView.h"

#include "base/DateBytes.h"
#include "base/Dates.h"
#include "base/RecordCodec.h"
#include "ledger/Ledger.h"

#include <cstring>
#include <future>
#include <string>
#include <string_view>
#include <unordered_map>

using namespace base;

namespace history {

namespace {


// A field's text as RecordReader::text reads it (up to the first NUL,
// blanks trimmed), found without a search when the text starts at the
// field's first byte and ends at its first blank, as the program writes it.
QByteArrayView fieldText(const char *field, int width)
{
    if (width <= 0 || field[0] == ' ')
        return textBytes(QByteArrayView(field, width), 0, width);
    int end = 0;
    while (end < width && field[end] != ' ' && field[end] != '\0')
        ++end;
    for (int i = end; i < width && field[i] != '\0'; ++i) {
        if (field[i] != ' ')
            return textBytes(QByteArrayView(field, width), 0, width); // a blank inside the text
    }
    return QByteArrayView(field, end);
}

// The balance rule's sign of an entry's text and the money of its amount,
// each distinct field read once.
class EntryReader {
public:
    explicit EntryReader(const QLocale &locale) : m_money(locale) {}
    ledger::Sign sign(const char *field)
    {
        return remembered(m_signs, field, ledger::LedgerEntry::kTextWidth, [](QByteArrayView text) {
            return ledger::signOf(QLatin1StringView(text.data(), text.size()));
        });
    }
    std::optional<Money> amount(const char *field)
    {
        return remembered(m_amounts, field, ledger::LedgerEntry::kAmountWidth,
                          [this](QByteArrayView text) { return m_money.parse(QString::fromLatin1(text)); });
    }

private:
    template <typename T, typename Read>
    T remembered(ByBytes<T> &map, const char *field, int width, Read &&read)
    {
        const std::string_view key(field, size_t(width));
        if (auto known = map.find(key); known != map.end())
            return known->second;
        const T value = read(fieldText(field, width));
        if (map.size() < kRemembered)
            map.emplace(std::string(key), value);
        return value;
    }
    MoneyReader m_money;
    ByBytes<ledger::Sign> m_signs;
    ByBytes<std::optional<Money>> m_amounts;
};

// The account filter: the record's account field holds exactly the
// account's number.
bool accountIs(const char *field, int width, QByteArrayView account)
{
    if (account.isEmpty() || account.size() > width || field[0] == ' ')
        return textBytes(QByteArrayView(field, width), 0, width) == account;
    if (std::memcmp(field, account.data(), size_t(account.size())) != 0)
        return false;
    for (qsizetype i = account.size(); i < width && field[i] != '\0'; ++i) {
        if (field[i] != ' ')
            return textBytes(QByteArrayView(field, width), 0, width) == account;
    }
    return true;
}

class Scanner {
public:
    Scanner(const HistoryFilter &filter, const QLocale &locale)
        : m_filter(filter), m_startKey(keyOf(filter.start)), m_endKey(keyOf(filter.end)), m_dates(locale), m_entries(locale)
    {
        if (filter.account)
            m_account = filter.account->toLatin1();
    }

    static int keyOf(const QDate &d) { return d.isValid() ? d.year() * 10000 + d.month() * 100 + d.day() : 0; }

    // Whether a record's date keeps it: in the range, or unreadable. The
    // answer for the record before is taken when the bytes are the same (a
    // history written day by day holds runs of one date).
    bool inRange(const char *field, int width)
    {
        if (width > int(sizeof m_lastDate))
            return readInRange(field, width);
        if (width != m_lastWidth || std::memcmp(m_lastDate, field, size_t(width)) != 0) {
            std::memcpy(m_lastDate, field, size_t(width));
            m_lastWidth = width;
            m_lastIn = readInRange(field, width);
        }
        return m_lastIn;
    }

    bool readInRange(const char *field, int width)
    {
        if (const int key = m_dates.quickKey(field, width))
            return key >= m_startKey && key <= m_endKey;
        const QDate date = m_dates.read(fieldText(field, width));
        return !date.isValid() || (date >= m_filter.start && date <= m_filter.end);
    }

    // The file at a full path (empty: no file) scanned; safe on any thread,
    // one scanner a thread.
    HistoryView view(const QString &path, const RecordShape &shape, HistoryTotals *totals)
    {
        auto file = std::make_shared<QFile>(path);
        if (path.isEmpty() || !file->open(QIODevice::ReadOnly | QIODevice::Unbuffered))
            return HistoryView();
        std::vector<qint32> kept, multiLine;
        store::FileStore::readRecordBlocks(*file, shape.length, [&](const char *records, qsizetype count, qsizetype first) {
            for (qsizetype i = 0; i < count; ++i) {
                const char *record = records + i * shape.length;
                if (m_filter.account && !accountIs(record + shape.acctAt, shape.acctWidth, m_account))
                    continue;
                if (!inRange(record + shape.dateAt, shape.dateWidth))
                    continue;
                if (std::memchr(record + shape.textAt, '\n', size_t(shape.textWidth)))
                    multiLine.push_back(qint32(kept.size()));
                kept.push_back(qint32(first + i));
                if (totals)
                    add(*totals, record);
            }
        });
        return HistoryView(std::move(file), shape, std::move(kept), std::move(multiLine));
    }

private:
    void add(HistoryTotals &t, const char *entry)
    {
        const std::optional<Money> amount = m_entries.amount(entry + ledger::LedgerEntry::kAmountOffset);
        if (!amount) {
            ++t.unreadable;
            return;
        }
        switch (m_entries.sign(entry + ledger::LedgerEntry::kTextOffset)) {
        case ledger::Sign::Subtract:
            t.received = t.received + *amount;
            t.net = t.net - *amount;
            break;
        case ledger::Sign::Add:
            t.billed = t.billed + *amount;
            t.net = t.net + *amount;
            break;
        case ledger::Sign::Ignore: break;
        }
    }

    const HistoryFilter &m_filter;
    int m_startKey, m_endKey;
    QByteArray m_account;
    DateBytes m_dates;
    char m_lastDate[16] = {};
    int m_lastWidth = -1;
    bool m_lastIn = false;
    EntryReader m_entries;
};

// Rows decoded for showing: each record's fields, its date and amount read.
class RowReader {
public:
    explicit RowReader(const QLocale &locale) : m_dates(locale), m_money(locale) {}
    HistoryRow read(const char *record, const RecordShape &shape)
    {
        const QByteArray bytes = QByteArray::fromRawData(record, shape.length);
        const QDate date = m_dates.read(fieldText(record + shape.dateAt, shape.dateWidth));
        if (!shape.financial) {
            const ServiceHistoryRecord r = ServiceHistoryRecord::decode(bytes);
            return {r.acctNo, r.acctName, r.serviceDate, r.service, r.servicedBy, date, std::nullopt};
        }
        const ledger::LedgerEntry e = ledger::LedgerEntry::decode(bytes);
        return {e.acctNo, e.acctName, e.entryDate, e.entryText, e.entryAmount, date, m_money.parse(e.entryAmount)};
    }

private:
    DateBytes m_dates;
    MoneyReader m_money;
};

} // namespace

HistoryRow HistoryView::row(qsizetype i, const QLocale &locale) const
{
    QByteArray record(m_shape.length, ' ');
    if (m_file->seek(qint64(m_kept[size_t(i)]) * m_shape.length))
        m_file->read(record.data(), m_shape.length);
    return RowReader(locale).read(record.constData(), m_shape);
}

std::vector<HistoryRow> HistoryView::rows(const QLocale &locale) const
{
    std::vector<HistoryRow> out;
    if (m_kept.empty() || !m_file->seek(0))
        return out;
    out.reserve(m_kept.size());
    RowReader reader(locale);
    auto next = m_kept.begin();
    store::FileStore::readRecordBlocks(*m_file, m_shape.length, [&](const char *records, qsizetype count, qsizetype first) {
        for (; next != m_kept.end() && *next < first + count; ++next)
            out.push_back(reader.read(records + (*next - first) * m_shape.length, m_shape));
    });
    return out;
}

Selection selectHistory(const store::FileStore &store, const HistoryFilter &filter, const QLocale &locale)
{
    // The names resolved here, where the store keeps its listings; the two
    // files then read side by side, the service history on a thread of its
    // own.
    auto pathOf = [&store](const QString &name) { return store.dataFileExists(name) ? store.path(name) : QString(); };
    const QString servicePath = pathOf(kServiceHistoryFile), financialPath = pathOf(kFinancialHistoryFile);
    std::future<HistoryView> service = std::async(std::launch::async, [&filter, &locale, servicePath] {
        return Scanner(filter, locale).view(servicePath, kServiceShape, nullptr);
    });
    Selection s;
    s.financial = Scanner(filter, locale).view(financialPath, kFinancialShape, &s.totals);
    s.service = service.get();
    return s;
}

} // namespace history
