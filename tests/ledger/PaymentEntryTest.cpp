// A payment typed on the payment screen: which amounts a ledger can keep,
// and the text and record it is written as.
#include "ledger/PaymentEntry.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace base;
using namespace ledger;

TEST(PaymentEntry, AmountsALedgerCanKeep)
{
    const std::pair<qint64, bool> cases[] = {
        {0, true}, {12000, true}, {999999999, true}, // 9999999.99 fits as plain text
        {-1, false}, {12345678912, false}, // 123456789.12 fits in neither form
    };
    for (auto [cents, ok] : cases) {
        const std::optional<QString> problem = paymentAmountProblem(Money::fromCents(cents), usLocale());
        EXPECT_EQ(!problem, ok) << cents;
        if (problem) {
            EXPECT_TRUE(problem->endsWith(QStringLiteral("A payment is a positive amount of at most 9999999.99.")));
        }
    }
}

TEST(PaymentEntry, MethodTextAndRecord)
{
    EXPECT_EQ(paymentMethod(QStringLiteral(" 5512 ")), QStringLiteral("Check# 5512"));
    EXPECT_EQ(paymentMethod(QStringLiteral("  ")), QStringLiteral("Cash"));
    EXPECT_EQ(paymentText(QString()), QStringLiteral("Payment Cash")); // nothing recorded was cash
    EXPECT_EQ(paymentText(QStringLiteral("Check# 7")), QStringLiteral("Payment Check# 7"));

    OpenAccount account{QStringLiteral("/BVActiveAccounts/A1.txt"), QStringLiteral("A1"), QStringLiteral("Acme"), {}, false};
    const Payment p = makePayment(account, Money::fromCents(12000), QStringLiteral("Cash"), QDate(2026, 12, 1), usLocale());
    EXPECT_EQ(p.ledgerFile, account.ledgerFile);
    EXPECT_EQ(p.entry.entryText, QStringLiteral("Payment Cash"));
    EXPECT_EQ(p.entry.entryAmount, QStringLiteral("$120.00"));
    EXPECT_EQ(p.entry.entryDate, QStringLiteral("12/1/2026"));
    EXPECT_EQ(p.entry.acctNo, QStringLiteral("A1"));
}
