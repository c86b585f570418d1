// The pure drawing logic of a chart pane: decimation into pixel columns, ticks and labels, the layout, the
// colours of the print appearance and the idle-window interaction with its readouts.
#include "graph/chart/chart_colours.h"
#include "graph/chart/chart_decimation.h"
#include "graph/chart/chart_interaction.h"
#include "graph/chart/chart_layout.h"
#include "graph/chart/chart_readout.h"
#include "graph/chart/chart_ticks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <random>

namespace lumetra::graph {
namespace {

ChartPointRing ringOf(std::initializer_list<ChartPoint> points)
{
    ChartPointRing ring(points.size());
    for (const ChartPoint& point : points)
        ring.push(point);
    return ring;
}

TEST(ChartDecimation, FiveThousandPointsIntoHundredColumnsKeepEveryColumnsExtremes)
{
    ChartPointRing ring(5000);
    std::mt19937 random(3);
    std::normal_distribution<double> noise(0.0, 4.0);
    const AxisWindow window {0.0, 4999.0};
    std::map<int, std::pair<double, double>> expected;
    for (int n = 0; n < 5000; ++n) {
        const double value = 10.0 * std::sin(n * 0.01) + noise(random);
        ring.push({n, value});
        const int column = static_cast<int>(std::lround(columnOf(n, window, 100)));
        auto [entry, added] = expected.try_emplace(column, value, value);
        entry->second = {std::min(entry->second.first, value), std::max(entry->second.second, value)};
    }
    const std::vector<ColumnExtent> columns = decimateToColumns(ring, window, 100);
    ASSERT_EQ(columns.size(), 100u);
    for (const ColumnExtent& column : columns) {
        EXPECT_EQ(column.minimum, expected.at(column.column).first) << column.column;
        EXPECT_EQ(column.maximum, expected.at(column.column).second) << column.column;
    }
    EXPECT_EQ(columns.front().first, ring.at(0).value);
    EXPECT_EQ(columns.back().last, ring.newest().value);
}

TEST(ChartDecimation, MemorySpanOfNinetyNineGivesOneColumnPerPointInAHundredColumns)
{
    ChartPointRing ring(100);
    for (int n = 0; n < 100; ++n)
        ring.push({n, n * 2.0});
    const std::vector<ColumnExtent> columns = decimateToColumns(ring, {0.0, 99.0}, 100);
    ASSERT_EQ(columns.size(), 100u);
    EXPECT_EQ(columns[37], (ColumnExtent {37, 74.0, 74.0, 74.0, 74.0}));
}

TEST(ChartDecimation, AWrappedRingIsReadInOrderAcrossItsEnd)
{
    ChartPointRing ring(100);
    for (int n = 0; n < 250; ++n)
        ring.push({n, n * 1.0});
    const std::vector<ColumnExtent> columns = decimateToColumns(ring, {150.0, 249.0}, 100);
    ASSERT_EQ(columns.size(), 100u);
    for (int column = 0; column < 100; ++column)
        ASSERT_EQ(columns[column].first, 150.0 + column) << column;
    // A window inside the held points, after the ring's physical end.
    EXPECT_EQ(decimateToColumns(ring, {240.0, 244.0}, 5).back().last, 244.0);
}

TEST(ChartDecimation, PointsOutsideTheWindowOnlyGiveTheEdgeCrossing)
{
    const ChartPointRing ring = ringOf({{0, 0.0}, {10, 10.0}, {20, 100.0}, {30, 0.0}});
    const std::vector<ColumnExtent> columns = decimateToColumns(ring, {5.0, 15.0}, 11);
    ASSERT_EQ(columns.size(), 3u);
    EXPECT_EQ(columns[0], (ColumnExtent {0, 5.0, 5.0, 5.0, 5.0}));
    EXPECT_EQ(columns[1], (ColumnExtent {5, 10.0, 10.0, 10.0, 10.0}));
    EXPECT_EQ(columns[2], (ColumnExtent {10, 55.0, 55.0, 55.0, 55.0}));
    // A window between two points still crosses the line.
    EXPECT_EQ(decimateToColumns(ring, {12.0, 18.0}, 7).size(), 2u);
    EXPECT_TRUE(decimateToColumns(ring, {40.0, 50.0}, 7).empty());
    EXPECT_TRUE(decimateToColumns(ring, {0.0, 30.0}, 0).empty());
}

TEST(ChartDecimation, SkipsNonFiniteValuesAndBinsPointsOutOfXOrder)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const ChartPointRing gaps = ringOf({{0, 1.0}, {1, nan}, {2, 3.0}});
    EXPECT_EQ(decimateToColumns(gaps, {0.0, 2.0}, 3).size(), 2u);

    const ChartPointRing unordered = ringOf({{5, 1.0}, {0, 2.0}, {9, 3.0}, {5, -4.0}, {20, 9.0}});
    EXPECT_FALSE(unordered.xOrdered());
    const std::vector<ColumnExtent> columns = decimateToColumns(unordered, {0.0, 10.0}, 11);
    ASSERT_EQ(columns.size(), 3u);
    EXPECT_EQ(columns[1], (ColumnExtent {5, -4.0, 1.0, 1.0, -4.0}));
}

TEST(ChartPointRing, OrderReturnsOnceTheOutOfOrderPointDropsOutAndNearestPrefersTheOlder)
{
    ChartPointRing ring(3);
    for (const std::int64_t x : {4, 2, 6})
        ring.push({x, 0.0});
    EXPECT_FALSE(ring.xOrdered());
    ring.push({8, 0.0}); // 4 drops out
    EXPECT_TRUE(ring.xOrdered());
    EXPECT_EQ(ring.nearest(7.0), 1u); // 6 and 8 tie
    EXPECT_EQ(ring.nearest(100.0), 2u);
    EXPECT_EQ(ring.nearest(-5.0), 0u);
}

TEST(ChartTicks, ElevenMajorsFromEndToEndWithFourMinorsBetween)
{
    const AxisTicks ticks = axisTicks({-10.0, 10.0});
    ASSERT_EQ(ticks.major.size(), 11u);
    ASSERT_EQ(ticks.minor.size(), 40u);
    EXPECT_EQ(ticks.major.front(), -10.0);
    EXPECT_DOUBLE_EQ(ticks.major[5], 0.0);
    EXPECT_EQ(ticks.major.back(), 10.0);
    EXPECT_DOUBLE_EQ(ticks.minor[0], -9.6);
    EXPECT_DOUBLE_EQ(ticks.minor[39], 9.6);
}

TEST(ChartTicks, LabelsUseFixedDecimalsWithoutNegativeZero)
{
    EXPECT_EQ(fixedLabel(1.5, 3), "1.500");
    EXPECT_EQ(fixedLabel(-2.25, 1), "-2.2");
    EXPECT_EQ(fixedLabel(-0.0001, 2), "0.00");
    EXPECT_EQ(fixedLabel(-1e-17, 0), "0");
    EXPECT_EQ(fixedLabel(-3.0, 0), "-3");
    EXPECT_EQ(fixedLabel(1e300, 15).size(), 317u);
    EXPECT_EQ(xLabelDecimals({0.0, 200.0}), 0);
    EXPECT_EQ(xLabelDecimals({0.0, 99.0}), 1);
    EXPECT_EQ(xLabelDecimals({3.0, 3.5}), 2);
    EXPECT_EQ(xLabelDecimals({0.0, 1.0 / 3.0}), 3);
}

TEST(ChartLayout, LegendIsEightyWideAtTheRightAndThePlotKeepsRoomForTheLabels)
{
    const ChartTextMetrics metrics {13, 30, 24, 15};
    const ChartLayout layout = layoutChart({0, 0, 600, 300}, metrics, false, false);
    EXPECT_EQ(layout.legend.width, kLegendWidth);
    EXPECT_EQ(layout.legend.right(), 600 - kOuterMargin);
    EXPECT_EQ(layout.title.height, 0);
    EXPECT_EQ(layout.plot.left, kOuterMargin + 30 + kLabelGap + kMajorTickLength);
    EXPECT_LE(layout.plot.right() + 24 / 2, layout.legend.left);
    EXPECT_LE(layout.plot.bottom() + kMajorTickLength + 13, 300 - kOuterMargin);
    EXPECT_GE(layout.plot.top - 13 / 2, kOuterMargin);

    const ChartLayout titled = layoutChart({0, 0, 600, 300}, metrics, true, false);
    EXPECT_GT(titled.title.height, 15);
    EXPECT_GE(titled.plot.top, titled.title.bottom());
    const ChartLayout paper = layoutChart({0, 0, 600, 300}, metrics, false, true);
    EXPECT_GT(paper.title.height, 0);
    EXPECT_EQ(paper.legend.right(), 600 - kPrintMargin);
    // A pane too small for its labels still gets a plot of one pixel.
    EXPECT_GE(layoutChart({0, 0, 20, 10}, metrics, true, false).plot.width, 1);
}

TEST(ChartLayout, MappingPutsTheWindowOnTheFirstAndLastPixel)
{
    const PlotMapping mapping {{10, 20, 101, 51}, {0.0, 200.0}, {-10.0, 10.0}};
    EXPECT_EQ(mapping.pixelOfX(0.0), 10.0);
    EXPECT_EQ(mapping.pixelOfX(200.0), 110.0);
    EXPECT_EQ(mapping.xOfPixel(60.0), 100.0);
    EXPECT_EQ(mapping.pixelOfValue(10.0), 20.0);
    EXPECT_EQ(mapping.pixelOfValue(-10.0), 70.0);
}

TEST(ChartColours, TextsContrastWithTheBackgroundOfThePrintAppearance)
{
    const ChartColours screen = chartColours(PrintAppearance {});
    EXPECT_EQ(screen.text, kWhite);
    EXPECT_EQ(screen.grid, kSilver);
    const ChartColours paper = chartColours({0xFFFFFF, 0xFFFFFF, true, true});
    EXPECT_EQ(paper.background, kWhite);
    EXPECT_EQ(paper.text, kBlack);
    EXPECT_EQ(paper.plotText, kBlack);
    EXPECT_EQ(chartColours({0xFFFFFF, 0x000000, true, false}).plotText, kWhite);
    EXPECT_TRUE(isLightColour(0xB5FFE7));
    EXPECT_FALSE(isLightColour(0x800000));
}

class ChartInteractionTest : public ::testing::Test {
protected:
    const AxisWindow full {100.0, 300.0};
    const AxisWindow extent {0.0, 300.0};
    ChartInteraction interaction;
};

TEST_F(ChartInteractionTest, ZoomKeepsTheAnchorInPlaceAndZoomingOutEndsAtTheFullView)
{
    interaction.zoomAround(150.0, 0.5, full, extent);
    EXPECT_EQ(interaction.visibleWindow(full), (AxisWindow {125.0, 225.0}));
    interaction.zoomAround(150.0, 0.001, full, extent);
    EXPECT_EQ(interaction.visibleWindow(full).width(), kMinimumZoomWidth);
    for (int step = 0; step < 40 && interaction.zoomed(); ++step)
        interaction.zoomAround(150.0, 1.25, full, extent);
    EXPECT_FALSE(interaction.zoomed());
    // From the full view a zoom out shows the held history, up to the extent.
    interaction.zoomAround(300.0, 10.0, full, extent);
    EXPECT_EQ(interaction.visibleWindow(full), extent);
    interaction.showFullView();
    EXPECT_EQ(interaction.visibleWindow(full), full);
}

TEST_F(ChartInteractionTest, PanStaysInsideTheExtent)
{
    interaction.panBy(-50.0, full, extent);
    EXPECT_EQ(interaction.visibleWindow(full), (AxisWindow {50.0, 250.0}));
    interaction.panBy(-500.0, full, extent);
    EXPECT_EQ(interaction.visibleWindow(full), (AxisWindow {0.0, 200.0}));
    interaction.panBy(1000.0, full, extent);
    EXPECT_EQ(interaction.visibleWindow(full), full);
    ChartInteraction memory;
    memory.panBy(10.0, {0.0, 99.0}, {0.0, 99.0});
    EXPECT_FALSE(memory.zoomed());
}

TEST_F(ChartInteractionTest, CursorsReadTheNearestHeldPointOfEveryLine)
{
    ChartPaneModel pane;
    pane.setCapacity(100);
    pane.addDataLine("sine", 0);
    pane.addDataLine("empty", 0);
    for (int n = 0; n < 50; ++n)
        pane.addPoint(0, n * 2, n * 1.5);
    pane.setDecimals(2);

    const PointReadout hover = readoutAt(pane, 10.6);
    EXPECT_EQ(hover.values[0], 1.5 * 5);
    EXPECT_EQ(hover.values[1], std::nullopt);
    EXPECT_EQ(readoutTexts(pane, hover), (std::vector<std::string> {"X: 11", "sine: 7.50", "empty: -"}));

    EXPECT_EQ(cursorDelta(pane, interaction), std::nullopt);
    interaction.placeCursor(CursorMark::A, 3.6);
    interaction.placeCursor(CursorMark::B, 20.2);
    EXPECT_EQ(interaction.cursor(CursorMark::A), 4.0);
    const std::optional<CursorDelta> delta = cursorDelta(pane, interaction);
    ASSERT_TRUE(delta);
    EXPECT_EQ(delta->dx, 16.0);
    EXPECT_EQ(delta->dy[0], 1.5 * 10 - 1.5 * 2);
    EXPECT_EQ(deltaTexts(pane, *delta), (std::vector<std::string> {"ΔX: 16", "Δsine: 12.00", "Δempty: -"}));
    interaction.clear();
    EXPECT_EQ(interaction.cursor(CursorMark::B), std::nullopt);
}

} // namespace
} // namespace lumetra::graph
