// The three parallel files behind the account store: reads past the end,
// writes that keep record n together, rebuilds, and removal of a customer,
// including a removal killed at random moments.
#include "customers/AccountRules.h"
#include "customers/AccountStore.h"

#include "support/ChangeHarness.h"

#include <functional>
#include <gtest/gtest.h>

using namespace customers;

namespace {

// Account i of n parallel records: the customer's account number, the
// cycle's "for" text and the last text field of the contract all say "A<i>",
// so a record that lost its partner shows at once.
QString idOf(int i)
{
    return QStringLiteral("A%1").arg(i);
}

void writeParallelFiles(TestFolder &folder, int n, int firstId = 1)
{
    QByteArray customers, cycles, contracts;
    const ContractRecord base = ContractRecord::defaults(folder.clock.at, usLocale());
    for (int i = firstId; i < firstId + n; ++i) {
        CustomerRecord c;
        c.acctNo = idOf(i);
        c.acctType = QStringLiteral("Business");
        c.name = QStringLiteral("Customer ") + idOf(i);
        customers += c.encode();
        CycleRecord y;
        y.chargeFor = idOf(i);
        cycles += y.encode();
        QByteArray k = base.bytes;
        k.replace(336, idOf(i).size(), idOf(i).toLatin1());
        contracts += k;
    }
    folder.write(kCustomerFile, customers);
    folder.write(kCycleFile, cycles);
    folder.write(kContractFile, contracts);
}

// The ids of the accounts in the files, after checking that all three
// files hold the same number of whole records and that they pair up.
QStringList pairedIds(TestFolder &folder, QString *fault)
{
    const QByteArray customers = folder.read(kCustomerFile);
    const QByteArray cycles = folder.read(kCycleFile);
    const QByteArray contracts = folder.read(kContractFile);
    const qsizetype n = customers.size() / CustomerRecord::kLength;
    if (customers.size() % CustomerRecord::kLength || cycles.size() != n * CycleRecord::kLength
        || contracts.size() != n * ContractRecord::kLength) {
        *fault = QStringLiteral("sizes %1 %2 %3").arg(customers.size()).arg(cycles.size()).arg(contracts.size());
        return {};
    }
    QStringList ids;
    for (qsizetype i = 0; i < n; ++i) {
        const QString id = CustomerRecord::decode(customers.mid(i * 328, 328)).acctNo;
        const QString cycleId = CycleRecord::decode(cycles.mid(i * 69, 69)).chargeFor;
        const QString contractId = QString::fromLatin1(contracts.mid(i * 386 + 336, 50)).trimmed();
        if (id != cycleId || id != contractId) {
            *fault = QStringLiteral("record %1: %2 / %3 / %4").arg(i + 1).arg(id, cycleId, contractId);
            return {};
        }
        ids.append(id);
    }
    return ids;
}

} // namespace

TEST(AccountStore, WritesKeepRecordNTogether)
{
    TestFolder folder;
    AccountStore store(folder.store(), folder.clock, usLocale());
    CustomerRecord c;
    c.acctNo = QStringLiteral("X1");
    CycleRecord y;
    y.chargeFor = QStringLiteral("X1");
    // A record beyond count + 1 would leave a gap of garbage: refused.
    EXPECT_FALSE(store.writeAccount(2, c, store.defaultContract(), y));
    EXPECT_FALSE(folder.exists(kCustomerFile));
    ASSERT_TRUE(store.writeAccount(1, c, store.defaultContract(), y));
    EXPECT_EQ(folder.read(kCustomerFile).size(), 328);
    EXPECT_EQ(folder.read(kContractFile).size(), 386);
    EXPECT_EQ(folder.read(kCycleFile).size(), 69);

    // A cycle file that lost records is filled out with defaults, so the
    // record written for customer 3 lands at record 3.
    folder.write(kCycleFile, QByteArray());
    ASSERT_TRUE(store.writeAccount(2, c, store.defaultContract(), CycleRecord()));
    ASSERT_TRUE(store.writeAccount(3, c, store.defaultContract(), y));
    EXPECT_EQ(folder.read(kCycleFile).size(), 3 * 69);
    EXPECT_EQ(store.readCycle(1), CycleRecord());
    EXPECT_EQ(store.readCycle(3).chargeFor, QStringLiteral("X1"));
    // Past the end: a blank customer, a default cycle record.
    EXPECT_TRUE(store.readCustomer(4).acctNo.isEmpty());
    EXPECT_EQ(store.readCycle(4), CycleRecord());

    // An account saved as it stands writes and syncs nothing; one changed
    // field writes its record.
    int writes = 0, syncs = 0;
    folder.store().setWriteFault([&](const QString &) -> std::optional<QString> { ++writes; return std::nullopt; });
    folder.store().setFolderSync([&](const QString &) { ++syncs; return true; });
    ASSERT_TRUE(store.writeAccount(3, c, store.defaultContract(), y));
    EXPECT_EQ(writes + syncs, 0);
    c.name = QStringLiteral("Renamed");
    ASSERT_TRUE(store.writeAccount(3, c, store.defaultContract(), y));
    EXPECT_GT(writes, 0);
    EXPECT_EQ(store.readCustomer(3).name, QStringLiteral("Renamed"));
}

TEST(AccountStore, RebuildNeedsTheCustomerFile)
{
    TestFolder folder;
    AccountStore store(folder.store(), folder.clock, usLocale());
    EXPECT_FALSE(store.buildCycleInfo(3, CycleRecord(), folder.prompt));
    EXPECT_FALSE(store.buildContractInfo(3, store.defaultContract(), folder.prompt));
    ASSERT_EQ(folder.prompt.entries.size(), 2);
    EXPECT_EQ(folder.prompt.entries[0].text,
              QStringLiteral("Your Customer Information File is missing\nThe Cycle File can not be rebuilt"));
    EXPECT_EQ(folder.prompt.entries[1].text,
              QStringLiteral("Your Customer Information File is missing\nThe Contract File can not be rebuilt"));
    EXPECT_EQ(folder.prompt.entries[0].title, QStringLiteral("No Customer File Found"));
    EXPECT_FALSE(folder.exists(kCycleFile));
    EXPECT_FALSE(folder.exists(kContractFile));
}

TEST(AccountStore, RemovingMovesTheLaterRecordsDownInAllThreeFiles)
{
    TestFolder folder;
    ASSERT_TRUE(folder.store().makeFolder(QStringLiteral("/Backup")));
    writeParallelFiles(folder, 3);
    folder.write(QStringLiteral("/Backup") + kCustomerFile, "old customer copy");
    folder.write(QStringLiteral("/Backup") + kCycleFile, "old cycle copy");
    AccountStore store(folder.store(), folder.clock, usLocale());

    ASSERT_TRUE(store.removeCustomer(2, 3));
    EXPECT_EQ(folder.read(kCustomerFile).size(), 656);
    EXPECT_EQ(folder.read(kCycleFile).size(), 138);
    EXPECT_EQ(folder.read(kContractFile).size(), 772);
    QString fault;
    EXPECT_EQ(pairedIds(folder, &fault), (QStringList{QStringLiteral("A1"), QStringLiteral("A3")})) << fault.toStdString();
    // The customer file's backup copy is left as it was; the cycle file's goes.
    EXPECT_EQ(folder.read(QStringLiteral("/Backup") + kCustomerFile), QByteArray("old customer copy"));
    EXPECT_FALSE(folder.exists(QStringLiteral("/Backup") + kCycleFile));

    // The only customer: three empty files.
    writeParallelFiles(folder, 1);
    ASSERT_TRUE(store.removeCustomer(1, 1));
    for (const QString &name : {kCustomerFile, kCycleFile, kContractFile}) {
        EXPECT_TRUE(folder.exists(name));
        EXPECT_EQ(folder.read(name).size(), 0);
    }
}

// The child removes customer 1 over and over, or appends accounts and
// rewrites record 1; every kill, once the start has finished what it
// left, must leave three files that pair up record for record.
TEST(AccountStore, KillingARemovalOrAWriteNeverSplitsTheFiles)
{
    constexpr int kAccounts = 400;
    int partial = 0;
    killRounds(20, 20261206, QStringLiteral("remove"), [](TestFolder &f) { writeParallelFiles(f, kAccounts); },
               [&](TestFolder &folder, int round, const store::FinishedWork &) {
                   QString fault;
                   const QStringList ids = pairedIds(folder, &fault);
                   ASSERT_TRUE(fault.isEmpty()) << "round " << round << ": " << fault.toStdString();
                   ASSERT_FALSE(ids.isEmpty());
                   const int first = ids.front().mid(1).toInt();
                   for (int i = 0; i < ids.size(); ++i)
                       ASSERT_EQ(ids[i], idOf(first + i)) << "round " << round;
                   EXPECT_EQ(first + ids.size() - 1, kAccounts);
                   partial += ids.size() < kAccounts;
               });
    EXPECT_GT(partial, 0); // the child got some removals done before a kill
    int grown = 0;
    killRounds(15, 20261207, QStringLiteral("write"), [](TestFolder &f) { writeParallelFiles(f, 5); },
               [&](TestFolder &folder, int round, const store::FinishedWork &) {
                   QString fault;
                   const QStringList ids = pairedIds(folder, &fault);
                   ASSERT_TRUE(fault.isEmpty()) << "round " << round << ": " << fault.toStdString();
                   for (int i = 0; i < ids.size(); ++i)
                       ASSERT_EQ(ids[i], idOf(i + 1)) << "round " << round;
                   grown += ids.size() > 5;
               });
    EXPECT_GT(grown, 0); // the child got some accounts written before a kill
}

TEST(AccountStore, AnAccountNumberIsTakenByAnotherRecordsExactNumber)
{
    TestFolder folder;
    QByteArray file;
    for (const char *acct : {"100", "ab-7", "100 "}) // the third is stored trimmed
        file += customerRecordWithAcctNo(QString::fromLatin1(acct));
    folder.write(kCustomerFile, file);
    const AccountStore accounts(folder.store(), folder.clock, usLocale());
    EXPECT_TRUE(accounts.isAcctNoTaken(QStringLiteral("ab-7"), 1));
    EXPECT_FALSE(accounts.isAcctNoTaken(QStringLiteral("ab-7"), 2)); // its own number
    EXPECT_FALSE(accounts.isAcctNoTaken(QStringLiteral("AB-7"), 1)); // case counts
    EXPECT_TRUE(accounts.isAcctNoTaken(QStringLiteral("100"), 1));   // record 3
    EXPECT_FALSE(accounts.isAcctNoTaken(QStringLiteral("999"), 1));
}

TEST(AccountStore, AFailedWriteOrSyncAnywhereChangesNothingOrIsCompleted)
{
    auto setUp = [](TestFolder &f) {
        writeParallelFiles(f, 3);
        ASSERT_TRUE(f.store().makeFolder(store::kBackupFolder));
        f.write(QStringLiteral("/Backup") + kCycleFile, "old cycle copy");
    };
    auto save = [](int n) {
        return [n](TestFolder &f) {
            AccountStore store(f.store(), f.clock, usLocale());
            CustomerRecord c;
            c.acctNo = QStringLiteral("NEW");
            return store.writeAccount(n, c, store.defaultContract(), CycleRecord());
        };
    };
    failEveryWay(setUp, save(2));
    failEveryWay(setUp, save(4));
    failEveryWay(setUp, [](TestFolder &f) { return AccountStore(f.store(), f.clock, usLocale()).removeCustomer(2, 3); });
}

TEST(AccountStore, ATextOutsideTheSingleByteSetIsRefusedNamingTheField)
{
    TestFolder folder;
    writeParallelFiles(folder, 1);
    const QByteArray customers = folder.read(kCustomerFile);
    AccountStore store(folder.store(), folder.clock, usLocale());
    struct Case {
        std::function<void(CustomerRecord &, CycleRecord &)> set;
        QString expected;
    } cases[] = {
        {[](CustomerRecord &c, CycleRecord &) { c.name = QStringLiteral("\u03a91"); },
         QStringLiteral("The Name \"\u03a91\" holds a character the customer file cannot keep (\u03a9).\nNothing was saved: change or remove it.")},
        {[](CustomerRecord &c, CycleRecord &) { c.lastName = QStringLiteral("Zo\u0142\u0105d\u017a"); },
         QStringLiteral("The Last Name \"Zo\u0142\u0105d\u017a\" holds a character the customer file cannot keep (\u0142).\nNothing was saved: change or remove it.")},
        {[](CustomerRecord &, CycleRecord &y) { y.chargeFor = QStringLiteral("\u20ac5 off"); },
         QStringLiteral("The Charge For \"\u20ac5 off\" holds a character the customer file cannot keep (\u20ac).\nNothing was saved: change or remove it.")},
    };
    for (const Case &k : cases) {
        CustomerRecord c;
        c.acctNo = QStringLiteral("A1");
        c.name = QStringLiteral("M\u00fcller & S\u00f6hne"); // Latin-1 is kept as it is
        CycleRecord y;
        EXPECT_EQ(unstorableText(c, y), std::nullopt);
        k.set(c, y);
        EXPECT_EQ(unstorableText(c, y), k.expected);
        const store::FileResult r = store.writeAccount(1, c, store.defaultContract(), y);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.error, k.expected);
        EXPECT_EQ(folder.read(kCustomerFile), customers);
    }
}
