// A save killed at any moment leaves the old file or the new one, never a
// missing, empty or mixed one.
#include "setup/SettingsFiles.h"

#include "support/CrashValues.h"
#include "support/TestSupport.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>
#include <gtest/gtest.h>

using namespace setup;

TEST(AtomicSave, KillingASaveNeverLeavesAHalfFile)
{
    TestFolder folder;
    ASSERT_TRUE(folder.store().makeFolder(QStringLiteral("/Backup")));
    const QString helper = QCoreApplication::applicationDirPath() + QStringLiteral("/brenvoy_save_loop");

    // The two contents the child alternates between.
    QByteArray businessA, businessB, colorsA, colorsB;
    {
        BusinessValues a = crashTestValues(0);
        BusinessValues b = crashTestValues(1);
        TestFolder scratch;
        ASSERT_TRUE(scratch.store().makeFolder(QStringLiteral("/Backup")));
        ASSERT_TRUE(setup::saveBusiness(scratch.store(), a));
        ASSERT_TRUE(setup::savePrintColors(scratch.store(), a));
        businessA = scratch.read(setup::kBusinessData);
        colorsA = scratch.read(setup::kPrintColors);
        ASSERT_TRUE(setup::saveBusiness(scratch.store(), b));
        ASSERT_TRUE(setup::savePrintColors(scratch.store(), b));
        businessB = scratch.read(setup::kBusinessData);
        colorsB = scratch.read(setup::kPrintColors);
    }
    ASSERT_NE(businessA, businessB);

    QRandomGenerator rng(424242);
    int checked = 0;
    for (int round = 0; round < 25; ++round) {
        QProcess child;
        child.start(helper, {QStringLiteral("save"), folder.path()});
        ASSERT_TRUE(child.waitForStarted(10000));
        ASSERT_TRUE(child.waitForReadyRead(20000)); // "saving": the loop has begun
        QThread::usleep(1000 + rng.bounded(40000));
        child.kill(); // SIGKILL: no chance to tidy up
        child.waitForFinished(10000);

        const QByteArray business = folder.read(setup::kBusinessData);
        const QByteArray colors = folder.read(setup::kPrintColors);
        EXPECT_TRUE(business == businessA || business == businessB) << "round " << round << ": " << business.constData();
        EXPECT_TRUE(colors == colorsA || colors == colorsB) << "round " << round << ": " << colors.constData();
        ++checked;
    }
    EXPECT_EQ(checked, 25);
}
