// The import screen as a user meets it: five hundred customers from a
// spreadsheet, a column the header did not name given its field from the
// keyboard, the six refused rows listed with their lines and saved, the
// rest imported after a question, and the screen opened again over the
// changed folder.
#include "customers/CustomerFile.h"
#include "customers/StateList.h"
#include "support/Accounts.h"
#include "support/ScreenHost.h"
#include "ui/exchange/ImportScreen.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>

using namespace ui;

TEST(ImportScreen, FiveHundredRowsImportAndTheRefusedSixAreListedAndSaved)
{
    ScreenHost<ImportScreen> h;
    h.folder.context().settings.edit([](setup::BusinessValues &v) { v.addressStyle = setup::AddressStyle::USA; });
    h.folder.write(customers::kStatesListFile, "\"IL\"\r\n\"WI\"\r\n");
    h.folder.write(customers::kCustomerFile, business(QStringLiteral("K7"), QStringLiteral("Kept")).encode());
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("clients.csv"));
    const QString refusedFile = dir.filePath(QStringLiteral("refused.csv"));
    QByteArray bytes = "Client Code,Company,Town,State,Monthly fee\r\n";
    for (int i = 1; i <= 500; ++i) {
        QByteArray state = i % 2 ? "IL" : "WI";
        QByteArray code = "K" + QByteArray::number(i);
        if (i == 40 || i == 41)
            state = "XX"; // two bad states
        if (i == 100)
            code = "K99"; // a duplicate of the row before
        bytes += code + ",Firm " + QByteArray::number(i) + ",Madison," + state + "," + (i == 200 ? "ten" : "25.00") + "\r\n";
    }
    bytes += "K501,\"A Firm Whose Name Runs Well Past Forty Five Letters Ltd\",Madison,WI,1\r\n"; // 502: too wide
    QFile f(source);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
    f.close();
    h.screen = new ImportScreen(h.folder.context(), *h.navigator, [&](QWidget *) { return source; },
                                [&](QWidget *, const QString &) { return refusedFile; });
    h.navigator->add(ImportScreen::kId, h.screen);
    h.open();
    EXPECT_TRUE(sharedAccessibleNames(h.screen).isEmpty()) << sharedAccessibleNames(h.screen).join(u',').toStdString();

    QTest::mouseClick(h.child<QPushButton>("cmdChooseFile"), Qt::LeftButton);
    EXPECT_TRUE(h.child<QCheckBox>("ckHeader")->isChecked());
    QComboBox *code = h.child<QComboBox>("cboColumn1");
    EXPECT_EQ(code->accessibleName(), QStringLiteral("Column 1 (Client Code)"));
    EXPECT_EQ(code->currentIndex(), 0); // "Client Code" names no field
    EXPECT_EQ(h.child<QComboBox>("cboColumn3")->currentText(), QStringLiteral("City"));
    QLabel *summary = h.child<QLabel>("lblImportSummary");
    EXPECT_EQ(summary->text(), QStringLiteral("0 rows will be imported as new customers; 501 rows are refused (listed below). "
                                              "No column is the account number: each customer's telephone number is taken "
                                              "as its account number, as on the customer screen."));
    EXPECT_EQ(h.child<QTableView>("grdPreview")->model()->headerData(0, Qt::Horizontal).toString(),
              QStringLiteral("(Client Code: not imported)"));
    // The account number column chosen from the keyboard.
    code->setFocus();
    QTest::keyClick(code, Qt::Key_Down);
    EXPECT_EQ(code->currentText(), QStringLiteral("Account Number"));
    EXPECT_EQ(summary->text(), QStringLiteral("495 rows will be imported as new customers; 6 rows are refused (listed below)."));
    EXPECT_TRUE(summary->accessibleName().isEmpty()); // a screen reader reads the text itself
    // The fee column was guessed as the charge; row 7 already is a customer.
    auto *refused = h.child<QTableView>("grdRefused");
    QStringList lines;
    for (int r = 0; r < refused->model()->rowCount(); ++r)
        lines << refused->model()->index(r, 0).data().toString() + u' ' + refused->model()->index(r, 1).data().toString();
    EXPECT_EQ(lines, (QStringList{
                         QStringLiteral("8 the account number K7 is already a customer's"),
                         QStringLiteral("41 the state \"XX\" is not in the state list"),
                         QStringLiteral("42 the state \"XX\" is not in the state list"),
                         QStringLiteral("101 the account number K99 is already on line 100 of this file"),
                         QStringLiteral("201 the charge \"ten\" is not an amount of money"),
                         QStringLiteral("502 Business Name is 55 characters long; it holds at most 45"),
                     }));

    QTest::mouseClick(h.child<QPushButton>("cmdSaveRefused"), Qt::LeftButton);
    QFile saved(refusedFile);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll().count("\r\n"), 7); // the header and six rows

    // Imported from the keyboard, as the button's accelerator says.
    h.window.show();
    h.window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&h.window));
    h.folder.prompt.answer(true);
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : h.screen, Qt::Key_I, Qt::AltModifier);
    // An accelerator clicks its button a moment later, as a click is shown.
    ASSERT_TRUE(QTest::qWaitFor([&] { return h.folder.prompt.entries.size() >= 3; }, 5000));
    ASSERT_GE(h.folder.prompt.entries.size(), 2);
    EXPECT_EQ(h.folder.prompt.entries[h.folder.prompt.entries.size() - 2].text,
              QStringLiteral("Add 495 customers to the customer file?\nThe 6 refused rows are left out."));
    EXPECT_EQ(h.said().text, QStringLiteral("495 customers were imported."));
    const customers::CustomerFile file = customers::CustomerFile::read(h.folder.store());
    ASSERT_EQ(file.count(), 496);
    EXPECT_EQ(file.text(496, customers::customerfield::AcctNo).trimmed(), QStringLiteral("K500"));

    // Opened again over the changed folder: every row is now a customer's.
    h.navigator->show(ScreenId::MainMenu);
    h.navigator->show(ImportScreen::kId);
    EXPECT_EQ(summary->text(), QStringLiteral("0 rows will be imported as new customers; 501 rows are refused (listed below)."));
    EXPECT_FALSE(h.child<QPushButton>("cmdImport")->isEnabled());
}
