// The history screen as a user works it: last month's financial history
// for all accounts and for one with its net total, the report periods and
// the date guard, the toggle, the export, the print, and the purges.
#include "history/History.h"
#include "customers/Records.h"
#include "support/Accounts.h"
#include "support/Ledgers.h"
#include "support/PdfPrinters.h"
#include "support/ScreenHost.h"
#include "ui/history/HistoryModel.h"
#include "ui/history/HistoryScreen.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

using namespace ui;

namespace {

const auto entry = ledgerRecord;

struct Harness : ScreenHost<HistoryScreen> {
    PdfPrinters printers;
    QString exportPath;
    Harness()
    {
        folder.write(customers::kCustomerFile, encodeAll({business("1001", "Acme"), business("1002", "Beta")}));
        folder.write(history::kFinancialHistoryFile,
                     entry("1001", "11/1/2026", "Weekly Mowing, front", "100") + entry("1002", "11/15/2026", "Pool", "50")
                         + entry("1001", "11/30/2026", "Payment Check# 12", "$60.00")
                         + entry("1001", "12/2/2026", "Weekly Mowing", "100")
                         + entry("1002", "someday", "Credit", "lots"));
        folder.write(history::kServiceHistoryFile,
                     history::ServiceHistoryRecord{QStringLiteral("Name 1001"), QStringLiteral("1001"),
                                                   QStringLiteral("11/1/2026"), QStringLiteral("Mowing"), QStringLiteral("Sam")}
                         .encode());
        folder.clock.at = QDateTime(QDate(2026, 12, 7), QTime(9, 0));
        exportPath = folder.path() + QStringLiteral("/export.csv");
        screen = new HistoryScreen(folder.context(), *navigator, printers.chooser(),
                                   [this](QWidget *) { return exportPath; });
        navigator->add(HistoryScreen::kId, screen);
        open();
        window.show();
    }
    void press(const char *name) { QTest::mouseClick(child<QPushButton>(name), Qt::LeftButton); }
    int rows() { return child<QTableView>("fgHistory")->model()->rowCount(); }
    QString total() { return child<QLineEdit>("txtAmount")->text(); }
};

} // namespace

TEST(HistoryScreen, LastMonthForAllAndForOneAccountWithItsNetTotal)
{
    Harness h;
    // Opened on the last 30 days: 11/7 to 12/7.
    EXPECT_EQ(h.child<QDateEdit>("DTPicker1_0")->date(), QDate(2026, 11, 7));
    EXPECT_EQ(h.rows(), 4);
    EXPECT_FALSE(h.folder.exists(QStringLiteral("/ServiceHistory.txt.tmp")));

    h.press("cmdIncome_0"); // last month, set before the grid is loaded again
    EXPECT_EQ(h.child<QDateEdit>("DTPicker1_0")->date(), QDate(2026, 11, 1));
    EXPECT_EQ(h.child<QDateEdit>("DTPicker1_1")->date(), QDate(2026, 11, 30));
    EXPECT_TRUE(h.folder.prompt.entries.isEmpty()); // no "invalid" by itself
    h.press("cmdHistory_1");
    ASSERT_EQ(h.rows(), 4);
    EXPECT_EQ(h.total(), QStringLiteral("$90.00")); // 100 + 50 - 60; the unreadable amount left out
    // The record whose date and amount cannot be read is shown, both cells marked.
    const QAbstractItemModel *grid = h.child<QTableView>("fgHistory")->model();
    EXPECT_EQ(grid->index(3, 2).data().toString(), QStringLiteral("someday"));
    EXPECT_TRUE(grid->index(3, 2).data(Qt::ToolTipRole).toString().contains(QStringLiteral("cannot be read")));
    EXPECT_TRUE(grid->index(3, 4).data(Qt::ToolTipRole).toString().contains(QStringLiteral("left out of the total")));
    EXPECT_FALSE(grid->index(0, 2).data(Qt::ToolTipRole).isValid());
    EXPECT_EQ(h.child<QLabel>("lblFlows")->text(),
              QStringLiteral("Billed $150.00   Received $60.00   (1 amount(s) that cannot be read left out)"));

    // The account list is read when the box is entered, and again after
    // the customers changed.
    auto *accounts = h.child<QComboBox>("cboAccounts");
    EXPECT_EQ(accounts->count(), 0);
    h.leave(accounts); // nothing read on leaving
    QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(accounts->lineEdit(), &in);
    ASSERT_EQ(accounts->count(), 2);
    EXPECT_EQ(accounts->itemText(1), QStringLiteral("1002"));
    h.folder.write(customers::kCustomerFile, h.folder.read(customers::kCustomerFile) + business("1003", "Gamma").encode());
    h.navigator->show(HistoryScreen::kId);
    QApplication::sendEvent(accounts->lineEdit(), &in);
    EXPECT_EQ(accounts->count(), 3);
    h.press("cmdIncome_0"); // back to last month

    accounts->setCurrentText(QStringLiteral("1001"));
    h.child<QCheckBox>("ckAccount")->setChecked(true);
    EXPECT_FALSE(h.child<QPushButton>("cmdHistory_2")->isEnabled());
    h.press("cmdHistory_1");
    EXPECT_EQ(h.rows(), 2);
    EXPECT_EQ(h.total(), QStringLiteral("$40.00"));

    // An end before the start is put back to the start.
    h.child<QDateEdit>("DTPicker1_1")->setDate(QDate(2026, 10, 1));
    EXPECT_EQ(h.said().text, QStringLiteral("Your Calendar Selection is Invalid"));
    EXPECT_EQ(h.child<QDateEdit>("DTPicker1_1")->date(), QDate(2026, 11, 1));

    h.press("cmdHistory_4");
    EXPECT_EQ(h.child<QLabel>("Label1_6")->text(), QStringLiteral("Service History"));
    EXPECT_FALSE(h.child<QLineEdit>("txtAmount")->isVisible());
    h.press("cmdHistory_4");
    EXPECT_EQ(h.child<QLabel>("Label1_6")->text(), QStringLiteral("Financial History"));
}

TEST(HistoryScreen, ExportPrintAndPurgeOfOneAccount)
{
    Harness h;
    h.press("cmdIncome_0");
    h.press("cmdHistory_1");
    h.press("cmdExport");
    const QString csv = QString::fromUtf8(h.folder.read(QStringLiteral("/export.csv")));
    EXPECT_TRUE(csv.startsWith(QStringLiteral("Account,Name,Date,Invoice Number/Reference,Amount\r\n")));
    EXPECT_TRUE(csv.contains(QStringLiteral("1001,Name 1001,2026-11-01,\"Weekly Mowing, front\",100\r\n"))) << csv.toStdString();

    h.press("cmdPrintHistory");
    ASSERT_EQ(h.printers.files.size(), 1);
    const QString printed = PdfPrinters::textOf(h.printers.files.last());
    EXPECT_TRUE(printed.contains(QStringLiteral("Financial History")));
    EXPECT_TRUE(printed.contains(QStringLiteral("Payment Check# 12")));
    EXPECT_TRUE(printed.contains(QStringLiteral("$90.00")));
    // The preview shows the same pages, and nothing goes to a printer.
    h.press("cmdPreviewHistory");
    ASSERT_EQ(h.printers.previews, 1);
    EXPECT_EQ(PdfPrinters::textOf(h.printers.files.last()), printed);

    // An account that is not in the list is refused.
    h.child<QComboBox>("cboAccounts")->setCurrentText(QStringLiteral("9999"));
    h.press("cmdHistory_3");
    EXPECT_EQ(h.said().title, QStringLiteral("Purge Account History"));
    EXPECT_TRUE(h.said().text.contains(QStringLiteral("\"9999\" is not one of your accounts")));

    h.child<QComboBox>("cboAccounts")->setCurrentText(QStringLiteral("1001"));
    h.folder.prompt.answer(true);
    h.folder.prompt.answer(true);
    h.press("cmdHistory_3");
    const std::vector<ledger::LedgerEntry> left = ledgerEntries(h.folder.read(history::kFinancialHistoryFile));
    ASSERT_EQ(left.size(), 2u);
    EXPECT_EQ(left[0].acctNo, QStringLiteral("1002"));
    EXPECT_EQ(h.folder.read(history::kServiceHistoryFile).size(), 0);
}
