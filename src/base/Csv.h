#pragma once
// Comma-separated values as RFC 4180 has them: a field that holds a comma,
// a double quote, a line break or a blank at either end is quoted, its
// quotes doubled; lines end with CR LF. Written as UTF-8. Read back from
// any spreadsheet's export: comma or semicolon, UTF-8 or Windows-1252.
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace base::csv {

QString field(const QString &value);
// One record with its CR LF, as text (to be encoded as the file is) or as
// UTF-8.
QString lineText(const QStringList &fields);
QByteArray line(const QStringList &fields);

enum class Encoding { Utf8, Windows1252 };
// UTF-8 when the bytes are valid UTF-8 (a byte-order mark counts), else
// Windows-1252, which every byte sequence is.
Encoding detectEncoding(const QByteArray &bytes);
QString decode(const QByteArray &bytes, Encoding encoding);
// The separator of the first record: the one of ',' and ';' found more
// often outside quotes (a tie, or neither, gives the comma).
QChar detectSeparator(const QString &text);

struct Table {
    QList<QStringList> records;
    QList<int> lines; // the line each record begins on, from 1
    // A quote left open at the end of the file: the last record runs to
    // the end and may be two records run together.
    bool unclosedQuote = false;
};
// RFC 4180 records: fields quoted or not, "" for a quote inside quotes,
// line breaks inside quotes kept (as LF), records ending with CR LF, LF or
// CR. Blank lines are no records. A quote inside an unquoted field is
// taken as it stands, as spreadsheets write it.
Table parse(const QString &text, QChar separator);

} // namespace base::csv
