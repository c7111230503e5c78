// The payment screen driven offscreen: proposals, check and cash payments,
// the no-balance question, writing, and the purge.
#include "ui/payments/PaymentScreen.h"

#include "ledger/PaymentBatch.h"
#include "support/Ledgers.h"
#include "support/ScreenHost.h"
#include "ui/payments/PaymentModel.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

using namespace base;
using namespace ledger;
using namespace ui;

namespace {

struct Harness : ScreenHost<PaymentScreen> {
    // Ledgers of accounts with the given balances in cents (billed, or
    // credited for a negative one).
    void ledgerWith(const char *acct, qint64 cents)
    {
        const QString a = QString::fromLatin1(acct);
        QByteArray file = ledger::makeEntry(a, QStringLiteral("Name ") + a, QStringLiteral("$0.00"),
                                            QStringLiteral("Previous Balance"), QDate(2026, 1, 2), usLocale())
                              .encode();
        if (cents != 0)
            file += ledger::makeEntry(a, QStringLiteral("Name ") + a, Money::fromCents(std::abs(cents)).toPlainText(),
                                      cents > 0 ? QStringLiteral("Weekly Mowing") : QStringLiteral("Credit"),
                                      QDate(2026, 1, 2), usLocale())
                        .encode();
        folder.write(QStringLiteral("/BVActiveAccounts/%1.txt").arg(a), file);
    }
    void cmd(int i) { child<QPushButton>(QStringLiteral("cmdAuto_%1").arg(i).toLatin1().constData())->click(); }
    void pick(int row) { clickRow(child<QTableView>("fgAutoPay"), row); }
    QLineEdit *box(const char *name) { return screen->findChild<QLineEdit *>(QString::fromLatin1(name)); }
    QString cell(int row, int column)
    {
        const QAbstractItemModel &m = screen->model();
        return m.index(row, column).data().toString();
    }
    int rowOf(const char *acct)
    {
        for (int r = 0; r < screen->model().rowCount(); ++r) {
            if (cell(r, 1) == QLatin1String(acct))
                return r;
        }
        return -1;
    }
    std::vector<LedgerEntry> entries(const QString &name) { return ledgerEntries(folder.read(name)); }
};

} // namespace

TEST(PaymentScreen, NoLedgersReturnToTheMenu)
{
    Harness h;
    h.open();
    ASSERT_EQ(h.folder.prompt.entries.size(), 1);
    EXPECT_EQ(h.folder.prompt.entries[0].text, QStringLiteral("There are No accounts with Outstanding Balances"));
    EXPECT_EQ(h.folder.prompt.entries[0].title, QStringLiteral("No Open Accounts"));
    EXPECT_EQ(h.navigator->current(), h.menu);
}

TEST(PaymentScreen, CheckAndCashPaymentsAreWrittenToLedgerBackupAndJournal)
{
    Harness h;
    h.ledgerWith("A1", 12000);
    h.ledgerWith("B2", 5000);
    h.ledgerWith("C3", 7000);
    h.open();
    ASSERT_EQ(h.screen->model().rowCount(), 3);
    EXPECT_EQ(h.cell(0, 3), QStringLiteral("$120.00"));
    EXPECT_EQ(h.cell(0, 2), QStringLiteral("Name A1"));
    EXPECT_TRUE(h.screen->pointerBlinking(9));

    // A1: the balance proposed, check 5512.
    h.pick(h.rowOf("A1"));
    EXPECT_EQ(h.cell(0, 0), QStringLiteral("+"));
    EXPECT_EQ(h.box("txtAmount")->text(), QStringLiteral("$120.00"));
    EXPECT_FALSE(h.screen->pointerBlinking(9));
    h.box("txtCheckNo")->setText(QStringLiteral("5512"));
    h.screen->findChild<QDateEdit *>(QStringLiteral("DTPicker1"))->setDate(QDate(2026, 12, 1));
    h.cmd(2);
    EXPECT_EQ(h.cell(0, 4), QStringLiteral("Check# 5512"));
    EXPECT_EQ(h.cell(0, 5), QStringLiteral("12/1/2026"));
    EXPECT_TRUE(h.box("txtAmount")->text().isEmpty());

    // B2: a part payment in cash.
    h.pick(h.rowOf("B2"));
    h.box("txtAmount")->setText(QStringLiteral("20"));
    h.folder.prompt.answer(true);
    h.cmd(2);
    EXPECT_EQ(h.said().text, QStringLiteral("Was the Payment made in Cash?"));
    EXPECT_EQ(h.said().title, QStringLiteral("Payment Type"));
    EXPECT_EQ(h.cell(1, 3), QStringLiteral("$20.00"));
    EXPECT_EQ(h.cell(1, 4), QStringLiteral("Cash"));

    EXPECT_TRUE(h.screen->pointerBlinking(9)); // C3 is still to be chosen
    EXPECT_FALSE(h.screen->pointerBlinking(0));

    // C3: selected but never entered.
    h.pick(h.rowOf("C3"));
    EXPECT_EQ(h.cell(2, 0), QStringLiteral("+"));

    h.folder.prompt.answer(true);
    h.cmd(1);
    EXPECT_EQ(h.said().text, QStringLiteral("Review yout entries\nClick Yes if correct"));
    EXPECT_EQ(h.said().title, QStringLiteral("Rewiew Entries"));
    EXPECT_EQ(h.navigator->current(), h.menu);

    const std::vector<LedgerEntry> a = h.entries(QStringLiteral("/BVActiveAccounts/A1.txt"));
    ASSERT_EQ(a.size(), 3u);
    EXPECT_EQ(a[2].entryText, QStringLiteral("Payment Check# 5512"));
    EXPECT_EQ(a[2].entryAmount, QStringLiteral("$120.00"));
    EXPECT_EQ(a[2].entryDate, QStringLiteral("12/1/2026"));
    EXPECT_EQ(h.folder.read(QStringLiteral("/Backup/BVActiveAccounts/A1.txt")), h.folder.read(QStringLiteral("/BVActiveAccounts/A1.txt")));
    EXPECT_EQ(h.entries(QStringLiteral("/BVActiveAccounts/B2.txt"))[2].entryText, QStringLiteral("Payment Cash"));
    EXPECT_EQ(h.entries(QStringLiteral("/BVActiveAccounts/C3.txt")).size(), 2u); // nothing for it
    const std::vector<LedgerEntry> journal = h.entries(kPaymentJournal);
    ASSERT_EQ(journal.size(), 2u);
    EXPECT_EQ(journal[0], a[2]);

    // The next load: A1 paid up, B2's remaining balance.
    h.navigator->show(PaymentScreen::kId);
    EXPECT_EQ(h.cell(h.rowOf("A1"), 3), QStringLiteral("$0.00"));
    EXPECT_EQ(h.cell(h.rowOf("B2"), 3), QStringLiteral("$30.00"));
}

TEST(PaymentScreen, EnterRefusesBadAmountsAndNoCash)
{
    Harness h;
    h.ledgerWith("A1", 12000);
    h.open();
    h.pick(0);
    h.box("txtAmount")->setText(QStringLiteral("abc"));
    h.cmd(2);
    EXPECT_EQ(h.folder.prompt.beeps, 1);
    EXPECT_TRUE(h.box("txtAmount")->text().isEmpty());
    EXPECT_TRUE(h.cell(0, 5).isEmpty());

    h.box("txtAmount")->setText(QStringLiteral("123456789.12"));
    h.box("txtCheckNo")->setText(QStringLiteral("1"));
    h.cmd(2);
    EXPECT_EQ(h.said().title, QStringLiteral("Invalid Amount"));
    EXPECT_TRUE(h.cell(0, 5).isEmpty());

    h.box("txtAmount")->setText(QStringLiteral("10"));
    h.box("txtCheckNo")->clear();
    h.folder.prompt.answer(false); // not cash: nothing entered
    h.cmd(2);
    EXPECT_TRUE(h.cell(0, 5).isEmpty());

    // Redo and a No to the review leave nothing to write.
    h.box("txtCheckNo")->setText(QStringLiteral("77"));
    h.cmd(2);
    EXPECT_FALSE(h.cell(0, 5).isEmpty());
    h.cmd(3);
    EXPECT_TRUE(h.cell(0, 5).isEmpty());
    EXPECT_TRUE(h.cell(0, 0).isEmpty());
    h.folder.prompt.answer(true);
    h.cmd(1);
    EXPECT_EQ(h.entries(QStringLiteral("/BVActiveAccounts/A1.txt")).size(), 2u);
    EXPECT_FALSE(h.folder.exists(kPaymentJournal));
}

TEST(PaymentScreen, NoBalanceAsksBeforeAPayment)
{
    Harness h;
    h.ledgerWith("CR", -2500);
    h.open();
    EXPECT_EQ(h.cell(0, 3), QStringLiteral("($25.00)"));
    h.folder.prompt.answer(false);
    h.pick(0);
    EXPECT_EQ(h.said().text,
              QStringLiteral("The Account does not have a Balance Due\nDo you want to post a payment anyway?"));
    EXPECT_EQ(h.said().title, QStringLiteral("No Balanace"));
    EXPECT_TRUE(h.box("txtAmount")->text().isEmpty());
    EXPECT_TRUE(h.screen->pointerBlinking(9)); // still waiting for a choice
    h.pick(0); // unmark
    h.folder.prompt.answer(true);
    h.pick(0);
    EXPECT_FALSE(h.screen->pointerBlinking(9));
}

TEST(PaymentScreen, PurgeDeletesOnlyPaidUpLedgers)
{
    Harness h;
    h.ledgerWith("Z1", 0);
    h.ledgerWith("Z2", 0);
    h.ledgerWith("OWE", 4000);
    h.folder.write(QStringLiteral("/Backup/BVActiveAccounts/Z1.txt"), h.folder.read(QStringLiteral("/BVActiveAccounts/Z1.txt")));
    h.open();
    h.pick(h.rowOf("OWE")); // a hand-marked row with money on it
    h.folder.prompt.answer(false);
    h.cmd(6);
    EXPECT_EQ(h.said().text, QStringLiteral("Are you Sure?"));
    EXPECT_EQ(h.said().title, QStringLiteral("Comfirm Purge"));
    EXPECT_EQ(h.cell(h.rowOf("Z1"), 0), QStringLiteral("+"));
    EXPECT_TRUE(h.folder.exists(QStringLiteral("/BVActiveAccounts/Z1.txt")));

    h.folder.prompt.answer(true);
    h.cmd(6);
    EXPECT_FALSE(h.folder.exists(QStringLiteral("/BVActiveAccounts/Z1.txt")));
    EXPECT_FALSE(h.folder.exists(QStringLiteral("/Backup/BVActiveAccounts/Z1.txt")));
    EXPECT_FALSE(h.folder.exists(QStringLiteral("/BVActiveAccounts/Z2.txt")));
    EXPECT_TRUE(h.folder.exists(QStringLiteral("/BVActiveAccounts/OWE.txt")));
    ASSERT_EQ(h.screen->model().rowCount(), 1);
    EXPECT_EQ(h.cell(0, 1), QStringLiteral("OWE"));
}

TEST(PaymentScreen, UnreadableAmountsAreMarkedNotCounted)
{
    Harness h;
    h.ledgerWith("A1", 5000);
    const QString file = QStringLiteral("/BVActiveAccounts/A1.txt");
    h.folder.write(file, h.folder.read(file)
                             + ledger::makeEntry(QStringLiteral("A1"), QStringLiteral("Name A1"), QStringLiteral("n/a"),
                                                 QStringLiteral("Mowing"), QDate(2026, 2, 1), usLocale())
                                   .encode());
    h.open();
    const QModelIndex amount = h.screen->model().index(0, 3);
    EXPECT_EQ(amount.data().toString(), QStringLiteral("$50.00"));
    EXPECT_TRUE(amount.data(Qt::ToolTipRole).toString().startsWith(QStringLiteral("1 entries")));
    EXPECT_FALSE(amount.data(Qt::DecorationRole).isNull());
    // Not paid up for certain: the purge leaves it.
    h.folder.prompt.answer(true);
    h.cmd(6);
    EXPECT_TRUE(h.folder.exists(file));
}

TEST(PaymentScreen, AnAccountIsChosenFromTheKeyboardAndThePointerStaysPut)
{
    Harness h;
    h.ledgerWith("A1", 12000);
    h.ledgerWith("B2", 5000);
    h.open();
    auto *pointer = h.child<QWidget>("Image1_9");
    EXPECT_TRUE(h.screen->pointerBlinking(9));
    QTest::qWait(600); // a blink: the picture goes, the control stays
    EXPECT_TRUE(pointer->isVisibleTo(h.screen));
    auto *grid = h.child<QTableView>("fgAutoPay");
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(0, 1));
    QTest::keyClick(grid, Qt::Key_Down);
    QTest::keyClick(grid, Qt::Key_Space);
    EXPECT_EQ(h.cell(h.rowOf("B2"), 0), QStringLiteral("+"));
    EXPECT_EQ(h.box("txtAmount")->text(), QStringLiteral("$50.00"));
    EXPECT_FALSE(h.screen->pointerBlinking(9));
}

// A disk that fails the journal: the batch is not written, the screen says
// so and keeps the entries; a failure it cannot take back is named as one
// the next start completes. A failing purge keeps every ledger.
TEST(PaymentScreen, AFailedWriteOrPurgeSaysWhatTheFilesHold)
{
    for (bool onward : {false, true}) {
        Harness h;
        h.ledgerWith("A1", 12000);
        h.ledgerWith("Z1", 0);
        h.open();
        const QByteArray ledger = h.folder.read(QStringLiteral("/BVActiveAccounts/A1.txt"));
        bool failing = false;
        h.folder.store().setWriteFault([&](const QString &name) -> std::optional<QString> {
            failing = failing || name == kPaymentJournal;
            return failing && (onward || name == kPaymentJournal) ? std::optional<QString>(QStringLiteral("Disk full"))
                                                                  : std::nullopt;
        });
        h.pick(h.rowOf("A1"));
        h.box("txtCheckNo")->setText(QStringLiteral("77"));
        h.cmd(2);
        h.folder.prompt.answer(true);
        h.cmd(1);
        const QString said = h.said().text;
        EXPECT_TRUE(said.startsWith(QStringLiteral("The payments could not be written (Disk full).\n"))) << said.toStdString();
        if (!onward) {
            EXPECT_TRUE(said.endsWith(QStringLiteral("None was written: they are still on the screen.")));
            EXPECT_EQ(h.folder.read(QStringLiteral("/BVActiveAccounts/A1.txt")), ledger);
            EXPECT_EQ(h.cell(h.rowOf("A1"), 4), QStringLiteral("Check# 77"));
        } else {
            EXPECT_TRUE(said.contains(QStringLiteral("will be completed when the program next starts")));
            EXPECT_TRUE(h.folder.exists(store::kTransactionMarker));
        }
        EXPECT_NE(h.navigator->current(), h.menu);
        // The user does what the message says: writes again, or restarts.
        h.folder.store().setWriteFault({});
        if (!onward) {
            h.folder.prompt.answer(true);
            h.cmd(1);
            EXPECT_EQ(h.navigator->current(), h.menu);
        } else {
            ASSERT_TRUE(store::finishInterruptedWork(h.folder.store()).result);
        }
        EXPECT_EQ(h.entries(QStringLiteral("/BVActiveAccounts/A1.txt")).size(), 3u) << "written once";
        EXPECT_EQ(h.entries(kPaymentJournal).size(), 1u);
    }
    Harness h;
    h.ledgerWith("Z1", 0);
    h.ledgerWith("OWE", 4000);
    h.open();
    h.folder.store().setWriteFault([](const QString &name) -> std::optional<QString> {
        return name.endsWith(QLatin1String("Z1.txt")) ? std::optional<QString>(QStringLiteral("Disk full")) : std::nullopt;
    });
    h.folder.prompt.answer(true);
    h.cmd(6);
    EXPECT_EQ(h.said().text,
              QStringLiteral("The paid-up accounts could not be purged (Disk full).\nEvery ledger is kept as it was."))
        << h.said().text.toStdString();
    EXPECT_TRUE(h.folder.exists(QStringLiteral("/BVActiveAccounts/Z1.txt")));
}
