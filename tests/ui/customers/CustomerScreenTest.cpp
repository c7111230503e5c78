// The customer screen driven offscreen: opening, the first customer, every
// save refusal, add and cancel, delete, the duplicate question, navigation,
// the account list's type-ahead and the search.
#include "ui/customers/CustomerScreen.h"

#include "support/CustomerHarness.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

using namespace base;
using namespace context;
using namespace setup;
using namespace customers;
using namespace ui;

using namespace customertest;

TEST(CustomerScreen, OpeningRebuildsMissingServiceFilesWithDefaults)
{
    Harness h(numbered(3), false);
    ASSERT_EQ(h.folder.read(kCustomerFile).size(), 984);
    h.open();
    const QByteArray cycles = h.folder.read(kCycleFile);
    EXPECT_EQ(cycles, CycleRecord().encode().repeated(3));
    EXPECT_EQ(h.folder.read(kContractFile).size(), 3 * 386);
    EXPECT_EQ(h.screen->customerCount(), 3);
    EXPECT_EQ(h.box(1)->text(), QStringLiteral("Customer 01"));
    EXPECT_TRUE(h.folder.prompt.entries.isEmpty());
    EXPECT_EQ(h.child<QComboBox>("cboStates")->count(), 50); // the shipped list beside the program
}

TEST(CustomerScreen, FirstCustomerTakesTheTelephoneAsAccountNumber)
{
    Harness h;
    h.open();
    ASSERT_EQ(h.folder.prompt.entries.size(), 1);
    EXPECT_EQ(h.folder.prompt.entries[0].text, QStringLiteral("Your Customer File is Empty\nCreate your First Customer Now"));
    EXPECT_EQ(h.folder.prompt.entries[0].title, QStringLiteral("Create Customers"));
    EXPECT_EQ(h.type(), QStringLiteral("Individual"));
    EXPECT_FALSE(h.child("cmdNav_2")->isEnabled());
    // The title list has a label of its own, heard in the box typed into as well.
    QComboBox *title = h.child<QComboBox>("cboTitle");
    ASSERT_NE(labelOf(h.screen, title), nullptr);
    EXPECT_EQ(labelOf(h.screen, title)->text(), QStringLiteral("Title"));
    EXPECT_TRUE(labelOf(h.screen, title)->isVisibleTo(h.screen));
    EXPECT_EQ(title->lineEdit()->accessibleName(), QStringLiteral("Title"));
    EXPECT_EQ(labelOf(h.screen, h.box(8))->text(), QStringLiteral("Title / Name"));

    h.box(8)->setText(QStringLiteral("John"));
    h.box(10)->setText(QStringLiteral("Public"));
    h.box(6)->setText(QStringLiteral("217-555-0123"));
    h.click("cmdNew");
    EXPECT_EQ(h.said().text, QStringLiteral("Telephone Number will be used as Acct No."));
    EXPECT_EQ(h.said().title, QStringLiteral("Account not Entered"));
    ASSERT_EQ(h.storedCount(), 1);
    EXPECT_EQ(h.stored(1).acctNo, QStringLiteral("217-555-0123"));
    // The service window's defaults: no service, Monthly Fee, this month.
    CycleRecord cycle;
    cycle.startMonth = 2;
    EXPECT_EQ(h.folder.read(kCycleFile), cycle.encode());
    EXPECT_TRUE(h.child("cmdNav_2")->isEnabled());

    // Now adding customer 2: the business's city, state and postal code are offered.
    EXPECT_EQ(h.screen->currentRecord(), 2);
    EXPECT_TRUE(h.child("cmdCustomer_13")->isVisibleTo(h.screen));
    EXPECT_FALSE(h.action("mnuAdd")->isEnabled());
    EXPECT_EQ(h.box(5)->text(), QStringLiteral("62701"));
    h.box(0)->setText(QStringLiteral("S-2"));
    h.box(8)->setText(QStringLiteral("Sue"));
    h.box(10)->setText(QStringLiteral("Smith"));
    ASSERT_TRUE(h.screen->saveCustomer());
    EXPECT_EQ(h.storedCount(), 2);
    EXPECT_EQ(h.stored(2).state, QStringLiteral("IL"));
    // Saved: the added record is in the file, so it can no longer be cancelled.
    EXPECT_FALSE(h.child("cmdCustomer_13")->isVisibleTo(h.screen));
    EXPECT_TRUE(h.action("mnuAdd")->isEnabled());
}

TEST(CustomerScreen, EveryRefusedSaveSaysWhyAndWritesNothing)
{
    struct Case {
        const char *label;
        bool business;
        const char *acct, *name, *first, *last, *phone;
        QString text, title;
    };
    const Case cases[] = {
        {"blank business name", true, "B1", "", "", "", "", QStringLiteral("The Account Name Cannot be Blank"), kAppTitle},
        {"no last name", false, "P1", "", "Ann", "", "", QStringLiteral("Enter Account Data or\n Click Cancel AddNew if Visible"),
         kAppTitle},
        {"parent folder", true, "../x", "Acme", "", "", "", QString(), QStringLiteral("Invalid Account Number")},
        {"unsafe telephone", true, "", "Acme", "", "", "217/555", QString(), QStringLiteral("Invalid Account Number")},
        {"outside Latin-1", true, "Ω1", "Acme", "", "", "", QString(), QStringLiteral("Invalid Account Number")},
        {"name outside Latin-1", true, "B2", "Ω1", "", "", "",
         QStringLiteral("The Name \"Ω1\" holds a character the customer file cannot keep (Ω).\nNothing was saved: change "
                        "or remove it."),
         kAppTitle},
        {"last name outside Latin-1", false, "P2", "", "Ann", "Łukasz", "",
         QStringLiteral("The Last Name \"Łukasz\" holds a character the customer file cannot keep (Ł).\nNothing was "
                        "saved: change or remove it."),
         kAppTitle},
    };
    for (const Case &c : cases) {
        Harness h({business(QStringLiteral("K1"), QStringLiteral("Kept Co"))});
        h.open();
        const QByteArray before = h.folder.read(kCustomerFile);
        if ((h.type() == QStringLiteral("Business")) != c.business)
            h.click("cmdAcctType");
        h.box(0)->setText(QString::fromUtf8(c.acct));
        h.box(1)->setText(QString::fromUtf8(c.name));
        h.box(8)->setText(QString::fromUtf8(c.first));
        h.box(10)->setText(QString::fromUtf8(c.last));
        h.box(6)->setText(QString::fromLatin1(c.phone));
        EXPECT_FALSE(h.screen->saveCustomer()) << c.label;
        ASSERT_FALSE(h.folder.prompt.entries.isEmpty()) << c.label;
        const PromptEntry &said = h.folder.prompt.entries.last();
        EXPECT_EQ(said.title, c.title) << c.label;
        if (!c.text.isEmpty())
            EXPECT_EQ(said.text, c.text) << c.label;
        else
            EXPECT_TRUE(said.text.contains(QStringLiteral("cannot be used"))) << c.label;
        EXPECT_EQ(h.folder.read(kCustomerFile), before) << c.label;
        // A refused save stops the command that asked for it.
        h.click("cmdNav_2");
        EXPECT_EQ(h.screen->currentRecord(), 1) << c.label;
    }
}

TEST(CustomerScreen, BlankAccountAndTelephoneAskWhetherToLeave)
{
    for (bool leave : {false, true}) {
        Harness h({business(QStringLiteral("K1"), QStringLiteral("Kept Co"))});
        h.open();
        h.box(0)->clear();
        h.box(6)->clear();
        h.folder.prompt.answer(leave);
        EXPECT_FALSE(h.screen->saveCustomer());
        ASSERT_EQ(h.folder.prompt.entries.size(), 2);
        EXPECT_EQ(h.folder.prompt.entries[0].title, QStringLiteral("No number"));
        EXPECT_EQ(h.folder.prompt.entries[1].text, QStringLiteral("Would you like to exit\nwithout creating a Customer?"));
        EXPECT_EQ(h.navigator->current(), leave ? static_cast<Screen *>(h.menu) : h.screen);
        EXPECT_EQ(h.stored(1).acctNo, QStringLiteral("K1"));
    }
}

TEST(CustomerScreen, SavedBytesFollowTheAddressStyleAndKeepUntouchedFields)
{
    for (AddressStyle style : {AddressStyle::USA, AddressStyle::International}) {
        CustomerRecord original = person(QStringLiteral("P7"), QStringLiteral("Ann"), QStringLiteral("Lee"));
        original.reserved1 = 5;
        original.reserved2 = -9;
        Harness h({original});
        CycleRecord cycle;
        cycle.service = QStringLiteral("Lawn Care");
        cycle.chargeFor = QStringLiteral("Unit # 7");
        cycle.charge = Money::fromCents(4500);
        h.folder.write(kCycleFile, cycle.encode());
        h.folder.context().settings.edit([style](BusinessValues &v) { v.addressStyle = style; });
        h.open();
        EXPECT_EQ(h.child("fraUSAddress")->isVisibleTo(h.screen), style == AddressStyle::USA);
        EXPECT_EQ(h.child("fraIntAddress")->isVisibleTo(h.screen), style == AddressStyle::International);
        h.child<QComboBox>("cboCity")->setEditText(QStringLiteral("Peoria"));
        h.child<QComboBox>("cboStates")->setEditText(QStringLiteral("IL"));
        h.box(5)->setText(QStringLiteral(" 61602"));
        h.child<QLineEdit>("txtAdd3")->setText(QStringLiteral("Flat 2"));
        h.child<QLineEdit>("txtAdd4")->setText(QStringLiteral("London W1"));
        ASSERT_TRUE(h.screen->saveCustomer());
        ASSERT_TRUE(h.screen->saveCustomer()); // a second save keeps the service record too
        const QByteArray b = h.folder.read(kCustomerFile);
        EXPECT_EQ(b.mid(150, 20), QByteArray("Peoria").leftJustified(20, ' '));
        EXPECT_EQ(b.mid(172, 10), QByteArray(" 61602").leftJustified(10, ' ')); // as typed
        if (style == AddressStyle::USA) {
            EXPECT_EQ(b.mid(125, 25), QByteArray("Peoria").leftJustified(25, ' '));
            EXPECT_EQ(b.mid(170, 2), QByteArray("IL"));
            EXPECT_EQ(b.mid(182, 25), QByteArray("61602").leftJustified(25, ' '));
        } else {
            EXPECT_EQ(b.mid(125, 25), QByteArray("Flat 2").leftJustified(25, ' '));
            EXPECT_EQ(b.mid(170, 2), QByteArray("  "));
            EXPECT_EQ(b.mid(182, 25), QByteArray("London W1").leftJustified(25, ' '));
        }
        EXPECT_EQ(h.stored(1).reserved2, -9);
        EXPECT_EQ(h.folder.read(kCycleFile), cycle.encode());
    }
}

TEST(CustomerScreen, AddNewThenCancelRestoresCountAndPosition)
{
    Harness h(numbered(2));
    h.open();
    h.click("cmdNav_3");
    ASSERT_EQ(h.screen->currentRecord(), 2);
    h.child<QPushButton>("cmdNew")->click();
    EXPECT_EQ(h.screen->customerCount(), 3);
    EXPECT_EQ(h.screen->currentRecord(), 3);
    EXPECT_TRUE(h.child("cmdCustomer_13")->isVisibleTo(h.screen));
    h.child<QPushButton>("cmdCustomer_13")->click();
    EXPECT_EQ(h.screen->customerCount(), 2);
    EXPECT_EQ(h.screen->currentRecord(), 1);
    EXPECT_EQ(h.box(0)->text(), QStringLiteral("C1"));
    EXPECT_TRUE(h.action("mnuDelete")->isEnabled());
    EXPECT_EQ(h.storedCount(), 2);
}

TEST(CustomerScreen, TheFileHoldsAtMost32767Customers)
{
    std::vector<CustomerRecord> full(AccountStore::kMaxCustomers, business(QStringLiteral("F"), QStringLiteral("Full Co")));
    Harness h(full);
    h.open();
    ASSERT_EQ(h.screen->customerCount(), 32767);
    h.click("cmdNew");
    ASSERT_FALSE(h.folder.prompt.entries.isEmpty());
    EXPECT_EQ(h.said().title, QStringLiteral("Customer File Full"));
    EXPECT_EQ(h.screen->customerCount(), 32767);
}

TEST(CustomerScreen, DeleteAsksThenMovesTheLaterRecordsDown)
{
    Harness h(numbered(3));
    h.open();
    h.click("cmdNav_2");
    h.folder.prompt.answer(false);
    h.action("mnuDelete")->trigger();
    // The question comes once the action has returned, never inside it.
    EXPECT_TRUE(h.folder.prompt.entries.isEmpty());
    QCoreApplication::processEvents(); // menu commands run queued
    EXPECT_EQ(h.storedCount(), 3);
    EXPECT_EQ(h.said().text, QStringLiteral("Delete this Customer"));

    h.folder.prompt.answer(true);
    h.command("mnuDelete");
    EXPECT_EQ(h.screen->customerCount(), 2);
    EXPECT_EQ(h.box(0)->text(), QStringLiteral("C1"));
    EXPECT_EQ(h.folder.read(kCustomerFile).size(), 656);
    EXPECT_EQ(h.folder.read(kCycleFile).size(), 138);
    EXPECT_EQ(h.folder.read(kContractFile).size(), 772);
    EXPECT_EQ(h.stored(2).acctNo, QStringLiteral("C3"));
}

TEST(CustomerScreen, DuplicateQuestionIsForAnotherRecordsNumberOnly)
{
    Harness h(numbered(5));
    h.open();
    h.click("cmdNav_2");
    h.click("cmdNav_2");
    ASSERT_EQ(h.screen->currentRecord(), 3);
    h.box(0)->clear();
    QTest::keyClicks(h.box(0), QStringLiteral("C3")); // its own number
    h.leave(h.box(0));
    EXPECT_TRUE(h.folder.prompt.entries.isEmpty());

    for (bool replace : {false, true}) {
        h.box(0)->clear();
        QTest::keyClicks(h.box(0), QStringLiteral("C5"));
        h.folder.prompt.answer(replace);
        h.leave(h.box(0));
        ASSERT_FALSE(h.folder.prompt.entries.isEmpty());
        EXPECT_EQ(h.said().text,
                  QStringLiteral("The Account Number is a duplicate\nClick Yes to Replace it\nEnter a different Number"));
        EXPECT_EQ(h.said().title, QStringLiteral("Duplicate Account Number"));
        EXPECT_EQ(h.box(0)->text(), replace ? QString() : QStringLiteral("C5"));
    }
    // Leaving the record by a command that moves no focus asks too, and
    // nothing is saved.
    const qsizetype asked = h.folder.prompt.entries.size();
    h.box(0)->setText(QStringLiteral("C5"));
    h.folder.prompt.answer(false);
    h.click("cmdNav_2");
    EXPECT_EQ(h.folder.prompt.entries.size(), asked + 1);
    EXPECT_EQ(h.said().title, QStringLiteral("Duplicate Account Number"));
    EXPECT_EQ(h.screen->currentRecord(), 3);
    EXPECT_EQ(h.stored(3).acctNo, QStringLiteral("C3"));
}

TEST(CustomerScreen, NavigationButtonsWrapAndJumpByQuarters)
{
    Harness h(numbered(11));
    h.open();
    auto click = [&](int i) {
        h.child<QPushButton>(QStringLiteral("cmdNav_%1").arg(i).toLatin1().constData())->click();
        return h.screen->currentRecord();
    };
    EXPECT_EQ(click(1), 1); // previous on the first stays
    EXPECT_EQ(click(4), 2);
    EXPECT_EQ(click(6), 4);
    EXPECT_EQ(click(5), 6);
    EXPECT_EQ(click(3), 11);
    EXPECT_EQ(click(2), 1); // next on the last wraps
    EXPECT_EQ(click(2), 2);
    EXPECT_EQ(click(0), 1);
}

TEST(CustomerScreen, SearchOutcomes)
{
    Harness h({business(QStringLiteral("B1"), QStringLiteral("Acme Lawns"), QStringLiteral("217-555-0101")),
               person(QStringLiteral("P1"), QStringLiteral("John"), QStringLiteral("Smithers"), QStringLiteral("217-555-0199")),
               business(QStringLiteral("B2"), QStringLiteral("Smith & Sons"), QStringLiteral("309-555-0100")),
               person(QStringLiteral("P2"), QStringLiteral("Ann"), QStringLiteral("Lee"), QStringLiteral("217-444-0000"))});
    h.open();
    auto *search = h.child<QGroupBox>("fraSearch");
    auto *results = h.child<QGroupBox>("fraCustomersFound");
    auto *text = h.child<QLineEdit>("txtSearchfor");
    auto *grid = h.child<QTableView>("fgCustomersFound");

    h.click("Command1_0");
    h.child<QRadioButton>("optSearch_6")->click();
    EXPECT_EQ(text->text(), QStringLiteral("217-555-")); // the business's area code and exchange
    h.click("cmdStartSearch");
    EXPECT_TRUE(results->isVisibleTo(h.screen));
    ASSERT_EQ(grid->model()->rowCount(), 2);
    EXPECT_EQ(grid->model()->index(1, 0).data().toString(), QStringLiteral("John Smithers"));
    EXPECT_EQ(grid->model()->index(1, 2).data().toString(), QStringLiteral("2"));
    grid->setCurrentIndex(grid->model()->index(1, 0));
    h.command("mnuSelect");
    EXPECT_EQ(h.screen->currentRecord(), 2);
    EXPECT_FALSE(results->isVisibleTo(h.screen));

    // One hit loads the customer at once.
    h.click("Command1_0");
    h.child<QRadioButton>("optSearch_6")->click();
    text->setText(QStringLiteral("309-555"));
    h.click("cmdStartSearch");
    EXPECT_EQ(h.screen->currentRecord(), 3);
    EXPECT_FALSE(results->isVisibleTo(h.screen));
    EXPECT_FALSE(search->isVisibleTo(h.screen));

    // By business name, in capitals: the individual's stored full name matches too.
    h.click("Command1_0");
    h.child<QRadioButton>("optSearch_0")->click();
    EXPECT_TRUE(text->text().isEmpty());
    text->setText(QStringLiteral(" SMITH "));
    h.click("cmdStartSearch");
    EXPECT_EQ(grid->model()->index(0, 2).data().toString(), QStringLiteral("2"));

    // Nothing found: the message, and the grid keeps its rows.
    h.click("Command1_0");
    text->setText(QStringLiteral("ZZZ"));
    h.click("cmdStartSearch");
    EXPECT_EQ(h.said().text, QStringLiteral("No Customer Record meets this Criteria"));
    EXPECT_EQ(h.said().title, QStringLiteral("Customer not Found"));
    EXPECT_EQ(grid->model()->rowCount(), 2);
    h.click("Command1_0");
    h.click("cmdStartSearch");
    EXPECT_EQ(h.said().text, QStringLiteral("You must enter some criteria data for the Search"));

    h.command("mnuPrint");
    EXPECT_EQ(results->title(), QStringLiteral("Customer List"));
    EXPECT_EQ(grid->model()->rowCount(), 4);
    // Enter on a row loads it, as the menu's Select does.
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(3, 0));
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(h.screen->currentRecord(), 4);
    EXPECT_FALSE(results->isVisibleTo(h.screen));

    // A criterion chosen without a click (arrow keys, a screen reader) acts
    // as the click does: the telephone criteria start from the business's.
    h.click("Command1_0");
    h.child<QRadioButton>("optSearch_0")->setChecked(true);
    h.child<QRadioButton>("optSearch_8")->setChecked(true);
    EXPECT_EQ(text->text(), QStringLiteral("217-555-"));
}

TEST(CustomerScreen, SelectWithoutAContractScreenReturnsToTheMenu)
{
    Harness h(numbered(1));
    h.navigator->show(CustomerScreen::kId, Routine::Contract);
    h.box(1)->setText(QStringLiteral("Renamed Co"));
    h.child<QPushButton>("cmdCustomer_1")->click();
    EXPECT_EQ(h.navigator->current(), h.menu);
    EXPECT_EQ(h.stored(1).name, QStringLiteral("Renamed Co"));
}

TEST(CustomerScreen, CustomerReportPrintsEveryCustomerAfterTheQuestionAndTheDialog)
{
    Harness h({business(QStringLiteral("B1"), QStringLiteral("Acme Lawns")),
               person(QStringLiteral("P1"), QStringLiteral("John"), QStringLiteral("Smithers"))});
    h.open();
    auto *print = h.child<QPushButton>("cmdPrintCustomers");
    EXPECT_FALSE(print->isVisibleTo(h.screen)); // not before every customer is listed
    h.command("mnuPrint");
    ASSERT_TRUE(print->isVisibleTo(h.screen));
    EXPECT_EQ(print->toolTip(), QStringLiteral("Prints the Customer Data"));

    h.folder.prompt.answer(false);
    print->click();
    EXPECT_EQ(h.said().text, QStringLiteral("Click Yes to print a Customer Report"));
    EXPECT_EQ(h.said().title, QStringLiteral("Customer Report"));
    EXPECT_TRUE(h.printers.files.isEmpty()); // No: no dialog

    h.printers.cancel = true;
    h.folder.prompt.answer(true);
    print->click();
    EXPECT_EQ(h.said().text, QStringLiteral("The Customer List will not be Printed"));
    EXPECT_TRUE(h.printers.files.isEmpty());

    h.printers.cancel = false;
    h.folder.prompt.answer(true);
    print->click();
    ASSERT_EQ(h.printers.files.size(), 1);
    const QString text = PdfPrinters::textOf(h.printers.files.last());
    for (const char *word : {"Account Information", "Acme Lawns", "John Smithers", "Shelbyville"})
        EXPECT_TRUE(text.contains(QString::fromLatin1(word))) << word << " not in " << text.toStdString();
    EXPECT_EQ(h.said().kind, PromptEntry::Question); // no error said

    // A printer that cannot take the job: the error is said, with its reason.
    h.printers.unwritable = true;
    h.folder.prompt.answer(true);
    print->click();
    EXPECT_EQ(h.said().title, QStringLiteral("Print Error"));
    EXPECT_TRUE(h.said().text.startsWith(QStringLiteral("A Print Error has occurred\n(")));
    EXPECT_FALSE(QFile::exists(h.printers.files.last()));
    h.printers.unwritable = false;

    // The preview renders the same report without asking.
    const qsizetype said = h.folder.prompt.entries.size();
    h.click("cmdPreviewCustomers");
    EXPECT_EQ(h.printers.previews, 1);
    EXPECT_EQ(h.folder.prompt.entries.size(), said);
    EXPECT_TRUE(PdfPrinters::textOf(h.printers.files.last()).contains(QStringLiteral("Account Information")));

    // The printed page and the preview are the same page, word for word and
    // place for place, with the title centred on the landscape width.
    const QStringList printed = PdfPrinters::wordBoxes(h.printers.files[0]);
    EXPECT_EQ(printed, PdfPrinters::wordBoxes(h.printers.files.last()));
    ASSERT_TRUE(printed.size() >= 2 && printed[0].startsWith(QStringLiteral("Account@"))) << printed.join(u' ').toStdString();
    const QRect account = PdfPrinters::boxesOf(printed, QStringLiteral("Account")).first();
    const QRect information = PdfPrinters::boxesOf(printed, QStringLiteral("Information")).first();
    EXPECT_NEAR((account.left() + information.right()) / 2.0, 396.0, 3.0);
}

// The account list as a user types into it: real key presses to whatever
// has the focus, and a real move of the focus with Tab.
TEST(CustomerScreen, AccountListTypingRulesHoldWithRealKeysAndFocus)
{
    Harness h({business(QStringLiteral("B1"), QStringLiteral("green Acres Inc")),
               person(QStringLiteral("P1"), QStringLiteral("John"), QStringLiteral("Smithers")),
               business(QStringLiteral("B2"), QStringLiteral("Hilltop Farms")),
               business(QStringLiteral("B3"), QStringLiteral("Baker Pools"))});
    h.open();
    h.window.show();
    QApplication::setActiveWindow(&h.window);
    auto *list = h.child<QComboBox>("cboAccounts");
    auto typeIn = [](const QString &text) {
        for (const QChar c : text)
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
    };
    auto press = [](Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); };

    h.click("cmdNav_2"); // next: away from the first account
    ASSERT_EQ(h.screen->currentRecord(), 2);
    h.click("Command1_1");
    ASSERT_TRUE(list->isVisible());
    list->setFocus();
    QApplication::processEvents();
    ASSERT_EQ(list->count(), 4);
    EXPECT_EQ(list->itemText(3), QStringLiteral("Smithers, John")); // sorted, last name first
    EXPECT_EQ(list->itemData(3).toInt(), 2);
    typeIn(QStringLiteral("sm")); // completed in place, the rest selected
    EXPECT_EQ(list->currentText(), QStringLiteral("smithers, John"));
    EXPECT_EQ(list->lineEdit()->selectedText(), QStringLiteral("ithers, John"));
    list->lineEdit()->clear();
    typeIn(QStringLiteral("grx"));
    EXPECT_EQ(list->currentText(), QStringLiteral("grx"));
    press(Qt::Key_Backspace);
    EXPECT_EQ(list->currentText(), QStringLiteral("gr")); // the typed text, not completed again
    EXPECT_TRUE(list->lineEdit()->selectedText().isEmpty());
    typeIn(QStringLiteral("x"));
    press(Qt::Key_Tab); // no such name: said, the first account shown
    QApplication::processEvents();
    ASSERT_FALSE(h.folder.prompt.entries.isEmpty());
    EXPECT_EQ(h.said().text, QStringLiteral("Name Not Found\nFirst Accont is Displayed"));
    EXPECT_EQ(h.screen->currentRecord(), 1);
    EXPECT_EQ(list->currentText(), QString());

    // A listed name in another case, with blanks around it, loads that account
    // when the focus leaves, and with Enter.
    for (Qt::Key leave : {Qt::Key_Tab, Qt::Key_Return}) {
        h.click("Command1_1");
        list->setFocus();
        QApplication::processEvents();
        list->lineEdit()->setText(QStringLiteral("  hilltop farms  "));
        const qsizetype said = h.folder.prompt.entries.size();
        press(leave);
        QApplication::processEvents();
        EXPECT_EQ(h.screen->currentRecord(), 3) << int(leave);
        EXPECT_FALSE(list->isVisibleTo(h.screen)) << int(leave);
        EXPECT_EQ(h.folder.prompt.entries.size(), said) << int(leave);
        h.click("cmdNav_0"); // the first account again
    }
}

// A disk that fails the contract file: a save keeps what was typed on the
// screen and every file as it was; a deletion keeps all three files; both
// say so with the system's reason.
TEST(CustomerScreen, AFailedSaveOrDeletionSaysTheFilesAreAsTheyWere)
{
    Harness h(numbered(3));
    h.open();
    const QByteArray customers = h.folder.read(kCustomerFile);
    // The first write to the customer file (or of a staged whole file)
    // fails, as a full disk does; putting the old bytes back takes no room.
    bool failed = false;
    h.folder.store().setWriteFault([&](const QString &name) -> std::optional<QString> {
        if (failed || (name != kCustomerFile && !name.endsWith(QLatin1String(".new"))))
            return std::nullopt;
        failed = true;
        return QStringLiteral("Disk full");
    });
    h.box(1)->setText(QStringLiteral("Renamed Co"));
    EXPECT_FALSE(h.screen->saveCustomer());
    EXPECT_EQ(h.said().text,
              QStringLiteral("The customer could not be saved (Disk full).\nNothing was lost: the screen keeps what you entered."))
        << h.said().text.toStdString();
    EXPECT_EQ(h.box(1)->text(), QStringLiteral("Renamed Co"));
    EXPECT_EQ(h.folder.read(kCustomerFile), customers);
    h.box(1)->setText(QStringLiteral("Customer 01"));
    failed = false;
    h.folder.prompt.answer(true);
    h.command("mnuDelete");
    EXPECT_EQ(h.said().text,
              QStringLiteral("The customer could not be deleted (Disk full).\nThe customer files are as they were."))
        << h.said().text.toStdString();
    EXPECT_EQ(h.folder.read(kCustomerFile), customers);
    EXPECT_EQ(h.screen->customerCount(), 3);
}
