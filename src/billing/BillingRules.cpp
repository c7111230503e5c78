#include "billing/BillingRules.h"


using namespace base;

namespace billing {

const QStringList &frequencyNames()
{
    static const QStringList names = {QStringLiteral("Monthly"), QStringLiteral("Quarterly"),
                                      QStringLiteral("Semi-Annually"), QStringLiteral("Annually"),
                                      QStringLiteral("All"), QStringLiteral("None")};
    return names;
}

const QStringList &monthAbbreviations()
{
    static const QStringList names = {QStringLiteral("Jan"), QStringLiteral("Feb"), QStringLiteral("Mar"),
                                      QStringLiteral("Apr"), QStringLiteral("May"), QStringLiteral("Jun"),
                                      QStringLiteral("Jul"), QStringLiteral("Aug"), QStringLiteral("Sep"),
                                      QStringLiteral("Oct"), QStringLiteral("Nov"), QStringLiteral("Dec")};
    return names;
}

const QStringList &monthNames()
{
    static const QStringList names = {QStringLiteral("January"),   QStringLiteral("February"), QStringLiteral("March"),
                                      QStringLiteral("April"),     QStringLiteral("May"),      QStringLiteral("June"),
                                      QStringLiteral("July"),      QStringLiteral("August"),   QStringLiteral("September"),
                                      QStringLiteral("October"),   QStringLiteral("November"), QStringLiteral("December")};
    return names;
}

bool isDue(int f, int m, int b, int s)
{
    if (f == AllAccounts)
        return true;
    if (f == NoneMode)
        return b == 4;
    if (b != f)
        return false;
    const int d = m - s;
    switch (f) {
    case Monthly: return true;
    case Quarterly: return d == 0 || d == 3 || d == -3 || d == 6 || d == -6 || d == 9 || d == -9;
    case SemiAnnually: return d == 0 || d == 6 || d == -6;
    case Annually: return d == 0;
    default: return false;
    }
}

Money priceItem(Money price, int discountQty, Money discountPrice, int units)
{
    const Money unit = discountQty != 0 && units > discountQty ? discountPrice : price;
    return Money::fromRaw(unit.raw() * units);
}

std::optional<int> readUnits(const QString &text)
{
    bool ok = false;
    const int units = text.trimmed().toInt(&ok);
    if (!ok || units < 1 || units > 32767)
        return std::nullopt;
    return units;
}

Money sumItems(const QList<Money> &lineTotals)
{
    Money sum;
    for (Money line : lineTotals) {
        sum = sum + line;
        // To whole cents, a half cent away from zero, as the currency text
        // of the sum reads back.
        const std::int64_t raw = sum.raw();
        const std::int64_t cents = (raw >= 0 ? raw + 50 : raw - 50) / 100;
        sum = Money::fromRaw(cents * 100);
    }
    return sum;
}

namespace {
// A rate box: its leading decimal number ("6.5%" is 6.5); refused when it
// does not begin with a number or is below zero. An empty box is 0.
std::optional<double> readRate(const QString &text)
{
    if (setup::taxRateQuestion(text) || setup::taxRateValue(text) < 0)
        return std::nullopt;
    return setup::taxRateValue(text);
}
} // namespace

std::optional<TaxRates> readTaxRates(const setup::BusinessValues &v, const QLocale &locale, QString *problem)
{
    TaxRates r;
    r.taxed = v.taxServicesAndItems == 1;
    r.graduated = v.applyGraduatedTax == 1;
    r.second = v.apply2ndTax == 1;
    if (!r.taxed)
        return r;
    auto fail = [&](const QString &why) {
        if (problem)
            *problem = why;
        return std::nullopt;
    };
    const std::optional<double> rate1 = readRate(v.taxRate1), rate2 = readRate(v.taxRate2);
    if (!rate1)
        return fail(QStringLiteral("the tax rate \"%1\" is not a number").arg(v.taxRate1));
    if (!rate2)
        return fail(QStringLiteral("the tax rate \"%1\" is not a number").arg(v.taxRate2));
    r.rate1 = *rate1;
    r.rate2 = *rate2;
    if (r.graduated) {
        const std::optional<Money> limit = Money::parse(v.graduatedLimit, locale);
        const std::optional<Money> surcharge = Money::parse(v.graduatedSurcharge, locale);
        if (!limit || limit->raw() < 0)
            return fail(QStringLiteral("the graduated tax limit \"%1\" is not an amount").arg(v.graduatedLimit));
        if (!surcharge || surcharge->raw() < 0)
            return fail(QStringLiteral("the graduated surcharge \"%1\" is not an amount").arg(v.graduatedSurcharge));
        r.limit = *limit;
        r.surcharge = *surcharge;
    }
    return r;
}

Taxes computeTaxes(Money subtotal, const TaxRates &r)
{
    Taxes t;
    if (!r.taxed)
        return t;
    auto percent = [&](double rate) { return Money::fromDouble(subtotal.toDouble() * rate / 100.0); };
    if (!r.graduated) {
        t.tax1 = percent(r.rate1);
        if (r.second)
            t.tax2 = percent(r.rate2);
    } else if (subtotal > r.limit) {
        t.tax1 = percent(r.rate2);
        t.tax2 = r.surcharge;
    } else {
        t.tax1 = percent(r.rate1);
    }
    return t;
}

} // namespace billing
