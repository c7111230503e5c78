#pragma once
// Small routines shared by many screens: keystroke filters for entry boxes,
// the display name of a person, and two standard messages. They hold no
// state; a screen passes the key and the box's current text.
#include "base/Prompt.h"

#include <QChar>
#include <QLocale>
#include <QString>

namespace base {

namespace fields {

constexpr char16_t kBackspace = 8;

// The key to accept, or a null QChar to swallow it. For amounts: digits and
// one decimal point, and no leading zero in an empty box. The caller lets
// backspace through without asking.
QChar moneyKeyFilter(QChar key, const QString &boxText);

// The key to accept, or a null QChar after telling the user that the
// character is not allowed. The seven characters refused are those that
// would break a name or a file: , & . \ * / ?  A box holding a number takes
// any key unchecked.
QChar textKeyFilter(QChar key, const QString &boxText, Prompt &prompt, const QLocale &locale);
QString invalidKeyText(QChar key);
inline constexpr const char *kInvalidKeyTitle = "Invalid Key entry";

// The system's numeric test: blanks around, a sign, grouping, a currency
// sign, a decimal point and an exponent are allowed.
bool isNumericText(const QString &text, const QLocale &locale);

// "Mr", "John", "Q", "Smith" gives "Mr John Q. Smith"; empty parts are left out.
QString fullName(const QString &title, const QString &first, const QString &middle, const QString &last);

inline constexpr const char *kCalendarInvalidText = "Your Calendar Selection is Invalid";
void showCalendarInvalid(Prompt &prompt, const QString &appTitle);
void showMessage(Prompt &prompt, const QString &text, const QString &title);

} // namespace fields

} // namespace base
