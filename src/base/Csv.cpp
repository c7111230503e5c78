#include "base/Csv.h"

namespace base::csv {

QString field(const QString &value)
{
    const bool quoted = value.contains(u',') || value.contains(u'"') || value.contains(u'\n') || value.contains(u'\r')
                        || value.startsWith(u' ') || value.endsWith(u' ');
    if (!quoted)
        return value;
    QString out = value;
    out.replace(u'"', QStringLiteral("\"\""));
    return u'"' + out + u'"';
}

QString lineText(const QStringList &fields)
{
    QStringList out;
    out.reserve(fields.size());
    for (const QString &f : fields)
        out.append(field(f));
    return out.join(u',') + QStringLiteral("\r\n");
}

QByteArray line(const QStringList &fields)
{
    return lineText(fields).toUtf8();
}

} // namespace base::csv
