// The dialer, the setup screen's telephone tab and the customer screen's dial
// picture, driven by their controls, with a fake modem on a pseudo-terminal
// behind the program's real serial line.
#include "support/StartedProgram.h"
#include "support/ScreenChecks.h"
#include "support/CustomerHarness.h"
#include "support/FakeModem.h"
#include "support/ScreenHost.h"
#include "ui/phone/DialerDialog.h"
#include "ui/setup/PhoneTab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace ui;

namespace {

void useFakeModem(TestFolder &folder, const FakeModem &fake)
{
    folder.modem().setPortLister([device = fake.device()] { return phone::SerialPorts::from({}, {}, {device}); });
}

template <typename T>
T *find(QWidget *root, const QString &name)
{
    T *w = root->findChild<T *>(name);
    EXPECT_NE(w, nullptr) << name.toStdString();
    return w;
}

QString text(QWidget *root, const char *label)
{
    return find<QLabel>(root, QString::fromLatin1(label))->text();
}

// A click where the user would make it (on a check box's box, not past its
// text).
void click(QWidget *root, const QString &name)
{
    auto *button = find<QAbstractButton>(root, name);
    if (qobject_cast<QCheckBox *>(button))
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
    else
        QTest::mouseClick(button, Qt::LeftButton);
}

// A dialer on a folder whose modem is the fake on port 1.
struct DialerFixture {
    explicit DialerFixture(const QString &number = QStringLiteral("555-0100"))
    {
        useFakeModem(folder, fake);
        folder.context().settings.edit([](setup::BusinessValues &v) { v.modemPort = 1; });
        dialer = std::make_unique<DialerDialog>(folder.context(), QStringLiteral("Acme Lawn"), number);
        dialer->show();
    }
    QWidget *d() { return dialer.get(); }
    FakeModem fake;
    TestFolder folder;
    std::unique_ptr<DialerDialog> dialer;
};

} // namespace

TEST(Dialer, DialsTalksAndHangsUp)
{
    DialerFixture f;
    QWidget *d = f.d();
    EXPECT_EQ(d->windowTitle(), "Call ...............");
    EXPECT_EQ(text(d, "lblName"), "Acme Lawn");
    EXPECT_EQ(text(d, "lblStatus"), "Ready to Dial......");
    EXPECT_EQ(text(d, "lblPort"), "COM Port # 1  (" + f.fake.device() + ")");
    EXPECT_FALSE(find<QLabel>(d, "Image2")->isVisible());

    // The prefix goes on once and comes off again.
    click(d, "ckDial1");
    EXPECT_EQ(text(d, "lblNumber"), "1-555-0100");
    click(d, "ckDial1");
    EXPECT_EQ(text(d, "lblNumber"), "555-0100");
    click(d, "ckDial1");

    click(d, "cmdNewDial");
    EXPECT_EQ(text(d, "lblStatus"), "Dialing..... 1-555-0100");
    // A screen reader hears the name, the number and the status themselves.
    for (const char *value : {"lblName", "lblNumber", "lblStatus"})
        EXPECT_EQ(screenchecks::heardName(find<QLabel>(d, QString::fromLatin1(value))), text(d, value)) << value;
    EXPECT_EQ(screenchecks::unheardLabels(d), QStringList());
    EXPECT_FALSE(find<QPushButton>(d, "cmdNewDial")->isVisible());
    auto *talk = find<QPushButton>(d, "cmdCancel");
    ASSERT_TRUE(runUntil([&] { return talk->isVisible(); }));
    EXPECT_EQ(text(d, "lblStatus"), "Pickup Receiver - Then Click Hangup");
    EXPECT_TRUE(find<QLabel>(d, "Image2")->isVisible());
    EXPECT_EQ(talk->text(), "Pick up the receiver then &Click to Talk");

    click(d, "cmdCancel");
    EXPECT_EQ(text(d, "lblStatus"), "Ready to Dial......");
    EXPECT_TRUE(find<QPushButton>(d, "cmdNewDial")->isVisible());
    click(d, "cmdHangup");
    EXPECT_FALSE(d->isVisible());
    EXPECT_FALSE(f.folder.modem().line().isOpen());
    ASSERT_TRUE(f.fake.waitForCommands(3));
    EXPECT_EQ(f.fake.commands(), QByteArrayList({"ATDT1-555-0100;\r", "ATH\r", "ATH\r"}));
    EXPECT_FALSE(f.dialer->endProgramAsked());
}

TEST(Dialer, ANumberThatIsNoNumberAndAModemThatNeverAnswers)
{
    DialerFixture f(QStringLiteral("555-0100\rATH"));
    QWidget *d = f.d();
    click(d, "cmdNewDial");
    EXPECT_TRUE(text(d, "lblStatus").startsWith("This number cannot be dialled"));
    EXPECT_TRUE(find<QPushButton>(d, "cmdNewDial")->isVisible());

    f.fake.dialReply = FakeModem::DialReply::Silent;
    f.dialer->setDialLimit(150);
    click(d, "cmdDialer_0"); // a free slot: the frame to add it
    find<QLineEdit>(d, "txtDialer_0")->setText("Office");
    find<QLineEdit>(d, "txtDialer_1")->setText("555-0199");
    click(d, "cmdSpeedDialer_0");
    click(d, "cmdDialer_0");
    EXPECT_EQ(text(d, "lblNumber"), "555-0199");
    click(d, "cmdNewDial");
    ASSERT_TRUE(runUntil([&] { return text(d, "lblStatus").contains("did not answer"); }));
    EXPECT_TRUE(find<QPushButton>(d, "cmdNewDial")->isVisible());
    ASSERT_TRUE(f.fake.waitForCommands(2));
    EXPECT_EQ(f.fake.commands(), QByteArrayList({"ATDT555-0199;\r", "ATH\r"}));
}

TEST(Dialer, HangingUpWhileDialingEndsTheWait)
{
    DialerFixture f;
    f.fake.dialReply = FakeModem::DialReply::Silent;
    QWidget *d = f.d();
    click(d, "cmdNewDial");
    ASSERT_TRUE(f.fake.waitForCommands(1));
    click(d, "cmdHangup");
    EXPECT_FALSE(d->isVisible());
    EXPECT_FALSE(f.folder.modem().line().isOpen());
    f.fake.send("\r\nOK\r\n"); // too late: nobody listens, nothing shows
    runUntil([] { return false; }, 100);
    EXPECT_FALSE(find<QPushButton>(d, "cmdCancel")->isVisibleTo(d));
    EXPECT_EQ(f.fake.commands(), QByteArrayList({"ATDT555-0100;\r", "ATH\r"}));
}

TEST(Dialer, APortThatCannotBeOpenedLeavesItNotReady)
{
    TestFolder folder;
    folder.modem().setPortLister([] { return phone::SerialPorts::from({}, {}, {"/nonexistent/ttyMODEM"}); });
    for (int port : {0, 1, 3}) {
        folder.context().settings.edit([port](setup::BusinessValues &v) { v.modemPort = std::int16_t(port); });
        DialerDialog dialer(folder.context(), QStringLiteral("Acme"), QStringLiteral("555-0100"));
        dialer.show();
        EXPECT_FALSE(find<QPushButton>(&dialer, "cmdNewDial")->isEnabled()) << port;
        EXPECT_NE(text(&dialer, "lblStatus"), "Ready to Dial......") << port;
        EXPECT_FALSE(text(&dialer, "lblStatus").startsWith("Dialing")) << port;
    }
}

TEST(Dialer, DeletingASlotClosesUpTheListAndSpeedDialCommands)
{
    DialerFixture f;
    f.folder.write("/SpeedNumbers.txt", "Zero\r\n100\r\nOne\r\n101\r\nTwo\r\n102\r\nThree\r\n103\r\nFour\r\n104\r\n");
    f.dialer = std::make_unique<DialerDialog>(f.folder.context(), QStringLiteral("Acme Lawn"), QStringLiteral("555-0100"));
    f.dialer->show();
    QWidget *d = f.d();
    auto *remove = find<QPushButton>(d, "cmdSpeedDialer_2");
    EXPECT_FALSE(remove->isEnabled());

    click(d, "cmdDialer_2");
    EXPECT_EQ(text(d, "lblName"), "Two");
    EXPECT_EQ(text(d, "lblNumber"), "102");
    click(d, "cmdSpeedDialer_3");
    EXPECT_EQ(text(d, "lblName"), "Acme Lawn");
    EXPECT_EQ(text(d, "lblNumber"), "555-0100");

    click(d, "cmdDialer_2");
    f.folder.prompt.answer(false);
    click(d, "cmdSpeedDialer_2");
    EXPECT_EQ(f.folder.prompt.entries.last().text, "This will delete SpeedDial entry  Two\nAre you Sure");
    EXPECT_EQ(f.folder.prompt.entries.last().title, "Delete Speed Dial");
    EXPECT_FALSE(remove->isEnabled());
    click(d, "cmdDialer_2");
    f.folder.prompt.answer(true);
    click(d, "cmdSpeedDialer_2");

    DialerDialog reopened(f.folder.context(), QStringLiteral("Acme Lawn"), QStringLiteral("555-0100"));
    const QStringList expected = {"Zero", "One", "Three", "Four", ""};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(find<QPushButton>(&reopened, QStringLiteral("cmdDialer_%1").arg(i))->text(), expected[i]) << i;

    // A free slot takes the shown customer with "&Load Current Player".
    reopened.show();
    click(&reopened, "cmdDialer_4");
    EXPECT_TRUE(find<QGroupBox>(&reopened, "fraSpeedDial")->isVisible());
    click(&reopened, "cmdSpeedDialer_4");
    EXPECT_FALSE(find<QGroupBox>(&reopened, "fraSpeedDial")->isVisible());
    EXPECT_EQ(find<QPushButton>(&reopened, "cmdDialer_4")->text(), "Acme Lawn");
    EXPECT_EQ(f.folder.read("/SpeedNumbers.txt"),
              QByteArray("Zero\r\n100\r\nOne\r\n101\r\nThree\r\n103\r\nFour\r\n104\r\nAcme Lawn\r\n555-0100\r\n"));

    // A number the modem could take as a command is not kept.
    click(&reopened, "cmdDialer_5");
    find<QLineEdit>(&reopened, "txtDialer_0")->setText("Bad");
    find<QLineEdit>(&reopened, "txtDialer_1")->setText("ATZ");
    click(&reopened, "cmdSpeedDialer_0");
    EXPECT_TRUE(f.folder.prompt.entries.last().text.startsWith("This number cannot be dialled"));
    EXPECT_EQ(find<QPushButton>(&reopened, "cmdDialer_5")->text(), "");
    click(&reopened, "cmdSpeedDialer_1");
    EXPECT_FALSE(find<QGroupBox>(&reopened, "fraSpeedDial")->isVisible());
}

TEST(Dialer, HelpCloseBoxAndNames)
{
    DialerFixture f;
    QWidget *d = f.d();
    auto *help = find<QPushButton>(d, "cmdHelp");
    click(d, "cmdHelp");
    EXPECT_TRUE(find<QGroupBox>(d, "fraHelp")->isVisible());
    EXPECT_EQ(help->text(), "Hide Help");
    click(d, "cmdHelp");
    EXPECT_FALSE(find<QGroupBox>(d, "fraHelp")->isVisible());
    EXPECT_EQ(help->text(), "Show Help");
    EXPECT_EQ(sharedAccessibleNames(d), QStringList());

    f.dialer->close();
    EXPECT_TRUE(f.dialer->endProgramAsked());
    EXPECT_FALSE(f.folder.modem().line().isOpen());
}

TEST(PhoneTab, DetectFindsTheModemAndTurnsTheSettingsOn)
{
    FakeModem fake;
    TestFolder folder;
    useFakeModem(folder, fake);
    PhoneTab tab(folder.context());
    tab.fill();
    tab.show();
    EXPECT_TRUE(text(&tab, "lblModemStatus").startsWith("Modem Not Detected Or In Use."));
    for (const char *control : {"txtModemPort", "ckPhone", "ckCallerID"})
        EXPECT_FALSE(find<QWidget>(&tab, QString::fromLatin1(control))->isEnabled()) << control;
    EXPECT_TRUE(find<QPushButton>(&tab, "cmdDetectModem")->isEnabled());
    EXPECT_TRUE(fake.commands().isEmpty()); // nothing written before the user asks

    click(&tab, "cmdDetectModem");
    EXPECT_EQ(text(&tab, "lblModemStatus"), "Your Modem Comm Port Is 1.");
    EXPECT_EQ(screenchecks::heardName(find<QLabel>(&tab, QStringLiteral("lblModemStatus"))), QStringLiteral("Your Modem Comm Port Is 1."));
    auto *port = find<QComboBox>(&tab, "txtModemPort");
    EXPECT_TRUE(port->isEnabled());
    EXPECT_EQ(port->currentText(), "1  (" + fake.device() + ")");
    EXPECT_EQ(folder.context().settings.values().modemPort, 1);
    ASSERT_TRUE(fake.waitForCommands(2));
    EXPECT_EQ(fake.commands(), QByteArrayList({"AT\r", "AT#CID=1\r"}));

    // The arrow keys choose a port as a click does.
    port->setFocus();
    QTest::keyClick(port, Qt::Key_Up);
    EXPECT_EQ(folder.context().settings.values().modemPort, 0);
    click(&tab, "ckPhone");
    EXPECT_TRUE(folder.context().settings.values().phoneDaisyChained);
}

// A user starts the program, finds the modem on the setup screen, calls a
// customer with a daisy-chained telephone, and keeps three speed-dial
// entries across a restart.
TEST(Telephone, StartFindCallAndKeepSpeedDialAcrossARestart)
{
    FakeModem fake;
    TestFolder folder;
    useFakeModem(folder, fake);
    folder.write("/Phone.txt", "#TRUE#\r\n1\r\n");
    folder.write(customers::kCustomerFile, business("1001", "Acme Lawn", "555-0100").encode());
    const QStringList names = {"Office", "Shop", "Supplier"};
    {
        StartedProgram p(folder);
        ASSERT_TRUE(p.start());
        ASSERT_TRUE(fake.waitForCommands(2));
        EXPECT_EQ(fake.commands(), QByteArrayList({"AT\r", "AT#CID=1\r"}));
        p.nav().show(ScreenId::Setup);
        EXPECT_EQ(text(p.program.setup(), "lblModemStatus"), "Your Modem Comm Port Is 1.");
        EXPECT_TRUE(find<QCheckBox>(p.program.setup(), "ckPhone")->isChecked());

        p.nav().show(ScreenId::Customers);
        QWidget *customers = p.nav().current();
        auto *dial = find<QToolButton>(customers, "Image1_1");
        ASSERT_TRUE(dial->isVisible());
        bool called = false;
        QTimer::singleShot(0, [&] {
            auto *d = qobject_cast<DialerDialog *>(QApplication::activeModalWidget());
            ASSERT_NE(d, nullptr);
            EXPECT_EQ(text(d, "lblName"), "Acme Lawn");
            click(d, "cmdNewDial");
            auto *talk = find<QPushButton>(d, "cmdCancel");
            EXPECT_TRUE(runUntil([&] { return talk->isVisible(); }));
            click(d, "cmdCancel");
            for (int i = 0; i < 3; ++i) {
                click(d, QStringLiteral("cmdDialer_%1").arg(i));
                find<QLineEdit>(d, "txtDialer_0")->setText(names[i]);
                find<QLineEdit>(d, "txtDialer_1")->setText(QStringLiteral("555-010%1").arg(i));
                QTest::keyClick(find<QLineEdit>(d, "txtDialer_1"), Qt::Key_Return);
            }
            called = true;
            click(d, "cmdHangup");
        });
        QTest::mouseClick(dial, Qt::LeftButton);
        EXPECT_TRUE(called);
        ASSERT_TRUE(fake.waitForCommands(5));
        EXPECT_EQ(fake.commands().mid(2), QByteArrayList({"ATDT555-0100;\r", "ATH\r", "ATH\r"}));
        EXPECT_FALSE(folder.modem().line().isOpen());
    }
    // Restarted: the saved port alone is probed, and the list is kept.
    fake.clear();
    StartedProgram p(folder);
    ASSERT_TRUE(p.start());
    ASSERT_TRUE(fake.waitForCommands(2));
    EXPECT_EQ(fake.commands(), QByteArrayList({"AT\r", "AT#CID=1\r"}));
    DialerDialog dialer(folder.context(), QStringLiteral("Acme Lawn"), QStringLiteral("555-0100"));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(find<QPushButton>(&dialer, QStringLiteral("cmdDialer_%1").arg(i))->text(), names[i]);
    EXPECT_EQ(find<QPushButton>(&dialer, "cmdDialer_3")->text(), "");
}

TEST(Telephone, NoModemHidesTheDialPictureAndNothingIsProbedUnasked)
{
    FakeModem fake;
    customertest::Harness h({business("1001", "Acme Lawn", "555-0100")});
    useFakeModem(h.folder, fake);
    h.folder.context().settings.edit([](setup::BusinessValues &v) { v.phoneDaisyChained = true; });
    h.open();
    auto *dial = h.child<QToolButton>("Image1_1");
    EXPECT_TRUE(dial->isHidden());
    h.folder.modem().detect(phone::allPorts(h.folder.modem().ports()));
    EXPECT_FALSE(dial->isHidden());
    h.folder.context().settings.edit([](setup::BusinessValues &v) { v.phoneDaisyChained = false; });
    EXPECT_TRUE(dial->isHidden());
}
