// The in-memory chart pane: rings of the set capacity, reading points back, the extremes of the held points,
// the x windows of both axis modes, automatic scaling and refresh batching.
#include "graph/chart/chart_pane_model.h"
#include "graph/chart/chart_ticks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace lumetra::graph {
namespace {

ChartPaneModel timeGraphPane(std::size_t capacity, int lines = 1)
{
    ChartPaneModel pane;
    pane.setCapacity(capacity);
    for (int line = 0; line < lines; ++line)
        pane.addDataLine("CH", 0xB5FFE7);
    pane.setXAxisMode(XAxisMode::Time);
    pane.setXSpan(200.0);
    return pane;
}

TEST(ChartPaneModel, LinesTakeIndexesInOrderAndClearingRemovesThem)
{
    ChartPaneModel pane;
    EXPECT_EQ(pane.addDataLine("first", 1), 0);
    EXPECT_EQ(pane.addDataLine("second", 2), 1);
    EXPECT_EQ(pane.dataLineCount(), 2);
    EXPECT_EQ(pane.lineTitle(1), "second");
    pane.setLineColour(1, 0x123456);
    EXPECT_EQ(pane.lineColour(1), 0x123456u);
    pane.clearDataAndLines();
    EXPECT_EQ(pane.dataLineCount(), 0);
    EXPECT_EQ(pane.addDataLine("again", 3), 0);
}

TEST(ChartPaneModel, RingKeepsTheNewestPointsAndReadingBeyondThemFails)
{
    ChartPaneModel pane = timeGraphPane(3);
    for (int sample = 1; sample <= 5; ++sample)
        pane.addPoint(0, sample, sample * 10.0);
    EXPECT_EQ(pane.readPoint(0, 0), 30.0);
    EXPECT_EQ(pane.readPoint(0, 2), 50.0);
    EXPECT_EQ(pane.readPoint(0, 3), std::nullopt);
    EXPECT_EQ(pane.readPoint(1, 0), std::nullopt);
    EXPECT_EQ(pane.readPoint(-1, 0), std::nullopt);
    EXPECT_EQ(pane.linePoints(0)->at(0).x, 3);
}

TEST(ChartPaneModel, SevenThousandSamplesIntoFiveThousandHoldTheLastFiveThousand)
{
    ChartPaneModel pane = timeGraphPane(5000, 2);
    for (int sample = 0; sample < 7000; ++sample) {
        pane.advanceX(sample);
        pane.addPoint(1, sample, sample * 0.5);
    }
    EXPECT_EQ(pane.readPoint(1, 0), 1000.0);
    EXPECT_EQ(pane.readPoint(1, 4999), 6999 * 0.5);
    EXPECT_EQ(pane.readPoint(1, 5000), std::nullopt);
    EXPECT_EQ(pane.readPoint(0, 0), std::nullopt);
    EXPECT_EQ(pane.lineMinimum(1), 1000.0);
    EXPECT_EQ(pane.lineMaximum(1), 6999 * 0.5);
}

TEST(ChartPaneModel, CapacityZeroKeepsNothingAndChangesKeepTheNewest)
{
    ChartPaneModel pane = timeGraphPane(0);
    pane.addPoint(0, 1, 5.0);
    EXPECT_EQ(pane.readPoint(0, 0), std::nullopt);
    EXPECT_EQ(pane.lineMinimum(0), 0.0);
    EXPECT_EQ(pane.lineMaximum(0), 0.0);

    pane.setCapacity(10);
    for (int sample = 0; sample < 10; ++sample)
        pane.addPoint(0, sample, sample == 2 ? -7.0 : sample);
    pane.setCapacity(4);
    EXPECT_EQ(pane.readPoint(0, 0), 6.0);
    EXPECT_EQ(pane.readPoint(0, 4), std::nullopt);
    EXPECT_EQ(pane.lineMinimum(0), 6.0);
    pane.setCapacity(8);
    pane.addPoint(0, 10, 10.0);
    EXPECT_EQ(pane.readPoint(0, 0), 6.0);
    EXPECT_EQ(pane.readPoint(0, 4), 10.0);
    // A line added later gets the pane's capacity.
    EXPECT_EQ(pane.addDataLine("later", 0), 1);
    EXPECT_EQ(pane.linePoints(1)->capacity(), 8u);
}

TEST(ChartPaneModel, ExtremesFollowTheHeldPointsAsExtremesDropOut)
{
    ChartPaneModel pane = timeGraphPane(4);
    for (const double value : {9.0, -3.0, 5.0, 1.0})
        pane.addPoint(0, 0, value);
    EXPECT_EQ(pane.lineMaximum(0), 9.0);
    pane.addPoint(0, 0, 2.0); // 9 drops out
    EXPECT_EQ(pane.lineMaximum(0), 5.0);
    EXPECT_EQ(pane.lineMinimum(0), -3.0);
    pane.addPoint(0, 0, 2.0); // -3 drops out
    EXPECT_EQ(pane.lineMinimum(0), 1.0);
    EXPECT_EQ(pane.lineMinimum(7), 0.0);
}

TEST(ChartPaneModel, ExtremesMatchAFullScanOverALongRandomRun)
{
    ChartPaneModel pane = timeGraphPane(50);
    std::mt19937 random(11);
    std::uniform_real_distribution<double> value(-100.0, 100.0);
    std::vector<double> added;
    for (int sample = 0; sample < 20000; ++sample) {
        added.push_back(value(random));
        pane.addPoint(0, sample, added.back());
        const auto held = added.end() - std::min<std::ptrdiff_t>(50, static_cast<std::ptrdiff_t>(added.size()));
        ASSERT_EQ(pane.lineMinimum(0), *std::min_element(held, added.end())) << sample;
        ASSERT_EQ(pane.lineMaximum(0), *std::max_element(held, added.end())) << sample;
    }
}

TEST(ChartPaneModel, NonFiniteValuesAreHeldButTakeNoPartInExtremesOrScaling)
{
    ChartPaneModel pane = timeGraphPane(10);
    pane.addPoint(0, 0, std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(pane.lineMaximum(0), 0.0);
    pane.addPoint(0, 1, std::numeric_limits<double>::infinity());
    pane.addPoint(0, 2, 3.0);
    EXPECT_EQ(pane.lineMaximum(0), 3.0);
    EXPECT_TRUE(std::isnan(*pane.readPoint(0, 0)));
    EXPECT_EQ(pane.valueWindow(), (AxisWindow {-10.0, 10.0}));
}

TEST(ChartPaneModel, MemoryGraphShowsZeroToSpan)
{
    ChartPaneModel pane;
    pane.setXAxisMode(XAxisMode::Memory);
    pane.setXSpan(99.0);
    pane.setCapacity(100);
    pane.addDataLine("buffer", 0);
    for (int n = 0; n < 100; ++n) {
        pane.advanceX(n);
        pane.addPoint(0, n, n);
    }
    EXPECT_EQ(pane.fullXWindow(), (AxisWindow {0.0, 99.0}));
    EXPECT_EQ(pane.readPoint(0, 99), 99.0);
    EXPECT_EQ(pane.readPoint(0, 100), std::nullopt);
}

TEST(ChartPaneModel, TimeGraphScrollsOnceTheNewestXPassesTheSpan)
{
    ChartPaneModel pane = timeGraphPane(5000);
    pane.advanceX(150);
    EXPECT_EQ(pane.fullXWindow(), (AxisWindow {0.0, 200.0}));
    pane.advanceX(300);
    EXPECT_EQ(pane.fullXWindow(), (AxisWindow {100.0, 300.0}));
    for (int sample = 0; sample <= 300; ++sample)
        pane.addPoint(0, sample, 0.0);
    EXPECT_EQ(pane.xExtent(), (AxisWindow {0.0, 300.0}));
    // The span 0.0 set while a pane is reset still gives a window.
    pane.setXSpan(0.0);
    EXPECT_GT(pane.fullXWindow().width(), 0.0);
}

TEST(ChartPaneModel, AutomaticScalingWidensToArrivingPointsButNeverBelowTheSetRange)
{
    ChartPaneModel pane = timeGraphPane(3);
    pane.setValueRange(-10.0, 10.0);
    pane.addPoint(0, 0, 4.0);
    EXPECT_EQ(pane.valueWindow(), (AxisWindow {-10.0, 10.0}));
    pane.addPoint(0, 1, 25.0);
    pane.addPoint(0, 2, -12.0);
    EXPECT_EQ(pane.valueWindow(), (AxisWindow {-12.0, 25.0}));
    // The axis stays wide when the point that widened it drops out of the ring.
    for (int n = 0; n < 3; ++n)
        pane.addPoint(0, 3 + n, 0.0);
    EXPECT_EQ(pane.valueWindow(), (AxisWindow {-12.0, 25.0}));

    pane.setAutoScale(false);
    pane.setValueRange(7.0, 3.0);
    pane.addPoint(0, 9, 100.0);
    EXPECT_EQ(pane.valueWindow(), (AxisWindow {3.0, 7.0}));
    pane.setValueRange(0.0, 0.0);
    EXPECT_EQ(pane.valueWindow(), (AxisWindow {-5.0, 5.0})) << "flat: widened so that its labels differ";
}

TEST(ChartPaneModel, FlatDataGetsAValueAxisWhoseLabelsAllDiffer)
{
    for (const auto& [value, decimals] : {std::pair {0.0, 0}, {3540.4, 0}, {0.5, 0}, {-7.25, 1}, {1.0, 3}, {2.0, 9}}) {
        ChartPaneModel pane = timeGraphPane(3);
        pane.setDecimals(decimals);
        pane.setValueRange(value, value);
        const AxisWindow window = pane.valueWindow();
        EXPECT_TRUE(window.contains(value));
        std::vector<std::string> labels;
        for (const double tick : axisTicks(window).major)
            labels.push_back(fixedLabel(tick, decimals));
        std::vector<std::string> distinct = labels;
        std::sort(distinct.begin(), distinct.end());
        distinct.erase(std::unique(distinct.begin(), distinct.end()), distinct.end());
        EXPECT_EQ(distinct.size(), labels.size())
            << value << " with " << decimals << " decimals: " << labels[0] << " .. " << labels.back();
    }
    ChartPaneModel pane = timeGraphPane(3);
    pane.setValueRange(3540.0, 3540.0);
    EXPECT_EQ(pane.valueWindow(), (AxisWindow {3535.0, 3545.0}));
}

TEST(ChartPaneModel, ResetAppearanceRestoresTheInitialAxesTitleAndPrintAppearance)
{
    ChartPaneModel pane;
    pane.setXAxisMode(XAxisMode::Memory);
    pane.setXSpan(5.0);
    pane.setAutoScale(false);
    pane.setValueRange(1.0, 2.0);
    pane.setDecimals(3);
    pane.setTitle("Monday, December 07, 2026");
    pane.setPrintAppearance({0xFFFFFF, 0xFFFFFF, false, true});
    pane.resetAppearance();
    EXPECT_EQ(pane.xAxisMode(), XAxisMode::Time);
    EXPECT_EQ(pane.xSpan(), 100.0);
    EXPECT_TRUE(pane.autoScale());
    EXPECT_EQ(pane.valueWindow(), (AxisWindow {-10.0, 10.0}));
    EXPECT_EQ(pane.decimals(), 0);
    EXPECT_EQ(pane.title(), "");
    EXPECT_EQ(pane.printAppearance(), PrintAppearance {});
    pane.setDecimals(-4);
    EXPECT_EQ(pane.decimals(), 0);
}

TEST(ChartPaneModel, OnlyTheOutermostEndOfRefreshWantsARepaint)
{
    ChartPaneModel pane = timeGraphPane(10);
    int requests = 0;
    pane.setRepaintRequest([&] { ++requests; });
    pane.addPoint(0, 0, 1.0);
    EXPECT_FALSE(pane.takeRepaintWanted());
    pane.beginRefresh();
    pane.beginRefresh();
    pane.endRefresh();
    EXPECT_EQ(requests, 0);
    EXPECT_TRUE(pane.refreshing());
    pane.endRefresh();
    EXPECT_EQ(requests, 1);
    EXPECT_TRUE(pane.takeRepaintWanted());
    EXPECT_FALSE(pane.takeRepaintWanted());
    // An unbalanced end still asks for the repaint.
    pane.endRefresh();
    EXPECT_EQ(requests, 2);
    refresh(pane);
    EXPECT_EQ(requests, 3);
}

} // namespace
} // namespace lumetra::graph
