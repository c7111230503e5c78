#pragma once
// Comma-separated values as RFC 4180 has them: a field that holds a comma,
// a double quote, a line break or a blank at either end is quoted, its
// quotes doubled; lines end with CR LF. Written as UTF-8.
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace base::csv {

QString field(const QString &value);
// One record with its CR LF, as text (to be encoded as the file is) or as
// UTF-8.
QString lineText(const QStringList &fields);
QByteArray line(const QStringList &fields);

} // namespace base::csv
