#include "base/Dates.h"

#include <QRegularExpression>
#include <cmath>

namespace base {

namespace dates {

namespace {
const QDate kEpoch(1899, 12, 30);
constexpr double kMsPerDay = 86400000.0;
} // namespace

double toDayCount(const QDate &day)
{
    return double(kEpoch.daysTo(day));
}

double toDayCount(const QDateTime &moment)
{
    const double days = double(kEpoch.daysTo(moment.date()));
    const double fraction = double(moment.time().msecsSinceStartOfDay()) / kMsPerDay;
    return days >= 0 ? days + fraction : days - fraction;
}

QDateTime fromDayCount(double count)
{
    if (!std::isfinite(count) || count > 2958465.0 || count < -657434.0)
        return QDateTime(); // outside 100-01-01 .. 9999-12-31
    const double whole = std::trunc(count);
    double fraction = std::fabs(count - whole);
    qint64 ms = qint64(std::llround(fraction * kMsPerDay));
    qint64 days = qint64(whole);
    if (ms >= qint64(kMsPerDay)) {
        ms -= qint64(kMsPerDay);
        days += count >= 0 ? 1 : -1;
    }
    return QDateTime(kEpoch.addDays(days), QTime::fromMSecsSinceStartOfDay(int(ms)));
}

QString shortDatePattern(const QLocale &locale)
{
    QString pattern = locale.dateFormat(QLocale::ShortFormat);
    // Compiled once: dates are read and written by the thousand.
    static const QRegularExpression years(QStringLiteral("y+"));
    if (!pattern.contains(QLatin1String("yyyy")))
        pattern.replace(years, QStringLiteral("yyyy"));
    return pattern;
}

QString toShortDateText(const QDate &day, const QLocale &locale)
{
    return locale.toString(day, shortDatePattern(locale));
}

std::optional<QDate> parseShortDate(const QString &text, const QLocale &locale)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    QDate d = locale.toDate(t, shortDatePattern(locale));
    if (d.isValid())
        return d;
    // The locale's own two-digit form, read with a fixed century window so a
    // stored date never jumps a hundred years.
    const QString shortPattern = locale.dateFormat(QLocale::ShortFormat);
    d = locale.toDate(t, shortPattern);
    if (d.isValid()) {
        if (!shortPattern.contains(QLatin1String("yyyy")) && d.year() < 1930)
            d = d.addYears(100);
        return d;
    }
    d = QDate::fromString(t, Qt::ISODate);
    if (d.isValid())
        return d;
    return std::nullopt;
}

} // namespace dates

} // namespace base
