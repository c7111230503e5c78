#include "setup/BusinessSettings.h"

#include "base/FieldRoutines.h"
#include "base/Money.h"

using namespace base;

namespace setup {

BusinessValues BusinessValues::defaults(const QLocale &locale)
{
    BusinessValues v;
    v.graduatedLimit = Money().toCurrencyText(locale);
    v.graduatedSurcharge = v.graduatedLimit;
    return v;
}

AddressStyle addressStyleForZip(const QString &zip, const QLocale &locale)
{
    return fields::isNumericText(zip, locale) ? AddressStyle::USA : AddressStyle::International;
}

QString addressStyleCaption(AddressStyle style)
{
    return style == AddressStyle::USA ? QStringLiteral("USA Style Address")
                                      : QStringLiteral("International Style Address");
}

namespace {

// The length of the number a rate text begins with (a sign, digits, one
// point), or 0 when it holds no digit there.
qsizetype leadingNumber(const QString &t)
{
    qsizetype end = 0;
    if (end < t.size() && (t[end] == u'-' || t[end] == u'+'))
        ++end;
    bool point = false, digit = false;
    for (; end < t.size(); ++end) {
        const QChar c = t[end];
        if (c.isDigit() && c.unicode() < 128)
            digit = true;
        else if (c == u'.' && !point)
            point = true;
        else
            break;
    }
    return digit ? end : 0;
}

} // namespace

double taxRateValue(const QString &rate)
{
    const QString t = rate.trimmed();
    const qsizetype end = leadingNumber(t);
    return end == 0 ? 0.0 : t.left(end).toDouble();
}

std::optional<QString> taxRateQuestion(const QString &rate)
{
    const QString t = rate.trimmed();
    if (t.isEmpty() || leadingNumber(t) > 0)
        return std::nullopt;
    return QStringLiteral("The tax rate \"%1\" does not begin with a number, so it counts as 0 % when an invoice is "
                          "taxed.\nSave it anyway?")
        .arg(t);
}

const QStringList &taxRateChoices()
{
    static const QStringList rates = {QStringLiteral("4.0"), QStringLiteral("5.0"), QStringLiteral("6.0"),
                                      QStringLiteral("7.0"), QStringLiteral("5,0"), QStringLiteral("6,0"),
                                      QStringLiteral("7,0")};
    return rates;
}

const QStringList &taxHeadingChoices()
{
    static const QStringList headings = {QStringLiteral("Sales Tax"), QStringLiteral("County Tax"),
                                         QStringLiteral("Tax"),       QStringLiteral("Taxes"),
                                         QStringLiteral("VAT Tax"),   QStringLiteral("Provincial Tax"),
                                         QStringLiteral("GST")};
    return headings;
}

BusinessSettings::BusinessSettings(const QLocale &locale, QObject *parent)
    : QObject(parent), m_values(BusinessValues::defaults(locale))
{
}

void BusinessSettings::setValues(const BusinessValues &values)
{
    if (values == m_values)
        return;
    m_values = values;
    Q_EMIT changed();
}

} // namespace setup
