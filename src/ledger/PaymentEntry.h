#pragma once
// What a payment entered by hand may be, and how it is written: the rules
// the payment screen checks before a payment joins the batch, kept here so
// a test and any later caller use the same ones.
#include "base/Money.h"
#include "ledger/Ledger.h"
#include "ledger/PaymentBatch.h"

#include <QDate>
#include <QLocale>
#include <QString>
#include <optional>

namespace ledger {

inline const QString kInvalidAmountTitle = QStringLiteral("Invalid Amount");

// Why an amount cannot be entered as a payment, or nothing when it can: a
// ledger keeps amounts positive, in at most ten characters.
std::optional<QString> paymentAmountProblem(base::Money amount, const QLocale &locale);

// How the payment was made: "Check# <number>" for a check number (blanks
// at either end dropped), "Cash" for none.
QString paymentMethod(const QString &checkNo);

// The ledger text of a payment ("Payment Cash", "Payment Check# 1204"); a
// payment with no method recorded was cash.
QString paymentText(const QString &method);

// The payment as it goes to the account's ledger and the journal. The
// amount must have passed paymentAmountProblem.
Payment makePayment(const OpenAccount &account, base::Money amount, const QString &method, const QDate &date,
                    const QLocale &locale);

} // namespace ledger
