#include "customers/CustomerFile.h"

#include "base/FieldRoutines.h"
#include "base/RecordCodec.h"

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

QString CustomerFile::listText(int n) const
{
    using namespace customerfield;
    if (isBusiness(n))
        return text(n, Name).trimmed();
    const QString initial = text(n, MiddleInitial).trimmed();
    QString list = text(n, LastName).trimmed() + QStringLiteral(", ") + text(n, FirstName).trimmed();
    if (!initial.isEmpty())
        list += u' ' + initial;
    return list;
}

QString CustomerFile::displayName(int n) const
{
    using namespace customerfield;
    if (isBusiness(n))
        return text(n, Name).trimmed();
    return fields::fullName(text(n, Title), text(n, FirstName), text(n, MiddleInitial), text(n, LastName));
}

AcctNoIndex::AcctNoIndex(const CustomerFile &file)
{
    const int width = customerfield::AcctNo.width;
    m_numbers = QByteArray(qsizetype(file.count()) * width, ' ');
    m_records.reserve(size_t(file.count()));
    for (int n = 1; n <= file.count(); ++n) {
        const QByteArrayView number = file.field(n, customerfield::AcctNo);
        char *slot = m_numbers.data() + qsizetype(n - 1) * width;
        std::copy(number.begin(), number.end(), slot);
        m_records.emplace(std::string_view(slot, size_t(number.size())), n);
    }
}

bool AcctNoIndex::isTaken(const QString &acctNo, int current) const
{
    // A character outside Latin-1 is stored as "?", so a number holding
    // one can equal no stored number.
    for (QChar c : acctNo) {
        if (c.unicode() > 0xFF)
            return false;
    }
    const QByteArray key = acctNo.toLatin1();
    const auto [first, last] = m_records.equal_range(std::string_view(key.constData(), size_t(key.size())));
    for (auto it = first; it != last; ++it) {
        if (it->second != current)
            return true;
    }
    return false;
}

} // namespace customers
