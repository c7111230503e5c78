#include "base/Csv.h"

#include "base/Cp1252.h"


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

Encoding detectEncoding(const QByteArray &bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return Encoding::Utf8;
    // Valid UTF-8: every lead byte followed by as many continuation bytes
    // as it announces, no overlong or surrogate forms needed to tell a
    // Windows-1252 file, whose accented letters stand alone.
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const unsigned char c = p[i];
        const int follow = c < 0x80                               ? 0
                           : (c & 0xE0) == 0xC0 && c >= 0xC2           ? 1
                           : (c & 0xF0) == 0xE0                        ? 2
                           : (c & 0xF8) == 0xF0 && c <= 0xF4           ? 3
                                                                       : -1;
        if (follow < 0 || i + follow >= n)
            return Encoding::Windows1252;
        for (int k = 1; k <= follow; ++k)
            if ((p[i + k] & 0xC0) != 0x80)
                return Encoding::Windows1252;
        i += 1 + follow;
    }
    return Encoding::Utf8;
}

QString decode(const QByteArray &bytes, Encoding encoding)
{
    if (encoding == Encoding::Windows1252)
        return decodeCp1252(bytes);
    QString text = QString::fromUtf8(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

QChar detectSeparator(const QString &text)
{
    int commas = 0, semicolons = 0;
    bool quoted = false;
    for (const QChar c : text) {
        if (c == u'"')
            quoted = !quoted;
        else if (!quoted && (c == u'\n' || c == u'\r')) {
            if (commas + semicolons > 0)
                break;
        } else if (!quoted && c == u',')
            ++commas;
        else if (!quoted && c == u';')
            ++semicolons;
    }
    return semicolons > commas ? QChar(u';') : QChar(u',');
}

Table parse(const QString &text, QChar separator)
{
    Table t;
    QStringList record;
    QString value;
    bool quoted = false, fieldStarted = false, anyField = false;
    int line = 1, recordLine = 1;
    auto endField = [&] {
        record.append(value);
        value.clear();
        fieldStarted = false;
    };
    auto endRecord = [&] {
        if (anyField || !record.isEmpty() || !value.isEmpty()) {
            endField();
            t.records.append(record);
            t.lines.append(recordLine);
        }
        record.clear();
        value.clear();
        anyField = fieldStarted = false;
    };
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == u'"') {
                if (i + 1 < n && text.at(i + 1) == u'"') {
                    value += u'"';
                    ++i;
                } else
                    quoted = false;
            } else if (c == u'\r' || c == u'\n') {
                if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
                    ++i;
                value += u'\n';
                ++line;
            } else
                value += c;
            continue;
        }
        if (c == u'"' && !fieldStarted) {
            quoted = fieldStarted = anyField = true;
        } else if (c == separator) {
            endField();
            anyField = true;
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
                ++i;
            endRecord();
            recordLine = ++line;
        } else {
            value += c;
            fieldStarted = anyField = true;
        }
    }
    t.unclosedQuote = quoted;
    endRecord();
    return t;
}

} // namespace base::csv
