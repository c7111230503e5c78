#include "ledger/PaymentEntry.h"

using namespace base;

namespace ledger {

std::optional<QString> paymentAmountProblem(Money amount, const QLocale &locale)
{
    if (amount >= Money() && storedAmountText(amount, locale))
        return std::nullopt;
    return QStringLiteral("The amount %1 cannot be entered.\nA payment is a positive amount of at most %2.")
        .arg(amount.toCurrencyText(locale), Money::fromCents(999999999).toPlainText());
}

QString paymentMethod(const QString &checkNo)
{
    const QString number = checkNo.trimmed();
    return number.isEmpty() ? QStringLiteral("Cash") : QStringLiteral("Check# ") + number;
}

QString paymentText(const QString &method)
{
    return QStringLiteral("Payment ") + (method.isEmpty() ? QStringLiteral("Cash") : method);
}

Payment makePayment(const OpenAccount &account, Money amount, const QString &method, const QDate &date,
                    const QLocale &locale)
{
    const QString stored = storedAmountText(amount, locale).value_or(QString());
    return {account.ledgerFile, makeEntry(account.acctNo, account.acctName, stored, paymentText(method), date, locale)};
}

} // namespace ledger
