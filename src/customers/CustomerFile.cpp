#include "customers/CustomerFile.h"

#include "base/FieldRoutines.h"
#include "base/RecordCodec.h"

#include <algorithm>
#include <cstring>

using namespace base;

namespace customers {

CustomerFile::CustomerFile(QByteArray bytes)
    : m_bytes(std::move(bytes)), m_count(store::FileStore::recordCountOf(m_bytes.size(), CustomerRecord::kLength))
{
}

CustomerFile CustomerFile::read(const store::FileStore &store)
{
    return CustomerFile(store.readFile(kCustomerFile).value_or(QByteArray()));
}

QByteArrayView CustomerFile::recordBytes(int n) const
{
    if (n < 1 || n > m_count)
        return {};
    const qsizetype start = qsizetype(n - 1) * CustomerRecord::kLength;
    return QByteArrayView(m_bytes).sliced(start, std::min<qsizetype>(CustomerRecord::kLength, m_bytes.size() - start));
}

QByteArrayView CustomerFile::field(int n, customerfield::Span span) const
{
    return textBytes(recordBytes(n), span.offset, span.width);
}

QString CustomerFile::text(int n, customerfield::Span span) const
{
    const QByteArrayView bytes = field(n, span);
    return QString::fromLatin1(bytes.data(), bytes.size());
}

bool CustomerFile::isBusiness(int n) const
{
    return field(n, customerfield::AcctType) == QByteArrayView("Business");
}

CustomerRecord CustomerFile::record(int n) const
{
    return CustomerRecord::decode(recordBytes(n).toByteArray());
}

namespace {
// QString::trimmed on the bytes: the white space of Latin-1 as QChar sees it.
QLatin1StringView trimmedLatin1(QByteArrayView bytes)
{
    auto isSpace = [](char c) { return QChar(uchar(c)).isSpace(); };
    while (!bytes.isEmpty() && isSpace(bytes.front()))
        bytes = bytes.sliced(1);
    while (!bytes.isEmpty() && isSpace(bytes.back()))
        bytes.chop(1);
    return QLatin1StringView(bytes.data(), bytes.size());
}
} // namespace

QString CustomerFile::listText(int n) const
{
    // Built in one string: this runs for every customer each time the
    // customer screen opens.
    using namespace customerfield;
    if (isBusiness(n))
        return QString(trimmedLatin1(field(n, Name)));
    const QLatin1StringView last = trimmedLatin1(field(n, LastName)), first = trimmedLatin1(field(n, FirstName)),
                            initial = trimmedLatin1(field(n, MiddleInitial));
    QString list;
    list.reserve(last.size() + first.size() + initial.size() + 3);
    list.append(last).append(QLatin1StringView(", ")).append(first);
    if (!initial.isEmpty())
        list.append(u' ').append(initial);
    return list;
}

QString CustomerFile::displayName(int n) const
{
    using namespace customerfield;
    if (isBusiness(n))
        return text(n, Name).trimmed();
    return fields::fullName(text(n, Title), text(n, FirstName), text(n, MiddleInitial), text(n, LastName));
}

AcctNoIndex::AcctNoIndex(const CustomerFile &file) : m_numbers(qsizetype(file.count()) * kWidth, '\0')
{
    char *slot = m_numbers.data();
    for (int n = 1; n <= file.count(); ++n, slot += kWidth) {
        const QByteArrayView number = file.field(n, customerfield::AcctNo);
        std::copy(number.begin(), number.end(), slot);
    }
}

AcctNoIndex AcctNoIndex::read(const store::FileStore &store)
{
    AcctNoIndex index;
    const int count = store.recordCount(kCustomerFile, CustomerRecord::kLength);
    index.m_numbers = QByteArray(qsizetype(count) * kWidth, '\0');
    char *slots = index.m_numbers.data();
    auto keep = [&](const char *record, qsizetype n) {
        const QByteArrayView number = textBytes(QByteArrayView(record, CustomerRecord::kLength), customerfield::AcctNo.offset,
                                                customerfield::AcctNo.width);
        std::copy(number.begin(), number.end(), slots + n * kWidth);
    };
    qsizetype whole = 0;
    store.forEachRecordBlock(kCustomerFile, CustomerRecord::kLength, [&](const char *records, qsizetype n, qsizetype first) {
        for (qsizetype i = 0; i < n && first + i < count; ++i)
            keep(records + i * CustomerRecord::kLength, first + i);
        whole = first + n;
    });
    // A last record at least half there counts, read with blanks for what
    // is missing.
    if (whole < count) {
        const QByteArray last = store.readRecord(kCustomerFile, CustomerRecord::kLength, count).leftJustified(CustomerRecord::kLength, ' ');
        keep(last.constData(), count - 1);
    }
    return index;
}

QString AcctNoIndex::number(int n) const
{
    if (n < 1 || n > count())
        return QString();
    const char *slot = m_numbers.constData() + qsizetype(n - 1) * kWidth;
    return QString::fromLatin1(slot, qsizetype(std::find(slot, slot + kWidth, '\0') - slot));
}

bool AcctNoIndex::isTaken(const QString &acctNo, int current) const
{
    // A character outside Latin-1 is stored as "?", and a stored number is
    // at most 20 characters: such a number can equal no stored one.
    if (acctNo.size() > kWidth || std::any_of(acctNo.begin(), acctNo.end(), [](QChar c) { return c.unicode() > 0xFF || c.unicode() == 0; }))
        return false;
    // A stored number holds no NUL (it ends at the first), so NUL padding
    // makes equal numbers equal slots.
    char key[kWidth] = {};
    for (qsizetype i = 0; i < acctNo.size(); ++i)
        key[i] = char(acctNo[i].unicode());
    const char *slot = m_numbers.constData();
    const int count = int(m_numbers.size() / kWidth);
    for (int n = 1; n <= count; ++n, slot += kWidth) {
        if (n != current && std::memcmp(slot, key, kWidth) == 0)
            return true;
    }
    return false;
}

} // namespace customers
