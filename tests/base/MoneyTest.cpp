#include "base/Money.h"

#include "support/TestSupport.h"

#include <cmath>
#include <limits>
#include <gtest/gtest.h>

using namespace base;

TEST(Money, ParsesCurrencyAndPlainText)
{
    struct Case {
        const char *text;
        std::int64_t raw; // ten-thousandths; INT64_MIN means "refused"
    };
    constexpr std::int64_t refused = INT64_MIN;
    const Case cases[] = {
        {"$1,234.50", 12345000},   {"1234.5", 12345000},     {"($5.00)", -50000},
        {"-$5.00", -50000},        {"$-5.00", -50000},       {"5.00-", -50000},
        {"  $0.00 ", 0},           {"0.0001", 1},            {"-0.0001", -1},
        {"12.34565", 123456},      {"12.34575", 123458},     {"12.345651", 123457},
        {"1,000", 10000000},       {"", refused},            {"$", refused},
        {"abc", refused},          {"1.2.3", refused},       {"12a", refused},
        {",5", refused},           {"99999999999999999999", refused},
    };
    for (const Case &c : cases) {
        const auto parsed = Money::parse(QString::fromLatin1(c.text), usLocale());
        if (c.raw == refused) {
            EXPECT_FALSE(parsed.has_value()) << c.text;
        } else {
            ASSERT_TRUE(parsed.has_value()) << c.text;
            EXPECT_EQ(parsed->raw(), c.raw) << c.text;
        }
    }
}

TEST(Money, FormatsAsCurrencyAndPlainDecimal)
{
    struct Case {
        std::int64_t raw;
        const char *currency;
        const char *plain;
    };
    const Case cases[] = {
        {12345000, "$1,234.50", "1234.5"}, {0, "$0.00", "0"},        {1, "$0.00", "0.0001"},
        {50, "$0.01", "0.005"},            {-50, "($0.01)", "-0.005"}, {-50000, "($5.00)", "-5"},
        {10000000000, "$1,000,000.00", "1000000"}, {12349, "$1.23", "1.2349"},
    };
    for (const Case &c : cases) {
        const Money m = Money::fromRaw(c.raw);
        EXPECT_EQ(m.toCurrencyText(usLocale()), QString::fromLatin1(c.currency)) << c.raw;
        EXPECT_EQ(m.toPlainText(), QString::fromLatin1(c.plain)) << c.raw;
        // Whatever is written reads back as the same amount (plain text exactly).
        EXPECT_EQ(Money::parse(m.toPlainText(), usLocale())->raw(), c.raw);
    }
}

TEST(Money, FromDoubleRoundsHalfToEven)
{
    EXPECT_EQ(Money::fromDouble(0.00005).raw(), 0);   // 0.5 ten-thousandths: to even 0
    EXPECT_EQ(Money::fromDouble(0.00015).raw(), 2);   // 1.5 to 2
    EXPECT_EQ(Money::fromDouble(0.00025).raw(), 2);   // 2.5 to 2
    EXPECT_EQ(Money::fromDouble(-0.00015).raw(), -2);
    EXPECT_EQ(Money::fromDouble(19.99).raw(), 199900);
    EXPECT_EQ(Money::fromDouble(100.0 * 7.5 / 100.0).raw(), 75000);
    EXPECT_EQ(Money::fromDouble(12.34565).raw(), 123456);
    EXPECT_EQ(Money::fromDouble(12.34575).raw(), 123458);
    EXPECT_EQ(Money::fromDouble(1e-9).raw(), 0);
    EXPECT_EQ(Money::fromDouble(std::nan("")).raw(), 0);
}

TEST(Money, ArithmeticIsExact)
{
    // Adding a tenth of a cent ten thousand times stays exact, where a
    // binary fraction would drift.
    Money sum;
    for (int i = 0; i < 10000; ++i)
        sum += Money::fromRaw(10);
    EXPECT_EQ(sum.raw(), 100000);
    EXPECT_EQ((Money::fromCents(1999) * 3).toPlainText(), QStringLiteral("59.97"));
    EXPECT_EQ((Money::fromCents(500) - Money::fromCents(725)).toCurrencyText(usLocale()), QStringLiteral("($2.25)"));
}

TEST(Money, ExtremeValuesFromADamagedFileAreHeldAtTheLimit)
{
    const Money top = Money::fromRaw(Money::kMaxRaw);
    const std::int64_t extremes[] = {std::numeric_limits<std::int64_t>::min(), std::numeric_limits<std::int64_t>::max(),
                                     Money::kMaxRaw + 1, -Money::kMaxRaw - 1};
    for (std::int64_t raw : extremes) {
        const Money m = Money::fromRaw(raw);
        EXPECT_TRUE(m.isAtLimit()) << raw;
        // Display, negation, sums and products stay defined and at the limit.
        EXPECT_FALSE(m.toCurrencyText(usLocale()).isEmpty());
        EXPECT_FALSE((-m).toPlainText().isEmpty());
        EXPECT_TRUE((m + m).isAtLimit());
        EXPECT_TRUE((m * 1000).isAtLimit());
        EXPECT_TRUE((m * -1000).isAtLimit());
    }
    EXPECT_EQ(Money::fromRaw(std::numeric_limits<std::int64_t>::max()), top);
    EXPECT_EQ(Money::fromCents(std::numeric_limits<std::int64_t>::min()), -top);
    Money sum;
    for (int i = 0; i < 5; ++i)
        sum += top; // a ledger of very large amounts
    EXPECT_EQ(sum, top);
    // Past the largest amount, text is not an amount at all.
    EXPECT_FALSE(Money::parse(QStringLiteral("500000000000000"), usLocale()));
    EXPECT_TRUE(Money::parse(QStringLiteral("400000000000000"), usLocale()));
}
