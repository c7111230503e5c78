#pragma once
// The one codec behind every fixed-length record: little-endian, packed,
// single-byte text (Latin-1, a character outside it stored as "?") padded
// with blanks; on reading, NUL bytes and blanks are trimmed. Reads past the
// end of a short record give blanks and zeros, never a crash, so a file cut
// in the middle of its last record still reads.
#include "base/Money.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <cstdint>

namespace base {

class RecordWriter {
public:
    // A new record starts as NUL bytes, the mark of a text field never
    // assigned; a record type then writes every field it owns.
    explicit RecordWriter(int length);
    // Starts from an existing record, to keep the fields a writer does not
    // own; a short one is filled out with NUL bytes.
    explicit RecordWriter(const QByteArray &existing, int length);

    void putText(int offset, int width, const QString &value);
    void putNul(int offset, int width);
    void putInt16(int offset, std::int16_t value);
    void putInt32(int offset, std::int32_t value);
    void putSingle(int offset, float value);
    void putDouble(int offset, double value);
    void putMoney(int offset, Money value);
    void putDate(int offset, const QDateTime &moment);

    const QByteArray &bytes() const { return m_bytes; }

private:
    void putRaw(int offset, const void *data, int size);
    QByteArray m_bytes;
};

class RecordReader {
public:
    explicit RecordReader(const QByteArray &bytes) : m_bytes(bytes) {}

    QString text(int offset, int width) const;
    // The field as stored, without trimming (for fields kept exactly as typed).
    QString rawText(int offset, int width) const;
    std::int16_t int16(int offset) const;
    std::int32_t int32(int offset) const;
    float single(int offset) const;
    double dbl(int offset) const;
    Money money(int offset) const;
    QDateTime date(int offset) const;

private:
    void getRaw(int offset, void *data, int size) const;
    QByteArray m_bytes; // implicitly shared: no copy of the data
};

// A text field's bytes as RecordReader::text gives them (up to the first NUL,
// blanks trimmed), without copying or converting: for passes over a whole
// file that convert only what they show.
QByteArrayView textBytes(QByteArrayView record, int offset, int width);

// Latin-1 for the record files; anything outside it becomes "?".
QByteArray toSingleByte(const QString &text);

} // namespace base
