#include "support/TestSupport.h"
#include "phone/SpeedDial.h"

#include <gtest/gtest.h>

using namespace phone;

TEST(SpeedDial, UsedSlotsAreWrittenInOrderAndCloseUpOnLoading)
{
    TestFolder folder;
    SpeedDial list;
    list.names[1] = "Office";
    list.numbers[1] = "555-0100";
    list.names[4] = "Parts & Supply";
    list.numbers[4] = "";
    list.names[9] = "Two\r\nLines";
    list.numbers[9] = "1-800-555-0199";
    list.numbers[6] = "555-0000"; // no name: a free slot
    ASSERT_TRUE(saveSpeedNumbers(folder.store(), list).ok);
    EXPECT_EQ(folder.read("/SpeedNumbers.txt"),
              QByteArray("Office\r\n555-0100\r\nParts & Supply\r\n\r\nTwo  Lines\r\n1-800-555-0199\r\n"));

    const SpeedDial loaded = loadSpeedNumbers(folder.store());
    EXPECT_EQ(loaded.names[0], "Office");
    EXPECT_EQ(loaded.numbers[0], "555-0100");
    EXPECT_EQ(loaded.names[1], "Parts & Supply");
    EXPECT_EQ(loaded.numbers[1], "");
    EXPECT_EQ(loaded.names[2], "Two  Lines");
    EXPECT_EQ(loaded.numbers[2], "1-800-555-0199");
    for (int slot = 3; slot < SpeedDial::kSlots; ++slot)
        EXPECT_TRUE(loaded.isFree(slot)) << slot;
}

TEST(SpeedDial, FilesMadeElsewhereLoadTheirFirstWholePairs)
{
    TestFolder folder;
    EXPECT_TRUE(loadSpeedNumbers(folder.store()).isFree(0));

    // An odd number of lines: the name without its number is left out.
    folder.write("/SpeedNumbers.txt", "A\r\n1\r\nB\r\n2\r\nC");
    SpeedDial odd = loadSpeedNumbers(folder.store());
    EXPECT_EQ(odd.names[1], "B");
    EXPECT_EQ(odd.numbers[1], "2");
    EXPECT_TRUE(odd.isFree(2));

    // Twelve pairs: the first ten fill the list.
    QByteArray twelve;
    for (int i = 0; i < 12; ++i)
        twelve += QByteArray("Name ") + QByteArray::number(i) + "\n555-010" + QByteArray::number(i % 10) + "\n";
    folder.write("/SpeedNumbers.txt", twelve);
    const SpeedDial full = loadSpeedNumbers(folder.store());
    EXPECT_EQ(full.names[9], "Name 9");
    EXPECT_EQ(full.numbers[9], "555-0109");
}
