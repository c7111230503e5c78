// Backups as a user meets them: one made now and listed, checked, the data
// changed and the backup restored (the program asked to start again, the
// folder as it was, the state before kept in the list); a folder for
// backups that cannot be written said; and the end of the program
// archiving the folder, or saying why it could not and ending all the same.
#include "backup/Archive.h"
#include "billing/PrintedRun.h"
#include "support/BusinessFolder.h"
#include "support/ScreenHost.h"
#include "support/StartedProgram.h"
#include "ui/backup/BackupScreen.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>

using namespace ui;

namespace {

QStringList column(QTableView *grid, int c)
{
    QStringList out;
    for (int r = 0; r < grid->model()->rowCount(); ++r)
        out << grid->model()->index(r, c).data().toString();
    return out;
}

} // namespace

TEST(BackupScreen, ABackupMadeCheckedAndRestoredStartsTheProgramAgainOnYesterdaysData)
{
    ScreenHost<BackupScreen> h;
    fillBusiness(h.folder);
    h.folder.write(billing::kInvoiceCounterFile, "\"339\"\r\n");
    int restarts = 0;
    h.screen = new BackupScreen(h.folder.context(), *h.navigator, [&] { ++restarts; });
    h.navigator->add(BackupScreen::kId, h.screen);
    h.open();
    auto *summary = h.child<QLabel>("lblBackupSummary");
    EXPECT_TRUE(summary->text().startsWith(QStringLiteral("No backups yet in "))) << summary->text().toStdString();
    EXPECT_TRUE(sharedAccessibleNames(h.screen).isEmpty()) << sharedAccessibleNames(h.screen).join(u',').toStdString();

    QTest::mouseClick(h.child<QPushButton>("cmdBackUpNow"), Qt::LeftButton);
    EXPECT_TRUE(h.said().text.startsWith(QStringLiteral("The backup Brenvoy-2026-03-14-093000.zip was made and checked: ")))
        << h.said().text.toStdString();
    auto *grid = h.child<QTableView>("grdArchives");
    ASSERT_EQ(grid->model()->rowCount(), 1);
    EXPECT_EQ(column(grid, 4), QStringList{QStringLiteral("Not yet")});
    QTest::mouseClick(h.child<QPushButton>("cmdCheckArchive"), Qt::LeftButton);
    EXPECT_TRUE(h.said().text.startsWith(QStringLiteral("The backup reads back whole: "))) << h.said().text.toStdString();
    EXPECT_EQ(column(grid, 4), QStringList{QStringLiteral("Yes")});

    // A day's work, then the backup restored.
    h.folder.clock.at = h.folder.clock.at.addDays(1);
    h.folder.write(billing::kInvoiceCounterFile, "\"352\"\r\n");
    h.folder.prompt.answer(true);
    QTest::mouseClick(h.child<QPushButton>("cmdRestore"), Qt::LeftButton);
    EXPECT_EQ(restarts, 1);
    EXPECT_TRUE(h.said().text.startsWith(QStringLiteral("The data folder is now as it was 3/14/2026 9:30"))) << h.said().text.toStdString();
    EXPECT_EQ(h.folder.read(billing::kInvoiceCounterFile), QByteArray("\"339\"\r\n"));
    h.navigator->show(ScreenId::MainMenu);
    h.navigator->show(BackupScreen::kId);
    ASSERT_EQ(grid->model()->rowCount(), 2);
    EXPECT_TRUE(column(grid, 0).first().endsWith(QStringLiteral("(before a restore)")));

    // The stick pulled out: the folder named cannot be written.
    QTemporaryDir dir;
    QFile notAFolder(dir.filePath(QStringLiteral("stick")));
    ASSERT_TRUE(notAFolder.open(QIODevice::WriteOnly));
    notAFolder.close();
    h.child<QLineEdit>("txtBackupFolder")->setText(dir.filePath(QStringLiteral("stick/Backups")));
    QTest::mouseClick(h.child<QPushButton>("cmdSaveBackupSettings"), Qt::LeftButton);
    QTest::mouseClick(h.child<QPushButton>("cmdBackUpNow"), Qt::LeftButton);
    EXPECT_TRUE(h.said().text.startsWith(QStringLiteral("The backup could not be made: the folder "))) << h.said().text.toStdString();
    EXPECT_TRUE(h.said().text.endsWith(QStringLiteral("no backup was counted.")));
}

// The end of the program archives the folder; with the backup folder gone
// it says so and still ends.
TEST(BackupScreen, TheEndOfTheProgramArchivesTheFolderOrSaysWhyNot)
{
    for (const bool stickPulled : {false, true}) {
        TestFolder folder;
        fillBusiness(folder);
        QTemporaryDir dir;
        if (stickPulled) {
            QFile notAFolder(dir.filePath(QStringLiteral("stick")));
            ASSERT_TRUE(notAFolder.open(QIODevice::WriteOnly));
            notAFolder.close();
            ASSERT_TRUE(backup::saveSettings(folder.store(), {dir.filePath(QStringLiteral("stick/Backups")), 10}));
        }
        {
            StartedProgram p(folder);
            ASSERT_TRUE(p.start());
            p.toMenu();
            p.window().close();
        }
        const std::vector<backup::ArchiveInfo> made = backup::listArchives(folder.path() + backup::kBackupsFolder);
        if (stickPulled) {
            EXPECT_TRUE(made.empty());
            EXPECT_TRUE(folder.prompt.texts().join(u'\n').contains(QStringLiteral("The backup could not be made")));
        } else {
            ASSERT_EQ(made.size(), 1u);
            EXPECT_TRUE(backup::checkArchive(made[0].path, backup::currentVersion()).ok());
        }
    }
}
