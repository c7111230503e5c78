#pragma once
// What may be kept in the catalogue: the ranges of an item's number boxes
// and the width of a service charge. Each rule returns the problem for the
// screen to show, or nothing, so the services screen, the billing run and
// the tests judge a value the same way.
#include "base/Money.h"

#include <QLocale>
#include <QString>
#include <optional>

namespace catalog {

inline const QString kInvalidNumberTitle = QStringLiteral("Invalid Number");
inline const QString kChargeTooLargeTitle = QStringLiteral("Charge Too Large");
inline const QString kInvalidChargeTitle = QStringLiteral("Invalid Charge");

// Why a typed amount cannot be kept: `what` ("charge", "sell price") is not
// an amount of money.
QString notAnAmountText(const QString &what, const QString &typed);

// The boxes of an item that hold a number, each stored in a field of its own
// size: the cost as money, the discount quantity in 32 bits, the counts in 16.
enum class ItemNumber { Cost, DiscountQty, OnHand, ReorderAmount, ReorderAt };

// Why the text cannot be stored in that box's field, or nothing when it can.
// A blank box is accepted: it is stored as 0.
std::optional<QString> itemNumberProblem(ItemNumber box, const QString &text, const QLocale &locale);

// Why a service charge cannot be kept: its currency text must fit the
// record's ten characters (a charge is never cut to another amount).
std::optional<QString> chargeProblem(base::Money charge, const QLocale &locale);

} // namespace catalog
