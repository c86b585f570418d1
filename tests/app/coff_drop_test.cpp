#include "app/coff_drop.h"

#include <gtest/gtest.h>

using lumetra::app::coffFileFromDrop;

TEST(CoffDrop, FirstOutFileOfTheDropIsOpenedWhateverTheCase)
{
    EXPECT_EQ(coffFileFromDrop({"/tmp/notes.txt", "/tmp/Motor.OUT", "/tmp/other.out"}), "/tmp/Motor.OUT");
    EXPECT_EQ(coffFileFromDrop({"C:\\work\\sine.out"}), "C:\\work\\sine.out");
}

TEST(CoffDrop, DropWithoutCoffFileOpensNothing)
{
    EXPECT_EQ(coffFileFromDrop({}), std::nullopt);
    EXPECT_EQ(coffFileFromDrop({"/tmp/RecentSymFile.sym", "/tmp/readme.outline"}), std::nullopt);
    EXPECT_EQ(coffFileFromDrop({".out"}), std::nullopt);
}
