// The data-folder check as a user meets it: the findings of a folder
// damaged by hand listed, one chosen with the arrow keys and mended after
// the question that says what the mend does, the rest mended at once, the
// list printed and saved; and the program's start offering the check when
// it finds something.
#include "app/Program.h"
#include "billing/BillingRun.h"
#include "customers/AuxData.h"
#include "customers/Records.h"
#include "ledger/Ledger.h"
#include "sample/SampleBusiness.h"
#include "support/PdfPrinters.h"
#include "support/ScreenHost.h"
#include "ui/exchange/DataCheckScreen.h"
#include "ui/start/SplashScreen.h"
#include "ui/start/StartupScreen.h"

#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>

using namespace ui;

namespace {

QByteArray sampleTemplate()
{
    QFile rtf(QCoreApplication::applicationDirPath() + QStringLiteral("/Templates/Contracts/GenericContract.rtf"));
    EXPECT_TRUE(rtf.open(QIODevice::ReadOnly));
    return rtf.readAll();
}

// The sample business with every account's folders, as after a start.
void sampleFolder(TestFolder &f)
{
    ASSERT_TRUE(sample::makeSampleBusiness(f.store(), f.clock.at.date(), sampleTemplate()).result.ok);
    QStringList accounts;
    const QByteArray customers = f.read(customers::kCustomerFile);
    for (qsizetype at = 0; at < customers.size(); at += customers::CustomerRecord::kLength)
        accounts << QString::fromLatin1(customers.mid(at, 20)).trimmed();
    ASSERT_TRUE(customers::auxdata::makeAccountFolders(f.store(), accounts).isEmpty());
}

QString firstLedger(TestFolder &f)
{
    const QStringList names = QDir(f.path() + ledger::kActiveAccountsFolder).entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
    return names.isEmpty() ? QString() : ledger::kActiveAccountsFolder + u'/' + names.first();
}

} // namespace

TEST(DataCheckScreen, AFolderDamagedByHandIsListedMendedPrintedAndSaved)
{
    ScreenHost<DataCheckScreen> h;
    sampleFolder(h.folder);
    PdfPrinters printers;
    QTemporaryDir dir;
    const QString listFile = dir.filePath(QStringLiteral("check.csv"));
    h.screen = new DataCheckScreen(h.folder.context(), *h.navigator, printers.chooser(),
                                   [&](QWidget *, const QString &) { return listFile; });
    h.navigator->add(DataCheckScreen::kId, h.screen);
    QSignalSpy checked(h.screen, &DataCheckScreen::checked);
    h.open();
    ASSERT_TRUE(checked.wait(20000));
    auto *summary = h.child<QLabel>("lblCheckSummary");
    EXPECT_EQ(summary->text(), QStringLiteral("The data folder checks clean: every file is whole and in step."));
    EXPECT_FALSE(h.child<QPushButton>("cmdMendAll")->isEnabled());

    // Damage by hand: a torn tail, a ledger without its backup, a folder gone.
    h.folder.write(customers::kCycleFile, h.folder.read(customers::kCycleFile) + "xx");
    const QString ledgerName = firstLedger(h.folder);
    ASSERT_FALSE(ledgerName.isEmpty());
    ASSERT_TRUE(QFile::remove(h.folder.path() + ledger::backupFile(ledgerName)));
    const QString firstAcct = QString::fromLatin1(h.folder.read(customers::kCustomerFile).left(20)).trimmed();
    ASSERT_TRUE(QDir(h.folder.path() + QStringLiteral("/AuxFiles/") + firstAcct).removeRecursively());
    h.folder.write(QStringLiteral("/AuxFiles/Gone7/AuxFile0/Data.txt"), "kept\r\n");
    QTest::mouseClick(h.child<QPushButton>("cmdCheck"), Qt::LeftButton);
    ASSERT_TRUE(checked.wait(20000));
    EXPECT_EQ(summary->text(), QStringLiteral("The check found 4 problems; 3 can be mended safely."));
    auto *grid = h.child<QTableView>("grdFindings");
    QStringList listed;
    for (int r = 0; r < grid->model()->rowCount(); ++r)
        listed << grid->model()->index(r, 1).data().toString() + u'|' + grid->model()->index(r, 2).data().toString();
    EXPECT_EQ(listed, (QStringList{QStringLiteral("CycleInfo.txt|Yes"), ledgerName.mid(1) + QStringLiteral("|Yes"),
                                   QStringLiteral("AuxFiles|Yes"), QStringLiteral("AuxFiles|None")}));

    // The last finding (a removed account's folder) has no mend; the arrow
    // keys choose the ledger's, whose mend is asked with its words and made.
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_End, Qt::ControlModifier);
    EXPECT_FALSE(h.child<QPushButton>("cmdMend")->isEnabled());
    QTest::keyClick(grid, Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClick(grid, Qt::Key_Down);
    ASSERT_TRUE(h.child<QPushButton>("cmdMend")->isEnabled());
    h.folder.prompt.answer(true);
    QTest::mouseClick(h.child<QPushButton>("cmdMend"), Qt::LeftButton);
    ASSERT_GE(h.folder.prompt.entries.size(), 2);
    const QString asked = h.folder.prompt.entries[h.folder.prompt.entries.size() - 2].text;
    EXPECT_TRUE(asked.contains(QStringLiteral("has no backup copy"))) << asked.toStdString();
    EXPECT_TRUE(asked.contains(QStringLiteral("The mend: Copy the ledger to Backup/"))) << asked.toStdString();
    EXPECT_EQ(h.folder.read(ledger::backupFile(ledgerName)), h.folder.read(ledgerName));
    ASSERT_TRUE(checked.wait(20000));
    EXPECT_EQ(summary->text(), QStringLiteral("The check found 3 problems; 2 can be mended safely."));

    // The list printed (every finding with its mend) and saved.
    QTest::mouseClick(h.child<QPushButton>("cmdPrint"), Qt::LeftButton);
    ASSERT_EQ(printers.files.size(), 1);
    const QString printed = PdfPrinters::textOf(printers.files.last());
    EXPECT_TRUE(printed.contains(QStringLiteral("Check Data Folder")));
    EXPECT_TRUE(printed.contains(QStringLiteral("Mend: Keep its")));
    EXPECT_TRUE(printed.contains(QStringLiteral("Gone7")));
    QTest::mouseClick(h.child<QPushButton>("cmdSaveList"), Qt::LeftButton);
    QFile saved(listFile);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll().count("\r\n"), 4);

    // The rest of the safe mends at once: the torn tail cut, the folders made.
    h.folder.prompt.answer(true);
    QTest::mouseClick(h.child<QPushButton>("cmdMendAll"), Qt::LeftButton);
    EXPECT_EQ(h.said().text, QStringLiteral("2 mends were made."));
    ASSERT_TRUE(checked.wait(20000));
    EXPECT_EQ(h.folder.read(customers::kCycleFile).size() % customers::CycleRecord::kLength, 0);
    EXPECT_TRUE(QDir(h.folder.path() + QStringLiteral("/AuxFiles/") + firstAcct + QStringLiteral("/AuxFile0")).exists());
    EXPECT_EQ(summary->text(), QStringLiteral("The check found 1 problem; 0 can be mended safely."));
    EXPECT_FALSE(h.child<QPushButton>("cmdMend")->isEnabled());
}

// The start checks the folder behind the main menu and, finding a torn
// file, offers the check; the screen opened from it lists the same.
TEST(DataCheckScreen, TheStartOffersTheCheckWhenItFindsSomething)
{
    TestFolder folder;
    sampleFolder(folder);
    folder.write(billing::kTaxRecordsFile, folder.read(billing::kTaxRecordsFile) + "torn");
    app::Program program(folder.context());
    app::InstanceLock lock(folder.path());
    ASSERT_EQ(program.start(lock), app::Program::Outcome::Running);
    program.window().show();
    QTest::mouseClick(program.splash()->findChild<QPushButton *>(QStringLiteral("cmdContinue")), Qt::LeftButton);
    auto *notice = program.menu()->findChild<QGroupBox *>(QStringLiteral("fraDataCheck"));
    ASSERT_NE(notice, nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return notice->isVisible(); }, 20000));
    EXPECT_TRUE(program.menu()->findChild<QLabel *>(QStringLiteral("lblDataCheck"))->text().contains(
        QStringLiteral("The check found 1 problem; 1 can be mended safely.")));
    // Opened from the keyboard by the notice's accelerator.
    program.window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&program.window()));
    QTest::keyClick(program.menu(), Qt::Key_D, Qt::AltModifier);
    DataCheckScreen *screen = nullptr;
    ASSERT_TRUE(QTest::qWaitFor([&] { return (screen = qobject_cast<DataCheckScreen *>(program.window().navigator().current())); }, 5000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !screen->checking() && !screen->findings().empty(); }, 20000));
    EXPECT_TRUE(screen->findings().front().problem.startsWith(QStringLiteral("TaxRecords.txt ends with 4 bytes")));
    EXPECT_FALSE(notice->isVisible());
}
