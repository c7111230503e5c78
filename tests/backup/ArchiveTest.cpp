// Backups of the whole data folder: an archive restored into an empty
// folder gives every file's bytes back; a damaged archive (a changed byte,
// a cut file, a later version) is refused and changes nothing;
// generations roll over keeping the newest; a missing or read-only backup
// folder is said; a restore killed part way leaves one whole folder.
#include "backup/Archive.h"
#include "billing/PrintedRun.h"
#include "billing/RunFixture.h"

#include "support/ChangeHarness.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace backup;

namespace {

const QDateTime kMonday(QDate(2026, 12, 7), QTime(17, 30, 5));

// Every file under a folder by relative path, the archives and the lock
// left out.
QMap<QString, QByteArray> filesUnder(const QString &root)
{
    QMap<QString, QByteArray> out;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString full = it.next();
        const QString rel = full.mid(root.size() + 1);
        if (rel.startsWith(QLatin1String("Backups/")) || rel == QLatin1String("Brenvoy.lock"))
            continue;
        QFile f(full);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << rel.toStdString();
        out.insert(rel, f.readAll());
    }
    return out;
}

// A business folder of several kinds of file, nested folders and an empty one.
void fill(TestFolder &f)
{
    QByteArray customers;
    for (int i = 0; i < 40; ++i)
        customers += QByteArray(328, char('A' + i % 26));
    f.write(QStringLiteral("/CustomerData.txt"), customers);
    f.write(QStringLiteral("/BVActiveAccounts/1001.txt"), QByteArray(155 * 3, 'x'));
    f.write(QStringLiteral("/Backup/BVActiveAccounts/1001.txt"), QByteArray(155 * 3, 'x'));
    f.write(QStringLiteral("/AuxFiles/1001/AuxFile0/Data.txt"), "Gate code 4411\r\n");
    f.write(QStringLiteral("/CompletedInvoices/339-1.txt"), QByteArray("caf\xe9 \x00\x01\x02", 8));
    f.write(billing::kInvoiceCounterFile, "\"339\"\r\n");
    ASSERT_TRUE(QDir().mkpath(f.path() + QStringLiteral("/AuxFiles/1001/AuxFile5")));
}

} // namespace

TEST(Backup, AnArchiveRestoredIntoAnEmptyFolderGivesEveryByteBack)
{
    TestFolder source;
    fill(source);
    QTemporaryDir archives;
    const Made made = makeBackup(source.store(), archives.path(), kMonday, currentVersion(), 10);
    ASSERT_TRUE(made.ok()) << made.error.toStdString();
    EXPECT_EQ(made.files, 6);
    EXPECT_EQ(QFileInfo(made.archive).fileName(), QStringLiteral("Brenvoy-2026-12-07-173005.zip"));
    const std::vector<ArchiveInfo> listed = listArchives(archives.path());
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].customers, 40);
    EXPECT_EQ(listed[0].ledgers, 1);
    EXPECT_EQ(listed[0].made, kMonday);

    TestFolder target; // an empty data folder
    const Restored r = restoreArchive(target.store(), made.archive, archives.path(), kMonday.addSecs(60), currentVersion());
    ASSERT_TRUE(r.ok()) << r.error.toStdString();
    EXPECT_EQ(filesUnder(target.path()), filesUnder(source.path()));
    EXPECT_TRUE(QDir(target.path() + QStringLiteral("/AuxFiles/1001/AuxFile5")).exists()); // the empty folder too
    EXPECT_TRUE(QFileInfo::exists(r.before));                                            // the state before, kept
    EXPECT_FALSE(QFileInfo::exists(target.path() + QStringLiteral(".restore-swap")));
    EXPECT_FALSE(QFileInfo::exists(target.path() + QStringLiteral(".restore-old")));
}

// A changed byte, a cut file, a manifest of a later version: each refused
// by the check, and a restore from it changes nothing.
TEST(Backup, ADamagedArchiveIsRefusedAndChangesNothing)
{
    TestFolder source;
    fill(source);
    // A picture's bytes do not compress: they stand in the archive as they are.
    QByteArray picture;
    QRandomGenerator noise(77);
    for (int i = 0; i < 4096; ++i)
        picture += char(noise.bounded(256));
    source.write(QStringLiteral("/Logo.bmp"), picture);
    QTemporaryDir archives;
    const Made made = makeBackup(source.store(), archives.path(), kMonday, currentVersion(), 10);
    ASSERT_TRUE(made.ok());
    QFile f(made.archive);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray whole = f.readAll();
    f.close();
    QByteArray changed = whole;
    const qsizetype at = whole.indexOf(picture.mid(2000, 32));
    ASSERT_GE(at, 0);
    changed[at + 5] = char(changed[at + 5] ^ 0x20);
    struct Case {
        const char *what;
        QByteArray bytes;
        QString version;
    } cases[] = {{"a changed byte", changed, currentVersion()},
                 {"a cut file", whole.left(whole.size() * 2 / 3), currentVersion()},
                 {"a later version's archive", whole, QStringLiteral("0.9.0")}};
    for (const Case &c : cases) {
        QTemporaryDir bad;
        const QString path = bad.filePath(QStringLiteral("Brenvoy-2026-12-07-000000.zip"));
        QFile out(path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly) && out.write(c.bytes) == c.bytes.size());
        out.close();
        const Checked checked = checkArchive(path, c.version);
        EXPECT_FALSE(checked.ok()) << c.what;
        TestFolder target;
        fill(target);
        target.write(billing::kInvoiceCounterFile, "\"400\"\r\n");
        const QMap<QString, QByteArray> before = filesUnder(target.path());
        const Restored r = restoreArchive(target.store(), path, bad.path(), kMonday, c.version);
        EXPECT_FALSE(r.ok()) << c.what;
        EXPECT_TRUE(r.error.endsWith(QStringLiteral("Nothing was changed."))) << r.error.toStdString();
        EXPECT_EQ(filesUnder(target.path()), before) << c.what;
    }
    EXPECT_TRUE(checkArchive(made.archive, currentVersion()).ok());

    // A whole archive that cannot be unpacked beside the folder (no room
    // there, here a file in the way): nothing changed, no swap begun.
    TestFolder target;
    fill(target);
    const QMap<QString, QByteArray> before = filesUnder(target.path());
    QFile inTheWay(target.path() + QStringLiteral(".restore-new"));
    ASSERT_TRUE(inTheWay.open(QIODevice::WriteOnly));
    inTheWay.close();
    const Restored r = restoreArchive(target.store(), made.archive, archives.path(), kMonday, currentVersion());
    QFile::remove(inTheWay.fileName());
    EXPECT_FALSE(r.ok());
    EXPECT_TRUE(r.error.endsWith(QStringLiteral("Nothing was changed."))) << r.error.toStdString();
    EXPECT_EQ(filesUnder(target.path()), before);
    EXPECT_FALSE(QFileInfo::exists(target.path() + QStringLiteral(".restore-swap")));
}

// Ten kept by default, here three: the oldest go once a new one is checked;
// a missing or read-only folder (the stick pulled out) is said.
TEST(Backup, GenerationsRollOverAndAnUnwritableFolderIsSaid)
{
    TestFolder source;
    fill(source);
    QTemporaryDir archives;
    for (int day = 1; day <= 5; ++day)
        ASSERT_TRUE(makeBackup(source.store(), archives.path(), QDateTime(QDate(2026, 12, day), QTime(18, 0)), currentVersion(), 3).ok());
    QStringList kept;
    for (const ArchiveInfo &a : listArchives(archives.path()))
        kept << QFileInfo(a.path).fileName();
    EXPECT_EQ(kept, (QStringList{QStringLiteral("Brenvoy-2026-12-05-180000.zip"), QStringLiteral("Brenvoy-2026-12-04-180000.zip"),
                                 QStringLiteral("Brenvoy-2026-12-03-180000.zip")}));

    const QString notAFolder = archives.filePath(QStringLiteral("stick"));
    QFile file(notAFolder);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const Made missing = makeBackup(source.store(), notAFolder + QStringLiteral("/Backups"), kMonday, currentVersion(), 3);
    EXPECT_FALSE(missing.ok());
    EXPECT_TRUE(missing.error.contains(QStringLiteral("is missing or cannot be written to"))) << missing.error.toStdString();
    EXPECT_EQ(listArchives(archives.path()).size(), 3u);
}

// The invoice numbers of a restored day: the counter comes back as it was
// when the backup was made, so the next run continues from there.
TEST(Backup, ARestoreBringsBackTheInvoiceCounterOfItsDay)
{
    TestFolder f;
    fill(f);
    const QString archives = f.path() + kBackupsFolder;
    const Made monday = makeBackup(f.store(), archives, kMonday, currentVersion(), 10);
    ASSERT_TRUE(monday.ok());
    f.write(billing::kInvoiceCounterFile, "\"352\"\r\n"); // Tuesday's run
    const Restored r = restoreArchive(f.store(), monday.archive, archives, kMonday.addDays(1), currentVersion());
    ASSERT_TRUE(r.ok()) << r.error.toStdString();
    EXPECT_EQ(f.read(billing::kInvoiceCounterFile), QByteArray("\"339\"\r\n"));
    // The archives stayed with the data folder, the state before among them.
    EXPECT_EQ(listArchives(archives).size(), 2u);
    EXPECT_TRUE(QFileInfo(r.before).fileName().endsWith(QStringLiteral("-before-restore.zip")));

    // A folder of the user's own choosing inside the data folder stays too.
    const QString own = f.path() + QStringLiteral("/Safe/Copies");
    const Made tuesday = makeBackup(f.store(), own, kMonday.addDays(1), currentVersion(), 10);
    ASSERT_TRUE(tuesday.ok());
    ASSERT_TRUE(restoreArchive(f.store(), tuesday.archive, own, kMonday.addDays(2), currentVersion()).ok());
    EXPECT_EQ(listArchives(own).size(), 2u);
    EXPECT_EQ(listArchives(archives).size(), 2u);
}

// A month billed, backed up, billed again, then the backup restored: the
// next run draws the invoice numbers the second run drew, as on the day of
// the backup, and the journal is that day's.
TEST(Backup, ARunAfterARestoreContinuesTheInvoiceNumbersOfTheRestoredDay)
{
    TestFolder f;
    writeAccounts(f, 3);
    RunOf first(f);
    ASSERT_TRUE(first.post(f, true, first.recorder()).result);
    const QString archives = f.path() + kBackupsFolder;
    const Made made = makeBackup(f.store(), archives, kMonday, currentVersion(), 10);
    ASSERT_TRUE(made.ok()) << made.error.toStdString();
    const QByteArray journal = f.read(kSalesJournalFile);
    RunOf second(f);
    ASSERT_TRUE(second.post(f, true, second.recorder()).result);
    ASSERT_TRUE(restoreArchive(f.store(), made.archive, archives, kMonday.addDays(1), currentVersion()).ok());
    EXPECT_EQ(f.read(kSalesJournalFile), journal);
    RunOf again(f);
    ASSERT_TRUE(again.post(f, true, again.recorder()).result);
    EXPECT_EQ(again.printed, second.printed);
    EXPECT_NE(second.printed, first.printed);
}

// Restores of two archives in turn, killed at random: after the start's
// finishing the folder is exactly one of the two.
TEST(Backup, AKilledRestoreLeavesOneWholeFolder)
{
    QTemporaryDir archives;
    QMap<QString, QByteArray> states[2];
    for (int i = 0; i < 2; ++i) {
        TestFolder s;
        fill(s);
        s.write(billing::kInvoiceCounterFile, QByteArray("\"") + QByteArray::number(100 + i) + "\"\r\n");
        for (int n = 0; n < 30; ++n)
            s.write(QStringLiteral("/BVActiveAccounts/%1.txt").arg(2000 + n + i * 100), QByteArray(155 * 40, char('a' + n % 20)));
        ASSERT_TRUE(makeBackup(s.store(), archives.path() + QStringLiteral("/%1").arg(i), kMonday, currentVersion(), 10).ok());
        states[i] = filesUnder(s.path());
    }
    qputenv("BRENVOY_TEST_ARCHIVES", archives.path().toLocal8Bit());
    int seen[2] = {0, 0};
    killRounds(6, 9001, QStringLiteral("restore"), [](TestFolder &) {},
               [&](TestFolder &folder, int round, const store::FinishedWork &) {
                   (void)finishRestore(folder.path());
                   const QMap<QString, QByteArray> now = filesUnder(folder.path());
                   const int which = now == states[0] ? 0 : now == states[1] ? 1 : -1;
                   EXPECT_NE(which, -1) << "round " << round << ": " << now.size() << " files";
                   if (which >= 0)
                       ++seen[which];
               });
    EXPECT_GT(seen[0] + seen[1], 0);
}
