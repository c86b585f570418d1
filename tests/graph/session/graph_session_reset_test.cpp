// Opening a graph window: the status texts, the reset of every pane in use, the layout of the panes.
#include "graph_test_doubles.h"

#include <gtest/gtest.h>

namespace lumetra::graph {
namespace {

using namespace std::chrono_literals;
using test::channel;
using test::GraphHarness;

class GraphSessionReset : public ::testing::Test {
protected:
    GraphHarness h;
};

TEST_F(GraphSessionReset, SinglePaneMemoryGraphResetsInOrder)
{
    auto session = h.session({test::memoryEnvironment(100), false,
        {channel("A", 0x8000, 100), channel("B", 0x8100, 50)}, test::kColours});
    session->open();
    EXPECT_EQ(h.charts[0].takeCalls(),
        (std::vector<std::string> {"clearDataAndLines", "resetAppearance", "setXSpan(0)", "setValueRange(0,0)",
            "setCapacity(0)", "setDecimals(0)", "beginRefresh", "endRefresh", "addDataLine(A,0xB5FFE7)",
            "addDataLine(B,0xDEFF94)", "setXAxisMode(Memory)", "setXSpan(99)", "setCapacity(100)", "setAutoScale(on)",
            "setValueRange(-10,10)", "setDecimals(3)", "beginRefresh", "endRefresh", "setActiveLine(0)"}));
    EXPECT_TRUE(h.charts[1].calls.empty());
    EXPECT_EQ(session->paneCount(), 1);
    EXPECT_EQ(session->paneCapacity(0), 100u);
    EXPECT_EQ(h.status.scale, "자동 Scale");
    EXPECT_EQ(h.status.decimals, "소숫점:3");
    EXPECT_EQ(h.status.channel, "CH1");
    EXPECT_EQ(h.status.progressClears, 1);
    // Acquisition begins: the first sample after the record's interval.
    EXPECT_TRUE(session->acquiring());
    EXPECT_TRUE(h.host.acquiringFlag);
    EXPECT_TRUE(h.timer.armed);
    EXPECT_EQ(h.timer.delay, 10ms);
}

TEST_F(GraphSessionReset, TimeGraphSpansTwoHundredAndKeepsFiveThousand)
{
    auto session = h.session({test::timeEnvironment(20, ScaleMode::Manual), false,
        {channel("T", 0x8000, 0), channel("U", 0x8001, 0)}, test::kColours});
    session->open();
    const test::RecordingStripChart& chart = h.charts[0];
    EXPECT_EQ(chart.xAxisMode, XAxisMode::Time);
    EXPECT_EQ(chart.xSpan, 200.0);
    EXPECT_EQ(chart.capacity(), 5000u);
    EXPECT_FALSE(chart.autoScale);
    EXPECT_EQ(chart.minimum, -5.0);
    EXPECT_EQ(chart.maximum, 5.0);
    EXPECT_EQ(h.status.scale, "Max:5.000, Min:-5.000");
    EXPECT_EQ(h.status.progressClears, 0);
    EXPECT_EQ(h.status.running, true);
    EXPECT_EQ(h.timer.delay, 20ms);
}

TEST_F(GraphSessionReset, IndividualPanesTakeTheirChannelsLength)
{
    auto session = h.session({test::memoryEnvironment(8000), true,
        {channel("A", 0x8000, 10), channel("B", 0x9000, 8000), channel("C", 0xA000, 100)}, test::kColours});
    session->open();
    EXPECT_TRUE(session->individual());
    EXPECT_EQ(session->paneCount(), 3);
    EXPECT_EQ(h.charts[0].xSpan, 9.0);
    EXPECT_EQ(h.charts[0].capacity(), 10u);
    // Cut to 5000 points, while the graph's length stays 8000.
    EXPECT_EQ(session->channels()[1].length, 5000u);
    EXPECT_EQ(h.charts[1].xSpan, 4999.0);
    EXPECT_EQ(h.charts[1].capacity(), 5000u);
    EXPECT_EQ(session->length(), 8000u);
    EXPECT_EQ(h.charts[2].capacity(), 100u);
    ASSERT_EQ(h.charts[2].lines.size(), 1u);
    EXPECT_EQ(h.charts[2].lines[0].title, "C");
    EXPECT_EQ(h.charts[2].lines[0].colour, 0xFF69FFu);
    EXPECT_EQ(h.charts[2].activeLine, 0);
    EXPECT_TRUE(h.charts[3].calls.empty());
}

TEST_F(GraphSessionReset, SingleLayoutMemoryGraphSpansTheRecordsLength)
{
    auto session = h.session({test::memoryEnvironment(8000), true, {channel("A", 0x8000, 8000)}, test::kColours});
    session->open();
    EXPECT_FALSE(session->individual());
    EXPECT_EQ(h.charts[0].xSpan, 7999.0);
    EXPECT_EQ(h.charts[0].capacity(), 8000u);
}

TEST_F(GraphSessionReset, NoChannelShowsTheTextsAndTheMessageOnly)
{
    auto session = h.session({test::memoryEnvironment(100), false, {}, test::kColours});
    session->open();
    EXPECT_EQ(h.prompts.texts(), (std::vector<std::string> {"선택한 그래프 항목이 없읍니다."}));
    EXPECT_EQ(h.status.scale, "자동 Scale");
    EXPECT_EQ(h.status.decimals, "소숫점:3");
    EXPECT_TRUE(h.charts[0].calls.empty());
    EXPECT_EQ(h.host.connects, 0);
    EXPECT_FALSE(h.timer.armed);
}

TEST_F(GraphSessionReset, MoreThanFourChannelsKeepTheFirstFour)
{
    auto session = h.session({test::memoryEnvironment(10), true,
        {channel("A", 0, 10), channel("B", 0, 10), channel("C", 0, 10), channel("D", 0, 10), channel("E", 0, 10)},
        test::kColours});
    EXPECT_EQ(session->channels().size(), 4u);
    EXPECT_EQ(session->paneCount(), 4);
}

} // namespace
} // namespace lumetra::graph
