// The rules behind the service window, Set All and the data boxes.
#include "customers/AccountRules.h"
#include "customers/AuxData.h"
#include "customers/BillingOptions.h"

#include "support/TestSupport.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace base;
using namespace customers;

namespace {

CycleRecord cycleWith(const char *service, qint64 cents, int mode = 0)
{
    CycleRecord c;
    c.service = QString::fromLatin1(service);
    c.charge = Money::fromCents(cents);
    c.billingMode = std::int16_t(mode);
    return c;
}

CustomerRecord account(const char *type, const char *acct, const char *name, const char *first, const char *last,
                       const char *phone)
{
    CustomerRecord r;
    r.acctType = QString::fromLatin1(type);
    r.acctNo = QString::fromLatin1(acct);
    r.name = QString::fromLatin1(name);
    r.firstName = QString::fromLatin1(first);
    r.lastName = QString::fromLatin1(last);
    r.phone = QString::fromLatin1(phone);
    return r;
}

} // namespace

TEST(BillingOptions, TheChargeALoadedAccountShows)
{
    const QStringList services = {QStringLiteral("None"), QStringLiteral("Mowing"), QStringLiteral("Pool Care")};
    const QStringList costs = {QStringLiteral("$0.00"), QStringLiteral("$35.00"), QStringLiteral("$1,200.00")};
    struct Case {
        CycleRecord cycle;
        bool loadDefault;
        const char *shown;
    } cases[] = {
        {cycleWith("Mowing", 4000), true, "$35.00"},      // the service's preset fee
        {cycleWith("Mowing", 4000), false, "$40.00"},     // the account's own charge
        {cycleWith("Pool Care ", 5000), true, "$1,200.00"}, // stored padded, found trimmed
        {cycleWith("Hedges", 2500), true, "$25.00"},      // not in the list
        {cycleWith("None", 0), true, "$0.00"},
        {cycleWith("mowing", 4000), true, "$40.00"},      // letter case counts
    };
    for (const Case &c : cases)
        EXPECT_EQ(customers::loadedChargeText(c.cycle, services, costs, c.loadDefault, usLocale()),
                  QString::fromLatin1(c.shown))
            << c.cycle.service.toStdString();

    QStringList list = costs;
    EXPECT_FALSE(customers::addCost(list, Money::fromCents(3500), usLocale()));
    EXPECT_TRUE(customers::addCost(list, Money::fromCents(4250), usLocale()));
    EXPECT_EQ(list.last(), QStringLiteral("$42.50"));
    EXPECT_EQ(customers::chargeText(2), QStringLiteral("This Amount will be charged Semi-Annually"));
    EXPECT_EQ(customers::chargeText(4), QStringLiteral("This Amount will be charged "));
    EXPECT_EQ(customers::shownMode(7), 0);
    EXPECT_TRUE(customers::isNoService(QStringLiteral("  ")));
    EXPECT_TRUE(customers::isNoService(QStringLiteral("None Yet")));
    EXPECT_FALSE(customers::isNoService(QStringLiteral("none")));
}

TEST(AccountRules, ProblemsInTheOrderTheyAreChecked)
{
    using customers::Problem;
    struct Case {
        CustomerRecord record;
        Problem problem;
    } cases[] = {
        {account("Business", "B1", "Acme", "", "", ""), Problem::None},
        {account("Business", "B1", "", "Ann", "Lee", ""), Problem::NameBlank},
        {account("Individual", "P1", "", "Ann", "", ""), Problem::PersonalNameMissing},
        {account("Individual", "", "", "Ann", "Lee", ""), Problem::NoNumber},
        {account("Individual", "", "", "Ann", "Lee", "217-555-0100"), Problem::None},
        {account("Individual", "", "", "Ann", "Lee", "217/555"), Problem::UnsafeNumber},
        {account("Business", "../x", "Acme", "", "", ""), Problem::UnsafeNumber},
        {account("Business", "", "", "", "", ""), Problem::NameBlank},
    };
    for (const Case &c : cases)
        EXPECT_EQ(customers::problemOf(c.record), c.problem) << c.record.acctNo.toStdString();
    CustomerRecord r = account("Individual", "", "", "Ann", "Lee", " 217-555-0100 ");
    EXPECT_TRUE(customers::takePhoneAsAcctNo(r));
    EXPECT_EQ(r.acctNo, QStringLiteral("217-555-0100"));
    EXPECT_FALSE(customers::takePhoneAsAcctNo(r));
}

TEST(AccountRules, SetAllGivesEveryAccountTheSameOptionsAndStopsAtABadOne)
{
    TestFolder folder;
    AccountStore store(folder.store(), folder.clock, usLocale());
    const std::vector<CustomerRecord> customers = {
        account("Business", "B1", "Acme", "", "", ""), account("Individual", "", "", "Ann", "Lee", "217-555-0100"),
        account("Business", "B3", "Pools", "", "", ""), account("Business", "B4", "", "", "", ""),
        account("Business", "B5", "Last", "", "", "")};
    QByteArray file, cycles;
    for (size_t i = 0; i < customers.size(); ++i) {
        file += customers[i].encode();
        CycleRecord c = cycleWith("Old", 100 * qint64(i));
        c.cycleFlag = std::int16_t(i == 2 ? 7 : -1);
        cycles += c.encode();
    }
    folder.write(kCustomerFile, file);
    folder.write(kCycleFile, cycles);

    CycleRecord values = cycleWith("Weekly Mowing", 3500, customers::Quarterly);
    values.chargeFor = QStringLiteral("Unit # 7");
    values.startMonth = 4;
    const customers::SetAllResult r = customers::setAll(folder.store(), store, values);
    ASSERT_TRUE(r.written);
    EXPECT_EQ(r.accountsSet, 3);
    EXPECT_EQ(r.stoppedAt, 4);
    EXPECT_EQ(r.problem, customers::Problem::NameBlank);
    EXPECT_EQ(r.numbersFromPhone, 1);
    for (int n = 1; n <= 3; ++n) {
        const CycleRecord c = store.readCycle(n);
        EXPECT_EQ(c.service, QStringLiteral("Weekly Mowing")) << n;
        EXPECT_EQ(c.charge, Money::fromCents(3500)) << n;
        EXPECT_EQ(c.billingMode, 1) << n;
        EXPECT_EQ(c.chargeFor, QStringLiteral("Unit # 7")) << n;
        EXPECT_EQ(c.startMonth, 4) << n;
    }
    EXPECT_EQ(store.readCycle(3).cycleFlag, 7); // each keeps its own flag
    EXPECT_EQ(store.readCycle(4), cycleWith("Old", 300));
    EXPECT_EQ(store.readCycle(5), cycleWith("Old", 400));
    EXPECT_EQ(store.readCustomer(2).acctNo, QStringLiteral("217-555-0100"));
    EXPECT_EQ(folder.read(kCustomerFile).size(), 5 * 328);
}

TEST(AuxData, BoxesComeBackExactlyAsTyped)
{
    TestFolder folder;
    const customers::auxdata::Boxes boxes = {QStringLiteral("Gate code 1234, dog \"Rex\""), QString(), QStringLiteral("line one\nline two"),
                                  QStringLiteral("caf\u00e9"), QStringLiteral("\u20ac due"), QStringLiteral("  spaced  ")};
    // The account's folders do not exist yet: they are made.
    ASSERT_TRUE(customers::auxdata::saveBoxes(folder.store(), QStringLiteral("A-7"), boxes));
    EXPECT_EQ(folder.read(QStringLiteral("/AuxFiles/A-7/AuxFile0/Data.txt")), QByteArray("Gate code 1234, dog \"Rex\"\r\n"));
    EXPECT_EQ(folder.read(QStringLiteral("/AuxFiles/A-7/AuxFile1/Data.txt")), QByteArray("\r\n"));
    EXPECT_EQ(folder.read(QStringLiteral("/AuxFiles/A-7/AuxFile2/Data.txt")), QByteArray("line one\r\nline two\r\n"));
    EXPECT_TRUE(QDir(folder.path() + QStringLiteral("/AuxFiles/A-7/AuxFile5")).exists());
    EXPECT_EQ(customers::auxdata::loadBoxes(folder.store(), QStringLiteral("A-7")), boxes);
    // Saved and loaded again: nothing grows.
    ASSERT_TRUE(customers::auxdata::saveBoxes(folder.store(), QStringLiteral("A-7"), customers::auxdata::loadBoxes(folder.store(), QStringLiteral("A-7"))));
    EXPECT_EQ(customers::auxdata::loadBoxes(folder.store(), QStringLiteral("A-7")), boxes);

    // A "%" in an account number is text, never a placeholder: "A%2" keeps its
    // own boxes and never reaches account "A1"'s.
    EXPECT_EQ(customers::auxdata::boxFile(QStringLiteral("A%2"), 1), QStringLiteral("/AuxFiles/A%2/AuxFile1/Data.txt"));
    ASSERT_TRUE(customers::auxdata::saveBoxes(folder.store(), QStringLiteral("A%2"), {QStringLiteral("percent")}));
    EXPECT_EQ(customers::auxdata::loadBoxes(folder.store(), QStringLiteral("A1")), customers::auxdata::Boxes());
    EXPECT_EQ(customers::auxdata::loadBoxes(folder.store(), QStringLiteral("A%2"))[0], QStringLiteral("percent"));

    EXPECT_FALSE(customers::auxdata::saveBoxes(folder.store(), QStringLiteral(".."), boxes));
    EXPECT_EQ(customers::auxdata::loadBoxes(folder.store(), QStringLiteral("nobody")), customers::auxdata::Boxes());

    ASSERT_TRUE(customers::auxdata::saveHeadings(folder.store(), {QStringLiteral("Gate"), QString(), QStringLiteral("Pets"), QString(),
                                                       QStringLiteral("Notes"), QStringLiteral("Keys")}));
    EXPECT_EQ(folder.read(kAuxHeadingsFile), QByteArray("Gate\r\n\r\nPets\r\n\r\nNotes\r\nKeys\r\n"));
    EXPECT_EQ(customers::auxdata::loadHeadings(folder.store())->size(), 6);
}
