#include "base/Dates.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace base;

TEST(Dates, DayCountBothWays)
{
    struct Case {
        QDateTime moment;
        double count;
    };
    const Case cases[] = {
        {QDateTime(QDate(1899, 12, 30), QTime(0, 0)), 0.0},
        {QDateTime(QDate(1900, 1, 1), QTime(0, 0)), 2.0},
        {QDateTime(QDate(2026, 12, 6), QTime(0, 0)), 46362.0},
        {QDateTime(QDate(2026, 12, 6), QTime(18, 0)), 46362.75},
        {QDateTime(QDate(1899, 12, 29), QTime(6, 0)), -1.25},
    };
    for (const Case &c : cases) {
        EXPECT_DOUBLE_EQ(dates::toDayCount(c.moment), c.count) << c.moment.toString().toStdString();
        EXPECT_EQ(dates::fromDayCount(c.count), c.moment) << c.count;
    }
    EXPECT_FALSE(dates::fromDayCount(std::nan("")).isValid());
    EXPECT_FALSE(dates::fromDayCount(1e300).isValid());
}

TEST(Dates, ShortDateTextHasFourDigitYear)
{
    const QLocale us = usLocale();
    EXPECT_EQ(dates::toShortDateText(QDate(2026, 3, 4), us), QStringLiteral("3/4/2026"));
    EXPECT_EQ(dates::toShortDateText(QDate(1999, 12, 31), us), QStringLiteral("12/31/1999"));
    EXPECT_EQ(dates::parseShortDate(QStringLiteral("3/4/2026"), us), QDate(2026, 3, 4));
    EXPECT_EQ(dates::parseShortDate(QStringLiteral(" 12/31/1999 "), us), QDate(1999, 12, 31));
    // A two-digit year from an old file: 1930-2029.
    EXPECT_EQ(dates::parseShortDate(QStringLiteral("3/4/26"), us), QDate(2026, 3, 4));
    EXPECT_EQ(dates::parseShortDate(QStringLiteral("3/4/45"), us), QDate(1945, 3, 4));
    EXPECT_FALSE(dates::parseShortDate(QStringLiteral("13/45/2026"), us).has_value());
    EXPECT_FALSE(dates::parseShortDate(QString(), us).has_value());

    const QLocale german(QLocale::German, QLocale::Germany);
    const QString text = dates::toShortDateText(QDate(2026, 3, 4), german);
    EXPECT_TRUE(text.contains(QStringLiteral("2026"))) << text.toStdString();
    EXPECT_EQ(dates::parseShortDate(text, german), QDate(2026, 3, 4));
}
