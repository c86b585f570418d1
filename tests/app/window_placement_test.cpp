#include "app/window_placement.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace lumetra::app {
namespace {

const PixelRect kScreen {0, 0, 1280, 800};

TEST(WindowPlacementTest, StoredRectangleIsUsedOnceTheProgramHasBeenClosed)
{
    core::WindowLayout layout;
    layout.firstSetup = 1;
    EXPECT_EQ(normalWindowRect(layout, kScreen), (PixelRect {100, 50, 800, 600}));
}

TEST(WindowPlacementTest, FirstStartCentresTheRectangle)
{
    core::WindowLayout layout;
    EXPECT_EQ(normalWindowRect(layout, {10, 20, 1280, 800}), (PixelRect {250, 120, 800, 600}));
}

TEST(WindowPlacementTest, EmptyOrInvertedRectangleKeepsTheDefaultSize)
{
    core::WindowLayout layout;
    layout.firstSetup = 1;
    layout.left = 300;
    layout.right = 300;
    layout.bottom = 10;
    EXPECT_EQ(normalWindowRect(layout, kScreen), (PixelRect {300, 50, 800, 600}));
}

TEST(WindowPlacementTest, ShowStateRoundTrip)
{
    core::WindowLayout layout;
    capturePlacement(layout, {5, 6, 700, 500}, showCmdOf(true, false));
    EXPECT_EQ(layout.right, 705);
    EXPECT_EQ(layout.bottom, 506);
    EXPECT_TRUE(opensMaximised(layout));
    capturePlacement(layout, {5, 6, 700, 500}, showCmdOf(true, true));
    EXPECT_EQ(layout.showCmd, kShowMinimised);
    EXPECT_FALSE(opensMaximised(layout));
    EXPECT_EQ(showCmdOf(false, false), kShowNormal);
}

TEST(WindowPlacementTest, RectangleOffEveryScreenMovesToThePrimaryScreen)
{
    const PixelRect primary {0, 0, 1280, 800};
    const PixelRect second {1280, 0, 1920, 1080};
    const std::vector<PixelRect> both {primary, second};
    const std::vector<PixelRect> onlyPrimary {primary};

    // On the second monitor while it is there; centred on the primary one once it is unplugged.
    const PixelRect onSecond {2000, 100, 800, 600};
    EXPECT_EQ(keepOnScreens(onSecond, both, primary), onSecond);
    EXPECT_EQ(keepOnScreens(onSecond, onlyPrimary, primary), (PixelRect {240, 100, 800, 600}));

    // A strip of 100 x 50 pixels on a screen is enough to grab the window; one pixel less is not.
    EXPECT_EQ(keepOnScreens({1180, 750, 800, 600}, onlyPrimary, primary), (PixelRect {1180, 750, 800, 600}));
    EXPECT_EQ(keepOnScreens({1181, 750, 800, 600}, onlyPrimary, primary), (PixelRect {240, 100, 800, 600}));
    EXPECT_EQ(keepOnScreens({-700, -550, 800, 600}, onlyPrimary, primary), (PixelRect {-700, -550, 800, 600}));
    EXPECT_EQ(keepOnScreens({-700, -551, 800, 600}, onlyPrimary, primary), (PixelRect {240, 100, 800, 600}));
    // A window smaller than the strip counts when all of it shows.
    EXPECT_EQ(keepOnScreens({1220, 770, 60, 30}, onlyPrimary, primary), (PixelRect {1220, 770, 60, 30}));

    // Larger than the primary screen: shrunk to it. Extreme stored values do not overflow.
    EXPECT_EQ(keepOnScreens({5000, 5000, 3000, 2000}, onlyPrimary, {0, 30, 1280, 770}), (PixelRect {0, 30, 1280, 770}));
    const int huge = std::numeric_limits<int>::max();
    EXPECT_EQ(keepOnScreens({huge - 10, huge - 10, huge, huge}, onlyPrimary, primary), primary);
    EXPECT_EQ(keepOnScreens({100, 50, 800, 600}, {}, primary), (PixelRect {240, 100, 800, 600}));
}

TEST(WindowPlacementTest, OnlyTheMaximisedStateIsRestored)
{
    core::WindowLayout layout;
    for (int showCmd = -1; showCmd <= 11; ++showCmd) {
        layout.showCmd = showCmd;
        EXPECT_EQ(opensMaximised(layout), showCmd == kShowMaximised) << showCmd;
    }
}

TEST(WindowPlacementTest, MessageWindowTakesItsStoredSizeOnlyWhenBothAreSet)
{
    core::WindowLayout layout;
    EXPECT_EQ(messageWindowSize(layout, {1003, 605}), (PixelSize {250, 100}));
    layout.messageWindowWidth = 300;
    EXPECT_EQ(messageWindowSize(layout, {1003, 605}), (PixelSize {250, 100}));
    layout.messageWindowHeight = 120;
    EXPECT_EQ(messageWindowSize(layout, {1003, 605}), (PixelSize {300, 120}));
}

} // namespace
} // namespace lumetra::app
