#include "core/memory_settings_store.h"
#include "core/settings_overlay.h"

#include <gtest/gtest.h>

namespace lumetra::core {
namespace {

TEST(SettingsOverlayTest, ReadsItsOwnWritesFirstAndNeverWritesBelow)
{
    MemorySettingsStore below;
    below.writeInt("S", "Kept", 1);
    below.writeText("S", "Name", "stored");
    SettingsOverlay overlay(below);

    EXPECT_EQ(overlay.readInt("S", "Kept", 0), 1);
    EXPECT_EQ(overlay.readText("S", "Name", ""), "stored");
    EXPECT_EQ(overlay.readInt("S", "Absent", 9), 9);

    overlay.writeInt("S", "Kept", 2);
    overlay.writeText("S", "Name", "run");
    overlay.writeInt("S", "New", 3);
    EXPECT_TRUE(overlay.flush());
    EXPECT_EQ(overlay.readInt("S", "Kept", 0), 2);
    EXPECT_EQ(overlay.readText("S", "Name", ""), "run");
    EXPECT_EQ(overlay.readInt("S", "New", 0), 3);

    EXPECT_EQ(below.size(), 2u);
    EXPECT_EQ(below.readInt("S", "Kept", 0), 1);
    EXPECT_EQ(below.readText("S", "Name", ""), "stored");
}

TEST(SettingsOverlayTest, AValueWrittenAsTextReadsAsTheDefaultNumberAsTheStoreDoes)
{
    MemorySettingsStore below;
    below.writeInt("S", "Value", 5);
    SettingsOverlay overlay(below);
    overlay.writeText("S", "Value", "five");
    // The run's own value decides, even when it is of the other type.
    EXPECT_EQ(overlay.readInt("S", "Value", -1), -1);
    EXPECT_EQ(overlay.readText("S", "Value", ""), "five");
}

} // namespace
} // namespace lumetra::core
