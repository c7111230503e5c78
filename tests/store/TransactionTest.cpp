// The one way several files change together: what a staged change reads
// as, what a failure anywhere leaves, what the start makes of a marker a
// crash left (complete, repeated, damaged), and the refusal of a change
// while an earlier one is unfinished.
#include "store/Transaction.h"

#include "support/ChangeHarness.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace store;

namespace {

void sampleFiles(TestFolder &folder)
{
    folder.write(QStringLiteral("/Records.txt"), "AAAABBBBCC"); // two records of 4 and a torn tail
    folder.write(QStringLiteral("/Whole.txt"), "old whole file");
    folder.write(QStringLiteral("/Gone.txt"), "to be deleted");
    folder.write(QStringLiteral("/Moved.txt"), "moving");
}

// Every kind of change, two of them on the same file.
void stageAll(Transaction &tx)
{
    tx.append(QStringLiteral("/Records.txt"), 4, "DDDD");
    tx.writeAt(QStringLiteral("/Records.txt"), 4, "bb");
    tx.replace(QStringLiteral("/Whole.txt"), "new");
    tx.remove(QStringLiteral("/Gone.txt"));
    tx.rename(QStringLiteral("/Moved.txt"), QStringLiteral("/Sub/Arrived.txt"));
    tx.writeAt(QStringLiteral("/New.txt"), 0, "fresh");
}

FileResult commitAll(TestFolder &folder)
{
    EXPECT_TRUE(folder.store().makeFolder(QStringLiteral("/Sub")));
    Transaction tx(folder.store(), QStringLiteral("a test change"));
    stageAll(tx);
    return tx.commit();
}

} // namespace

TEST(Transaction, StagedChangesReadAsTheyWillBeAndCommitWritesExactlyThat)
{
    TestFolder folder;
    sampleFiles(folder);
    ASSERT_TRUE(folder.store().makeFolder(QStringLiteral("/Sub")));
    Transaction tx(folder.store(), QStringLiteral("a test change"));
    stageAll(tx);
    const struct {
        const char *name;
        qint64 size;
        const char *contents; // nullptr: missing
    } expected[] = {
        {"/Records.txt", 12, "AAAAbbBBDDDD"}, // the torn tail written over, then a write in place
        {"/Whole.txt", 3, "new"},
        {"/Gone.txt", -1, nullptr},
        {"/Moved.txt", -1, nullptr},
        {"/Sub/Arrived.txt", 6, "moving"},
        {"/New.txt", 5, "fresh"},
    };
    EXPECT_EQ(tx.contents(QStringLiteral("\\NEW.txt")), QByteArray("fresh")); // names match as the store matches them
    for (const auto &e : expected) {
        const QString name = QString::fromLatin1(e.name);
        EXPECT_EQ(tx.size(name), e.size) << e.name;
        EXPECT_EQ(tx.contents(name), e.contents ? std::optional<QByteArray>(e.contents) : std::nullopt) << e.name;
    }
    EXPECT_EQ(folder.read(QStringLiteral("/Whole.txt")), QByteArray("old whole file")); // nothing written yet
    ASSERT_TRUE(tx.commit());
    for (const auto &e : expected) {
        const QString name = QString::fromLatin1(e.name);
        EXPECT_EQ(folder.exists(name), e.contents != nullptr) << e.name;
        if (e.contents) {
            EXPECT_EQ(folder.read(name), QByteArray(e.contents)) << e.name;
        }
    }
    EXPECT_EQ(QDir(folder.path() + kTransactionFolder).entryList(QDir::Files), QStringList());
    EXPECT_FALSE(tx.commit()); // once only
}

TEST(Transaction, AChangeThatCannotBeMadeOrAnUnfinishedOneStopsItBeforeAnything)
{
    TestFolder folder;
    sampleFiles(folder);
    const QMap<QString, QByteArray> before = folderFiles(folder);
    {
        Transaction tx(folder.store(), QStringLiteral("a test change"));
        tx.replace(QStringLiteral("/Whole.txt"), "new");
        tx.writeAt(QStringLiteral("/Records.txt"), 40, "gap"); // past the end
        const FileResult r = tx.commit();
        EXPECT_FALSE(r);
        EXPECT_FALSE(r.replaced);
        EXPECT_TRUE(r.error.contains(QStringLiteral("shorter than the place written to"))) << r.error.toStdString();
    }
    EXPECT_EQ(folderFiles(folder), before);
    // Nothing staged: nothing written, not even a marker.
    EXPECT_TRUE(Transaction(folder.store(), QStringLiteral("a test change")).commit());
    EXPECT_FALSE(QFileInfo::exists(folder.path() + kTransactionFolder));
    // A marker left behind: no new change until the start has finished it.
    folder.write(kTransactionMarker, "left by a failing disk");
    Transaction tx(folder.store(), QStringLiteral("a test change"));
    tx.replace(QStringLiteral("/Whole.txt"), "new");
    const FileResult r = tx.commit();
    EXPECT_FALSE(r);
    EXPECT_TRUE(r.error.contains(QStringLiteral("next starts")));
    EXPECT_EQ(folder.read(QStringLiteral("/Whole.txt")), QByteArray("old whole file"));
}

TEST(Transaction, EveryWriteOrSyncThatFailsChangesNothingOrIsCompletedByTheStart)
{
    const int writes = failEach({Fault::Write, false, {}}, sampleFiles, commitAll);
    EXPECT_GE(writes, 8); // a staged file, the marker, six changes
    EXPECT_GT(failEach({Fault::Write, true, {}}, sampleFiles, commitAll), 0);
    EXPECT_GT(failEach({Fault::Sync, false, {}}, sampleFiles, commitAll), 0);
}

// A crash after every change was made but before the marker went: the
// start makes them all again, to the same bytes, however often it runs.
TEST(Transaction, TheStartMakesAPreparedChangeOnceOrAgainToTheSameFiles)
{
    TestFolder done;
    sampleFiles(done);
    ASSERT_TRUE(commitAll(done));
    const QMap<QString, QByteArray> committed = folderFiles(done);

    for (bool applied : {false, true}) {
        TestFolder folder;
        sampleFiles(folder);
        ASSERT_TRUE(folder.store().makeFolder(QStringLiteral("/Sub")));
        QMap<QString, QByteArray> left;
        {
            Transaction tx(folder.store(), QStringLiteral("a test change"));
            stageAll(tx);
            tx.setNote("the note");
            ASSERT_TRUE(tx.prepare());
            for (const QString &name : QDir(folder.path() + kTransactionFolder).entryList(QDir::Files))
                left.insert(kTransactionFolder + u'/' + name, folder.read(kTransactionFolder + u'/' + name));
            if (applied)
                ASSERT_TRUE(tx.commit());
        } // not applied: abandoned, as a kill before the changes leaves them undone
        for (auto it = left.cbegin(); it != left.cend(); ++it)
            folder.write(it.key(), it.value());
        const FinishedWork work = finishInterruptedWork(folder.store());
        ASSERT_TRUE(work.result) << work.result.error.toStdString();
        EXPECT_EQ(work.kind, QStringLiteral("a test change"));
        EXPECT_EQ(work.note, QByteArray("the note"));
        EXPECT_EQ(folderFiles(folder), committed) << (applied ? "applied" : "not applied");
        EXPECT_FALSE(finishInterruptedWork(folder.store()).any());
    }
}

// A marker damaged on the disk is set aside for a person and nothing is
// written from it; staged files with no marker are dropped.
TEST(Transaction, ADamagedMarkerIsSetAsideAndStrayStagedFilesGo)
{
    TestFolder folder;
    sampleFiles(folder);
    ASSERT_TRUE(folder.store().makeFolder(QStringLiteral("/Sub")));
    QByteArray marker;
    {
        Transaction tx(folder.store(), QStringLiteral("a test change"));
        stageAll(tx);
        ASSERT_TRUE(tx.prepare());
        marker = folder.read(kTransactionMarker);
    }
    const QMap<QString, QByteArray> before = folderFiles(folder);
    QByteArray flipped = marker;
    flipped[flipped.size() / 2] = char(flipped[flipped.size() / 2] ^ 0x20);
    for (const QByteArray &bytes : {flipped, marker.left(marker.size() - 1), QByteArray("junk")}) {
        folder.write(kTransactionMarker, bytes);
        folder.write(kTransactionFolder + QStringLiteral("/3.new"), "staged");
        const FinishedWork work = finishInterruptedWork(folder.store());
        EXPECT_TRUE(work.result);
        EXPECT_TRUE(work.kind.isEmpty());
        EXPECT_TRUE(work.setAside.startsWith(QStringLiteral("/Transaction.damaged"))) << work.setAside.toStdString();
        EXPECT_EQ(folder.read(work.setAside), bytes);
        EXPECT_FALSE(folder.exists(kTransactionFolder + QStringLiteral("/3.new")));
        EXPECT_FALSE(folder.exists(kTransactionMarker));
        const QMap<QString, QByteArray> now = folderFiles(folder);
        for (auto it = before.cbegin(); it != before.cend(); ++it)
            EXPECT_EQ(now.value(it.key()), it.value()) << it.key().toStdString();
    }
    // Two damaged markers kept side by side.
    EXPECT_TRUE(folder.exists(QStringLiteral("/Transaction.damaged2")));
}
