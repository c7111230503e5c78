#include "base/Money.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace base {

Money Money::fromDouble(double amount)
{
    // Rounded on the decimal value the double stands for (its shortest
    // exact text), not on the binary product with 10,000: 0.00015 is meant
    // as fifteen hundred-thousandths and rounds to the even 0.0002.
    if (!std::isfinite(amount) || std::fabs(amount) >= 9.0e14)
        return Money();
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, amount, std::chars_format::fixed);
    if (result.ec != std::errc())
        return Money();
    const std::optional<Money> parsed =
        parse(QString::fromLatin1(buffer, int(result.ptr - buffer)), QLocale::c());
    return parsed.value_or(Money());
}

namespace {

// Digits with at most one decimal point; grouping separators are dropped
// where they stand between digits before the decimal point.
std::optional<std::int64_t> parseDigits(QStringView body, QChar decimalPoint, QChar group)
{
    if (body.isEmpty())
        return std::nullopt;
    __int128 whole = 0;
    std::int64_t fraction = 0;
    int fractionDigits = 0;
    bool seenPoint = false, seenDigit = false, roundUp = false, sticky = false;
    int roundDigit = -1;
    for (int i = 0; i < body.size(); ++i) {
        const QChar c = body.at(i);
        if (c.isDigit() && c.unicode() < 128) {
            seenDigit = true;
            const int d = c.unicode() - '0';
            if (!seenPoint) {
                whole = whole * 10 + d;
                if (whole > std::numeric_limits<std::int64_t>::max())
                    return std::nullopt;
            } else if (fractionDigits < 4) {
                fraction = fraction * 10 + d;
                ++fractionDigits;
            } else if (roundDigit < 0) {
                roundDigit = d;
            } else if (d != 0) {
                sticky = true;
            }
        } else if (c == decimalPoint && !seenPoint) {
            seenPoint = true;
        } else if (c == group && !seenPoint && seenDigit && i + 1 < body.size() && body.at(i + 1).isDigit()) {
            continue;
        } else {
            return std::nullopt;
        }
    }
    if (!seenDigit)
        return std::nullopt;
    while (fractionDigits < 4) {
        fraction *= 10;
        ++fractionDigits;
    }
    if (roundDigit > 5 || (roundDigit == 5 && (sticky || (fraction % 2) == 1)))
        roundUp = true;
    __int128 total = whole * Money::kScale + fraction + (roundUp ? 1 : 0);
    if (total > std::numeric_limits<std::int64_t>::max())
        return std::nullopt;
    return static_cast<std::int64_t>(total);
}

} // namespace

std::optional<Money> Money::parse(const QString &text, const QLocale &locale)
{
    return MoneyReader(locale).parse(text);
}

MoneyReader::MoneyReader(const QLocale &locale) : m_symbol(locale.currencySymbol(QLocale::CurrencySymbol))
{
    const QString dp = locale.decimalPoint();
    const QString gs = locale.groupSeparator();
    m_decimalPoint = dp.size() == 1 ? dp.at(0) : QChar(u'.');
    m_group = gs.size() == 1 ? gs.at(0) : QChar(u',');
    if (m_group == m_decimalPoint)
        m_group = QChar();
}

std::optional<Money> MoneyReader::parse(QStringView text) const
{
    QStringView s = text.trimmed();
    bool negative = false;
    if (s.size() >= 2 && s.startsWith(u'(') && s.endsWith(u')')) {
        negative = true;
        s = s.sliced(1, s.size() - 2).trimmed();
    }
    auto takeSign = [&](void) {
        if (s.startsWith(u'-') || s.startsWith(u'+')) {
            negative = negative != s.startsWith(u'-');
            s = s.sliced(1).trimmed();
            return true;
        }
        if (s.endsWith(u'-') || s.endsWith(u'+')) {
            negative = negative != s.endsWith(u'-');
            s = s.chopped(1).trimmed();
            return true;
        }
        return false;
    };
    takeSign();
    bool hadSymbol = false;
    for (QStringView sym : {QStringView(m_symbol), QStringView(u"$")}) {
        if (sym.isEmpty())
            continue;
        if (s.startsWith(sym)) {
            s = s.sliced(sym.size()).trimmed();
            hadSymbol = true;
            break;
        }
        if (s.endsWith(sym)) {
            s = s.chopped(sym.size()).trimmed();
            hadSymbol = true;
            break;
        }
    }
    if (hadSymbol)
        takeSign(); // "$-5.00" as well as "-$5.00"

    std::optional<std::int64_t> raw = parseDigits(s, m_decimalPoint, m_group);
    if (!raw && m_decimalPoint != u'.')
        raw = parseDigits(s, u'.', QChar()); // plain decimal text is always "."
    if (!raw || *raw > Money::kMaxRaw)
        return std::nullopt;
    return Money::fromRaw(negative ? -*raw : *raw);
}

QString Money::toCurrencyText(const QLocale &locale) const
{
    // Round to cents, a half away from zero, in integers so no amount is
    // disturbed by a binary fraction.
    const std::int64_t magnitude = m_raw < 0 ? -m_raw : m_raw;
    std::int64_t cents = (magnitude + 50) / 100;
    if (m_raw < 0)
        cents = -cents;
    const QString symbol = locale.currencySymbol(QLocale::CurrencySymbol);
    return locale.toCurrencyString(double(cents) / 100.0, symbol, 2);
}

QString Money::toPlainText() const
{
    const bool negative = m_raw < 0;
    const std::uint64_t magnitude = negative ? 0 - std::uint64_t(m_raw) : std::uint64_t(m_raw);
    QString text = QString::number(magnitude / kScale);
    std::uint64_t fraction = magnitude % kScale;
    if (fraction != 0) {
        QString digits = QString::number(fraction).rightJustified(4, u'0');
        while (digits.endsWith(u'0'))
            digits.chop(1);
        text += u'.' + digits;
    }
    return negative ? u'-' + text : text;
}

} // namespace base
