// The catalogue's value rules: what each number box of an item may hold and
// how wide a service charge may be.
#include "catalog/CatalogRules.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace base;
using namespace catalog;

TEST(CatalogRules, EachItemNumberFitsItsField)
{
    struct Case {
        ItemNumber box;
        const char *text;
        bool ok;
        const char *what; // named in the message when refused
    } cases[] = {
        {ItemNumber::Cost, "", true, ""},
        {ItemNumber::Cost, "$1,234.50", true, ""},
        {ItemNumber::Cost, "abc", false, "The cost per unit must be an amount of money."},
        {ItemNumber::DiscountQty, "2147483647", true, ""},
        {ItemNumber::DiscountQty, "2147483648", false, "The discount quantity must be a whole number from 0 to 2,147,483,647."},
        {ItemNumber::DiscountQty, "lots", false, "The discount quantity"},
        {ItemNumber::OnHand, "-32768", true, ""},
        {ItemNumber::OnHand, "32768", false, "The units on hand must be a whole number from -32,768 to 32,767."},
        {ItemNumber::ReorderAmount, "40000", false, "The reorder amount"},
        {ItemNumber::ReorderAt, "2.5", false, "The reorder level"},
        {ItemNumber::ReorderAt, "  ", true, ""},
    };
    for (const Case &c : cases) {
        const std::optional<QString> problem = itemNumberProblem(c.box, QString::fromLatin1(c.text), usLocale());
        EXPECT_EQ(!problem, c.ok) << c.text;
        if (problem) {
            EXPECT_TRUE(problem->startsWith(QString::fromLatin1(c.what))) << problem->toStdString();
            EXPECT_TRUE(problem->endsWith(QStringLiteral("\"%1\" cannot be used.").arg(QString::fromLatin1(c.text))));
        }
    }
}

TEST(CatalogRules, AChargeMustFitTenCharactersAsCurrency)
{
    EXPECT_FALSE(chargeProblem(Money::fromCents(9999999), usLocale())); // $99,999.99
    const std::optional<QString> tooWide = chargeProblem(Money::fromCents(10000000), usLocale());
    ASSERT_TRUE(tooWide);
    EXPECT_EQ(*tooWide, QStringLiteral("The charge $100,000.00 is too large to be kept.\nA service charge may be at most 10 "
                                       "characters as currency, such as $99,999.99."));
}
