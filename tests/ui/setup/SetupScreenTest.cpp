// The setup screen driven offscreen: what the user types is live at once,
// and "Save Changes / Return to Menu" writes every settings file.
#include "app/Program.h"
#include "setup/SettingsFiles.h"
#include "support/ScreenHost.h"
#include "ui/setup/SetupScreen.h"
#include "ui/start/StartupScreen.h"

#include <QCheckBox>
#include <QDir>
#include <QComboBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

#include "support/PdfPrinters.h"

using namespace setup;
using namespace ui;
using namespace app;

namespace {

// A started program with its setup screen in front and scripted choosers.
struct SetupFixture {
    explicit SetupFixture(TestFolder &folder)
        : program(folder.context(), choosers()), lock(folder.path())
    {
        EXPECT_EQ(program.start(lock), Program::Outcome::Running);
        program.window().navigator().show(ScreenId::Setup);
        screen = program.setup();
    }
    SetupChoosers choosers()
    {
        SetupChoosers c;
        c.colour = [this](const QColor &, QWidget *) { return nextColour; };
        c.font = [this](const QString &, QWidget *) { return nextFont; };
        c.pictureFile = [this](QWidget *) { return nextPicture; };
        c.printer = printers.chooser();
        return c;
    }
    template <typename T>
    T *get(const QString &name)
    {
        T *w = screen->findChild<T *>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    QLineEdit *box(int i) { return get<QLineEdit>(QStringLiteral("txtBusiness_%1").arg(i)); }
    void click(const QString &name)
    {
        auto *button = get<QAbstractButton>(name);
        bringToFront(button);
        QTest::mouseClick(button, Qt::LeftButton);
    }
    // "Save Changes / Return to Menu": true when the menu came up.
    bool saveAndLeave()
    {
        click(QStringLiteral("cmdQuit"));
        return program.window().navigator().current() == program.menu();
    }
    bool logoShown() { return !get<QLabel>(QStringLiteral("Image3"))->pixmap().isNull(); }

    std::optional<QColor> nextColour;
    std::optional<QString> nextFont;
    QString nextPicture;
    PdfPrinters printers;
    Program program;
    app::InstanceLock lock;
    SetupScreen *screen = nullptr;
};

} // namespace

TEST(SetupScreen, ANewUserFillsTheBusinessDataAndReachesTheMenu)
{
    TestFolder folder;
    SetupFixture f(folder);
    EXPECT_EQ(f.program.window().windowTitle(), QStringLiteral("Brenvoy Setup"));
    EXPECT_EQ(f.get<QPushButton>(QStringLiteral("cmdAddress"))->text(), QStringLiteral("International Style Address"));
    EXPECT_EQ(f.box(0)->toolTip(), QStringLiteral("Your Company Name Here"));
    QTest::keyClicks(f.box(0), QStringLiteral("Joe's \"Best\" Lawns"));
    // A double quote cannot be stored in the quoted form: each one is refused.
    ASSERT_EQ(folder.prompt.entries.size(), 2);
    EXPECT_EQ(folder.prompt.entries[0].text, QStringLiteral("This character, (\") is invalid for this field"));
    EXPECT_EQ(folder.prompt.entries[0].title, QStringLiteral("Invalid Key entry"));
    EXPECT_EQ(folder.prompt.beeps, 2);
    folder.prompt.entries.clear();
    // Live at once, before anything is saved.
    EXPECT_EQ(folder.context().settings.values().businessName, QStringLiteral("Joe's Best Lawns"));
    EXPECT_FALSE(folder.exists(kBusinessData));

    f.click(QStringLiteral("cmdAddress"));
    EXPECT_EQ(f.get<QLabel>(QStringLiteral("lblAddress_3"))->text(), QStringLiteral("City"));
    EXPECT_EQ(f.get<QLabel>(QStringLiteral("lblAddress_4"))->text(), QStringLiteral("State"));
    EXPECT_TRUE(f.box(5)->isVisible());
    EXPECT_TRUE(f.get<QLabel>(QStringLiteral("lblPostal"))->isVisible());
    QTest::keyClicks(f.box(4), QStringLiteral("ILX"));
    EXPECT_EQ(f.box(4)->text(), QStringLiteral("IL")); // two characters in the USA style
    QTest::keyClicks(f.box(5), QStringLiteral("62701"));

    f.click(QStringLiteral("cmdQuit"));
    EXPECT_EQ(f.program.window().navigator().current(), f.program.menu());
    EXPECT_EQ(folder.read(kBusinessData), QByteArray("\"Joe's Best Lawns\",\"\",\"\",\"\",\"IL\",\"62701\",\"\",\"\",\"\"\r\n"));
    EXPECT_TRUE(setupFilesPresent(folder.store()));
    EXPECT_TRUE(folder.prompt.entries.isEmpty());

    // The next start shows the same values.
    TestFolder &same = folder;
    f.program.window().close();
    f.lock.release();
    SetupFixture again(same);
    EXPECT_EQ(again.box(0)->text(), QStringLiteral("Joe's Best Lawns"));
    // Pasted text loses its quotes the same way.
    QGuiApplication::clipboard()->setText(QStringLiteral("\"Fax\" 555"));
    again.box(7)->paste();
    EXPECT_EQ(again.box(7)->text(), QStringLiteral("Fax 555"));
    EXPECT_EQ(again.get<QPushButton>(QStringLiteral("cmdAddress"))->text(), QStringLiteral("USA Style Address"));
    EXPECT_EQ(again.box(5)->text(), QStringLiteral("62701"));
}

TEST(SetupScreen, InternationalStyleSurvivesARestart)
{
    TestFolder folder;
    folder.write(kBusinessData, "\"Acme\",\"1 Road\",\"\",\"Springfield\",\"IL\",\"62701\",\"\",\"\",\"\"\r\n");
    {
        SetupFixture f(folder);
        EXPECT_EQ(f.get<QPushButton>(QStringLiteral("cmdAddress"))->text(), QStringLiteral("USA Style Address"));
        f.click(QStringLiteral("cmdAddress"));
        EXPECT_EQ(f.get<QLabel>(QStringLiteral("lblAddress_3"))->text(), QStringLiteral("Address 3"));
        EXPECT_EQ(f.get<QLabel>(QStringLiteral("lblAddress_4"))->text(), QStringLiteral("Address 4"));
        EXPECT_FALSE(f.box(5)->isVisible());
        EXPECT_TRUE(f.box(5)->text().isEmpty());
        QTest::keyClicks(f.box(4), QStringLiteral(" United Kingdom"));
        EXPECT_EQ(folder.context().settings.values().addressStyle, AddressStyle::International);
        ASSERT_TRUE(f.saveAndLeave());
        f.program.window().close();
    }
    SetupFixture f(folder);
    EXPECT_EQ(f.get<QPushButton>(QStringLiteral("cmdAddress"))->text(), QStringLiteral("International Style Address"));
    EXPECT_TRUE(f.box(5)->text().isEmpty());
    EXPECT_EQ(f.box(4)->text(), QStringLiteral("IL United Kingdom"));
}

TEST(SetupScreen, LoadedTextsAreNeverCut)
{
    TestFolder folder;
    const QString longLine = QString(70, u'x') + QStringLiteral(" end");
    // A numeric postal code makes the style USA, whose state box takes two
    // characters; a longer saved value must still come back whole.
    BusinessValues v = BusinessValues::defaults(usLocale());
    v.businessName = longLine;
    v.businessState = QStringLiteral("Fourth address line, much longer than a state");
    v.businessZip = QStringLiteral("12345");
    ASSERT_TRUE(saveBusiness(folder.store(), v));
    const QByteArray before = folder.read(kBusinessData);
    SetupFixture f(folder);
    EXPECT_EQ(f.box(0)->text(), longLine);
    EXPECT_EQ(f.box(4)->text(), v.businessState);
    ASSERT_TRUE(f.saveAndLeave());
    EXPECT_EQ(folder.read(kBusinessData), before);
}

TEST(SetupScreen, ResetAndReloadOfTheBusinessData)
{
    TestFolder folder;
    folder.write(kBusinessData, "\"Acme\",\"1 Road\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n");
    SetupFixture f(folder);
    folder.prompt.answer(false);
    f.click(QStringLiteral("Image4"));
    EXPECT_EQ(f.box(0)->text(), QStringLiteral("Acme"));
    ASSERT_EQ(folder.prompt.entries.size(), 1);
    EXPECT_EQ(folder.prompt.entries[0].text, QStringLiteral("Do you want to reset (clear)all Business Data?"));
    EXPECT_EQ(folder.prompt.entries[0].title, QStringLiteral("Reset Business Data"));
    folder.prompt.answer(true);
    f.click(QStringLiteral("Image4"));
    EXPECT_TRUE(f.box(0)->text().isEmpty());
    EXPECT_TRUE(f.box(1)->text().isEmpty());
    EXPECT_TRUE(folder.context().settings.values().businessName.isEmpty());
    EXPECT_TRUE(folder.read(kBusinessData).startsWith("\"Acme\"")); // nothing written until saved
    f.click(QStringLiteral("Image5"));
    EXPECT_EQ(f.box(0)->text(), QStringLiteral("Acme"));
    EXPECT_EQ(folder.context().settings.values().businessAddress1, QStringLiteral("1 Road"));
}

TEST(SetupScreen, EveryFileIsWrittenInItsStoredForm)
{
    TestFolder folder;
    folder.write(kPhone, "#FALSE#\r\n3\r\n"); // a modem saved on a port this computer has not now
    SetupFixture f(folder);
    f.click(QStringLiteral("cmdAddress")); // USA
    QTest::keyClicks(f.box(0), QStringLiteral("Acme"));
    QTest::keyClicks(f.box(5), QStringLiteral("62701"));
    f.get<QCheckBox>(QStringLiteral("ckColor"))->setChecked(false);
    f.get<QComboBox>(QStringLiteral("cboCopies"))->setCurrentText(QStringLiteral("2"));
    f.nextColour = QColor(0x11, 0x22, 0x33);
    f.click(QStringLiteral("cmdChange_0"));
    f.nextColour = QColor(255, 0, 0);
    f.click(QStringLiteral("cmdChange_1"));
    EXPECT_EQ(f.get<QLineEdit>(QStringLiteral("txtData"))->accessibleName(), QStringLiteral("Text Color, #ff0000"));
    f.nextFont = QStringLiteral("Liberation Serif");
    f.click(QStringLiteral("cmdChange_2"));
    EXPECT_EQ(f.get<QLabel>(QStringLiteral("lblFont"))->text(), QStringLiteral("Liberation Serif"));
    f.nextColour.reset(); // a cancelled chooser changes nothing
    f.click(QStringLiteral("cmdChange_1"));
    f.get<QRadioButton>(QStringLiteral("optReturn"))->setChecked(true);
    f.get<QCheckBox>(QStringLiteral("ckManualInvoiceNo"))->setChecked(true);
    f.get<QComboBox>(QStringLiteral("cboTaxHeading1"))->setCurrentText(QStringLiteral("GST"));
    f.get<QComboBox>(QStringLiteral("cboRate1"))->setCurrentText(QStringLiteral("5,0"));
    f.get<QComboBox>(QStringLiteral("cboRate2"))->setCurrentText(QStringLiteral("abc")); // kept as typed
    f.get<QCheckBox>(QStringLiteral("ckApply2ndTax"))->setChecked(true);
    f.get<QCheckBox>(QStringLiteral("ckServices"))->setChecked(true);
    f.get<QCheckBox>(QStringLiteral("ckPhone"))->setChecked(true);
    f.get<QCheckBox>(QStringLiteral("ckCallerID"))->setChecked(true);
    EXPECT_FALSE(f.get<QLabel>(QStringLiteral("lblCallid"))->isHidden());
    EXPECT_EQ(f.get<QComboBox>(QStringLiteral("txtModemPort"))->currentText(), QStringLiteral("3  (not on this computer now)"));
    EXPECT_EQ(folder.context().settings.values().lineColor, 0x332211u);

    folder.prompt.answer(true); // "abc" counts as 0: kept because the user says so
    ASSERT_TRUE(f.saveAndLeave());
    EXPECT_EQ(folder.read(kBusinessData), QByteArray("\"Acme\",\"\",\"\",\"\",\"\",\"62701\",\"\",\"\",\"\"\r\n"));
    EXPECT_EQ(folder.read(QStringLiteral("/Backup/MyBusinessData.txt")), folder.read(kBusinessData));
    EXPECT_EQ(folder.read(kCycleSetupInfo), QByteArray("1,#FALSE#,#TRUE#,1,0,\"$0.00\",\"$0.00\"\r\n"));
    EXPECT_EQ(folder.read(kPrintColors), QByteArray("3351057\r\n255\r\n\"Liberation Serif\"\r\n#FALSE#\r\n2\r\n"));
    EXPECT_EQ(folder.read(kTaxSettings), QByteArray("\"GST\",\"Tax\",\"5,0\",\"abc\",0,1\r\n"));
    EXPECT_EQ(folder.read(kPhone), QByteArray("#TRUE#\r\n3\r\n"));
    EXPECT_EQ(folder.read(kCallId), QByteArray("#TRUE#\r\n"));
    EXPECT_DOUBLE_EQ(taxRateValue(folder.context().settings.values().taxRate2), 0.0);
}

TEST(SetupScreen, GraduatedSchemeWindow)
{
    TestFolder folder;
    SetupFixture f(folder);
    auto *frame = f.get<QGroupBox>(QStringLiteral("fraGraduated"));
    auto *limit = f.get<QLineEdit>(QStringLiteral("txtGradulated_0"));
    auto *surcharge = f.get<QLineEdit>(QStringLiteral("txtGradulated_1"));
    auto *apply = f.get<QCheckBox>(QStringLiteral("ckApplyGraduated"));
    f.get<QTabWidget>(QStringLiteral("tabSetup"))->setCurrentIndex(1);
    f.get<QTabWidget>(QStringLiteral("tabSub"))->setCurrentIndex(1);
    apply->setChecked(true);
    EXPECT_TRUE(frame->isHidden());
    f.click(QStringLiteral("cmdGraduatedTax_0"));
    EXPECT_FALSE(frame->isHidden());
    EXPECT_EQ(limit->text(), QStringLiteral("$0.00"));

    // Typing into a zero replaces it.
    QTest::keyClicks(limit, QStringLiteral("1000"));
    EXPECT_EQ(limit->text(), QStringLiteral("1000"));
    surcharge->setText(QStringLiteral("ten"));
    f.click(QStringLiteral("cmdGraduatedTax_1"));
    EXPECT_EQ(folder.prompt.beeps, 1);
    EXPECT_EQ(surcharge->text(), QStringLiteral("$0.00"));
    EXPECT_FALSE(frame->isHidden()); // refused: the window stays
    EXPECT_EQ(limit->text(), QStringLiteral("$1,000.00"));
    EXPECT_EQ(folder.context().settings.values().graduatedLimit, QStringLiteral("$0.00")); // not yet taken

    QTest::keyClicks(surcharge, QStringLiteral("2.5"));
    f.click(QStringLiteral("cmdGraduatedTax_1"));
    EXPECT_TRUE(frame->isHidden());
    EXPECT_TRUE(apply->isChecked());
    EXPECT_EQ(folder.context().settings.values().graduatedLimit, QStringLiteral("$1,000.00"));
    EXPECT_EQ(folder.context().settings.values().graduatedSurcharge, QStringLiteral("$2.50"));

    // A zero limit switches the scheme off.
    f.click(QStringLiteral("cmdGraduatedTax_0"));
    f.click(QStringLiteral("cmdGraduatedTax_2"));
    EXPECT_EQ(limit->text(), QStringLiteral("$0.00"));
    f.click(QStringLiteral("cmdGraduatedTax_1"));
    EXPECT_FALSE(apply->isChecked());
    EXPECT_EQ(folder.context().settings.values().applyGraduatedTax, 0);

    // Below zero is refused with a message, the amount left for the user.
    f.click(QStringLiteral("cmdGraduatedTax_0"));
    surcharge->setText(QStringLiteral("-100"));
    f.click(QStringLiteral("cmdGraduatedTax_1"));
    EXPECT_EQ(folder.prompt.entries.last().title, QStringLiteral("Graduated Tax Scheme"));
    EXPECT_EQ(folder.prompt.entries.last().text,
              QStringLiteral("The amount ($100.00) is below zero.\nA graduated limit or surcharge is zero or more."));
    EXPECT_FALSE(frame->isHidden());
    EXPECT_EQ(folder.context().settings.values().graduatedSurcharge, QStringLiteral("$0.00")); // as last taken
}

TEST(SetupScreen, ARateThatIsNoNumberIsSavedOnlyWhenTheUserSaysSo)
{
    TestFolder folder;
    folder.write(kBusinessData, "\"Acme\",\"\",\"\",\"\",\"IL\",\"62701\",\"\",\"\",\"\"\r\n");
    SetupFixture f(folder);
    f.get<QComboBox>(QStringLiteral("cboRate1"))->setCurrentText(QStringLiteral("five"));
    for (bool yes : {false, true}) {
        folder.prompt.answer(yes);
        EXPECT_EQ(f.saveAndLeave(), yes);
        EXPECT_EQ(folder.prompt.entries.last().title, QStringLiteral("Tax Rate"));
        EXPECT_TRUE(folder.prompt.entries.last().text.startsWith(
            QStringLiteral("The tax rate \"five\" does not begin with a number, so it counts as 0 %")));
        EXPECT_EQ(folder.exists(kTaxSettings), yes);
    }
}

TEST(SetupScreen, LogoSizingFindStoreAndClear)
{
    TestFolder folder;
    SetupFixture f(folder);
    auto *width = f.get<QSpinBox>(QStringLiteral("UpDown2"));
    width->setValue(400);
    const int expected[] = {350, 1800, 1750};
    for (int e : expected) {
        width->stepBy(-1);
        EXPECT_EQ(width->value(), e);
    }
    width->setValue(1800);
    width->stepBy(1);
    EXPECT_EQ(width->value(), 360);
    EXPECT_EQ(folder.context().settings.values().logoWidth, 360.0f);

    // A file that is no picture is refused with a message.
    folder.write(QStringLiteral("/notapicture.png"), "text");
    f.nextPicture = folder.path() + QStringLiteral("/notapicture.png");
    f.click(QStringLiteral("cmdLogo_0"));
    ASSERT_EQ(folder.prompt.entries.size(), 1);
    EXPECT_TRUE(folder.prompt.entries[0].text.contains(QStringLiteral("notapicture.png")));
    EXPECT_FALSE(f.get<QPushButton>(QStringLiteral("cmdLogo_1"))->isEnabled());

    QImage logo(40, 20, QImage::Format_RGB32);
    logo.fill(Qt::blue);
    ASSERT_TRUE(logo.save(folder.path() + QStringLiteral("/logo.png")));
    f.nextPicture = folder.path() + QStringLiteral("/logo.png");
    f.click(QStringLiteral("cmdLogo_0"));
    EXPECT_TRUE(f.get<QPushButton>(QStringLiteral("cmdLogo_1"))->isEnabled());
    EXPECT_FALSE(folder.exists(kCompanyLogo));
    f.click(QStringLiteral("cmdLogo_1"));
    EXPECT_EQ(folder.prompt.entries.last().text, QStringLiteral("Your Logo has been Stored"));
    EXPECT_EQ(folder.read(kCompanyLogo), QByteArray("\"") + f.nextPicture.toUtf8() + "\"\r\n");
    EXPECT_EQ(folder.read(kLogoSettings), QByteArray("360,1440\r\n"));
    EXPECT_FALSE(f.get<QPushButton>(QStringLiteral("cmdLogo_1"))->isEnabled());
    EXPECT_EQ(f.get<QLabel>(QStringLiteral("Image3"))->size(), QSize(24, 96));

    folder.prompt.answer(false);
    f.click(QStringLiteral("cmdLogo_2"));
    EXPECT_EQ(folder.prompt.entries.last().title, QStringLiteral("Delete Logo"));
    EXPECT_EQ(folder.prompt.entries.last().text, QStringLiteral("This will Delete your Company Logo"));
    EXPECT_TRUE(folder.exists(kCompanyLogo));
    EXPECT_TRUE(f.logoShown());
    folder.prompt.answer(true);
    f.click(QStringLiteral("cmdLogo_2"));
    EXPECT_FALSE(folder.exists(kCompanyLogo));
    EXPECT_TRUE(folder.exists(kLogoSettings)); // kept
    EXPECT_FALSE(f.logoShown());
    EXPECT_TRUE(folder.context().settings.values().logoFile.isEmpty());
}

TEST(SetupScreen, LeavingRewritesMissingFilesAndReportsAFailedSave)
{
    TestFolder folder;
    folder.write(kBusinessData, "\"Acme\"\r\n");
    folder.write(kCycleSetupInfo, "0,#TRUE#,#FALSE#,0,0,\"$0.00\",\"$0.00\"\r\n");
    SetupFixture f(folder);
    // Deleted with its backup outside the program: the save writes it again.
    folder.store().deleteDataFile(kCycleSetupInfo);
    ASSERT_TRUE(f.saveAndLeave());
    EXPECT_TRUE(folder.exists(kCycleSetupInfo));
    EXPECT_EQ(f.program.window().navigator().current(), f.program.menu());

    // A file that cannot be written keeps the user on the screen, told why.
    f.program.window().navigator().show(ScreenId::Setup);
    folder.store().deleteDataFile(kTaxSettings);
    QDir(folder.path()).mkdir(QStringLiteral("TaxSettings.txt"));
    EXPECT_FALSE(f.saveAndLeave());
    EXPECT_EQ(f.program.window().navigator().current(), f.screen);
    ASSERT_EQ(folder.prompt.entries.size(), 1);
    EXPECT_TRUE(folder.prompt.entries[0].text.contains(QStringLiteral("TaxSettings.txt")));
    EXPECT_TRUE(folder.prompt.entries[0].text.contains(QStringLiteral("Nothing was lost")));

    // A file replaced whose folder the disk would not sync is never called
    // unchanged: it holds the new content.
    QDir(folder.path()).rmdir(QStringLiteral("TaxSettings.txt"));
    folder.store().setFolderSync([](const QString &) { return false; });
    f.get<QLineEdit>(QStringLiteral("txtBusiness_0"))->setText(QStringLiteral("Acme Two"));
    EXPECT_FALSE(f.saveAndLeave());
    ASSERT_EQ(folder.prompt.entries.size(), 2);
    EXPECT_TRUE(folder.prompt.entries[1].text.startsWith(QStringLiteral("Your settings were written to MyBusinessData.txt, "
                                                                        "but the disk did not confirm")));
    EXPECT_FALSE(folder.prompt.entries[1].text.contains(QStringLiteral("Nothing was lost")));
    EXPECT_TRUE(folder.read(kBusinessData).startsWith("\"Acme Two\""));
}


TEST(SetupScreen, PrintSampleGivesOnePageWithTheFrameOnly)
{
    TestFolder folder;
    SetupFixture f(folder);
    f.box(0)->setText(QStringLiteral("Acme Lawns"));
    QTest::keyClick(f.box(0), Qt::Key_Tab); // the name is live once the box is left
    f.printers.cancel = true;
    f.click(QStringLiteral("cmdLogo_5"));
    EXPECT_TRUE(f.printers.files.isEmpty());
    EXPECT_TRUE(folder.prompt.entries.isEmpty()); // a cancelled dialog is no error

    f.printers.cancel = false;
    f.click(QStringLiteral("cmdLogo_5"));
    ASSERT_EQ(f.printers.files.size(), 1);
    const QString text = PdfPrinters::textOf(f.printers.files.last());
    EXPECT_TRUE(text.contains(QStringLiteral("INVOICE"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Acme Lawns"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("Amount Enclosed"))); // the frame only
    EXPECT_FALSE(text.contains(u'\f' + QStringLiteral("INVOICE"))); // one page
    f.click(QStringLiteral("cmdLogo_6"));
    EXPECT_EQ(f.printers.previews, 1);
    EXPECT_TRUE(folder.prompt.entries.isEmpty());
}

TEST(SetupScreen, AQuoteSetWithoutTypingIsRefusedAtSaveAndNothingIsWritten)
{
    TestFolder folder;
    SetupFixture f(folder);
    QTest::keyClicks(f.box(0), QStringLiteral("Joe's Lawns"));
    ASSERT_TRUE(f.saveAndLeave());
    const QByteArray business = folder.read(kBusinessData), taxes = folder.read(kTaxSettings);
    ASSERT_FALSE(business.isEmpty());

    // As an assistive tool or a program sets it: no key, no paste.
    f.program.window().navigator().show(ScreenId::Setup);
    f.box(0)->setText(QStringLiteral("Joe's \"Best\" Lawns"));
    folder.prompt.entries.clear();
    EXPECT_FALSE(f.saveAndLeave());
    ASSERT_EQ(folder.prompt.entries.size(), 1);
    EXPECT_EQ(folder.prompt.entries[0].text,
              QStringLiteral("This character, (\") is invalid for this field: Business Name.\nNothing was saved."));
    EXPECT_EQ(folder.read(kBusinessData), business);
    EXPECT_EQ(folder.read(kTaxSettings), taxes);
}
