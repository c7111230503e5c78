#include "base/ValueList.h"

#include <QStringDecoder>
#include <charconv>
#include <cmath>

namespace base {

namespace valuelist {

QString decodeText(const QByteArray &bytes)
{
    QByteArrayView view(bytes);
    if (view.startsWith("\xEF\xBB\xBF"))
        view = view.sliced(3);
    bool ascii = true;
    for (char c : view) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (ascii)
        return QString::fromLatin1(view);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString decoded = utf8.decode(view);
    if (!utf8.hasError())
        return decoded;
    return QString::fromLatin1(view);
}

QByteArray encodeText(const QString &text)
{
    for (QChar c : text) {
        if (c.unicode() > 0xFF)
            return text.toUtf8();
    }
    // Latin-1 that happens to form valid UTF-8 ("\u00C3\u00A9") would be read
    // back as UTF-8 and change; such a text is written in UTF-8 instead.
    const QByteArray latin1 = text.toLatin1();
    if (decodeText(latin1) != text)
        return text.toUtf8();
    return latin1;
}

void Writer::separate()
{
    if (m_lineOpen)
        m_text += u',';
    m_lineOpen = true;
}

Writer &Writer::text(const QString &value)
{
    separate();
    QString quoted = value;
    quoted.replace(u'"', QLatin1String("\"\""));
    m_text += u'"' + quoted + u'"';
    return *this;
}

Writer &Writer::integer(std::int64_t value)
{
    separate();
    m_text += QString::number(value);
    return *this;
}

Writer &Writer::single(float value)
{
    separate();
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    m_text += QString::fromLatin1(buffer, int(result.ptr - buffer));
    return *this;
}

Writer &Writer::boolean(bool value)
{
    separate();
    m_text += value ? QLatin1String("#TRUE#") : QLatin1String("#FALSE#");
    return *this;
}

Writer &Writer::endLine()
{
    m_text += QLatin1String("\r\n");
    m_lineOpen = false;
    return *this;
}

QByteArray Writer::bytes() const
{
    return encodeText(m_lineOpen ? m_text + QLatin1String("\r\n") : m_text);
}

Reader::Reader(const QByteArray &bytes)
{
    const QString s = decodeText(bytes);
    const qsizetype n = s.size();
    auto isLineEnd = [](QChar c) { return c == u'\r' || c == u'\n'; };
    qsizetype i = 0;
    bool fieldPending = false; // a "," was seen, so a value follows even if empty
    while (i < n) {
        while (i < n && (s[i] == u' ' || s[i] == u'\t'))
            ++i;
        if (i >= n)
            break;
        if (isLineEnd(s[i])) {
            if (fieldPending)
                m_fields.push_back(Field{});
            fieldPending = false;
            ++i;
            continue;
        }
        Field field;
        if (s[i] == u'"') {
            field.quoted = true;
            ++i;
            while (i < n) {
                if (s[i] == u'"') {
                    if (i + 1 < n && s[i + 1] == u'"') {
                        field.text += u'"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field.text += s[i++];
            }
            // Whatever stands between the closing quote and the separator
            // is not part of the value.
            while (i < n && s[i] != u',' && !isLineEnd(s[i]))
                ++i;
        } else {
            const qsizetype start = i;
            while (i < n && s[i] != u',' && !isLineEnd(s[i]))
                ++i;
            field.text = s.mid(start, i - start).trimmed();
        }
        m_fields.push_back(field);
        fieldPending = false;
        if (i < n && s[i] == u',') {
            fieldPending = true;
            ++i;
        }
    }
    if (fieldPending)
        m_fields.push_back(Field{});
}

const Field *Reader::take()
{
    if (m_next >= m_fields.size())
        return nullptr;
    return &m_fields[m_next++];
}

QString Reader::text(const QString &fallback)
{
    const Field *f = take();
    return f ? f->text : fallback;
}

namespace {
bool toNumber(const QString &text, double &out)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return false;
    bool ok = false;
    out = t.toDouble(&ok); // "." decimal point, independent of the locale
    return ok && std::isfinite(out);
}
} // namespace

std::int64_t Reader::integer(std::int64_t fallback)
{
    const Field *f = take();
    if (!f)
        return fallback;
    bool ok = false;
    const qlonglong whole = f->text.trimmed().toLongLong(&ok);
    if (ok)
        return whole;
    double number = 0;
    if (!toNumber(f->text, number) || std::fabs(number) > 9.0e18)
        return fallback;
    return static_cast<std::int64_t>(std::nearbyint(number));
}

float Reader::single(float fallback)
{
    const Field *f = take();
    double number = 0;
    if (!f || !toNumber(f->text, number) || std::fabs(number) > 3.4e38)
        return fallback;
    return float(number);
}

bool Reader::boolean(bool fallback)
{
    const Field *f = take();
    if (!f)
        return fallback;
    const QString t = f->text.trimmed();
    if (t.compare(QLatin1String("#TRUE#"), Qt::CaseInsensitive) == 0
        || t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QLatin1String("#FALSE#"), Qt::CaseInsensitive) == 0
        || t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    double number = 0;
    if (toNumber(t, number))
        return number != 0.0;
    return fallback;
}

QByteArray writePlainLines(const QStringList &lines)
{
    QString text;
    for (const QString &line : lines)
        text += line + QLatin1String("\r\n");
    return encodeText(text);
}

QStringList readPlainLines(const QByteArray &bytes)
{
    const QString s = decodeText(bytes);
    QStringList lines;
    QString current;
    bool open = false;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c == u'\r' || c == u'\n') {
            lines.append(current);
            current.clear();
            open = false;
            if (c == u'\r' && i + 1 < s.size() && s[i + 1] == u'\n')
                ++i;
        } else {
            current += c;
            open = true;
        }
    }
    if (open)
        lines.append(current);
    return lines;
}

} // namespace valuelist

} // namespace base
