#pragma once
// Small routines shared by many screens: keystroke filters for entry boxes,
// the display name of a person, and two standard messages. They hold no
// state; a screen passes the key and the box's current text.
#include "base/Prompt.h"

#include <QChar>
#include <QLocale>
#include <QString>
#include <initializer_list>
#include <optional>

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

// A text bound for a quoted value-list file that holds a double quote: the
// other readers of those files take a line apart at every quote, so it
// would shift each later value. The message names the field; nothing when
// every text can be written. However a text reached its box (typed, pasted,
// set by an assistive tool), this is what decides whether it is saved.
struct NamedText {
    const char *field;
    const QString &text;
};
std::optional<QString> unquotableText(std::initializer_list<NamedText> texts);
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
