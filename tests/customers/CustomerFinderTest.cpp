// Stepping through the customers and the search criteria.
#include "customers/CustomerFinder.h"

#include <gtest/gtest.h>

using namespace customers;

namespace {

CustomerRecord business(const char *acct, const char *name, const char *phone)
{
    CustomerRecord r;
    r.acctNo = QString::fromLatin1(acct);
    r.acctType = QStringLiteral("Business");
    r.name = QString::fromLatin1(name);
    r.phone = QString::fromLatin1(phone);
    return r;
}

CustomerRecord person(const char *acct, const char *first, const char *last, const char *phone)
{
    CustomerRecord r;
    r.acctNo = QString::fromLatin1(acct);
    r.acctType = QStringLiteral("Individual");
    r.firstName = QString::fromLatin1(first);
    r.lastName = QString::fromLatin1(last);
    r.phone = QString::fromLatin1(phone);
    // The name field of an individual holds the full name shown at load.
    r.name = r.firstName + u' ' + r.lastName;
    return r;
}

} // namespace

TEST(CustomerFinder, NavigationWrapsAndMovesByWholeQuarters)
{
    struct Case {
        int button, current, count, expected;
    } cases[] = {
        {0, 5, 11, 1},  {1, 5, 11, 4},  {1, 1, 11, 1},  {2, 5, 11, 6},  {2, 11, 11, 1}, {3, 2, 11, 11},
        {4, 9, 11, 2},  {6, 9, 11, 4},  {5, 9, 11, 6},  // 11 customers: a quarter is 2
        {4, 9, 10, 2},  {6, 9, 10, 4},  {5, 9, 10, 6},  // and with 10 as well
        {4, 1, 16, 4},  {6, 1, 16, 8},  {5, 1, 16, 12},
        {4, 2, 3, 2},   {6, 2, 3, 2},   {5, 3, 3, 3},   // under 4 customers they stay
        {4, 3, 4, 1},   {5, 1, 4, 3},   {2, 1, 1, 1},
    };
    for (const Case &c : cases)
        EXPECT_EQ(customers::finder::navigate(c.button, c.current, c.count), c.expected)
            << "button " << c.button << " at " << c.current << " of " << c.count;
}

TEST(CustomerFinder, SearchComparesTheTrimmedUpperCasedField)
{
    std::vector<CustomerRecord> records = {
        business("B1", "Acme Lawns", "217-555-0101"),
        person("P1", "John", "Smithers", "217-555-0199"),
        business("B2", "Smith & Sons", " 309-555-0100"),
        person("P2", "Ann", "Lee", "217-444-0000"),
    };
    records[3].address1 = QStringLiteral("  12 Elm Street ");
    records[3].title = QStringLiteral("Ms");
    records[3].middleInitial = QStringLiteral("K");
    struct Case {
        int criterion;
        const char *text;
        std::vector<int> records;
    } cases[] = {
        {customers::finder::BusinessName, "SMITH", {2, 3}}, // an individual by the surname in the name field
        {customers::finder::Phone, "217-555", {1, 2}},
        {customers::finder::Phone, "309-555-0100", {3}}, // the stored blank before it trimmed away
        {customers::finder::LastName, "LEE", {4}},
        {customers::finder::Address1, "ELM ST", {4}},
        {customers::finder::AcctNo, "B", {1, 3}},
        {customers::finder::State, "IL", {}},
        {-1, "A", {}}, // no criterion chosen: nothing matches
        {customers::finder::All, "", {1, 2, 3, 4}},
    };
    for (const Case &c : cases) {
        std::vector<int> got;
        for (const customers::finder::Found &f : customers::finder::search(records, c.criterion, QString::fromLatin1(c.text)))
            got.push_back(f.recordNumber);
        EXPECT_EQ(got, c.records) << "criterion " << c.criterion << " " << c.text;
    }
    // A row shows the full name for an individual and the trimmed telephone.
    const std::vector<customers::finder::Found> all = customers::finder::search(records, customers::finder::All, QString());
    EXPECT_EQ(all[3].name, QStringLiteral("Ms Ann K. Lee"));
    EXPECT_EQ(all[2].phone, QStringLiteral("309-555-0100"));
    EXPECT_EQ(customers::finder::criterionCaption(3), QStringLiteral("by City or Addr #3)"));
}
