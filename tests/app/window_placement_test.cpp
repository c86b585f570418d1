#include "app/window_placement.h"

#include <gtest/gtest.h>

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
