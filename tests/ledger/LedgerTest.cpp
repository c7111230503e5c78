// Ledger files: the entry layout, the opening entry, restore and append,
// the balance rule, the listing, and payments that survive a kill.
#include "ledger/PaymentBatch.h"

#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>
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

    // A new account: the opening entry, then the billing entry.
    ASSERT_TRUE(ledger::appendLedgerEntry(store, file, entry("Weekly Mowing Unit 7", "106.5"), kDay, usLocale()));
    const QByteArray two = folder.read(file);
    ASSERT_EQ(two.size(), 310);
    EXPECT_EQ(LedgerEntry::decode(two.left(155)), entry("Previous Balance", "$0.00"));
    ASSERT_TRUE(ledger::backupLedger(store, file));
    EXPECT_EQ(folder.read(QStringLiteral("/Backup/BVActiveAccounts/A1.txt")), two);

    // The ledger lost: restored from its copy, then appended to.
    QFile::remove(folder.path() + file);
    ASSERT_TRUE(ledger::appendLedgerEntry(store, file, entry("Payment Cash", "$6.50"), kDay, usLocale()));
    EXPECT_EQ(folder.read(file).size(), 465);
    EXPECT_EQ(ledger::accountBalance(store, file, usLocale())->total, Money::fromCents(10000));
    EXPECT_FALSE(ledger::accountBalance(store, QStringLiteral("/BVActiveAccounts/none.txt"), usLocale()));

    // The journal: a torn last record from a crash is written over.
    ASSERT_TRUE(ledger::appendPaymentRecord(store, entry("Payment Cash", "$6.50")));
    folder.write(kPaymentJournal, folder.read(kPaymentJournal) + QByteArray(40, 'x'));
    ASSERT_TRUE(ledger::appendPaymentRecord(store, entry("Payment Check# 9", "$1.00")));
    const QByteArray journal = folder.read(kPaymentJournal);
    ASSERT_EQ(journal.size(), 310);
    EXPECT_EQ(LedgerEntry::decode(journal.mid(155)).entryText, QStringLiteral("Payment Check# 9"));
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

TEST(Ledger, RecoveryPostsEachPendingPaymentOnce)
{
    TestFolder folder;
    const FileStore &store = folder.store();
    const QString a = QStringLiteral("/BVActiveAccounts/A1.txt");
    const QString b = QStringLiteral("/BVActiveAccounts/B2.txt");
    folder.write(a, ledgerOf({entry("Previous Balance", "$0.00"), entry("Mowing", "50")}));
    folder.write(b, ledgerOf({entry("Previous Balance", "$0.00", "B2")}));
    // A crash after A1's ledger got its payment, before its backup and journal.
    const LedgerEntry payA = entry("Payment Cash", "$50.00");
    const LedgerEntry payB = entry("Payment Check# 7", "$5.00", "B2");
    folder.write(a, folder.read(a) + payA.encode());
    folder.write(ledger::kPendingPayments,
                 "2,0,2\r\n\"/BVActiveAccounts/A1.txt\",\"Acme Lawns\",\"A1\",\"12/6/2026\",\"Payment Cash\",\"$50.00\"\r\n"
                 "\"/BVActiveAccounts/B2.txt\",\"Acme Lawns\",\"B2\",\"12/6/2026\",\"Payment Check# 7\",\"$5.00\"\r\n");
    ASSERT_TRUE(ledger::recoverPayments(store, kDay, usLocale()));
    EXPECT_EQ(folder.read(a).size(), 3 * 155); // not posted twice
    EXPECT_EQ(ledger::accountBalance(store, a, usLocale())->total, Money());
    EXPECT_EQ(folder.read(QStringLiteral("/Backup") + a), folder.read(a));
    EXPECT_EQ(folder.read(b).size(), 2 * 155);
    const QByteArray journal = folder.read(kPaymentJournal);
    ASSERT_EQ(journal.size(), 2 * 155);
    EXPECT_EQ(LedgerEntry::decode(journal.left(155)), payA);
    EXPECT_EQ(LedgerEntry::decode(journal.mid(155)), payB);
    EXPECT_FALSE(folder.exists(ledger::kPendingPayments));
    // Nothing left to do: a second recovery writes nothing.
    ASSERT_TRUE(ledger::recoverPayments(store, kDay, usLocale()));
    EXPECT_EQ(folder.read(kPaymentJournal).size(), 2 * 155);
}

// The child writes batches of payments until it is killed; afterwards every
// ledger holds whole records, its backup is a whole copy, and every payment
// in a ledger is in the journal once.
TEST(Ledger, KillingWritePaymentsNeverLosesOrDoublesAPayment)
{
    const QString helper = QCoreApplication::applicationDirPath() + QStringLiteral("/brenvoy_save_loop");
    QRandomGenerator rng(5512);
    int written = 0;
    for (int round = 0; round < 15; ++round) {
        TestFolder folder;
        for (int i = 0; i < 8; ++i) {
            const QByteArray acct = "A" + QByteArray::number(i);
            folder.write(QStringLiteral("/BVActiveAccounts/%1.txt").arg(QString::fromLatin1(acct)),
                         ledgerOf({entry("Previous Balance", "$0.00", acct.constData()), entry("Mowing", "1000", acct.constData())}));
        }
        QProcess child;
        child.start(helper, {QStringLiteral("pay"), folder.path()});
        ASSERT_TRUE(child.waitForStarted(10000));
        ASSERT_TRUE(child.waitForReadyRead(20000)); // "paying"
        QThread::usleep(2000 + rng.bounded(80000));
        child.kill();
        child.waitForFinished(10000);

        ASSERT_TRUE(ledger::recoverPayments(folder.store(), kDay, usLocale()));
        EXPECT_FALSE(folder.exists(ledger::kPendingPayments));
        int paymentsInLedgers = 0;
        for (const ledger::OpenAccount &a : ledger::openAccounts(folder.store(), usLocale())) {
            const QByteArray file = folder.read(a.ledgerFile);
            ASSERT_EQ(file.size() % 155, 0) << "round " << round << " " << a.ledgerFile.toStdString();
            // A ledger that received a payment has a whole, current copy.
            if (file.size() > 2 * 155) {
                EXPECT_EQ(folder.read(QStringLiteral("/Backup") + a.ledgerFile), file) << "round " << round;
            }
            paymentsInLedgers += int(file.size() / 155) - 2;
        }
        const QByteArray journal = folder.read(kPaymentJournal);
        ASSERT_EQ(journal.size() % 155, 0) << "round " << round;
        EXPECT_EQ(journal.size() / 155, paymentsInLedgers) << "round " << round;
        // Whole batches only: every account received the same payments.
        EXPECT_EQ(paymentsInLedgers % 8, 0) << "round " << round;
        written += paymentsInLedgers;
    }
    EXPECT_GT(written, 0);
}

// Purging paid-up ledgers keeps their entries in the financial history, in
// order, exactly once, even when a purge is finished after a kill.
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
    folder.write(ledger::kFinancialHistoryFile, entry("Old", "1", "Z9").encode());
    ASSERT_TRUE(ledger::purgeLedgers(store, {QStringLiteral("/BVActiveAccounts/A1.txt")}));
    EXPECT_EQ(folder.read(ledger::kFinancialHistoryFile), entry("Old", "1", "Z9").encode() + a);
    EXPECT_FALSE(folder.exists(QStringLiteral("/BVActiveAccounts/A1.txt")));
    EXPECT_FALSE(folder.exists(QStringLiteral("/Backup/BVActiveAccounts/A1.txt")));

    // A kill after half of B2's entries reached the history: the marker
    // says where they go, and the finish writes them there once.
    folder.write(QStringLiteral("/PurgeLedgers.pending"), "\"/BVActiveAccounts/B2.txt\",4\r\n");
    folder.write(ledger::kFinancialHistoryFile, folder.read(ledger::kFinancialHistoryFile) + b.left(200));
    ASSERT_TRUE(ledger::recoverLedgerPurge(store));
    EXPECT_EQ(folder.read(ledger::kFinancialHistoryFile), entry("Old", "1", "Z9").encode() + a + b);
    EXPECT_FALSE(folder.exists(QStringLiteral("/BVActiveAccounts/B2.txt")));
    EXPECT_FALSE(folder.exists(QStringLiteral("/PurgeLedgers.pending")));
    ASSERT_TRUE(ledger::recoverLedgerPurge(store)); // nothing left to do
    EXPECT_EQ(folder.read(ledger::kFinancialHistoryFile).size(), 7 * 155);
}
