#pragma once
// Dates as the record files hold them (an 8-byte day count from 30 December
// 1899, the fraction being the time of day) and as the text files and
// screens show them (the system's short date, always with a four-digit year).
#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <optional>

namespace base {

namespace dates {

// The day count of a moment. Before the epoch the whole days count down and
// the fraction still counts the time forward (-1.25 is 29 December 1899,
// 06:00), as the stored format has always had it.
double toDayCount(const QDateTime &moment);
double toDayCount(const QDate &day);
QDateTime fromDayCount(double count);

// The short-date pattern of the locale with its year widened to four digits.
QString shortDatePattern(const QLocale &locale);
QString toShortDateText(const QDate &day, const QLocale &locale);
// Reads short-date text written by toShortDateText; a two-digit year is
// taken as 1930-2029. Anything else gives nothing.
std::optional<QDate> parseShortDate(const QString &text, const QLocale &locale);

} // namespace dates

} // namespace base
