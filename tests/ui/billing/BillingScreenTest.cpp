// The billing screen driven as a user drives it: load March's quarterly
// accounts, change one charge for this run, add two items to every
// invoice, enter the records, and find the tax records and ledger entries
// as they must be, with the rows marked "P" and nothing billed twice.
#include "billing/BillingRun.h"
#include "catalog/Catalog.h"
#include "customers/Records.h"
#include "ledger/Ledger.h"
#include "ledger/LedgerEntry.h"
#include "ledger/PaymentBatch.h"
#include "support/BusinessFolder.h"
#include "support/PdfPrinters.h"
#include "support/ScreenChecks.h"
#include "support/ScreenHost.h"
#include "ui/billing/BillingModels.h"
#include "ui/billing/BillingScreen.h"
#include "ui/runs/BillingRunsScreen.h"
#include "ui/runs/RunModels.h"

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
        runs = new BillingRunsScreen(folder.context(), *navigator, printers.chooser());
        navigator->add(BillingRunsScreen::kId, runs);
        open();
        window.show();
    }
    BillingRunsScreen *runs = nullptr;
    template <typename T = QWidget>
    T *onRuns(const char *name)
    {
        T *found = runs->findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QString runCell(int row, int column) { return onRuns<QTableView>("fgRuns")->model()->index(row, column).data().toString(); }
    QString accountCell(int row, int column)
    {
        return onRuns<QTableView>("fgRunAccounts")->model()->index(row, column).data().toString();
    }
    // The quarterly accounts of March loaded, every one not billed selected.
    void loadMarch()
    {
        child<QListWidget>("lstFrequency")->setCurrentRow(1);
        child<QListWidget>("lstMonths")->setCurrentRow(2);
        press("cmdMonthly_4");
        press("cmdMonthly_2");
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

    // Nothing is billed twice: posted rows stay "P" through Select All, and
    // a click asks first.
    h.press("cmdMonthly_2");
    h.folder.prompt.answer(false);
    h.clickCell(h.table(), 0, CycleGridModel::Selected);
    EXPECT_EQ(h.said().text, QStringLiteral("This account was billed for this period on 3/31/2026 (run 1). Bill it again?"));
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

// The month's run with a charge typed wrong, found in Billing Runs and
// voided whole; every balance, the journal, the taxes and the stock are
// back where they were, the credit notes are in one PDF, the accounts can
// be billed again, and the numbers go on.
TEST(BillingRuns, ARunWithAWrongChargeIsVoidedWholeAndBilledAgainWithNewNumbers)
{
    Harness h;
    const QByteArray stockBefore = h.folder.read(catalog::kItemsFile);
    h.loadMarch();
    h.clickCell(h.table(), 1, CycleGridModel::Charge);
    h.child<QLineEdit>("txtCharge")->setText(QStringLiteral("450")); // meant 45
    h.press("cmdMonthly_5");
    h.folder.prompt.answer(true);
    h.command("mnuAddItems");
    h.addItem(1, "2");
    h.press("cmdMonthly_10");
    h.press("cmdMonthly_2");
    QTest::mouseClick(h.child<QCheckBox>("ckPrintInvoice"), Qt::LeftButton);
    h.folder.prompt.answer(true);
    h.press("cmdPrint");
    ASSERT_EQ(h.said().title, QStringLiteral("Billing Records Created")) << h.said().text.toStdString();

    // Loaded again (as after a restart), the billed accounts are marked and
    // stay out of Select All; choosing one asks first.
    h.navigator->show(ScreenId::MainMenu);
    h.open();
    h.loadMarch();
    for (int r = 0; r < 3; ++r)
        EXPECT_EQ(h.cell(r, CycleGridModel::Selected), QStringLiteral("P")) << r;
    h.folder.prompt.answer(false);
    h.clickCell(h.table(), 0, CycleGridModel::Selected);
    EXPECT_EQ(h.said().text, QStringLiteral("This account was billed for this period on 3/31/2026 (invoice 90-1). Bill it again?"));
    EXPECT_EQ(h.cell(0, CycleGridModel::Selected), QStringLiteral("P"));

    h.command("mnuBillingRuns");
    ASSERT_EQ(h.navigator->current(), h.runs);
    ASSERT_EQ(h.onRuns<QTableView>("fgRuns")->model()->rowCount(), 1);
    EXPECT_EQ(h.runCell(0, RunsModel::Billed), QStringLiteral("Quarterly, March 2026"));
    EXPECT_EQ(h.runCell(0, RunsModel::Mode), QStringLiteral("Printed"));
    EXPECT_EQ(h.runCell(0, RunsModel::Total), QStringLiteral("$856.00")); // 150 + 500 + 150 with 2 filters each, and 7% tax
    EXPECT_EQ(h.accountCell(1, RunAccountsModel::Invoice), QStringLiteral("90-2"));
    EXPECT_EQ(h.accountCell(1, RunAccountsModel::Total), QStringLiteral("$535.00"));

    // A payment received meanwhile stays: that account goes into credit.
    ASSERT_TRUE(ledger::writePayments(
        h.folder.store(),
        {{QStringLiteral("/BVActiveAccounts/Q3.txt"),
          ledger::makeEntry(QStringLiteral("Q3"), QStringLiteral("Customer 3"), QStringLiteral("$100.00"),
                            QStringLiteral("Payment Check"), QDate(2026, 3, 31), usLocale())}},
        QDate(2026, 3, 31), usLocale()));
    h.folder.clock.at = QDateTime(QDate(2026, 4, 2), QTime(8, 0));
    h.folder.prompt.answer(true); // void
    h.folder.prompt.answer(true); // print the credit notes
    QTest::mouseClick(h.onRuns<QPushButton>("cmdVoidRun"), Qt::LeftButton);
    const QList<PromptEntry> &said = h.folder.prompt.entries;
    ASSERT_GE(said.size(), 4);
    const QString question = said[said.size() - 4].text;
    EXPECT_TRUE(question.startsWith(QStringLiteral("Void run 1 (Quarterly, March 2026)?\n3 accounts will be credited "
                                                   "$856.00 in all, dated today.")))
        << question.toStdString();
    EXPECT_TRUE(question.contains(QStringLiteral("Q3 Customer 3: $160.50 credited, balance after $100.00 credit")))
        << question.toStdString();
    EXPECT_TRUE(question.contains(QStringLiteral("Stock returned: 6 Filter."))) << question.toStdString();
    EXPECT_EQ(said[said.size() - 3].text.section(u'\n', 0, 0),
              QStringLiteral("Run 1 was voided as run 2: 3 accounts credited $856.00 in all."));
    EXPECT_EQ(said.last().title, QStringLiteral("Print Again"));
    const QString notes = PdfPrinters::textOf(h.printers.files.last());
    EXPECT_EQ(notes.count(QStringLiteral("CREDIT NOTE")), 3) << notes.toStdString();
    EXPECT_TRUE(notes.contains(QStringLiteral("INVOICE NO: 90-2")));
    EXPECT_TRUE(notes.contains(QStringLiteral("$535.00")));
    EXPECT_FALSE(notes.contains(QStringLiteral("Amount Enclosed"))); // a credit asks for no payment

    for (int i = 1; i <= 3; ++i) {
        const auto balance = ledger::accountBalance(h.folder.store(), QStringLiteral("/BVActiveAccounts/Q%1.txt").arg(i), usLocale());
        EXPECT_EQ(balance->total.raw(), i == 3 ? -1000000 : 0) << i;
    }
    EXPECT_EQ(h.folder.read(catalog::kItemsFile), stockBefore);
    EXPECT_EQ(h.runCell(0, RunsModel::Mode), QStringLiteral("Void"));
    EXPECT_EQ(h.runCell(1, RunsModel::State), QStringLiteral("Voided"));
    EXPECT_EQ(h.runCell(0, RunsModel::Total), QStringLiteral("($856.00)"));

    // Chosen with the arrow keys, the voided run shows its accounts voided and
    // cannot be voided again.
    QTableView *runs = h.onRuns<QTableView>("fgRuns");
    runs->setFocus();
    QTest::keyClick(runs, Qt::Key_Down);
    EXPECT_EQ(h.accountCell(0, RunAccountsModel::State), QStringLiteral("Voided 4/2/2026 (run 2)"));
    EXPECT_FALSE(h.onRuns<QPushButton>("cmdVoidRun")->isEnabled());
    EXPECT_FALSE(h.onRuns<QPushButton>("cmdVoidInvoice")->isEnabled());
    EXPECT_TRUE(screenchecks::heardName(h.onRuns<QLabel>("lblRunSummary")).contains(QStringLiteral("Voided")));

    // Billed again with the right charge: the accounts are free, the numbers go on.
    QTest::mouseClick(h.onRuns<QPushButton>("cmdBilling"), Qt::LeftButton);
    ASSERT_EQ(h.navigator->current(), h.screen);
    h.loadMarch();
    for (int r = 0; r < 3; ++r)
        EXPECT_EQ(h.cell(r, CycleGridModel::Selected), QStringLiteral("+")) << r;
    ASSERT_TRUE(h.child<QCheckBox>("ckPrintInvoice")->isChecked());
    h.folder.prompt.answer(true);
    h.press("cmdPrint");
    ASSERT_EQ(h.said().title, QStringLiteral("Billing Records Created"));
    EXPECT_TRUE(PdfPrinters::textOf(h.printers.files.last()).contains(QStringLiteral("INVOICE NO: 92-1")));

    // Printed again after the tax rate changed: the invoice as it was posted.
    h.folder.context().settings.edit([](setup::BusinessValues &v) { v.taxRate1 = QStringLiteral("10"); });
    h.command("mnuBillingRuns");
    QTableView *accounts = h.onRuns<QTableView>("fgRunAccounts");
    accounts->setFocus();
    QTest::keyClick(accounts, Qt::Key_Down, Qt::ShiftModifier); // the first two invoices
    QTest::mouseClick(h.onRuns<QPushButton>("cmdPrintAgain"), Qt::LeftButton);
    EXPECT_EQ(h.said().text.left(30), QStringLiteral("2 invoices were printed to ") + h.printers.files.last().left(3));
    const QString again = PdfPrinters::textOf(h.printers.files.last());
    EXPECT_EQ(again.count(QStringLiteral("INVOICE NO:")), 2);
    EXPECT_TRUE(again.contains(QStringLiteral("INVOICE NO: 92-2")));
    EXPECT_TRUE(again.contains(QStringLiteral("$7.00"))) << again.toStdString(); // 7% of $100.00, not 10%
    EXPECT_TRUE(again.contains(QStringLiteral("Reference March, 2026 Billing")));
}
