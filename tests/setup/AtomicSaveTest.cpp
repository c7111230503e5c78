// A save killed at any moment leaves the old file or the new one, never a
// missing, empty or mixed one.
#include "setup/SettingsFiles.h"

#include "support/CrashValues.h"
#include "support/ChangeHarness.h"

#include <gtest/gtest.h>

using namespace setup;

TEST(AtomicSave, KillingASaveNeverLeavesAHalfFile)
{
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

    killRounds(25, 424242, QStringLiteral("save"),
               [](TestFolder &f) { ASSERT_TRUE(f.store().makeFolder(QStringLiteral("/Backup"))); },
               [&](TestFolder &f, int round, const store::FinishedWork &) {
                   const QByteArray business = f.read(setup::kBusinessData);
                   const QByteArray colors = f.read(setup::kPrintColors);
                   EXPECT_TRUE(business == businessA || business == businessB) << "round " << round << ": "
                                                                               << business.constData();
                   EXPECT_TRUE(colors == colorsA || colors == colorsB) << "round " << round << ": " << colors.constData();
               });
}
