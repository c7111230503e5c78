#pragma once
// The rules of a billing run that need no file: which accounts are due, an
// account's billed name, pricing an item with its quantity discount, the
// items total, and the two taxes.
#include "base/Money.h"
#include "setup/BusinessSettings.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace billing {

// Frequency codes: the entries of the frequency list, in order.
enum Frequency { Monthly = 0, Quarterly, SemiAnnually, Annually, AllAccounts, NoneMode };
const QStringList &frequencyNames();
const QStringList &monthAbbreviations(); // "Jan" .. "Dec"
const QStringList &monthNames();         // "January" .. "December"

// Due in month m (0 = January) for an account of billing mode b and start
// month s. Months are compared as indexes, without wrapping beyond the
// listed differences; a start month of -1 compares like any value.
bool isDue(int frequency, int month, int billingMode, int startMonth);

// A line total: the unit price, or the discount price when the units are
// strictly more than a discount quantity other than 0, times the units.
base::Money priceItem(base::Money price, int discountQty, base::Money discountPrice, int units);
// Units of a sales item for one invoice: a whole number from 1 to 32,767
// (they go into a 16-bit field); nothing otherwise.
std::optional<int> readUnits(const QString &text);

// The running sum of the line totals, rounded to cents after each line as
// the currency text of it reads back (a half cent away from zero).
base::Money sumItems(const QList<base::Money> &lineTotals);

struct Taxes {
    base::Money tax1, tax2;
    base::Money total(base::Money subtotal) const { return subtotal + tax1 + tax2; }
};
// The tax settings read as numbers, or why they cannot be: a rate or a
// graduated amount that does not read, or is below zero.
struct TaxRates {
    bool taxed = false, graduated = false, second = false;
    double rate1 = 0, rate2 = 0;
    base::Money limit, surcharge;
};
std::optional<TaxRates> readTaxRates(const setup::BusinessValues &values, const QLocale &locale, QString *problem);
// Flat: rate 1 (and rate 2 when the second tax applies) on the subtotal.
// Graduated: above the limit, rate 2 on the whole subtotal and the
// surcharge as the second tax; else rate 1. Each tax is computed in
// floating point and kept to four decimals, a half going to the even one.
Taxes computeTaxes(base::Money subtotal, const TaxRates &rates);

} // namespace billing
