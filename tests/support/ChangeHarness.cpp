#include "support/ChangeHarness.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>

QMap<QString, QByteArray> folderFiles(const TestFolder &folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString name = it.next().mid(folder.path().size());
        if (name.startsWith(store::kTransactionFolder + u'/') && name.endsWith(QLatin1String(".new")))
            continue;
        QFile f(it.filePath());
        if (f.open(QIODevice::ReadOnly))
            files.insert(name, f.readAll());
    }
    return files;
}

store::FinishedWork killAndFinish(TestFolder &folder, const QString &mode, QRandomGenerator &rng)
{
    QProcess child;
    child.start(QCoreApplication::applicationDirPath() + QStringLiteral("/brenvoy_save_loop"), {mode, folder.path()});
    EXPECT_TRUE(child.waitForStarted(10000));
    EXPECT_TRUE(child.waitForReadyRead(20000)) << "the child never began: " << child.readAllStandardError().toStdString();
    QThread::usleep(2000 + rng.bounded(60000));
    EXPECT_EQ(child.state(), QProcess::Running) << "the child stopped by itself: "
                                                << child.readAllStandardError().toStdString();
    child.kill();
    child.waitForFinished(10000);
    return store::finishInterruptedWork(folder.store());
}

void killRounds(int rounds, quint32 seed, const QString &mode, const std::function<void(TestFolder &)> &setUp,
                const std::function<void(TestFolder &, int, const store::FinishedWork &)> &check)
{
    QRandomGenerator rng(seed);
    for (int round = 0; round < rounds; ++round) {
        TestFolder folder;
        setUp(folder);
        const store::FinishedWork work = killAndFinish(folder, mode, rng);
        ASSERT_TRUE(work.result) << "round " << round << ": " << work.result.error.toStdString();
        EXPECT_FALSE(folder.exists(store::kTransactionMarker)) << "round " << round;
        check(folder, round, work);
        if (::testing::Test::HasFatalFailure())
            return;
    }
}

namespace {

QMap<QString, QByteArray> without(QMap<QString, QByteArray> files, const QStringList &outside)
{
    for (const QString &name : outside)
        files.remove(name);
    return files;
}

} // namespace

int failEach(const FaultSweep &sweep, const std::function<void(TestFolder &)> &setUp,
             const std::function<store::FileResult(TestFolder &)> &operation)
{
    QMap<QString, QByteArray> done;
    {
        TestFolder folder;
        setUp(folder);
        const store::FileResult r = operation(folder);
        EXPECT_TRUE(r) << "a clean run failed: " << r.error.toStdString();
        done = without(folderFiles(folder), sweep.outside);
    }
    const char *what = sweep.fault == Fault::Write ? "write " : "sync ";
    for (int n = 1; n < 10000; ++n) {
        TestFolder folder;
        setUp(folder);
        const QMap<QString, QByteArray> before = without(folderFiles(folder), sweep.outside);
        int count = 0;
        auto fails = [&] {
            ++count;
            return count == n || (sweep.onward && count > n);
        };
        if (sweep.fault == Fault::Write)
            folder.store().setWriteFault([&](const QString &) -> std::optional<QString> {
                return fails() ? std::optional<QString>(QStringLiteral("No space left on device")) : std::nullopt;
            });
        else
            folder.store().setFolderSync([&](const QString &) { return !fails(); });
        const store::FileResult r = operation(folder);
        folder.store().setWriteFault({});
        folder.store().setFolderSync([](const QString &) { return true; });
        if (r && count < n)
            return n - 1; // every one has had its turn
        if (r) {
            // A write the operation can do without (a note it only adds to
            // what it tells): it went on, and the files are a clean run's.
            EXPECT_EQ(without(folderFiles(folder), sweep.outside), done) << what << n << " failed and was passed over";
        } else if (!r.replaced) {
            EXPECT_FALSE(r.error.isEmpty()) << what << n;
            EXPECT_EQ(without(folderFiles(folder), sweep.outside), before) << what << n << " failed, yet files changed";
            EXPECT_FALSE(folder.exists(store::kTransactionMarker)) << what << n;
        } else {
            EXPECT_TRUE(sweep.onward || sweep.fault == Fault::Sync)
                << what << n << " alone failed and the change could not be taken back";
            EXPECT_TRUE(folder.exists(store::kTransactionMarker)) << what << n;
            const store::FinishedWork work = store::finishInterruptedWork(folder.store());
            EXPECT_TRUE(work.result) << work.result.error.toStdString();
            EXPECT_EQ(without(folderFiles(folder), sweep.outside), done)
                << what << n << ": the start did not complete the change";
        }
        if (::testing::Test::HasFailure())
            return n;
    }
    ADD_FAILURE() << "the operation never stopped";
    return 0;
}

void failEveryWay(const std::function<void(TestFolder &)> &setUp,
                  const std::function<store::FileResult(TestFolder &)> &operation, const QStringList &outside)
{
    EXPECT_GT(failEach({Fault::Write, false, outside}, setUp, operation), 0);
    EXPECT_GT(failEach({Fault::Write, true, outside}, setUp, operation), 0);
    EXPECT_GT(failEach({Fault::Sync, false, outside}, setUp, operation), 0);
}
