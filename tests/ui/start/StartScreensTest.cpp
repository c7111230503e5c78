// The start screen and the main menu, driven offscreen by object name.
#include "app/Program.h"
#include "billing/BillingRun.h"
#include "customers/Records.h"
#include "base/ValueList.h"
#include "setup/SettingsFiles.h"
#include "support/Accounts.h"
#include "support/StartedProgram.h"
#include "ui/start/SplashScreen.h"
#include "ui/start/StartupScreen.h"
#include "ui/start/SupplierLinks.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace ui;
using namespace app;

namespace {

// Stands in for a working screen so the menu's routing can be followed.
class StandInScreen : public Screen {
public:
    explicit StandInScreen(const QString &form) { setObjectName(form); }
    QString caption() const override { return objectName(); }
    void activate(Routine r) override
    {
        ++activations;
        routine = r;
    }
    int activations = 0;
    Routine routine = Routine::None;
};

template <typename T>
T *child(QWidget *root, const char *name)
{
    T *found = root->findChild<T *>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

void writeSetupFiles(TestFolder &folder)
{
    folder.write(setup::kBusinessData, "\"Acme Lawns\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n");
    folder.write(setup::kCycleSetupInfo, "0,#TRUE#,#FALSE#,0,0,\"$0.00\",\"$0.00\"\r\n");
}

} // namespace

TEST(StartScreens, FirstStartShowsTheWelcomePanelAndSetupFilesLeadToTheMenu)
{
    TestFolder folder;
    folder.write(QStringLiteral("/brenvoy"), "the executable lives in the program folder");
    StartedProgram p(folder);
    ASSERT_TRUE(p.start());
    SplashScreen *splash = p.program.splash();
    ASSERT_NE(splash, nullptr);
    EXPECT_TRUE(QDir(folder.path() + QStringLiteral("/Brenvoy")).exists());
    auto *welcome = child<QGroupBox>(splash, "fraWelcome");
    EXPECT_FALSE(welcome->isVisible());
    p.toMenu();
    EXPECT_TRUE(welcome->isVisible());
    EXPECT_EQ(child<QLabel>(splash, "lblWelcome_7")->text(),
              QStringLiteral("An unsuccessful attempt was made to restore it from the Backup Folder. You need to "
                             "recreate it."));
    EXPECT_EQ(p.nav().current(), splash); // the start screen stays up
    EXPECT_TRUE(folder.prompt.entries.isEmpty());

    // With the setup files, Continue leads to the menu and the settings are live.
    TestFolder set;
    writeSetupFiles(set);
    StartedProgram q(set);
    ASSERT_TRUE(q.start());
    EXPECT_EQ(set.context().settings.values().businessName, QStringLiteral("Acme Lawns"));
    q.toMenu();
    EXPECT_EQ(q.program.splash(), nullptr);
    EXPECT_EQ(q.nav().current(), q.program.menu());
    EXPECT_EQ(q.window().windowTitle(), QStringLiteral("Brenvoy Main Menu"));
}

TEST(StartScreens, ASecondCopyIsRefusedAndTouchesNothing)
{
    TestFolder folder;
    app::InstanceLock running(folder.path());
    ASSERT_TRUE(running.acquire());
    StartedProgram p(folder);
    EXPECT_EQ(p.program.start(p.lock), Program::Outcome::AlreadyRunning);
    ASSERT_EQ(folder.prompt.entries.size(), 1);
    EXPECT_EQ(folder.prompt.entries[0].text, QStringLiteral("Brenvoy is already Running!\nLook for it on the Task Bar"));
    EXPECT_EQ(folder.prompt.entries[0].title, QStringLiteral("Brenvoy"));
    EXPECT_FALSE(QDir(folder.path() + QStringLiteral("/Backup")).exists());
}

TEST(StartScreens, AFolderThatCannotBeMadeEndsTheStartWithOneMessage)
{
    TestFolder folder;
    folder.write(QStringLiteral("/Templates"), "in the way");
    folder.write(setup::kBusinessData, "\"Untouched\"");
    StartedProgram p(folder);
    EXPECT_EQ(p.program.start(p.lock), Program::Outcome::FolderFailed);
    ASSERT_EQ(folder.prompt.entries.size(), 1);
    EXPECT_TRUE(folder.prompt.entries[0].text.contains(QStringLiteral("/Templates")));
    // The business file was not rewritten.
    EXPECT_EQ(folder.read(setup::kBusinessData), QByteArray("\"Untouched\""));
}

TEST(StartScreens, ClosingTheWindowOrExitBacksUpOnce)
{
    for (bool viaExit : {false, true}) {
        TestFolder folder;
        writeSetupFiles(folder);
        folder.write(QStringLiteral("/CustomerData.txt"), customerRecordWithAcctNo(QStringLiteral("1001")));
        folder.write(QStringLiteral("/InvoiceJournal.txt"), "journal");
        StartedProgram p(folder);
        ASSERT_TRUE(p.start());
        if (viaExit) {
            p.toMenu();
            child<QAction>(p.program.menu(), "mnuExit")->trigger();
            QCoreApplication::processEvents(); // menu commands run queued
        } else {
            p.window().close();
        }
        EXPECT_FALSE(p.window().isVisible());
        for (const char *name : {"/CustomerData.txt", "/InvoiceJournal.txt", "/MyBusinessData.txt", "/CycleSetupInfo.txt"})
            EXPECT_EQ(folder.read(QStringLiteral("/Backup") + QString::fromLatin1(name)),
                      folder.read(QString::fromLatin1(name)))
                << name << (viaExit ? " via Exit" : " via close");
    }
}

TEST(StartScreens, MenuRoutinesFollowTheFilesPresent)
{
    TestFolder folder;
    writeSetupFiles(folder);
    StartedProgram p(folder);
    ASSERT_TRUE(p.start());
    Navigator &nav = p.nav();
    std::map<QString, StandInScreen *> screens;
    for (auto [id, form] : {std::pair{ScreenId::Billing, "frmCycleBilling"}, {ScreenId::Payments, "frmAuto"},
                            {ScreenId::Services, "frmServices"}, {ScreenId::History, "frmHistory"},
                            {ScreenId::Customers, "frmCustomer"}}) {
        auto *s = new StandInScreen(QString::fromLatin1(form));
        nav.add(id, s);
        screens[s->objectName()] = s;
    }
    StandInScreen *customers = screens["frmCustomer"];
    StartupScreen *menu = p.program.menu();
    auto enabledRoutines = [&] {
        nav.show(ScreenId::MainMenu);
        std::vector<int> on;
        for (int i : {0, 4, 5, 7, 8, 9}) {
            if (child<QWidget>(menu, QStringLiteral("lblSub_%1").arg(i).toLatin1().constData())->isEnabled())
                on.push_back(i);
        }
        return on;
    };

    // No data files: only services and payments.
    EXPECT_EQ(enabledRoutines(), (std::vector<int>{5, 7}));
    EXPECT_TRUE(child<QGroupBox>(menu, "fraNoServiceFound")->isVisible());
    EXPECT_FALSE(child<QGroupBox>(menu, "fraNoCustomerFound")->isVisible());

    // Services and items, no customers: the customer notice, whose Goto opens the customer screen.
    folder.write(QStringLiteral("/Services.txt"), QByteArray(72, ' '));
    folder.write(QStringLiteral("/Backup/BVInventoriedItems.txt"), QByteArray(104, ' ')); // restored on the way
    EXPECT_EQ(enabledRoutines(), (std::vector<int>{5, 7, 8}));
    EXPECT_FALSE(child<QGroupBox>(menu, "fraNoServiceFound")->isVisible());
    auto *noCustomer = child<QGroupBox>(menu, "fraNoCustomerFound");
    EXPECT_TRUE(noCustomer->isVisible());
    EXPECT_EQ(noCustomer->title(), QStringLiteral("No Customers Found"));
    QTest::mouseClick(child<QPushButton>(menu, "cmdGoto_0"), Qt::LeftButton);
    EXPECT_EQ(nav.current(), customers);
    EXPECT_EQ(customers->routine, Routine::Customers);

    // All four files: every routine, both notices hidden.
    folder.write(QStringLiteral("/CustomerData.txt"), customerRecordWithAcctNo(QStringLiteral("1")));
    folder.write(QStringLiteral("/CycleInfo.txt"), QByteArray(69, ' '));
    EXPECT_EQ(enabledRoutines(), (std::vector<int>{0, 4, 5, 7, 8, 9}));
    EXPECT_FALSE(noCustomer->isVisible());

    // A routine is started with the keyboard as well as the mouse.
    auto *contract = child<QWidget>(menu, "lblSub_4");
    contract->setFocus();
    QTest::keyClick(contract, Qt::Key_Return);
    EXPECT_EQ(nav.current(), customers);
    EXPECT_EQ(customers->routine, Routine::Contract);
    nav.show(ScreenId::MainMenu);
    QTest::mouseClick(child<QWidget>(menu, "lblSub_9"), Qt::LeftButton);
    EXPECT_EQ(nav.current(), screens["frmHistory"]);
    EXPECT_EQ(p.window().windowTitle(), QStringLiteral("frmHistory"));
    EXPECT_EQ(screens["frmHistory"]->routine, Routine::History);
}

TEST(StartScreens, SupplierQuestionsAndTheManual)
{
    TestFolder folder;
    StartedProgram p(folder);
    ASSERT_TRUE(p.start());
    StartupScreen *menu = p.program.menu();
    struct Case {
        const char *action;
        const char *title;
        const char *firstLine;
        QString address;
    };
    const Case cases[] = {
        {"mnuPPPaper", "Order Paper", "Use Plain Paper for Reports (etc)", links::kPlainPaper},
        {"mnuPPaper", "Order Paper", "Perforated Response Paper is used to create", links::kPerforatedPaper},
        {"mnuGraytex", "Order Graytex Forms", "Graytex offers 2 and 3 part carbonless paper", links::kGraytex},
        {"mnuAvery", "Order Paper", "30 to a Page Mailing Labels", links::kAveryMailingLabels},
        {"mnuLabels", "Order Labels", "Click YES to Connect to a Supplier", links::kAveryShippingLabels},
    };
    auto run = [&](const char *action) {
        child<QAction>(menu, action)->trigger();
        QCoreApplication::processEvents(); // menu commands run queued
    };
    for (const Case &c : cases) {
        folder.prompt.entries.clear();
        folder.web.opened.clear();
        folder.prompt.answer(false);
        run(c.action);
        ASSERT_EQ(folder.prompt.entries.size(), 1) << c.action;
        EXPECT_EQ(folder.prompt.entries[0].kind, PromptEntry::Question);
        EXPECT_EQ(folder.prompt.entries[0].title, QString::fromLatin1(c.title));
        EXPECT_EQ(folder.prompt.entries[0].text.split(u'\n').first(), QString::fromLatin1(c.firstLine));
        EXPECT_TRUE(folder.web.opened.isEmpty()) << c.action << ": No opens nothing";
        folder.prompt.answer(true);
        run(c.action);
        ASSERT_EQ(folder.web.opened.size(), 1) << c.action;
        EXPECT_EQ(folder.web.opened[0], QUrl(c.address));
    }
    EXPECT_EQ(folder.prompt.entries.size(), 2);
    EXPECT_TRUE(folder.prompt.entries[1].text.endsWith(QStringLiteral("Click YES to Connect to a Supplier")));

    folder.web.opened.clear();
    run("mnuDeluxe"); // opens at once, no question
    run("mnuHelp");
    ASSERT_EQ(folder.web.opened.size(), 2);
    EXPECT_EQ(folder.web.opened[0], QUrl(links::kDeluxeChecks));
    ASSERT_TRUE(folder.web.opened[1].isLocalFile());
    EXPECT_TRUE(QFileInfo(folder.web.opened[1].toLocalFile()).isFile()) << folder.web.opened[1].toString().toStdString();
    EXPECT_TRUE(folder.read(QStringLiteral("/Temp.url")).startsWith("[InternetShortcut]\r\nURL = file://"));
}


// A run whose last group the disk never confirmed: the next start finishes
// it and says which accounts it posted, before any grid is loaded again.
TEST(StartScreens, TheStartSaysWhatAnInterruptedRunPosted)
{
    TestFolder folder;
    writeSetupFiles(folder);
    writeAccounts(folder, {business("S1", "Shop S1"), business("S2", "Shop S2")}, cycleOf(2000));
    {
        billing::CycleGrid grid = billing::CycleGrid::load(folder.store(), billing::Monthly, 2, usLocale());
        for (billing::CycleRow &r : grid.rows)
            r.selected = QStringLiteral("+");
        billing::RunSettings s;
        s.date = folder.clock.at.date();
        const auto postings = std::get<std::vector<billing::Posting>>(billing::planRecordsRun(grid, s, usLocale()));
        // The group's one sync, made with the marker written, fails.
        folder.store().setFolderSync(
            [&](const QString &f) { return !(f == folder.path() && folder.exists(store::kTransactionMarker)); });
        const billing::RunOutcome out = billing::postRun(folder.store(), postings, s, usLocale());
        ASSERT_EQ(out.unconfirmed.size(), 2u);
        ASSERT_TRUE(out.posted.empty());
        folder.store().setFolderSync([](const QString &) { return true; });
    }
    ASSERT_TRUE(folder.exists(store::kTransactionMarker));
    StartedProgram p(folder);
    ASSERT_TRUE(p.start());
    const QStringList said = folder.prompt.texts();
    ASSERT_FALSE(said.isEmpty());
    EXPECT_EQ(said.first(), QStringLiteral("A billing run that was interrupted has been completed: 2 accounts posted (S1, S2)."));
    EXPECT_EQ(folder.prompt.entries.first().title, QStringLiteral("Billing Run Completed"));
    EXPECT_FALSE(folder.exists(store::kTransactionMarker));
    EXPECT_EQ(folder.read(QStringLiteral("/BVActiveAccounts/S2.txt")).size(), 2 * 155);
}

// The sample business says so in the window title and on the start and
// menu screens; a first start offers it, and opens it as a program of its
// own on a fresh copy.
TEST(StartScreens, TheSampleBusinessIsOfferedAndSaysWhatItIs)
{
    {
        TestFolder folder;
        StartedProgram p(folder);
        QStringList launched;
        p.program.setLauncher([&](const QStringList &args) {
            launched = args;
            return true;
        });
        ASSERT_TRUE(p.start());
        p.toMenu();
        auto *explore = child<QPushButton>(p.program.splash(), "cmdSample");
        ASSERT_TRUE(explore->isVisible());
        QTest::mouseClick(explore, Qt::LeftButton);
        ASSERT_EQ(launched.size(), 2);
        EXPECT_EQ(launched[0], QStringLiteral("--data"));
        EXPECT_TRUE(QFileInfo::exists(launched[1] + QStringLiteral("/SampleBusiness.txt")));
        EXPECT_TRUE(QFileInfo::exists(launched[1] + QStringLiteral("/CustomerData.txt")));
        EXPECT_FALSE(p.window().isVisible()); // this copy ends
        EXPECT_FALSE(QFileInfo::exists(folder.path() + QStringLiteral("/CustomerData.txt"))); // the user's folder untouched
        QDir(launched[1]).removeRecursively();
    }
    // Opened on the sample: said on the start screen, the menu and in every title.
    TestFolder folder;
    QString problem;
    const QString copy = app::copySampleBusiness(QCoreApplication::applicationDirPath(), &problem);
    ASSERT_FALSE(copy.isEmpty()) << problem.toStdString();
    for (const QString &name : QDir(copy).entryList(QDir::Files)) { // the sample's top-level files suffice here
        QFile f(copy + u'/' + name);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
        folder.write(u'/' + name, f.readAll());
    }
    QDir(copy).removeRecursively();
    StartedProgram p(folder);
    ASSERT_TRUE(p.start());
    EXPECT_TRUE(child<QLabel>(p.program.splash(), "lblSample")->isVisible());
    EXPECT_EQ(p.window().windowTitle(), QStringLiteral("Brenvoy - Sample business"));
    p.toMenu();
    EXPECT_EQ(p.window().windowTitle(), QStringLiteral("Brenvoy Main Menu - Sample business"));
    EXPECT_TRUE(child<QLabel>(p.program.menu(), "lblSampleBusiness")->isVisible());
    p.nav().show(ScreenId::Billing, Routine::Invoices);
    EXPECT_TRUE(p.window().windowTitle().endsWith(QStringLiteral(" - Sample business")));
}
