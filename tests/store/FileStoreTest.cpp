#include "store/FileStore.h"

#include "support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace store;

TEST(FileStore, NamesResolveWithEitherSeparatorAndAnyCase)
{
    TestFolder folder;
    FileStore &store = folder.store();
    folder.write(QStringLiteral("/Services.txt"), "abc");
    folder.write(QStringLiteral("/AuxFiles/1001/AuxFile0/Data.txt"), "x");
    EXPECT_EQ(store.path(QStringLiteral("\\Services.txt")), store.path(QStringLiteral("/Services.txt")));
    EXPECT_EQ(store.path(QStringLiteral("/SERVICES.TXT")), folder.path() + QStringLiteral("/Services.txt"));
    EXPECT_EQ(store.path(QStringLiteral("\\Auxfiles\\1001\\auxfile0\\DATA.txt")),
              folder.path() + QStringLiteral("/AuxFiles/1001/AuxFile0/Data.txt"));
    // A new entry keeps the case given, under an existing folder of any case.
    EXPECT_EQ(store.path(QStringLiteral("/auxfiles/2002/New.txt")), folder.path() + QStringLiteral("/AuxFiles/2002/New.txt"));
    EXPECT_TRUE(store.dataFileExists(QStringLiteral("\\services.TXT")));

    // Nothing outside the program folder can be named.
    for (const char *name : {"/../escape.txt", "/AuxFiles/../../x", "/./Services.txt", "\\..\\x"}) {
        EXPECT_TRUE(store.path(QString::fromLatin1(name)).isEmpty()) << name;
        EXPECT_FALSE(store.replaceFile(QString::fromLatin1(name), "x")) << name;
    }
    EXPECT_FALSE(QFile::exists(folder.path() + QStringLiteral("/../escape.txt")));
}

TEST(FileStore, SafeNameComponents)
{
    for (const char *ok : {"1001", "A-17 Smith", "555-123-4567", "Ünïcode", "A%2"})
        EXPECT_TRUE(FileStore::isSafeNameComponent(QString::fromUtf8(ok))) << ok;
    // Outside Latin-1: a record would keep "?1", so it names no file for good.
    for (const char *bad : {"Ω1", "€5"})
        EXPECT_FALSE(FileStore::isSafeNameComponent(QString::fromUtf8(bad))) << bad;
    for (const char *bad : {"", ".", "..", "../x", "a/b", "a\\b", "c:", "a*", "a?", "a\"b", "<a", "a>", "a|b",
                            " lead", "trail ", "tab\t"})
        EXPECT_FALSE(FileStore::isSafeNameComponent(QString::fromLatin1(bad))) << bad;
}

TEST(FileStore, DataFileExistsRestoresSilentlyFromBackup)
{
    TestFolder folder;
    folder.write(QStringLiteral("/Backup/CycleInfo.txt"), "cycle-backup");
    EXPECT_TRUE(folder.store().dataFileExists(QStringLiteral("/CycleInfo.txt")));
    EXPECT_EQ(folder.read(QStringLiteral("/CycleInfo.txt")), QByteArray("cycle-backup"));
    EXPECT_TRUE(folder.exists(QStringLiteral("/Backup/CycleInfo.txt")));
    EXPECT_TRUE(folder.prompt.entries.isEmpty());

    EXPECT_FALSE(folder.store().dataFileExists(QStringLiteral("/Missing.txt")));
    // A folder of the name is not a file.
    QDir(folder.path()).mkdir(QStringLiteral("Services.txt"));
    EXPECT_FALSE(folder.store().dataFileExists(QStringLiteral("/Services.txt")));
}

TEST(FileStore, RecordCountRoundsHalfToEvenAndCaps)
{
    TestFolder folder;
    struct Case {
        int bytes;
        int length;
        int count;
    };
    const Case cases[] = {{656, 328, 2}, {500, 328, 2}, {492, 328, 2}, {164, 328, 0}, {0, 328, 0},
                          {155 * 3, 155, 3}, {69 * 40000, 69, 32767}, {820, 328, 2}, {821, 328, 3}};
    for (const Case &c : cases) {
        folder.write(QStringLiteral("/CustomerData.txt"), QByteArray(c.bytes, ' '));
        EXPECT_EQ(folder.store().recordCount(QStringLiteral("/CustomerData.txt"), c.length), c.count)
            << c.bytes << "/" << c.length;
    }
    EXPECT_EQ(folder.store().recordCount(QStringLiteral("/Nothing.txt"), 328), 0);
}

TEST(FileStore, RecordsReadByNumber)
{
    TestFolder folder;
    FileStore &store = folder.store();
    const QString name = QStringLiteral("/TaxRecords.txt");
    folder.write(name, QByteArray("CCCCBB\0\0", 8));
    EXPECT_EQ(store.readRecord(name, 4, 1), QByteArray("CCCC"));
    EXPECT_EQ(store.readRecord(name, 4, 2), QByteArray("BB\0\0", 4));
    EXPECT_TRUE(store.readRecord(name, 4, 3).isEmpty());
    // A file cut inside its last record gives that record short.
    folder.write(name, "CCCCBB");
    EXPECT_EQ(store.readRecord(name, 4, 2), QByteArray("BB"));
}

TEST(FileStore, SavingReplacesAndDropsTheBackupCopy)
{
    TestFolder folder;
    FileStore &store = folder.store();
    folder.write(QStringLiteral("/TaxSettings.txt"), "old");
    folder.write(QStringLiteral("/Backup/TaxSettings.txt"), "old");
    ASSERT_TRUE(store.saveDataFile(QStringLiteral("/TaxSettings.txt"), "new"));
    EXPECT_EQ(folder.read(QStringLiteral("/TaxSettings.txt")), QByteArray("new"));
    EXPECT_FALSE(folder.exists(QStringLiteral("/Backup/TaxSettings.txt")));
    // No temporary file is left behind.
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("TaxSettings.txt")});

    // A failed save leaves the old file and says so.
    QDir(folder.path()).mkdir(QStringLiteral("Blocked.txt"));
    const FileResult blocked = store.saveDataFile(QStringLiteral("/Blocked.txt"), "x");
    EXPECT_FALSE(blocked.ok);
    EXPECT_FALSE(blocked.error.isEmpty());
    const FileResult noFolder = store.saveDataFile(QStringLiteral("/NoSuchFolder/x.txt"), "x");
    EXPECT_FALSE(noFolder.ok);
}

TEST(FileStore, DeleteRenameAndFolders)
{
    TestFolder folder;
    FileStore &store = folder.store();
    folder.write(QStringLiteral("/Services.txt"), "s");
    folder.write(QStringLiteral("/Backup/Services.txt"), "s");
    store.deleteDataFile(QStringLiteral("\\services.txt"));
    EXPECT_FALSE(folder.exists(QStringLiteral("/Services.txt")));
    EXPECT_FALSE(folder.exists(QStringLiteral("/Backup/Services.txt")));
    store.deleteDataFile(QStringLiteral("/Services.txt")); // missing: nothing happens
    store.killIfExists(QStringLiteral("/Backup"));           // a folder is not killed
    EXPECT_TRUE(QDir(folder.path() + QStringLiteral("/Backup")).exists());

    folder.write(QStringLiteral("/AccountsTemp.txt"), "new");
    folder.write(QStringLiteral("/CAHistory.txt"), "old");
    ASSERT_TRUE(store.renameDataFile(QStringLiteral("/AccountsTemp.txt"), QStringLiteral("/CAHistory.txt")));
    EXPECT_EQ(folder.read(QStringLiteral("/CAHistory.txt")), QByteArray("new"));
    EXPECT_FALSE(folder.exists(QStringLiteral("/AccountsTemp.txt")));
    EXPECT_FALSE(store.renameDataFile(QStringLiteral("/Gone.txt"), QStringLiteral("/X.txt")));

    EXPECT_TRUE(store.makeFolder(QStringLiteral("/Templates")));
    EXPECT_TRUE(store.makeFolder(QStringLiteral("/templates"))); // already there, any case
    EXPECT_FALSE(store.makeFolder(QStringLiteral("/CAHistory.txt"))); // a file of that name
    EXPECT_FALSE(store.makeFolder(QStringLiteral("/A/B")));          // one level only

    // The executable "brenvoy" sits beside the data folder "Brenvoy".
    folder.write(QStringLiteral("/brenvoy"), "program");
    EXPECT_TRUE(store.makeFolder(QStringLiteral("/Brenvoy")));
    EXPECT_TRUE(QFileInfo(folder.path() + QStringLiteral("/Brenvoy")).isDir());
    EXPECT_EQ(store.path(QStringLiteral("/brenvoy/x.txt")), folder.path() + QStringLiteral("/Brenvoy/x.txt"));
    EXPECT_EQ(folder.read(QStringLiteral("/brenvoy")), QByteArray("program"));
}

// The listing kept for looking up other letter cases follows the folder:
// a file made behind the store's back is found, and so is one it made.
TEST(FileStore, AnotherLetterCaseIsFoundAfterTheFolderChanges)
{
    TestFolder folder;
    const FileStore &store = folder.store();
    EXPECT_FALSE(store.fileExists(QStringLiteral("/Notes.txt"))); // lists the folder
    folder.write(QStringLiteral("/NOTES.TXT"), "outside");
    EXPECT_TRUE(store.fileExists(QStringLiteral("/notes.txt")));
    EXPECT_EQ(store.readFile(QStringLiteral("/Notes.txt")).value_or(QByteArray()), QByteArray("outside"));
    ASSERT_TRUE(store.replaceFile(QStringLiteral("/Ledger7.txt"), "mine"));
    EXPECT_EQ(store.path(QStringLiteral("/LEDGER7.TXT")), folder.path() + QStringLiteral("/Ledger7.txt"));
    store.killIfExists(QStringLiteral("/ledger7.TXT"));
    EXPECT_FALSE(store.fileExists(QStringLiteral("/Ledger7.txt")));
}
