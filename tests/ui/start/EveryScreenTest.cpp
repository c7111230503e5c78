// Every screen of the running program, walked as a keyboard and
// screen-reader user meets it, over a business's data, at the window size
// the program opens with (1180x860), at 1024x768 and at 1600x1200: each tab in turn, each screen
// opened twice (the second time after the data changed): commands in sight,
// one control per accelerator, no two controls heard by the same name,
// every label that shows a value heard with it.
#include "support/StartedProgram.h"
#include "support/BusinessFolder.h"
#include "support/ScreenChecks.h"
#include "support/ScreenHost.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace ui;
using namespace app;

namespace {

// Runs the checks over the screen in front, once per tab of each tab widget.
void checkInFront(MainWindow &window, QWidget *screen, const std::string &where, std::vector<std::string> &faults)
{
    std::vector<QTabWidget *> tabs;
    for (QTabWidget *t : screen->findChildren<QTabWidget *>()) {
        if (t->isVisible())
            tabs.push_back(t);
    }
    auto check = [&](const std::string &at) {
        QApplication::processEvents();
        for (const QString &s : screenchecks::sharedAccelerators(screen))
            faults.push_back(at + ": shared accelerator " + s.toStdString());
        if (const QStringList shared = sharedAccessibleNames(screen); !shared.isEmpty())
            faults.push_back(at + ": controls sharing a name " + shared.join(QStringLiteral(" | ")).toStdString());
        for (const QString &s : screenchecks::unheardLabels(screen))
            faults.push_back(at + ": " + s.toStdString());
        for (const QString &s : screenchecks::commandsOutOf(&window, screen))
            faults.push_back(at + ": out of sight " + s.toStdString());
    };
    // BRENVOY_SCREENSHOTS=/some/folder keeps a picture of each, to look at.
    const QString shots = qEnvironmentVariable("BRENVOY_SCREENSHOTS");
    auto picture = [&](const std::string &at) {
        if (!shots.isEmpty())
            window.grab().save(shots + u'/' + QString::fromStdString(at).replace(u' ', u'_') + QStringLiteral(".png"));
    };
    if (tabs.empty()) {
        check(where);
        picture(where);
    }
    for (QTabWidget *t : tabs) {
        for (int i = 0; i < t->count(); ++i) {
            t->setCurrentIndex(i);
            check(where + " tab " + t->tabText(i).toStdString());
            picture(where + " tab " + std::to_string(i));
        }
    }
}

} // namespace

TEST(EveryScreen, CommandsInSightOneControlPerAcceleratorAndValuesHeard)
{
    TestFolder folder;
    BusinessFolder business = fillBusiness(folder);
    int chosen = 3; // the contract screen's customer
    StartedProgram p(folder);
    ASSERT_TRUE(p.start());
    MainWindow &window = p.window();
    window.show();
    Navigator &nav = p.nav();
    const std::pair<ScreenId, Routine> screens[] = {
        {ScreenId::MainMenu, Routine::None},      {ScreenId::Customers, Routine::Customers},
        {ScreenId::Customers, Routine::Contract}, {ScreenId::Services, Routine::Services},
        {ScreenId::Payments, Routine::Payments},  {ScreenId::Setup, Routine::None},
        {ScreenId::Billing, Routine::Invoices},   {ScreenId::History, Routine::History},
        {ScreenId::Contract, Routine::Contract},  {ScreenId::BillingRuns, Routine::None},
        {ScreenId::Receivables, Routine::None},   {ScreenId::Export, Routine::None},
        {ScreenId::Import, Routine::Customers},   {ScreenId::DataCheck, Routine::None},
        {ScreenId::Backups, Routine::None},
    };
    std::vector<std::string> faults;
    for (const QSize size : {QSize(1180, 860), QSize(1024, 768), QSize(1600, 1200)}) {
        window.resize(size);
        for (int pass = 0; pass < 2; ++pass) {
            for (const auto &[id, routine] : screens) {
                ASSERT_TRUE(nav.show(id, routine, id == ScreenId::Contract ? chosen : 0));
                QWidget *screen = nav.current();
                checkInFront(window, screen,
                             screen->objectName().toStdString() + " at " + std::to_string(size.width()) + "x"
                                 + std::to_string(size.height()),
                             faults);
            }
            // The second pass meets changed data: a service added, another
            // customer chosen.
            business.services.push_back({QStringLiteral("Gutter Cleaning %1").arg(pass), QStringLiteral("$75.00"),
                                         QStringLiteral("1:00")});
            ASSERT_TRUE(folder.context().catalog.save(folder.store(), business.services, business.items));
            chosen = 5;
        }
    }
    std::string all;
    for (const std::string &f : faults)
        all += f + "\n";
    EXPECT_TRUE(faults.empty()) << all;
}

// The contract routine as a user runs it: the customer screen opened for it,
// an account chosen, Select pressed; the contract screen is shown for that
// account (the navigation carries it, nothing shared holds it).
TEST(EveryScreen, TheContractScreenIsShownForTheAccountSelected)
{
    TestFolder folder;
    fillBusiness(folder);
    StartedProgram p(folder);
    ASSERT_TRUE(p.start());
    p.window().show();
    Navigator &nav = p.nav();
    ASSERT_TRUE(nav.show(ScreenId::Customers, Routine::Contract));
    QWidget *customers = nav.current();
    for (int i = 0; i < 2; ++i) // to the third account
        QTest::mouseClick(customers->findChild<QPushButton *>(QStringLiteral("cmdNav_2")), Qt::LeftButton);
    QTest::mouseClick(customers->findChild<QPushButton *>(QStringLiteral("cmdCustomer_1")), Qt::LeftButton);
    ASSERT_EQ(nav.current()->objectName(), QStringLiteral("frmContract"));
    EXPECT_EQ(nav.current()->findChild<QLabel *>(QStringLiteral("lblCustomerName"))->text(), QStringLiteral("Hilltop Farms"));
}
