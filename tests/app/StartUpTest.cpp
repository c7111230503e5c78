#include "customers/AuxData.h"
#include "customers/Records.h"
#include "app/StartUp.h"

#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <gtest/gtest.h>

using namespace customers;
using namespace app;



TEST(StartUp, FirstStartCreatesTheTreeInAnEmptyFolder)
{
    TestFolder folder;
    const FolderResult result = createFolders(folder.store(), QStringLiteral("Brenvoy"), 2026);
    ASSERT_TRUE(result.ok) << result.failedFolder.toStdString();
    for (const char *name : {"/2026", "/CompletedInvoices", "/Brenvoy", "/BVActiveAccounts", "/Backup",
                             "/Backup/Brenvoy", "/Backup/BVActiveAccounts", "/Backup/BVActiveAccountsBACK",
                             "/Backup/CompletedInvoices", "/Templates", "/AuxFiles"})
        EXPECT_TRUE(QDir(folder.path() + QString::fromLatin1(name)).exists()) << name;
    EXPECT_TRUE(QDir(folder.path() + QStringLiteral("/AuxFiles")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());

    // Another year adds its folder and keeps the old one.
    ASSERT_TRUE(createFolders(folder.store(), QStringLiteral("Brenvoy"), 2027).ok);
    EXPECT_TRUE(QDir(folder.path() + QStringLiteral("/2026")).exists());
    EXPECT_TRUE(QDir(folder.path() + QStringLiteral("/2027")).exists());
}

TEST(StartUp, EveryCustomerGetsSixDataBoxFolders)
{
    TestFolder folder;
    QByteArray customers;
    for (const char *acct : {"1001", "1002", "1003", "../evil", "", "A/B"})
        customers += customerRecordWithAcctNo(QString::fromLatin1(acct));
    folder.write(kCustomerFile, customers);
    folder.write(QStringLiteral("/auxfiles/1002/AUXFILE3/keep.txt"), "kept"); // other letter case
    ASSERT_TRUE(createFolders(folder.store(), QStringLiteral("Brenvoy"), 2026).ok);

    const QDir aux(folder.path() + QStringLiteral("/auxfiles"));
    EXPECT_EQ(aux.entryList(QDir::Dirs | QDir::NoDotAndDotDot),
              (QStringList{QStringLiteral("1001"), QStringLiteral("1002"), QStringLiteral("1003")}));
    for (const char *acct : {"1001", "1003"}) {
        EXPECT_EQ(QDir(aux.filePath(QString::fromLatin1(acct))).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
                  (QStringList{QStringLiteral("AuxFile0"), QStringLiteral("AuxFile1"), QStringLiteral("AuxFile2"),
                               QStringLiteral("AuxFile3"), QStringLiteral("AuxFile4"), QStringLiteral("AuxFile5")}))
            << acct;
    }
    // The existing folder of another case was used, not doubled, and not
    // looked into at the start: saving the account's boxes mends it.
    const QDir existing(aux.filePath(QStringLiteral("1002")));
    EXPECT_EQ(existing.entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 1);
    EXPECT_EQ(folder.read(QStringLiteral("/auxfiles/1002/AUXFILE3/keep.txt")), QByteArray("kept"));
    ASSERT_TRUE(customers::auxdata::saveBoxes(folder.store(), QStringLiteral("1002"), {}));
    EXPECT_EQ(existing.entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 6);
    // Nothing was made outside the program folder.
    EXPECT_FALSE(QFileInfo::exists(folder.path() + QStringLiteral("/../evil")));
    EXPECT_FALSE(QFileInfo::exists(folder.path() + QStringLiteral("/evil")));
}

TEST(StartUp, MakingNewAccountFoldersReportsProgressAndAStartWithThemAllDoesNot)
{
    TestFolder folder;
    QByteArray customers;
    for (int i = 0; i < 600; ++i)
        customers += customerRecordWithAcctNo(QString::number(5000 + i));
    folder.write(kCustomerFile, customers);
    std::vector<std::pair<int, int>> heard;
    auto listen = [&](int done, int total) { heard.emplace_back(done, total); };
    ASSERT_TRUE(createFolders(folder.store(), QStringLiteral("Brenvoy"), 2026, listen).ok);
    EXPECT_EQ(heard, (std::vector<std::pair<int, int>>{{256, 600}, {512, 600}}));
    EXPECT_TRUE(QDir(folder.path() + QStringLiteral("/AuxFiles/5599/AuxFile5")).exists());
    heard.clear();
    ASSERT_TRUE(createFolders(folder.store(), QStringLiteral("Brenvoy"), 2026, listen).ok);
    EXPECT_TRUE(heard.empty()); // nothing made, nothing to wait for
}

TEST(StartUp, CustomerFileRestoredFromBackupAndShortLastRecord)
{
    TestFolder folder;
    QByteArray customers = customerRecordWithAcctNo(QStringLiteral("7"));
    customers += customerRecordWithAcctNo(QStringLiteral("8")).left(200); // 1.6 records: counts as 2
    folder.write(QStringLiteral("/Backup/CustomerData.txt"), customers);
    ASSERT_TRUE(createFolders(folder.store(), QStringLiteral("Brenvoy"), 2026).ok);
    EXPECT_TRUE(folder.exists(kCustomerFile));
    EXPECT_TRUE(QDir(folder.path() + QStringLiteral("/AuxFiles/7/AuxFile5")).exists());
    EXPECT_TRUE(QDir(folder.path() + QStringLiteral("/AuxFiles/8/AuxFile5")).exists());
}

TEST(StartUp, AFolderThatCannotBeMadeIsNamed)
{
    TestFolder folder;
    folder.write(QStringLiteral("/Backup"), "a file where a folder belongs");
    const FolderResult result = createFolders(folder.store(), QStringLiteral("Brenvoy"), 2026);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.failedFolder, QStringLiteral("/Backup"));
    // It stopped there: nothing after it was made.
    EXPECT_FALSE(QDir(folder.path() + QStringLiteral("/Templates")).exists());
    const QString text = folderFailedText(result.failedFolder, folder.path());
    EXPECT_TRUE(text.contains(QStringLiteral("/Backup"))) << text.toStdString();
}

TEST(StartUp, OneRunningCopyAndAStaleLockIsTakenOver)
{
    TestFolder folder;
    {
        InstanceLock first(folder.path());
        ASSERT_TRUE(first.acquire());
        InstanceLock second(folder.path());
        EXPECT_FALSE(second.acquire());
        first.release();
        EXPECT_TRUE(second.acquire());
    }
    // A copy that held the lock and was killed leaves its lock file behind;
    // it must not lock the user out.
    QProcess child;
    child.start(QCoreApplication::applicationDirPath() + QStringLiteral("/brenvoy_save_loop"),
                {QStringLiteral("lock"), folder.path()});
    ASSERT_TRUE(child.waitForReadyRead(20000));
    EXPECT_EQ(child.readAll().trimmed(), QByteArray("locked"));
    InstanceLock mine(folder.path());
    EXPECT_FALSE(mine.acquire()); // held by a live process
    child.kill();
    child.waitForFinished(10000);
    EXPECT_TRUE(folder.exists(QStringLiteral("/Brenvoy.lock")));
    EXPECT_TRUE(mine.acquire());
    EXPECT_EQ(alreadyRunningText(QStringLiteral("Brenvoy")),
              QStringLiteral("Brenvoy is already Running!\nLook for it on the Task Bar"));
}

TEST(StartUp, DataFolderFallsBackWhenTheProgramFolderIsReadOnly)
{
    TestFolder writable;
    EXPECT_EQ(chooseDataFolder(writable.path(), QStringLiteral("/unused")).path, writable.path());
    EXPECT_TRUE(chooseDataFolder(writable.path(), QStringLiteral("/unused")).note.isEmpty());
    // No one, root included, can make a file in /proc.
    TestFolder perUser;
    const DataFolder chosen = chooseDataFolder(QStringLiteral("/proc"), perUser.path() + QStringLiteral("/data"));
    EXPECT_EQ(chosen.path, perUser.path() + QStringLiteral("/data"));
    EXPECT_TRUE(QDir(chosen.path).exists());
    EXPECT_TRUE(chosen.note.contains(chosen.path)) << chosen.note.toStdString();
    // An installed copy keeps the data per user even where it could write
    // beside itself (root and /usr/bin).
    const DataFolder installed = chooseDataFolder(writable.path(), perUser.path() + QStringLiteral("/mine"), true);
    EXPECT_EQ(installed.path, perUser.path() + QStringLiteral("/mine"));
    EXPECT_TRUE(QDir(installed.path).exists());
    EXPECT_TRUE(QDir(writable.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());

    // The shipped state list follows the data to its folder, once.
    TestFolder shipped, data;
    shipped.write(QStringLiteral("/StatesList.txt"), "\"AL\"\r\n");
    installShippedFiles(shipped.path(), data.store());
    EXPECT_EQ(data.read(QStringLiteral("/StatesList.txt")), QByteArray("\"AL\"\r\n"));
    data.write(QStringLiteral("/StatesList.txt"), "mine");
    installShippedFiles(shipped.path(), data.store());
    EXPECT_EQ(data.read(QStringLiteral("/StatesList.txt")), QByteArray("mine"));
}

TEST(StartUp, ShippedFilesAreFoundBesideTheProgramOrWhereItIsInstalled)
{
    TestFolder folder;
    // A build: the files beside the executable.
    folder.write(QStringLiteral("/build/bin/StatesList.txt"), "IL\r\n");
    EXPECT_EQ(shippedFolderFor(folder.path() + QStringLiteral("/build/bin")), folder.path() + QStringLiteral("/build/bin"));
    // Installed: bin/ beside share/brenvoy.
    QDir().mkpath(folder.path() + QStringLiteral("/usr/bin"));
    folder.write(QStringLiteral("/usr/share/brenvoy/StatesList.txt"), "IL\r\n");
    EXPECT_EQ(shippedFolderFor(folder.path() + QStringLiteral("/usr/bin")), folder.path() + QStringLiteral("/usr/share/brenvoy"));
    // Neither: the executable's folder, as before.
    EXPECT_EQ(shippedFolderFor(folder.path() + QStringLiteral("/elsewhere")), folder.path() + QStringLiteral("/elsewhere"));
}

TEST(StartUp, TheExitBackupCopiesExactlyTheBusinessFilesPresent)
{
    TestFolder folder;
    folder.write(QStringLiteral("/CustomerData.txt"), "customers");
    folder.write(QStringLiteral("/Services.txt"), "services");
    folder.write(QStringLiteral("/ContractInfo.txt"), "not backed up");
    folder.write(QStringLiteral("/Backup/Services.txt"), "stale");
    backupBusinessFiles(folder.store());
    EXPECT_EQ(QDir(folder.path() + QStringLiteral("/Backup")).entryList(QDir::Files),
              (QStringList{QStringLiteral("CustomerData.txt"), QStringLiteral("Services.txt")}));
    EXPECT_EQ(folder.read(QStringLiteral("/Backup/Services.txt")), QByteArray("services"));
}

// What the start says of work a crash left: a payment batch it completed
// (as a real marker left by a prepared change), a damaged note kept, a
// change it could not complete; nothing when there was none.
TEST(StartUp, TheStartSaysWhatItFinishedOfInterruptedWork)
{
    TestFolder folder;
    folder.write(QStringLiteral("/A.txt"), "old");
    {
        store::Transaction tx(folder.store(), QStringLiteral("a batch of payments"));
        tx.replace(QStringLiteral("/A.txt"), "new");
        ASSERT_TRUE(tx.prepare());
        const QByteArray marker = folder.read(store::kTransactionMarker);
        const QByteArray staged = folder.read(store::kTransactionFolder + QStringLiteral("/0.new"));
        tx.abandon();
        folder.write(store::kTransactionMarker, marker); // as a kill after the marker leaves it
        folder.write(store::kTransactionFolder + QStringLiteral("/0.new"), staged);
    }
    EXPECT_EQ(app::finishedWorkText(store::finishInterruptedWork(folder.store())),
              QStringLiteral("When the program stopped, a batch of payments was not finished. It has been completed now."));
    EXPECT_EQ(folder.read(QStringLiteral("/A.txt")), QByteArray("new"));
    EXPECT_EQ(app::finishedWorkText(store::finishInterruptedWork(folder.store())), QString());
    folder.write(store::kTransactionMarker, "damaged");
    EXPECT_EQ(app::finishedWorkText(store::finishInterruptedWork(folder.store())),
              QStringLiteral("A note of unfinished work was damaged and could not be used; nothing was written from it. "
                             "It has been kept as Transaction.damaged for you to look at."));
    store::FinishedWork failed;
    failed.result = store::FileResult::failure(QStringLiteral("Input/output error"));
    EXPECT_TRUE(app::finishedWorkText(failed).startsWith(
        QStringLiteral("Work that was unfinished when the program stopped could not be completed (Input/output error).")));
}
