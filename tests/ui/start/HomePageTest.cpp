// The home page over the sample business: its figures, read off the
// window's thread, are what the billing grid and the payment list show,
// each opens its screen, and they are read again when the user comes back.
#include "app/Program.h"
#include "billing/BillingRun.h"
#include "ledger/PaymentBatch.h"
#include "sample/SampleBusiness.h"
#include "support/ScreenHost.h"
#include "ui/payments/PaymentModel.h"
#include "ui/start/SplashScreen.h"
#include "ui/start/StartupScreen.h"

#include <QAction>
#include <QCommandLinkButton>
#include <QDir>
#include <QMessageBox>
#include <QFile>
#include <QListWidget>
#include <QSignalSpy>
#include <QTableView>

using namespace ui;
using namespace app;

namespace {

struct Home {
    explicit Home(TestFolder &f) : folder(f), program(f.context()), lock(f.path())
    {
        QFile rtf(QCoreApplication::applicationDirPath() + QStringLiteral("/Templates/Contracts/GenericContract.rtf"));
        EXPECT_TRUE(rtf.open(QIODevice::ReadOnly));
        EXPECT_TRUE(sample::makeSampleBusiness(f.store(), f.clock.at.date(), rtf.readAll()).result.ok);
        EXPECT_EQ(program.start(lock), Program::Outcome::Running);
        program.window().show();
        QSignalSpy shown(program.menu(), &StartupScreen::glanceShown);
        QTest::mouseClick(program.splash()->findChild<QPushButton *>(QStringLiteral("cmdContinue")), Qt::LeftButton);
        EXPECT_TRUE(shown.wait(20000));
        // BRENVOY_SCREENSHOTS=/some/folder keeps pictures of the page to look at.
        if (const QString shots = qEnvironmentVariable("BRENVOY_SCREENSHOTS"); !shots.isEmpty()) {
            for (const QSize size : {QSize(1024, 768), QSize(1600, 1200)}) {
                program.window().resize(size);
                QCoreApplication::processEvents();
                program.window().grab().save(shots + QStringLiteral("/home_%1x%2.png").arg(size.width()).arg(size.height()));
            }
        }
    }
    QCommandLinkButton *figure(StartupScreen::Figure f) { return program.menu()->figure(f); }
    TestFolder &folder;
    Program program;
    InstanceLock lock;
};

} // namespace

TEST(HomePage, FiguresMatchTheBillingGridAndThePaymentList)
{
    TestFolder folder;
    Home home(folder);
    // Due this month: the billing grid's rows for each frequency.
    const QString detail = home.figure(StartupScreen::Due)->description();
    QTest::mouseClick(home.figure(StartupScreen::Due), Qt::LeftButton);
    QWidget *billing = home.program.window().navigator().current();
    ASSERT_EQ(billing->objectName(), QStringLiteral("frmCycleBilling"));
    std::array<int, 4> rows{};
    for (int f = 0; f < 4; ++f) {
        billing->findChild<QListWidget *>(QStringLiteral("lstFrequency"))->setCurrentRow(f);
        QTest::mouseClick(billing->findChild<QPushButton *>(QStringLiteral("cmdMonthly_4")), Qt::LeftButton);
        rows[size_t(f)] = billing->findChild<QTableView *>(QStringLiteral("fgMonthly"))->model()->rowCount();
    }
    EXPECT_EQ(detail, QStringLiteral("Monthly %1, quarterly %2, semi-annually %3, annually %4")
                          .arg(rows[0]).arg(rows[1]).arg(rows[2]).arg(rows[3]));
    EXPECT_GT(rows[0], 0);

    // Open balances: the payment list's ledgers with a balance.
    home.program.window().navigator().show(ScreenId::MainMenu);
    QSignalSpy again(home.program.menu(), &StartupScreen::glanceShown);
    ASSERT_TRUE(again.wait(20000));
    const QString balances = home.figure(StartupScreen::Balances)->text();
    const QString owing = home.figure(StartupScreen::Balances)->description();
    QTest::mouseClick(home.figure(StartupScreen::Balances), Qt::LeftButton);
    QWidget *payments = home.program.window().navigator().current();
    ASSERT_EQ(payments->objectName(), QStringLiteral("frmAuto"));
    auto *model = qobject_cast<PaymentModel *>(payments->findChild<QTableView *>(QStringLiteral("fgAutoPay"))->model());
    ASSERT_NE(model, nullptr);
    int open = 0;
    base::Money total;
    for (const PaymentRow &r : model->rows()) {
        open += !r.account.balance.total.isZero();
        total += r.account.balance.total;
    }
    EXPECT_EQ(balances, QStringLiteral("Open balances: ") + total.toCurrencyText(usLocale()));
    EXPECT_EQ(owing, QStringLiteral("%1 accounts with a balance").arg(open));
    EXPECT_TRUE(home.figure(StartupScreen::LastRun)->text().startsWith(QStringLiteral("Last billing run: 2/2/2026")))
        << home.figure(StartupScreen::LastRun)->text().toStdString();
}

TEST(HomePage, APaymentEnteredShowsWhenTheUserComesBack)
{
    TestFolder folder;
    Home home(folder);
    const QString before = home.figure(StartupScreen::PaymentsIn)->description();
    const int count = before.section(u' ', 0, 0).toInt();
    // A payment dated today, as the payment screen writes it.
    const QDate today = folder.clock.at.date();
    ASSERT_TRUE(ledger::writePayments(folder.store(),
                                      {{ledger::ledgerFile(QStringLiteral("1001")),
                                        ledger::makeEntry(QStringLiteral("1001"), QStringLiteral("Green Acres Inc"),
                                                          QStringLiteral("$10.00"), QStringLiteral("Payment Cash"), today,
                                                          usLocale())}},
                                      today, usLocale()));
    home.program.window().navigator().show(ScreenId::History, Routine::History);
    QSignalSpy shown(home.program.menu(), &StartupScreen::glanceShown);
    home.program.window().navigator().show(ScreenId::MainMenu);
    EXPECT_EQ(home.figure(StartupScreen::PaymentsIn)->text(), QStringLiteral("Payments this month: reading...")); // not waited for
    ASSERT_TRUE(shown.wait(20000));
    EXPECT_EQ(home.figure(StartupScreen::PaymentsIn)->description(),
              count + 1 == 1 ? QStringLiteral("1 payment entered") : QStringLiteral("%1 payments entered").arg(count + 1));
    EXPECT_EQ(home.figure(StartupScreen::PaymentsIn)->accessibleName(),
              home.figure(StartupScreen::PaymentsIn)->text());
}

TEST(HomePage, AboutSaysTheVersionTheDataFolderQtAndTheLicence)
{
    TestFolder folder;
    Home home(folder);
    home.program.menu()->findChild<QAction *>(QStringLiteral("mnuAbout"))->trigger();
    auto *about = home.program.menu()->findChild<QMessageBox *>(QStringLiteral("dlgAbout"));
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->isVisible()); // open, not blocking the window
    EXPECT_EQ(about->windowTitle(), QStringLiteral("About Brenvoy"));
    EXPECT_TRUE(about->text().contains(QStringLiteral("Version %1.%2.%3").arg(BRENVOY_VERSION_MAJOR).arg(BRENVOY_VERSION_MINOR).arg(BRENVOY_VERSION_PATCH)))
        << about->text().toStdString();
    EXPECT_TRUE(about->informativeText().contains(QDir::toNativeSeparators(folder.path())));
    EXPECT_TRUE(about->informativeText().contains(QStringLiteral("Qt ") + QString::fromLatin1(qVersion())));
    EXPECT_TRUE(about->informativeText().contains(QStringLiteral("GNU General Public License")));
    EXPECT_FALSE(about->iconPixmap().isNull()); // the program's own icon
    if (const QString shots = qEnvironmentVariable("BRENVOY_SCREENSHOTS"); !shots.isEmpty())
        about->grab().save(shots + QStringLiteral("/about.png"));
    about->close();
}
