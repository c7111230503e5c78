#include "base/FieldRoutines.h"

#include "base/Money.h"

namespace base {

namespace fields {

QChar moneyKeyFilter(QChar key, const QString &boxText)
{
    if (key == u'0' && boxText.isEmpty())
        return QChar();
    if (key == u'.' && boxText.contains(u'.'))
        return QChar();
    if (QStringLiteral("0123456789.").contains(key))
        return key;
    return QChar();
}

bool isNumericText(const QString &text, const QLocale &locale)
{
    if (Money::parse(text, locale))
        return true;
    bool ok = false;
    const QString t = text.trimmed();
    t.toDouble(&ok);
    if (!ok)
        locale.toDouble(t, &ok);
    return ok;
}

QString invalidKeyText(QChar key)
{
    return QStringLiteral("This character, (") + key + QStringLiteral(") is invalid for this field");
}

std::optional<QString> unquotableText(std::initializer_list<NamedText> texts)
{
    for (const NamedText &t : texts) {
        if (t.text.contains(u'"'))
            return invalidKeyText(u'"') + QStringLiteral(": %1.\nNothing was saved.").arg(QString::fromLatin1(t.field));
    }
    return std::nullopt;
}

QChar textKeyFilter(QChar key, const QString &boxText, Prompt &prompt, const QLocale &locale)
{
    if (key.unicode() == kBackspace)
        return key;
    if (isNumericText(boxText, locale))
        return key;
    static const QString refused = QStringLiteral(",&.\\*/?");
    if (refused.contains(key)) {
        prompt.beep();
        prompt.message(invalidKeyText(key), QString::fromLatin1(kInvalidKeyTitle));
        return QChar();
    }
    return key;
}

QString fullName(const QString &title, const QString &first, const QString &middle, const QString &last)
{
    QString name;
    if (const QString t = title.trimmed(); !t.isEmpty())
        name += t + u' ';
    if (const QString f = first.trimmed(); !f.isEmpty())
        name += f + u' ';
    if (const QString m = middle.trimmed(); !m.isEmpty())
        name += m + QLatin1String(". ");
    name += last.trimmed();
    return name;
}

void showCalendarInvalid(Prompt &prompt, const QString &appTitle)
{
    prompt.message(QString::fromLatin1(kCalendarInvalidText), appTitle);
}

void showMessage(Prompt &prompt, const QString &text, const QString &title)
{
    prompt.message(text, title);
}

} // namespace fields

} // namespace base
