#include "catalog/CatalogRules.h"

#include "catalog/CatalogRecords.h"

using namespace base;

namespace catalog {

namespace {

QString refused(const QString &what, const QString &range, const QString &text)
{
    return QStringLiteral("%1 must be %2.\n\"%3\" cannot be used.").arg(what, range, text);
}

} // namespace

std::optional<QString> itemNumberProblem(ItemNumber box, const QString &text, const QLocale &locale)
{
    if (text.trimmed().isEmpty())
        return std::nullopt;
    const QString whole16 = QStringLiteral("a whole number from -32,768 to 32,767");
    switch (box) {
    case ItemNumber::Cost:
        if (Money::parse(text, locale))
            return std::nullopt;
        return refused(QStringLiteral("The cost per unit"), QStringLiteral("an amount of money"), text);
    case ItemNumber::DiscountQty:
        if (parseInt32(text, locale))
            return std::nullopt;
        return refused(QStringLiteral("The discount quantity"), QStringLiteral("a whole number from 0 to 2,147,483,647"),
                       text);
    case ItemNumber::OnHand:
        if (parseInt16(text, locale))
            return std::nullopt;
        return refused(QStringLiteral("The units on hand"), whole16, text);
    case ItemNumber::ReorderAmount:
        if (parseInt16(text, locale))
            return std::nullopt;
        return refused(QStringLiteral("The reorder amount"), whole16, text);
    case ItemNumber::ReorderAt:
        if (parseInt16(text, locale))
            return std::nullopt;
        return refused(QStringLiteral("The reorder level"), whole16, text);
    }
    return std::nullopt;
}

QString notAnAmountText(const QString &what, const QString &typed)
{
    return QStringLiteral("The %1 \"%2\" is not an amount of money.\nEnter the %1 as an amount, such as 25.00.")
        .arg(what, typed);
}

std::optional<QString> chargeProblem(Money charge, const QLocale &locale)
{
    const QString text = charge.toCurrencyText(locale);
    if (text.size() <= ServiceRecord::kChargeWidth)
        return std::nullopt;
    return QStringLiteral("The charge %1 is too large to be kept.\nA service charge may be at most %2 characters as "
                          "currency, such as %3.")
        .arg(text)
        .arg(ServiceRecord::kChargeWidth)
        .arg(Money::fromCents(9999999).toCurrencyText(locale));
}

} // namespace catalog
