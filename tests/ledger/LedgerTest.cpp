// Ledger files: the entry layout, the opening entry, restore and append,
// the balance rule, the listing, and payments that survive a kill.
#include "ledger/PaymentBatch.h"

#include "support/ChangeHarness.h"

#include <gtest/gtest.h>

using namespace base;
using namespace store;
using namespace ledger;

namespace {

const QDate kDay(2026, 12, 6);

LedgerEntry entry(const char *text, const char *amount, const char *acct = "A1")
{
    return ledger::makeEntry(QString::fromLatin1(acct), QStringLiteral("Acme Lawns"), QString::fromLatin1(amount),
                             QString::fromLatin1(text), kDay, usLocale());
}

QByteArray ledgerOf(std::initializer_list<LedgerEntry> entries)
{
    QByteArray b;
    for (const LedgerEntry &e : entries)
        b += e.encode();
    return b;
}

} // namespace

TEST(Ledger, EntryLayout)
{
    const QByteArray b = entry("Payment Check# 1001", "$100.00").encode();
    ASSERT_EQ(b.size(), 155);
    EXPECT_EQ(b.mid(0, 45), QByteArray("Acme Lawns").leftJustified(45, ' '));
    EXPECT_EQ(b.mid(45, 25), QByteArray("A1").leftJustified(25, ' '));
    EXPECT_EQ(b.mid(70, 15), QByteArray("12/6/2026").leftJustified(15, ' '));
    EXPECT_EQ(b.mid(85, 60), QByteArray("Payment Check# 1001").leftJustified(60, ' '));
    EXPECT_EQ(b.mid(145, 10), QByteArray("$100.00").leftJustified(10, ' '));
    EXPECT_EQ(LedgerEntry::decode(b), entry("Payment Check# 1001", "$100.00"));
}

TEST(Ledger, BalanceRule)
{
    struct Case {
        const char *label;
        QByteArray file;
        qint64 raw; // ten-thousandths
        int unreadable;
    } cases[] = {
        {"billed and paid", ledgerOf({entry("Previous Balance", "$0.00"), entry("Weekly Mowing Unit 7", "106.5"),
                                      entry("Payment Check# 1001", "$100.00")}),
         65000, 0},
        {"credit in a service name", ledgerOf({entry("Credit Check Fee", "25")}), -250000, 0},
        {"discount", ledgerOf({entry("Mowing", "50"), entry("Early Discount", "$5.00")}), 450000, 0},
        {"current balance ignored", ledgerOf({entry("Mowing", "50"), entry(" Current Balance ", "900")}), 500000, 0},
        {"only begins with it", ledgerOf({entry("Current Balance due", "10")}), 100000, 0},
        {"lower-case payment adds", ledgerOf({entry("payment", "10")}), 100000, 0},
        {"four decimals", ledgerOf({entry("Mowing", "53.4893"), entry("Payment Cash", "$53.49")}), -7, 0},
        {"unreadable left out", ledgerOf({entry("Mowing", "50"), entry("Pool", "abc")}), 500000, 1},
        {"torn tail not read", ledgerOf({entry("Mowing", "50")}) + QByteArray(100, 'x'), 500000, 0},
    };
    for (const Case &c : cases) {
        const ledger::Balance b = ledger::balanceOf(c.file, usLocale());
        EXPECT_EQ(b.total.raw(), c.raw) << c.label;
        EXPECT_EQ(b.unreadable, c.unreadable) << c.label;
    }
}

TEST(Ledger, AppendStartsRestoresAndBacksUp)
{
    TestFolder folder;
    const FileStore &store = folder.store();
    const QString file = ledger::ledgerFile(QStringLiteral(" A1 "));
    EXPECT_EQ(file, QStringLiteral("/BVActiveAccounts/A1.txt"));
    EXPECT_TRUE(ledger::ledgerFile(QStringLiteral("../x")).isEmpty());
    // Amounts: currency text while it fits ten characters, then plain decimal.
    EXPECT_EQ(ledger::storedAmountText(Money::fromCents(9999999), usLocale()), QStringLiteral("$99,999.99"));
    EXPECT_EQ(ledger::storedAmountText(Money::fromCents(10000000), usLocale()), QStringLiteral("100000"));
    EXPECT_FALSE(ledger::storedAmountText(Money::fromCents(12345678912), usLocale()));

    // A new account: the opening entry, then the payment; the backup copy
    // and the journal with it.
    auto pay = [&](const LedgerEntry &e) { return ledger::writePayments(store, {{file, e}}, kDay, usLocale()); };
    ASSERT_TRUE(pay(entry("Weekly Mowing Unit 7", "106.5")));
    const QByteArray two = folder.read(file);
    ASSERT_EQ(two.size(), 310);
    EXPECT_EQ(LedgerEntry::decode(two.left(155)), entry("Previous Balance", "$0.00"));
    EXPECT_EQ(folder.read(QStringLiteral("/Backup/BVActiveAccounts/A1.txt")), two);

    // The ledger lost: restored from its copy, then appended to.
    QFile::remove(folder.path() + file);
    ASSERT_TRUE(pay(entry("Payment Cash", "$6.50")));
    EXPECT_EQ(folder.read(file).size(), 465);
    EXPECT_EQ(folder.read(QStringLiteral("/Backup/BVActiveAccounts/A1.txt")), folder.read(file));
    EXPECT_EQ(ledger::accountBalance(store, file, usLocale())->total, Money::fromCents(10000));
    EXPECT_FALSE(ledger::accountBalance(store, QStringLiteral("/BVActiveAccounts/none.txt"), usLocale()));

    // A copy that differs from its ledger is written whole again; a torn
    // last record of the journal or the ledger is written over.
    folder.write(QStringLiteral("/Backup/BVActiveAccounts/A1.txt"), "stale");
    folder.write(kPaymentJournal, folder.read(kPaymentJournal) + QByteArray(40, 'x'));
    folder.write(file, folder.read(file) + QByteArray(40, 'x'));
    ASSERT_TRUE(pay(entry("Payment Check# 9", "$1.00")));
    EXPECT_EQ(folder.read(file).size(), 620);
    EXPECT_EQ(folder.read(QStringLiteral("/Backup/BVActiveAccounts/A1.txt")), folder.read(file));
    const QByteArray journal = folder.read(kPaymentJournal);
    ASSERT_EQ(journal.size(), 465);
    EXPECT_EQ(LedgerEntry::decode(journal.mid(310)).entryText, QStringLiteral("Payment Check# 9"));
}

TEST(Ledger, OpenAccountsListEveryLedgerAndMarkDamagedOnes)
{
    TestFolder folder;
    folder.write(QStringLiteral("/BVActiveAccounts/B2.txt"), ledgerOf({entry("Previous Balance", "$0.00", "B2")}));
    folder.write(QStringLiteral("/BVActiveAccounts/a1.txt"),
                 ledgerOf({entry("Previous Balance", "$0.00", "a1"), entry("Mowing", "35")}));
    folder.write(QStringLiteral("/BVActiveAccounts/Broken.txt"), "short");
    folder.write(QStringLiteral("/BVActiveAccounts/notes.doc"), "not a ledger");
    const std::vector<ledger::OpenAccount> open = ledger::openAccounts(folder.store(), usLocale());
    ASSERT_EQ(open.size(), 3u);
    EXPECT_EQ(open[0].acctNo, QStringLiteral("a1"));
    EXPECT_EQ(open[0].balance.total, Money::fromCents(3500));
    EXPECT_EQ(open[1].acctNo, QStringLiteral("B2"));
    EXPECT_TRUE(open[2].damaged);
    EXPECT_EQ(open[2].acctNo, QStringLiteral("Broken"));
    EXPECT_EQ(open[2].acctName, QStringLiteral("(damaged ledger file Broken.txt)"));
    EXPECT_EQ(open[2].ledgerFile, QStringLiteral("/BVActiveAccounts/Broken.txt"));
}

namespace {

void eightLedgers(TestFolder &folder)
{
    for (int i = 0; i < 8; ++i) {
        const QByteArray acct = "A" + QByteArray::number(i);
        folder.write(QStringLiteral("/BVActiveAccounts/%1.txt").arg(QString::fromLatin1(acct)),
                     ledgerOf({entry("Previous Balance", "$0.00", acct.constData()), entry("Mowing", "1000", acct.constData())}));
    }
}

} // namespace

// The child writes batches of payments to eight ledgers until it is
// killed; once the start has finished what it left, every ledger holds
// whole records and a current copy, every payment in a ledger is in the
// journal once, and every batch is there whole or not at all.
TEST(Ledger, KillingWritePaymentsNeverLosesOrDoublesAPayment)
{
    int written = 0;
    killRounds(15, 5512, QStringLiteral("pay"), eightLedgers, [&](TestFolder &folder, int round, const store::FinishedWork &) {
        int paymentsInLedgers = 0;
        for (const ledger::OpenAccount &a : ledger::openAccounts(folder.store(), usLocale())) {
            const QByteArray file = folder.read(a.ledgerFile);
            ASSERT_EQ(file.size() % 155, 0) << "round " << round << " " << a.ledgerFile.toStdString();
            if (file.size() > 2 * 155) {
                EXPECT_EQ(folder.read(QStringLiteral("/Backup") + a.ledgerFile), file) << "round " << round;
            }
            paymentsInLedgers += int(file.size() / 155) - 2;
        }
        const QByteArray journal = folder.exists(kPaymentJournal) ? folder.read(kPaymentJournal) : QByteArray();
        ASSERT_EQ(journal.size() % 155, 0) << "round " << round;
        EXPECT_EQ(journal.size() / 155, paymentsInLedgers) << "round " << round;
        EXPECT_EQ(paymentsInLedgers % 8, 0) << "round " << round;
        written += paymentsInLedgers;
    });
    EXPECT_GT(written, 0);
}

// Purging paid-up ledgers keeps their entries in the financial history, in
// order, exactly once; a kill leaves a purge whole or not begun.
TEST(Ledger, PurgedLedgersGoToTheFinancialHistoryOnce)
{
    TestFolder folder;
    const FileStore &store = folder.store();
    const QByteArray a = ledgerOf({entry("Previous Balance", "$0.00", "A1"), entry("Mowing", "10", "A1"),
                                   entry("Payment Cash", "$10.00", "A1")});
    const QByteArray b = ledgerOf({entry("Previous Balance", "$0.00", "B2"), entry("Pool", "5", "B2"),
                                   entry("Payment Cash", "$5.00", "B2")});
    folder.write(QStringLiteral("/BVActiveAccounts/A1.txt"), a);
    folder.write(QStringLiteral("/Backup/BVActiveAccounts/A1.txt"), a);
    folder.write(QStringLiteral("/BVActiveAccounts/B2.txt"), b);
    folder.write(ledger::kFinancialHistoryFile, entry("Old", "1", "Z9").encode() + "torn");
    ASSERT_TRUE(ledger::purgeLedgers(store, {QStringLiteral("/BVActiveAccounts/A1.txt"), QStringLiteral("/BVActiveAccounts/B2.txt")}));
    EXPECT_EQ(folder.read(ledger::kFinancialHistoryFile), entry("Old", "1", "Z9").encode() + a + b);
    for (const char *gone : {"/BVActiveAccounts/A1.txt", "/Backup/BVActiveAccounts/A1.txt", "/BVActiveAccounts/B2.txt"})
        EXPECT_FALSE(folder.exists(QString::fromLatin1(gone))) << gone;

    // The purge of three ledgers, killed over and over: the history holds
    // whole purges only, and a ledger is gone exactly when its entries are in.
    killRounds(10, 4417, QStringLiteral("purgeledgers"), [](TestFolder &) {},
               [](TestFolder &f, int round, const store::FinishedWork &) {
                   const qsizetype history = f.exists(ledger::kFinancialHistoryFile) ? f.read(ledger::kFinancialHistoryFile).size() : 0;
                   EXPECT_EQ(history % (9 * 155), 0) << "round " << round;
               });
    failEveryWay([&](TestFolder &f) {
        f.write(QStringLiteral("/BVActiveAccounts/A1.txt"), a);
        f.write(QStringLiteral("/Backup/BVActiveAccounts/A1.txt"), a);
        f.write(QStringLiteral("/BVActiveAccounts/B2.txt"), b);
    }, [](TestFolder &f) {
        return ledger::purgeLedgers(f.store(), {QStringLiteral("/BVActiveAccounts/A1.txt"), QStringLiteral("/BVActiveAccounts/B2.txt")});
    });
}

TEST(Ledger, AFailedWriteOrSyncInAPaymentBatchChangesNothingOrIsCompleted)
{
    failEveryWay(eightLedgers, [](TestFolder &f) {
        std::vector<ledger::Payment> batch;
        for (const ledger::OpenAccount &a : ledger::openAccounts(f.store(), usLocale()))
            batch.push_back({a.ledgerFile, entry("Payment Cash", "$1.00", a.acctNo.toLatin1().constData())});
        return ledger::writePayments(f.store(), batch, kDay, usLocale());
    });
}
