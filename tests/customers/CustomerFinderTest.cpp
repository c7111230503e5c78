// Stepping through the customers and the search criteria.
#include "customers/CustomerFinder.h"
#include "customers/CustomerFile.h"

#include "support/Accounts.h"

#include <gtest/gtest.h>

using namespace customers;

namespace {

CustomerFile fileOf(const std::vector<CustomerRecord> &records)
{
    return CustomerFile(encodeAll(records));
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
    records.push_back(person("P3", "Jörg", "Straße", "217-444-0001"));
    records.push_back(business("B3", "café zürich", "217-444-0002"));
    const CustomerFile file = fileOf(records);
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
        {customers::finder::AcctNo, "B", {1, 3, 6}},
        {customers::finder::State, "IL", {}},
        {-1, "A", {}}, // no criterion chosen: nothing matches
        {customers::finder::All, "", {1, 2, 3, 4, 5, 6}},
        {customers::finder::LastName, "STRASSE", {5}}, // "ß" upper-cases to two letters
        {customers::finder::BusinessName, "CAF\xC9 Z\xDCR", {6}}, // letters outside ASCII upper-cased too
        {customers::finder::BusinessName, "CAFE", {}},
    };
    for (const Case &c : cases) {
        std::vector<int> got;
        for (const customers::finder::Found &f : customers::finder::search(file, c.criterion, QString::fromLatin1(c.text)))
            got.push_back(f.recordNumber);
        EXPECT_EQ(got, c.records) << "criterion " << c.criterion << " " << c.text;
    }
    // A row shows the full name for an individual and the trimmed telephone.
    const std::vector<customers::finder::Found> all = customers::finder::search(file, customers::finder::All, QString());
    EXPECT_EQ(all[3].name, QStringLiteral("Ms Ann K. Lee"));
    EXPECT_EQ(all[2].phone, QStringLiteral("309-555-0100"));
    EXPECT_EQ(customers::finder::criterionCaption(3), QStringLiteral("by City or Addr #3)"));
}

TEST(CustomerFile, ListsAndNamesReadFromTheBytesAsFromTheRecords)
{
    std::vector<CustomerRecord> records = {
        business("B1", "  Acme Lawns", "1"),
        person("P1", "John", "Smithers", "2"),
        person("P2", "Ann", "Lee", "3"),
        person("P3", "Zoë", "Ångström", "4"),
        CustomerRecord(), // a blank record counts as an individual
    };
    records[2].middleInitial = QStringLiteral("K");
    records[2].title = QStringLiteral("Dr");
    const CustomerFile file = fileOf(records);
    ASSERT_EQ(file.count(), 5);
    const QStringList lists = {QStringLiteral("Acme Lawns"), QStringLiteral("Smithers, John"), QStringLiteral("Lee, Ann K"),
                               QStringLiteral("Ångström, Zoë"), QStringLiteral(", ")};
    for (int n = 1; n <= file.count(); ++n) {
        const CustomerRecord &r = records[size_t(n - 1)];
        EXPECT_EQ(file.listText(n), lists[n - 1]) << n;
        EXPECT_EQ(file.displayName(n), r.displayName()) << n;
        EXPECT_EQ(file.record(n), CustomerRecord::decode(r.encode())) << n;
    }
    EXPECT_EQ(file.record(6), CustomerRecord::decode(QByteArray())); // past the end: blank
}

TEST(CustomerFile, AccountNumberIndexFindsAnotherRecordWithTheNumber)
{
    QByteArray bytes = encodeAll({business("A-1", "Name"), business("B 2", "Name"), business("A-1", "Name"), business("c3", "Name")});
    // A last record cut short but more than half there still counts.
    bytes += business("TAIL", "Name").encode().left(CustomerRecord::kLength / 2 + 1);
    const CustomerFile file(bytes);
    ASSERT_EQ(file.count(), 5);
    const AcctNoIndex index(file);
    struct Case {
        QString acct;
        int current;
        bool taken;
    } cases[] = {
        {QStringLiteral("A-1"), 0, true},   {QStringLiteral("A-1"), 1, true},  // the other copy
        {QStringLiteral("B 2"), 2, false},  {QStringLiteral("B 2"), 4, true},  // its own record left out
        {QStringLiteral("C3"), 0, false},                                     // letter case counts
        {QStringLiteral("TAIL"), 0, true},  {QStringLiteral("A-"), 0, false}, // whole numbers only
        {QStringLiteral("c3\u20AC"), 0, false},                               // not Latin-1: stored as "?"
        {QString(), 0, false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(index.isTaken(c.acct, c.current), c.taken) << c.acct.toStdString() << " at " << c.current;
}

// The account numbers alone, read through the store's small buffer across
// several blocks: the same numbers and count as the whole file gives,
// a last record at least half there counted and a shorter piece not.
TEST(CustomerFile, AccountNumbersReadThroughABufferAreTheWholeFilesNumbers)
{
    for (qsizetype tail : {qsizetype(0), qsizetype(CustomerRecord::kLength / 2 + 1), qsizetype(40)}) {
        std::vector<CustomerRecord> records;
        for (int i = 0; i < 600; ++i)
            records.push_back(business(QStringLiteral("N%1").arg(i), QStringLiteral("Name")));
        records[7].acctNo = QStringLiteral(" padded ");
        QByteArray bytes = encodeAll(records);
        bytes.replace(5 * CustomerRecord::kLength + 1, 1, QByteArray(1, '\0')); // "N5" cut at a NUL: "N"
        bytes += business(QStringLiteral("LAST"), QStringLiteral("Name")).encode().left(tail);
        TestFolder folder;
        folder.write(kCustomerFile, bytes);
        const CustomerFile whole(bytes);
        const AcctNoIndex numbers = AcctNoIndex::read(folder.store());
        ASSERT_EQ(numbers.count(), whole.count()) << tail;
        for (int n = 1; n <= whole.count(); ++n)
            EXPECT_EQ(numbers.number(n), whole.text(n, customerfield::AcctNo)) << n;
        EXPECT_EQ(numbers.number(whole.count()), tail > CustomerRecord::kLength / 2 ? QStringLiteral("LAST") : QStringLiteral("N599"));
    }
}
