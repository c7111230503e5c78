#pragma once
// An amount of money held exactly as a signed count of ten-thousandths, the
// form the record files store. Amounts are added, subtracted and multiplied
// by counts without any rounding; only a conversion from a floating-point
// value (a computed tax) and the two-decimal display round.
#include <QLocale>
#include <QString>
#include <cstdint>
#include <optional>

namespace base {

class Money {
public:
    static constexpr std::int64_t kScale = 10000;
    // The largest amount held, in ten-thousandths ($400 trillion). Every
    // amount is kept within it, so sums of two, negation and rounding can
    // never leave the 64-bit range, whatever a damaged file holds: a value
    // past it is held as the limit (saturated), never wrapped.
    static constexpr std::int64_t kMaxRaw = 4'000'000'000'000'000'000;

    constexpr Money() = default;
    static constexpr Money fromRaw(std::int64_t tenThousandths) { return Money(tenThousandths); }
    static constexpr Money fromCents(std::int64_t cents) { return Money(scaled(cents, 100)); }
    // Rounds to the nearest ten-thousandth, a half going to the even
    // neighbour; an amount past a trillion or not finite gives zero.
    static Money fromDouble(double amount);

    // Reads currency text ("$1,234.50", "($5.00)", "-$5.00", "5.00-") in the
    // given locale, or plain decimal text with "." ("1234.5", "-0.0001").
    // Digits past the fourth decimal are rounded half to even. Empty text,
    // text with anything else in it, or an amount past the 64-bit range
    // gives nothing, as does one past the largest amount.
    static std::optional<Money> parse(const QString &text, const QLocale &locale);

    constexpr std::int64_t raw() const { return m_raw; }
    double toDouble() const { return double(m_raw) / double(kScale); }
    constexpr bool isZero() const { return m_raw == 0; }

    // The system currency with two decimals (negative amounts as the locale
    // shows them, "($5.00)" in the United States); a half cent rounds away
    // from zero, as the display of amounts always has.
    QString toCurrencyText(const QLocale &locale) const;
    // Plain decimal text with "." and up to four decimals, no grouping and
    // no trailing zeros: "12.5", "-3", "0.0001".
    QString toPlainText() const;

    constexpr Money operator+(Money o) const { return Money(m_raw + o.m_raw); }
    constexpr Money operator-(Money o) const { return Money(m_raw - o.m_raw); }
    constexpr Money operator-() const { return Money(-m_raw); }
    constexpr Money operator*(std::int64_t count) const { return Money(scaled(m_raw, count)); }
    Money &operator+=(Money o) { return *this = *this + o; }
    Money &operator-=(Money o) { return *this = *this - o; }
    constexpr auto operator<=>(const Money &) const = default;
    // The amount is at the limit: it was saturated, or is as large as any
    // amount can be.
    constexpr bool isAtLimit() const { return m_raw == kMaxRaw || m_raw == -kMaxRaw; }

private:
    constexpr explicit Money(std::int64_t raw) : m_raw(raw > kMaxRaw ? kMaxRaw : raw < -kMaxRaw ? -kMaxRaw : raw) {}
    // a * b, held at the limit instead of overflowing.
    static constexpr std::int64_t scaled(std::int64_t a, std::int64_t b)
    {
        std::int64_t product = 0;
        if (__builtin_mul_overflow(a, b, &product))
            return (a < 0) != (b < 0) ? -kMaxRaw : kMaxRaw;
        return product;
    }
    std::int64_t m_raw = 0;
};

// Money::parse for many amounts in one locale: the locale's symbol and
// separators looked up once, the text read in place.
class MoneyReader {
public:
    explicit MoneyReader(const QLocale &locale);
    std::optional<Money> parse(QStringView text) const;

private:
    QString m_symbol;
    QChar m_decimalPoint;
    QChar m_group;
};

} // namespace base
