#pragma once
// The quoted value-list text form of the settings files and "Labor.txt":
// texts in double quotes, whole and single-precision numbers in plain
// decimal with ".", Booleans as #TRUE# / #FALSE#, the values of one write
// separated by "," and the line ended by CR LF. A reader takes the values
// in order across lines and converts each to the type it expects, falling
// back to the caller's default when a value is missing or of another type.
//
// A double quote inside a text is written doubled ("say ""hi""") and read
// back as one, so every text comes back exactly as it was saved. Files
// written before that rule never held a doubled quote inside a text, so
// they read as they always did.
//
// Bytes: a file is written in Latin-1 when every character fits, otherwise
// in UTF-8; the reader takes valid UTF-8 as UTF-8 and anything else as
// Latin-1, so older single-byte files still read.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

namespace base {

namespace valuelist {

// The quoted form has no escape for a double quote: other readers of these
// files take a line apart at it, so a text to be stored must not hold one.
// (A doubled quote written by an older copy still reads back as one.)
inline constexpr char16_t kQuote = u'"';
inline bool canQuote(const QString &text)
{
    return !text.contains(kQuote);
}

class Writer {
public:
    Writer &text(const QString &value);
    Writer &integer(std::int64_t value);
    Writer &single(float value);
    Writer &boolean(bool value);
    // Ends the current line (one write operation) with CR LF.
    Writer &endLine();
    // The whole file; an unfinished line is ended first.
    QByteArray bytes() const;

private:
    void separate();
    QString m_text;
    bool m_lineOpen = false;
};

struct Field {
    QString text;
    bool quoted = false;
};

class Reader {
public:
    explicit Reader(const QByteArray &bytes);

    bool atEnd() const { return m_next >= m_fields.size(); }
    std::size_t fieldCount() const { return m_fields.size(); }
    // Field i as read, whatever has been taken.
    const Field &field(std::size_t i) const { return m_fields.at(i); }

    // Each takes the next value; a missing value, or one that does not
    // convert, gives the default (and is still consumed).
    QString text(const QString &fallback = QString());
    std::int64_t integer(std::int64_t fallback);
    float single(float fallback);
    bool boolean(bool fallback);

private:
    const Field *take();
    std::vector<Field> m_fields;
    std::size_t m_next = 0;
};

// Text decoding and encoding used by every line-oriented file.
QString decodeText(const QByteArray &bytes);
QByteArray encodeText(const QString &text);

// Plain lines, each written as it is and ended by CR LF, read back a whole
// line at a time (CR LF, LF or CR all end a line).
QByteArray writePlainLines(const QStringList &lines);
QStringList readPlainLines(const QByteArray &bytes);

} // namespace valuelist

} // namespace base
