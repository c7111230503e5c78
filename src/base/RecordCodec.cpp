#include "base/RecordCodec.h"

#include "base/Dates.h"

#include <QtEndian>
#include <algorithm>
#include <cstring>

namespace base {

QByteArray toSingleByte(const QString &text)
{
    QByteArray out;
    out.reserve(text.size());
    for (QChar c : text)
        out.append(c.unicode() <= 0xFF ? char(c.unicode()) : '?');
    return out;
}

RecordWriter::RecordWriter(int length) : m_bytes(length, '\0') {}

RecordWriter::RecordWriter(const QByteArray &existing, int length) : m_bytes(existing.left(length))
{
    if (m_bytes.size() < length)
        m_bytes.append(QByteArray(length - m_bytes.size(), '\0'));
}

void RecordWriter::putRaw(int offset, const void *data, int size)
{
    if (offset < 0 || size < 0 || offset + size > m_bytes.size())
        return;
    std::memcpy(m_bytes.data() + offset, data, size_t(size));
}

void RecordWriter::putText(int offset, int width, const QString &value)
{
    QByteArray field = toSingleByte(value).left(width);
    field.append(QByteArray(width - field.size(), ' '));
    putRaw(offset, field.constData(), width);
}

void RecordWriter::putNul(int offset, int width)
{
    const QByteArray zeros(width, '\0');
    putRaw(offset, zeros.constData(), width);
}

void RecordWriter::putInt16(int offset, std::int16_t value)
{
    const std::int16_t le = qToLittleEndian(value);
    putRaw(offset, &le, 2);
}

void RecordWriter::putInt32(int offset, std::int32_t value)
{
    const std::int32_t le = qToLittleEndian(value);
    putRaw(offset, &le, 4);
}

void RecordWriter::putSingle(int offset, float value)
{
    std::uint32_t bits;
    std::memcpy(&bits, &value, 4);
    bits = qToLittleEndian(bits);
    putRaw(offset, &bits, 4);
}

void RecordWriter::putDouble(int offset, double value)
{
    std::uint64_t bits;
    std::memcpy(&bits, &value, 8);
    bits = qToLittleEndian(bits);
    putRaw(offset, &bits, 8);
}

void RecordWriter::putMoney(int offset, Money value)
{
    const std::int64_t le = qToLittleEndian(value.raw());
    putRaw(offset, &le, 8);
}

void RecordWriter::putDate(int offset, const QDateTime &moment)
{
    putDouble(offset, moment.isValid() ? dates::toDayCount(moment) : 0.0);
}

void RecordReader::getRaw(int offset, void *data, int size) const
{
    std::memset(data, 0, size_t(size));
    if (offset < 0 || offset >= m_bytes.size())
        return;
    const int available = int(qMin<qsizetype>(size, m_bytes.size() - offset));
    std::memcpy(data, m_bytes.constData() + offset, size_t(available));
}

namespace {
// The bytes of a field up to the first NUL (NUL bytes mark a field never
// assigned; they are not text), without copying the record.
QByteArrayView fieldBytes(QByteArrayView record, int offset, int width)
{
    if (offset < 0 || width <= 0 || offset >= record.size())
        return {};
    QByteArrayView field(record.data() + offset, std::min<qsizetype>(width, record.size() - offset));
    const qsizetype nul = field.indexOf('\0');
    return nul >= 0 ? field.first(nul) : field;
}
} // namespace

QByteArrayView textBytes(QByteArrayView record, int offset, int width)
{
    QByteArrayView field = fieldBytes(record, offset, width);
    while (!field.isEmpty() && field.front() == ' ')
        field = field.sliced(1);
    while (!field.isEmpty() && field.back() == ' ')
        field.chop(1);
    return field;
}

QString RecordReader::rawText(int offset, int width) const
{
    const QByteArrayView field = fieldBytes(m_bytes, offset, width);
    return QString::fromLatin1(field.data(), field.size());
}

QString RecordReader::text(int offset, int width) const
{
    // Every list and search decodes whole files of records: the blanks are
    // cut from the bytes, so each field costs one conversion.
    const QByteArrayView field = textBytes(m_bytes, offset, width);
    return QString::fromLatin1(field.data(), field.size());
}

std::int16_t RecordReader::int16(int offset) const
{
    std::int16_t v;
    getRaw(offset, &v, 2);
    return qFromLittleEndian(v);
}

std::int32_t RecordReader::int32(int offset) const
{
    std::int32_t v;
    getRaw(offset, &v, 4);
    return qFromLittleEndian(v);
}

float RecordReader::single(int offset) const
{
    std::uint32_t bits;
    getRaw(offset, &bits, 4);
    bits = qFromLittleEndian(bits);
    float v;
    std::memcpy(&v, &bits, 4);
    return v;
}

double RecordReader::dbl(int offset) const
{
    std::uint64_t bits;
    getRaw(offset, &bits, 8);
    bits = qFromLittleEndian(bits);
    double v;
    std::memcpy(&v, &bits, 8);
    return v;
}

Money RecordReader::money(int offset) const
{
    std::int64_t v;
    getRaw(offset, &v, 8);
    return Money::fromRaw(qFromLittleEndian(v));
}

QDateTime RecordReader::date(int offset) const
{
    return dates::fromDayCount(dbl(offset));
}

} // namespace base
