// The billing screen driven as a user drives it: load March's quarterly
// accounts, change one charge for this run, add two items to every
// invoice, enter the records, and find the tax records and ledger entries
// as they must be, with the rows marked "P" and nothing billed twice.
#include "billing/BillingRun.h"
#include "catalog/Catalog.h"
#include "customers/Records.h"
#include "ledger/LedgerEntry.h"
#include "support/BusinessFolder.h"
#include "support/PdfPrinters.h"
#include "support/ScreenChecks.h"
#include "support/ScreenHost.h"
#include "ui/billing/BillingModels.h"
#include "ui/billing/BillingScreen.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>

using namespace ui;
using namespace customers;
using base::Money;

namespace {

struct Harness : ScreenHost<BillingScreen> {
    PdfPrinters printers;
    Harness()
    {
        // Three quarterly accounts starting in March, one starting in
        // February (not due in March), one monthly.
        QByteArray customers, cycles;
        const int modes[] = {1, 1, 1, 1, 0}, starts[] = {2, 2, 2, 1, 0};
        for (int i = 0; i < 5; ++i) {
            CustomerRecord c;
            c.acctNo = QStringLiteral("Q%1").arg(i + 1);
            c.acctType = CustomerRecord::kBusiness;
            c.name = QStringLiteral("Customer %1").arg(i + 1);
            customers += c.encode();
            CycleRecord y;
            y.billingMode = std::int16_t(modes[i]);
            y.startMonth = std::int16_t(starts[i]);
            y.charge = Money::fromCents(10000);
            y.service = QStringLiteral("Pool Care");
            y.chargeFor = QStringLiteral("Spring");
            cycles += y.encode();
        }
        folder.write(kCustomerFile, customers);
        folder.write(kCycleFile, cycles);
        catalog::InventoriedItemRecord chlorine, filter;
        chlorine.description = QStringLiteral("Chlorine");
        chlorine.price = Money::fromCents(1000);
        chlorine.discountQty = 5;
        chlorine.discountPrice = Money::fromCents(800);
        chlorine.onHand = 100;
        filter.description = QStringLiteral("Filter");
        filter.price = Money::fromCents(2500);
        filter.onHand = 10;
        EXPECT_TRUE(folder.context().catalog.save(folder.store(), {{QStringLiteral("Pool Opening"), QStringLiteral("$150.00"), QStringLiteral("1:00")}},
                                                  {chlorine, filter}));
        folder.context().settings.edit([](setup::BusinessValues &v) {
            v.taxServicesAndItems = 1;
            v.taxRate1 = QStringLiteral("7");
            v.taxHeading1 = QStringLiteral("Sales Tax");
        });
        folder.clock.at = QDateTime(QDate(2026, 3, 31), QTime(10, 0));
        screen = new BillingScreen(folder.context(), *navigator, printers.chooser());
        navigator->add(BillingScreen::kId, screen);
        open();
        window.show();
    }
    QTableView *table() { return child<QTableView>("fgMonthly"); }
    QTableView *itemTable() { return child<QTableView>("fgItems"); }
    void clickCell(QTableView *view, int row, int column)
    {
        const QRect cell = view->visualRect(view->model()->index(row, column));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
    }
    QString cell(int row, int column) { return table()->model()->index(row, column).data().toString(); }
    void press(const char *name) { QTest::mouseClick(child<QPushButton>(name), Qt::LeftButton); }
    void addItem(int row, const char *units)
    {
        clickCell(itemTable(), row, ItemsModel::Sel);
        QLineEdit *box = child<QLineEdit>("txtUnits");
        box->setText(QString::fromLatin1(units));
        press("cmdMonthly_9");
        press("cmdMonthly_0");
    }
};

} // namespace

TEST(BillingScreen, AQuarterlyRunWithAChangedChargeAndTwoItemsEntersItsRecordsOnce)
{
    Harness h;
    EXPECT_EQ(h.child<QPushButton>("cmdPrint")->text(), QStringLiteral("Enter Records Only"));
    h.child<QListWidget>("lstFrequency")->setCurrentRow(1);
    EXPECT_EQ(h.child<QLabel>("Label1_1")->text(), QStringLiteral("Accounts Invoiced Quarterly"));
    EXPECT_EQ(h.child<QListWidget>("lstMonths")->currentRow(), 2); // today's month, March
    h.press("cmdMonthly_4");
    ASSERT_EQ(h.table()->model()->rowCount(), 3);
    EXPECT_EQ(h.cell(0, CycleGridModel::Charge), QStringLiteral("$100.00"));
    EXPECT_EQ(h.cell(2, CycleGridModel::Rec), QStringLiteral("3"));

    // A charge that is no amount is refused; 45 is taken for the row clicked.
    h.clickCell(h.table(), 1, CycleGridModel::Charge);
    ASSERT_TRUE(h.child<QGroupBox>("fraCharge")->isVisible());
    h.table()->setCurrentIndex(h.table()->model()->index(0, 0)); // the current row moves on
    h.child<QLineEdit>("txtCharge")->setText(QStringLiteral("abc"));
    h.press("cmdMonthly_5");
    EXPECT_EQ(h.said().text, QStringLiteral("Enter a new Charge amount\nAmount cannot be $0.00"));
    EXPECT_EQ(h.child<QLineEdit>("txtCharge")->text(), QStringLiteral("$0.00"));
    QTest::keyClicks(h.child<QLineEdit>("txtCharge"), QStringLiteral("45")); // typing replaces the zero
    h.press("cmdMonthly_5");
    EXPECT_EQ(h.cell(1, CycleGridModel::Charge), QStringLiteral("$45.00"));
    EXPECT_EQ(h.cell(0, CycleGridModel::Charge), QStringLiteral("$100.00"));
    EXPECT_FALSE(h.child<QGroupBox>("fraCharge")->isVisible());

    // Two items for every invoice: 6 chlorine at the discount price, 2 filters.
    h.folder.prompt.answer(true);
    h.command("mnuAddItems");
    ASSERT_TRUE(h.child<QGroupBox>("fraItems")->isVisible());
    h.clickCell(h.itemTable(), 0, ItemsModel::Sel);
    h.child<QLineEdit>("txtUnits")->setText(QStringLiteral("0"));
    h.press("cmdMonthly_9");
    EXPECT_EQ(h.said().text, QStringLiteral("Enter the units as a whole number from 1 to 32767."));
    EXPECT_FALSE(h.child<QPushButton>("cmdMonthly_0")->isEnabled());
    h.child<QLineEdit>("txtUnits")->setText(QStringLiteral("6"));
    h.press("cmdMonthly_9");
    EXPECT_EQ(h.child<QLabel>("lblTotalCost")->text(), QStringLiteral("$48.00"));
    EXPECT_EQ(screenchecks::heardName(h.child<QLabel>("lblTotalCost")), QStringLiteral("$48.00")); // what a screen reader hears
    QTest::keyClick(h.child<QLineEdit>("txtUnits"), Qt::Key_7); // edited after Calculate
    EXPECT_FALSE(h.child<QPushButton>("cmdMonthly_0")->isEnabled());
    h.child<QLineEdit>("txtUnits")->setText(QStringLiteral("6"));
    h.press("cmdMonthly_9");
    h.press("cmdMonthly_0");
    h.addItem(1, "2");
    EXPECT_EQ(h.itemTable()->model()->index(1, ItemsModel::TotalSale).data().toString(), QStringLiteral("$50.00"));
    h.press("cmdMonthly_10");
    EXPECT_EQ(h.said().text,
              QStringLiteral("Select all Accounts to which to Add these items\nThen Click Enter Records Only"));

    h.press("cmdMonthly_2"); // Select All
    h.folder.prompt.answer(true);
    h.press("cmdPrint");
    EXPECT_EQ(h.said().title, QStringLiteral("Billing Records Created"));
    EXPECT_EQ(h.said().text,
              QStringLiteral("Invoice Records for Quarterly accounts have been Created"));
    for (int r = 0; r < 3; ++r)
        EXPECT_EQ(h.cell(r, CycleGridModel::Selected), QStringLiteral("P")) << r;

    // Subtotals 198.00 and 143.00 (charge + 98.00 of items), taxed at 7%.
    const QByteArray taxes = h.folder.read(billing::kTaxRecordsFile);
    ASSERT_EQ(taxes.size(), 3 * 75);
    const QStringList expectedTax = {QStringLiteral("13.86"), QStringLiteral("10.01"), QStringLiteral("13.86")};
    const QStringList expectedTotal = {QStringLiteral("211.86"), QStringLiteral("153.01"), QStringLiteral("211.86")};
    for (int i = 0; i < 3; ++i) {
        const billing::TaxRecord t = billing::TaxRecord::decode(taxes.mid(i * 75, 75));
        EXPECT_EQ(t.amount, expectedTax[i]) << i;
        EXPECT_EQ(t.reference, QStringLiteral("Pool Care")) << i;
        EXPECT_EQ(t.date, QStringLiteral("3/31/2026"));
        const QByteArray ledger = h.folder.read(QStringLiteral("/BVActiveAccounts/Q%1.txt").arg(i + 1));
        ASSERT_EQ(ledger.size(), 2 * 155) << i;
        const ledger::LedgerEntry bill = ledger::LedgerEntry::decode(ledger.mid(155));
        EXPECT_EQ(bill.entryAmount, expectedTotal[i]) << i;
        EXPECT_EQ(bill.entryText, QStringLiteral("Pool Care Spring")) << i;
    }
    EXPECT_FALSE(h.folder.exists(QStringLiteral("/BVActiveAccounts/Q4.txt")));
    EXPECT_FALSE(h.screen->itemsAdded()); // the item marks are cleared after a completed run
    EXPECT_EQ(h.itemTable()->model()->index(0, ItemsModel::Sel).data().toString(), QString());

    // Nothing is billed twice: posted rows stay "P" through Select All and a click.
    h.press("cmdMonthly_2");
    h.clickCell(h.table(), 0, CycleGridModel::Selected);
    EXPECT_EQ(h.cell(0, CycleGridModel::Selected), QStringLiteral("P"));
    const int beeps = h.folder.prompt.beeps;
    h.press("cmdPrint");
    EXPECT_EQ(h.folder.prompt.beeps, beeps + 1);
    EXPECT_EQ(h.folder.read(billing::kTaxRecordsFile).size(), 3 * 75);
}

TEST(BillingScreen, ARunThatFailsItsCheckWritesNothingAndNamesTheAccount)
{
    Harness h;
    h.child<QListWidget>("lstFrequency")->setCurrentRow(1);
    h.press("cmdMonthly_4");
    h.folder.context().settings.edit([](setup::BusinessValues &v) { v.taxRate1 = QStringLiteral("seven"); });
    h.press("cmdMonthly_2");
    h.folder.prompt.answer(true);
    h.press("cmdPrint");
    EXPECT_EQ(h.said().title, QStringLiteral("Billing Run"));
    EXPECT_TRUE(h.said().text.contains(QStringLiteral("\"seven\"")));
    EXPECT_FALSE(h.folder.exists(billing::kTaxRecordsFile));
    EXPECT_EQ(h.cell(0, CycleGridModel::Selected), QStringLiteral("+")); // still selected, nothing posted

    // "Change Service" with no service chosen changes nothing; with one, both cells.
    h.clickCell(h.table(), 2, CycleGridModel::Service);
    h.press("cmdMonthly_8");
    EXPECT_EQ(h.cell(2, CycleGridModel::Service), QStringLiteral("Pool Care"));
    h.child<QComboBox>("cboServices")->setCurrentIndex(0);
    EXPECT_EQ(h.child<QListWidget>("lstServiceCost")->currentRow(), 0);
    h.press("cmdMonthly_8");
    EXPECT_EQ(h.cell(2, CycleGridModel::Service), QStringLiteral("Pool Opening"));
    EXPECT_EQ(h.cell(2, CycleGridModel::Charge), QStringLiteral("$150.00"));
}

TEST(BillingScreen, APrintedRunGoesIntoOnePdfAndACancelledDialogWritesNothing)
{
    Harness h;
    h.child<QListWidget>("lstFrequency")->setCurrentRow(1);
    h.press("cmdMonthly_4");
    QTest::mouseClick(h.child<QCheckBox>("ckPrintInvoice"), Qt::LeftButton);
    EXPECT_EQ(h.child<QPushButton>("cmdPrint")->text(), QStringLiteral("Print Invoices and Enter Records"));
    h.press("cmdMonthly_2");

    // The preview shows every invoice with the number it would get, and posts nothing.
    h.press("cmdPreview");
    ASSERT_EQ(h.printers.previews, 1);
    const QString preview = PdfPrinters::textOf(h.printers.files.last());
    EXPECT_TRUE(preview.contains(QStringLiteral("INVOICE NO: 90-3"))) << preview.toStdString();
    EXPECT_TRUE(preview.contains(QStringLiteral("Reference March, 2026 Billing")));
    EXPECT_FALSE(h.folder.exists(billing::kInvoiceCounterFile));

    h.printers.cancel = true;
    h.folder.prompt.answer(true);
    h.press("cmdPrint");
    EXPECT_EQ(h.said().text, QStringLiteral("Invoice Printing and Account Posting will be Canceled"));
    EXPECT_EQ(h.said().title, QStringLiteral("Cancel Printing"));
    EXPECT_FALSE(h.folder.exists(billing::kInvoiceCounterFile));
    EXPECT_FALSE(h.folder.exists(billing::kTaxRecordsFile));
    EXPECT_EQ(h.cell(0, CycleGridModel::Selected), QStringLiteral("+"));

    h.printers.cancel = false;
    h.folder.prompt.answer(true);
    h.press("cmdPrint");
    EXPECT_EQ(h.said().title, QStringLiteral("Billing Records Created"));
    const QString text = PdfPrinters::textOf(h.printers.files.last());
    // One file, three invoices, each on its own page numbered from 1.
    EXPECT_EQ(text.count(QStringLiteral("INVOICE NO:")), 3);
    EXPECT_EQ(text.count(QStringLiteral("Page 1")), 3) << text.toStdString();
    for (const char *no : {"90-1", "90-2", "90-3"}) {
        EXPECT_TRUE(text.contains(QStringLiteral("INVOICE NO: ") + QString::fromLatin1(no))) << no;
        EXPECT_TRUE(h.folder.exists(billing::completedInvoiceFile(QString::fromLatin1(no)))) << no;
    }
    EXPECT_EQ(h.folder.read(billing::kSalesJournalFile).size(), 3 * 125);
    EXPECT_EQ(h.folder.read(billing::kInvoiceCounterFile), QByteArray("90,4\r\n"));
    for (int r = 0; r < 3; ++r)
        EXPECT_EQ(h.cell(r, CycleGridModel::Selected), QStringLiteral("P")) << r;
}

// The customer block of a printed invoice follows the business's address
// style: city, state and code on one line, or the third and fourth lines
// on two, as the customer list prints them.
TEST(BillingScreen, PrintedInvoicesPrintTheCustomerAddressInTheBusinessStyle)
{
    struct Style {
        setup::AddressStyle style;
        int frequency, month;
    } styles[] = {{setup::AddressStyle::USA, 1, 2}, {setup::AddressStyle::International, 3, 4}};
    for (const Style &s : styles) {
        ScreenHost<BillingScreen> h;
        PdfPrinters printers;
        fillBusiness(h.folder, s.style);
        h.screen = new BillingScreen(h.folder.context(), *h.navigator, printers.chooser());
        h.navigator->add(BillingScreen::kId, h.screen);
        h.open();
        h.window.show();
        h.child<QListWidget>("lstFrequency")->setCurrentRow(s.frequency);
        h.child<QListWidget>("lstMonths")->setCurrentRow(s.month);
        QTest::mouseClick(h.child<QPushButton>("cmdMonthly_4"), Qt::LeftButton);
        QTest::mouseClick(h.child<QCheckBox>("ckPrintInvoice"), Qt::LeftButton);
        ASSERT_GE(h.child<QTableView>("fgMonthly")->model()->rowCount(), 1);
        QTest::mouseClick(h.child<QPushButton>("cmdMonthly_2"), Qt::LeftButton); // every row
        h.folder.prompt.answer(true);
        QTest::mouseClick(h.child<QPushButton>("cmdPrint"), Qt::LeftButton);
        ASSERT_EQ(h.said().title, QStringLiteral("Billing Records Created")) << h.said().text.toStdString();
        const QStringList words = PdfPrinters::wordBoxes(printers.files.last());
        auto top = [&](const char *word) {
            const QList<QRect> at = PdfPrinters::boxesOf(words, QString::fromLatin1(word));
            return at.isEmpty() ? -1 : at.first().top();
        };
        if (s.style == setup::AddressStyle::USA) {
            // Hilltop Farms and Ann Lee, quarterly from March.
            ASSERT_GE(top("Decatur,"), 0) << words.join(u' ').toStdString();
            EXPECT_EQ(top("Decatur,"), top("62521"));
        } else {
            // Harbour View, annually from May: no state, "Hong Kong" under
            // "Kowloon Bay" at the same left edge.
            ASSERT_GE(top("Kowloon"), 0) << words.join(u' ').toStdString();
            const QRect kowloon = PdfPrinters::boxesOf(words, QStringLiteral("Kowloon")).first();
            const QList<QRect> hong = PdfPrinters::boxesOf(words, QStringLiteral("Hong"));
            EXPECT_TRUE(std::any_of(hong.begin(), hong.end(), [&](const QRect &r) {
                return std::abs(r.left() - kowloon.left()) <= 2 && r.top() > kowloon.top();
            }));
            EXPECT_EQ(top("Bay,"), -1);
        }
    }
}

// A write that fails part way through a run on screen: the accounts
// written with it are taken back, the message says exactly what was
// posted and what was not, the rows say the same, and running again bills
// them all once.
TEST(BillingScreen, AFailedWriteIsReportedAsTheFilesAreAndARerunBillsTheRestOnce)
{
    Harness h;
    h.child<QListWidget>("lstFrequency")->setCurrentRow(1);
    h.press("cmdMonthly_4");
    h.press("cmdMonthly_2");
    ASSERT_EQ(h.table()->model()->rowCount(), 3);
    h.folder.store().setWriteFault([](const QString &name) -> std::optional<QString> {
        if (name == QStringLiteral("/BVActiveAccounts/Q2.txt"))
            return QStringLiteral("No space left on device");
        return std::nullopt;
    });
    h.folder.prompt.answer(true);
    h.press("cmdPrint");
    const PromptEntry said = h.said();
    EXPECT_EQ(said.title, QStringLiteral("Billing Run Stopped"));
    EXPECT_TRUE(said.text.contains(QStringLiteral("0 of 3 accounts were posted"))) << said.text.toStdString();
    EXPECT_TRUE(said.text.contains(QStringLiteral("Account Q2 (Customer 2) could not be posted: No space left on device. "
                                                  "Nothing of it, or of the other accounts not marked P, was written.")))
        << said.text.toStdString();
    EXPECT_EQ(h.cell(0, CycleGridModel::Selected), QStringLiteral("+"));
    EXPECT_EQ(h.cell(1, CycleGridModel::Selected), QStringLiteral("+"));
    EXPECT_FALSE(h.folder.exists(QStringLiteral("/BVActiveAccounts/Q1.txt")));
    EXPECT_FALSE(h.folder.exists(billing::kTaxRecordsFile));

    h.folder.store().setWriteFault({});
    h.folder.prompt.answer(true);
    h.press("cmdPrint");
    EXPECT_EQ(h.said().title, QStringLiteral("Billing Records Created"));
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(h.folder.read(QStringLiteral("/BVActiveAccounts/Q%1.txt").arg(i)).size(), 2 * 155) << i;
    EXPECT_EQ(h.folder.read(billing::kTaxRecordsFile).size(), 3 * 75);
}

// A service whose name the balance would count as a payment is refused
// when chosen for a row of the run.
TEST(BillingScreen, AServiceCountedAsAPaymentCannotBeChosenForARow)
{
    Harness h;
    ASSERT_TRUE(h.folder.context().catalog.save(
        h.folder.store(), {{QStringLiteral("Credit Check Fee"), QStringLiteral("$15.00"), QStringLiteral("0:15")}}, {}));
    h.navigator->show(ScreenId::MainMenu);
    h.open();
    h.child<QListWidget>("lstFrequency")->setCurrentRow(1);
    h.press("cmdMonthly_4");
    h.clickCell(h.table(), 0, CycleGridModel::Service);
    QComboBox *services = h.child<QComboBox>("cboServices");
    services->setCurrentIndex(services->findText(QStringLiteral("Credit Check Fee")));
    h.press("cmdMonthly_8");
    EXPECT_EQ(h.said().text,
              QStringLiteral("\"Credit Check Fee\" would be counted as a payment or credit in the account's balance; "
                             "choose another description."));
    EXPECT_EQ(h.cell(0, CycleGridModel::Service), QStringLiteral("Pool Care"));
}

// A printer that fails: the error, then what was posted, the number that
// goes unused, and that the file could not be finished.
TEST(BillingScreen, APrintErrorSaysWhatWasPostedAndWhichNumberGoesUnused)
{
    Harness h;
    h.child<QListWidget>("lstFrequency")->setCurrentRow(1);
    h.press("cmdMonthly_4");
    QTest::mouseClick(h.child<QCheckBox>("ckPrintInvoice"), Qt::LeftButton);
    h.press("cmdMonthly_2");
    h.printers.unwritable = true;
    h.folder.prompt.answer(true);
    h.press("cmdPrint");
    ASSERT_GE(h.folder.prompt.entries.size(), 2);
    const PromptEntry error = h.folder.prompt.entries[h.folder.prompt.entries.size() - 2];
    EXPECT_EQ(error.title, QStringLiteral("Print Error"));
    const PromptEntry stop = h.folder.prompt.entries.last();
    EXPECT_EQ(stop.title, QStringLiteral("Cancel Printing"));
    EXPECT_TRUE(stop.text.startsWith(QStringLiteral("Invoice Printing and Account Posting will be Canceled\n0 of 3 accounts "
                                                    "were posted")))
        << stop.text.toStdString();
    EXPECT_TRUE(stop.text.contains(QStringLiteral("Invoice 90-1 was not posted; its number will not be used again.")));
    EXPECT_TRUE(stop.text.contains(QStringLiteral("could not be finished"))) << stop.text.toStdString();
    EXPECT_FALSE(h.folder.exists(QStringLiteral("/BVActiveAccounts/Q1.txt")));
    EXPECT_EQ(h.cell(0, CycleGridModel::Selected), QStringLiteral("+"));
}
