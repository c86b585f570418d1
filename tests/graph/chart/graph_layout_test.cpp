#include "graph/chart/graph_layout.h"

#include <gtest/gtest.h>

namespace lumetra::graph {
namespace {

TEST(PaneBands, TheLastBandTakesTheRemainder)
{
    EXPECT_EQ(paneBands(640, 301, 3),
        (std::vector<PixelRect> {{0, 0, 640, 100}, {0, 100, 640, 100}, {0, 200, 640, 101}}));
    EXPECT_EQ(paneBands(640, 403, 4),
        (std::vector<PixelRect> {{0, 0, 640, 100}, {0, 100, 640, 100}, {0, 200, 640, 100}, {0, 300, 640, 103}}));
    EXPECT_EQ(paneBands(640, 300, 2), (std::vector<PixelRect> {{0, 0, 640, 150}, {0, 150, 640, 150}}));
}

TEST(PaneBands, OnePaneFillsTheClientArea)
{
    EXPECT_EQ(paneBands(690, 455, 1), (std::vector<PixelRect> {{0, 0, 690, 455}}));
}

TEST(GraphWindowRect, IndividualPanesAreThreeHundredHighUpToTheScreen)
{
    const PixelRect main {0, 0, 1600, 1200};
    EXPECT_EQ(graphWindowRect(main, 1600, 1200, 3, true), (PixelRect {450, 150, 700, 900}));
    // Capped at the screen height, then 30 less as it reaches the bottom.
    EXPECT_EQ(graphWindowRect(main, 1600, 1000, 4, true).height, 970);
    // One channel, or no individual selection: 500.
    EXPECT_EQ(graphWindowRect(main, 1600, 1200, 1, true).height, 500);
    EXPECT_EQ(graphWindowRect(main, 1600, 1200, 4, false).height, 500);
}

TEST(GraphWindowRect, CentredOnTheMainWindowThenKeptOnScreen)
{
    EXPECT_EQ(graphWindowRect({100, 50, 1000, 800}, 1920, 1080, 2, false), (PixelRect {250, 200, 700, 500}));
    // A main window far right: left := screen width - 700; the right edge then reaches it: 680 wide.
    EXPECT_EQ(graphWindowRect({1500, 0, 1000, 800}, 1920, 1080, 2, false), (PixelRect {1220, 150, 680, 500}));
    // Far down: top := screen height - height; the bottom reaches it: 30 less.
    EXPECT_EQ(graphWindowRect({0, 900, 800, 800}, 1920, 1080, 1, false), (PixelRect {50, 580, 700, 470}));
}

TEST(GraphWindowRect, CascadedFromTheOpenWindowsIntoTheFirstFreePlace)
{
    const PixelRect opening {250, 200, 700, 500};
    EXPECT_EQ(cascadeGraphWindow(opening, {}, 1920, 1080), opening);
    EXPECT_EQ(cascadeGraphWindow(opening, {opening}, 1920, 1080), (PixelRect {280, 230, 700, 500}));
    // A window the user moved a little still holds its place; one moved away frees it.
    EXPECT_EQ(cascadeGraphWindow(opening, {{262, 190, 700, 500}, {280, 230, 700, 500}}, 1920, 1080).left, 310);
    EXPECT_EQ(cascadeGraphWindow(opening, {{280, 230, 700, 500}, {600, 100, 700, 500}}, 1920, 1080), opening);
}

TEST(GraphWindowRect, CascadingTurnsTowardsTheTopLeftAndReusesPlacesWhenTheScreenIsFull)
{
    // 40 pixels left below: one step down and right, then the places are used again in turn.
    const PixelRect low {250, 540, 700, 500};
    EXPECT_EQ(cascadeGraphWindow(low, {low}, 1920, 1080).top, 570);
    EXPECT_EQ(cascadeGraphWindow(low, {low, {280, 570, 700, 500}}, 1920, 1080).top, 540);
    EXPECT_EQ(cascadeGraphWindow(low, {low, {280, 570, 700, 500}, low}, 1920, 1080).top, 570);
    // At the bottom right edge of the screen: up and left.
    const PixelRect corner {1220, 580, 680, 470};
    EXPECT_EQ(cascadeGraphWindow(corner, {corner}, 1920, 1080), (PixelRect {1190, 550, 680, 470}));
}

} // namespace
} // namespace lumetra::graph
