// Accounts Receivable driven as a user drives it, over a business's data:
// who owes what and for how long with the totals heard, sorting, the
// overdue filter, the statements of every account over 30 days into one
// PDF with the tear-off section and closing balances equal to the payment
// screen's, three statements in one PDF, the CSV, and a statement preview
// from the keyboard.
#include "ledger/Ledger.h"
#include "support/BusinessFolder.h"
#include "support/PdfPrinters.h"
#include "support/ScreenChecks.h"
#include "support/ScreenHost.h"
#include "ui/receivables/ReceivablesModel.h"
#include "ui/receivables/ReceivablesScreen.h"

#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>

using namespace ui;
using base::Money;

namespace {

struct Harness : ScreenHost<ReceivablesScreen> {
    PdfPrinters printers;
    QString exported;
    Harness()
    {
        fillBusiness(folder);
        folder.context().settings.edit([](setup::BusinessValues &v) {
            v.useRemittanceForm = true;
            v.usePlainPaper = false;
        });
        const QDate today = folder.clock.at.date();
        append(QStringLiteral("1004"), QStringLiteral("Raj Patel"), QStringLiteral("110.00"), QStringLiteral("Spring Clean-up"),
               today.addDays(-100));
        append(QStringLiteral("2001"), QStringLiteral("Harbour View Ltd"), QStringLiteral("120.00"), QStringLiteral("Pool Care"),
               today.addDays(-10));
        append(QStringLiteral("2001"), QStringLiteral("Harbour View Ltd"), QStringLiteral("lots"), QStringLiteral("Pool Care"),
               today.addDays(-9));
        exported = printers.dir.filePath(QStringLiteral("ar.csv"));
        screen = new ReceivablesScreen(folder.context(), *navigator, printers.chooser(),
                                       [this](QWidget *, const QString &) { return exported; });
        navigator->add(ReceivablesScreen::kId, screen);
        open();
        window.show();
    }
    void append(const QString &acct, const QString &name, const QString &amount, const QString &text, const QDate &day)
    {
        const QString file = ledger::ledgerFile(acct);
        folder.write(file, folder.read(file) + ledger::makeEntry(acct, name, amount, text, day, usLocale()).encode());
    }
    QTableView *grid() { return child<QTableView>("fgReceivables"); }
    QStringList column(int c)
    {
        QStringList out;
        for (int r = 0; r < grid()->model()->rowCount(); ++r)
            out << grid()->model()->index(r, c).data().toString();
        return out;
    }
    void press(const char *name) { QTest::mouseClick(child<QPushButton>(name), Qt::LeftButton); }
};

} // namespace

TEST(ReceivablesScreen, WhoOwesWhatStatementsOver30DaysInOnePdfAndTheCsv)
{
    Harness h;
    EXPECT_EQ(h.column(ReceivablesModel::AcctNo),
              (QStringList{QStringLiteral("1002"), QStringLiteral("1003"), QStringLiteral("1004"), QStringLiteral("2001")}));
    EXPECT_EQ(h.column(ReceivablesModel::Balance), (QStringList{QStringLiteral("$60.00"), QStringLiteral("$25.00 credit"),
                                                                QStringLiteral("$110.00"), QStringLiteral("$120.00")}));
    // 1004's payments went to its oldest charges: of the 110.00 billed 100
    // days ago 5.00 is left, and its last three months of 35.00 are owed.
    EXPECT_EQ(h.column(ReceivablesModel::Over90)[2], QStringLiteral("$5.00"));
    EXPECT_EQ(h.column(ReceivablesModel::Days61)[2], QStringLiteral("$35.00"));
    EXPECT_EQ(h.column(ReceivablesModel::Phone)[0], QStringLiteral("937-555-0102"));
    EXPECT_EQ(h.column(ReceivablesModel::Note)[3], QStringLiteral("1 entry could not be read"));
    QLabel *totals = h.child<QLabel>("lblTotals");
    EXPECT_EQ(totals->text(), QStringLiteral("Totals of 4 accounts: balance $265.00; current $215.00; 31-60 days $35.00; "
                                             "61-90 days $35.00; over 90 days $5.00."));
    EXPECT_EQ(screenchecks::heardName(totals), totals->text());

    // A click on the Balance head sorts by the amount, the credit first.
    QHeaderView *head = h.grid()->horizontalHeader();
    QTest::mouseClick(head->viewport(), Qt::LeftButton, {},
                      QPoint(head->sectionViewportPosition(ReceivablesModel::Balance) + 5, 5));
    EXPECT_EQ(h.column(ReceivablesModel::AcctNo).first(), QStringLiteral("1003"));
    EXPECT_EQ(h.column(ReceivablesModel::AcctNo).last(), QStringLiteral("2001"));

    // Over 30 days: the one account; its statement with the tear-off section.
    h.child<QComboBox>("cboOverdue")->setCurrentIndex(1);
    EXPECT_EQ(h.column(ReceivablesModel::AcctNo), QStringList{QStringLiteral("1004")});
    EXPECT_TRUE(totals->text().startsWith(QStringLiteral("Totals of 1 account: balance $110.00;")));
    h.press("cmdStatementsDue");
    EXPECT_EQ(h.said().text, QStringLiteral("1 statement was printed to %1.").arg(h.printers.files.last()));
    const QString one = PdfPrinters::textOf(h.printers.files.last());
    EXPECT_EQ(one.count(QStringLiteral("STATEMENT")), 1);
    EXPECT_TRUE(one.contains(QStringLiteral("Detach Here and Return Top Section")));
    EXPECT_TRUE(one.contains(QStringLiteral("Amount Due $110.00"))) << one.toStdString();
    EXPECT_TRUE(one.contains(QStringLiteral("Raj Patel")));
    const Money paymentScreen = ledger::accountBalance(h.folder.store(), ledger::ledgerFile(QStringLiteral("1004")), usLocale())->total;
    EXPECT_EQ(paymentScreen, Money::fromCents(11000));

    // All balances, three chosen with the keyboard: three statements, each from page 1.
    h.child<QComboBox>("cboOverdue")->setCurrentIndex(0);
    h.grid()->sortByColumn(ReceivablesModel::AcctNo, Qt::AscendingOrder);
    h.grid()->setFocus();
    h.grid()->setCurrentIndex(h.grid()->model()->index(0, 0));
    QTest::keyClick(h.grid(), Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(h.grid(), Qt::Key_Down, Qt::ShiftModifier);
    h.press("cmdStatements");
    const QString three = PdfPrinters::textOf(h.printers.files.last());
    EXPECT_EQ(three.count(QStringLiteral("STATEMENT")), 3);
    EXPECT_EQ(three.count(QStringLiteral("Page 1")), 3);
    EXPECT_TRUE(three.contains(QStringLiteral("In Credit"))); // 1003's credit shown as such
    EXPECT_FALSE(three.contains(QStringLiteral("Harbour View")));

    // Enter on a row opens its statement preview.
    const int previews = h.printers.previews;
    QTest::keyClick(h.grid(), Qt::Key_Return);
    EXPECT_EQ(h.printers.previews, previews + 1);
    EXPECT_TRUE(PdfPrinters::textOf(h.printers.files.last()).contains(QStringLiteral("STATEMENT")));

    // The CSV: a header and one row per account shown, plain amounts, ISO dates.
    h.press("cmdExportList");
    QFile csv(h.exported);
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(csv.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[0], QStringLiteral("Account,Name,Telephone,As of,Balance,Current,31-60 Days,61-90 Days,Over 90 Days,Note"));
    EXPECT_EQ(lines[2], QStringLiteral("1003,Hilltop Farms,217-555-0103,2026-03-14,-25,0,0,0,0,"));
    EXPECT_EQ(h.said().text, QStringLiteral("4 accounts were exported to %1.").arg(h.exported));

    // The printed list has its totals at the foot.
    h.press("cmdPrintList");
    const QString report = PdfPrinters::textOf(h.printers.files.last());
    EXPECT_TRUE(report.contains(QStringLiteral("Accounts Receivable")));
    EXPECT_TRUE(report.contains(QStringLiteral("$265.00"))) << report.toStdString();
}
