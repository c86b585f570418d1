// The scaling, decimals, interval and channel commands of a graph window, with the timer paused around their
// dialogs.
#include "graph_test_doubles.h"

#include <gtest/gtest.h>

namespace lumetra::graph {
namespace {

using namespace std::chrono_literals;
using test::channel;
using test::GraphHarness;

constexpr std::uint32_t kBlock = 0x9000;

class GraphCommands : public ::testing::Test {
protected:
    GraphCommands()
    {
        // Line 0 holds 10..14, line 1 holds -50..50.
        for (std::uint32_t i = 0; i < 5; ++i) {
            h.pod.setWord(kBlock + i, static_cast<std::uint16_t>(10 + i));
            h.pod.setWord(kBlock + 0x10 + i, static_cast<std::uint16_t>(static_cast<std::int16_t>(-50 + 25 * i)));
        }
    }

    std::unique_ptr<GraphSession> finishedGraph(ScaleMode scale, bool individual)
    {
        auto session = h.session({test::memoryEnvironment(5, scale), individual,
            {channel("A", kBlock, 5, 13), channel("B", kBlock + 0x10, 5, 3)}, test::kColours});
        session->open();
        h.run(*session);
        return session;
    }

    GraphHarness h;
};

TEST_F(GraphCommands, AutoScaleFitsLineZeroOnlyWhileTheEndFitsAllLines)
{
    auto session = finishedGraph(ScaleMode::Manual, false);
    EXPECT_EQ(h.charts[0].minimum, -5.0) << "no fit at the end in manual mode";
    session->autoScale();
    EXPECT_EQ(h.charts[0].minimum, 10.0);
    EXPECT_EQ(h.charts[0].maximum, 14.0);
    EXPECT_TRUE(h.charts[0].autoScale);
    EXPECT_EQ(session->scaleMode(), ScaleMode::Automatic);
    EXPECT_EQ(h.status.scale, "자동 Scale");

    GraphHarness other;
    for (std::uint32_t i = 0; i < 0x20; ++i)
        other.pod.setWord(kBlock + i, h.pod.word(kBlock + i));
    auto automatic = other.session({test::memoryEnvironment(5), false,
        {channel("A", kBlock, 5, 13), channel("B", kBlock + 0x10, 5, 3)}, test::kColours});
    automatic->open();
    other.run(*automatic);
    EXPECT_EQ(other.charts[0].minimum, -50.0);
    EXPECT_EQ(other.charts[0].maximum, 50.0);
}

TEST_F(GraphCommands, AutoScaleDoesNothingInAutomaticMode)
{
    auto session = finishedGraph(ScaleMode::Automatic, false);
    h.charts[0].takeCalls();
    session->autoScale();
    EXPECT_TRUE(h.charts[0].calls.empty());
}

TEST_F(GraphCommands, AutoScaleInIndividualPanesFitsEachPane)
{
    auto session = finishedGraph(ScaleMode::Manual, true);
    session->autoScale();
    EXPECT_EQ(h.charts[0].minimum, 10.0);
    EXPECT_EQ(h.charts[1].minimum, -50.0);
    EXPECT_EQ(h.charts[1].maximum, 50.0);
}

TEST_F(GraphCommands, ManualScaleAppliesTheAcceptedBounds)
{
    auto session = finishedGraph(ScaleMode::Automatic, true);
    h.dialogs.bounds = ScaleBounds {7.0, 3.0};
    session->manualScale();
    EXPECT_EQ(h.dialogs.boundsPrefill, (ScaleBoundTexts {"5.000", "-5.000"}));
    for (int p = 0; p < 2; ++p) {
        EXPECT_FALSE(h.charts[p].autoScale);
        EXPECT_EQ(h.charts[p].minimum, 3.0);
        EXPECT_EQ(h.charts[p].maximum, 7.0);
    }
    EXPECT_EQ(session->scaleMode(), ScaleMode::Manual);
    EXPECT_EQ(h.status.scale, "Max:7.000, Min:3.000");
    // Already manual: no dialog.
    session->manualScale();
    EXPECT_EQ(h.dialogs.shown, 1);
}

TEST_F(GraphCommands, ManualScaleWithNoDecimalsShowsWholeBounds)
{
    auto session = h.session({{GraphKind::Memory, ScaleMode::Automatic, 10, 5, 0, 0.0, 0.0}, false,
        {channel("A", kBlock, 5)}, test::kColours});
    session->open();
    h.dialogs.bounds = ScaleBounds {2.9, -2.9};
    session->manualScale();
    EXPECT_EQ(h.status.scale, "Max:2, Min:-2");
}

TEST_F(GraphCommands, CancelledManualScaleChangesNothing)
{
    auto session = finishedGraph(ScaleMode::Automatic, false);
    session->manualScale();
    EXPECT_EQ(h.dialogs.shown, 1);
    EXPECT_EQ(session->scaleMode(), ScaleMode::Automatic);
    EXPECT_EQ(h.status.scale, "자동 Scale");
}

TEST_F(GraphCommands, DialogsPauseTheTimerAndReArmItOnCancelToo)
{
    auto memory = h.session({test::memoryEnvironment(5), false, {channel("A", kBlock, 5)}, test::kColours});
    memory->open();
    h.run(*memory, 2);
    memory->manualScale();
    memory->decimalsCommand();
    EXPECT_EQ(h.dialogs.shown, 2);
    EXPECT_FALSE(h.dialogs.timerArmedWhileShown);
    EXPECT_TRUE(h.timer.armed);
    EXPECT_EQ(h.timer.delay, 0ms);
    memory->stop();
    memory.reset();

    auto time = h.session({test::timeEnvironment(25), false, {channel("T", kBlock, 0)}, test::kColours});
    time->open();
    h.dialogs.interval = 40;
    time->timeIntervalCommand();
    EXPECT_EQ(h.dialogs.shownPrefill, "25");
    EXPECT_FALSE(h.dialogs.timerArmedWhileShown);
    EXPECT_EQ(time->interval(), 40);
    EXPECT_TRUE(h.timer.armed);
    EXPECT_EQ(h.timer.delay, 40ms);
    h.dialogs.interval.reset();
    time->decimalsCommand();
    EXPECT_EQ(h.timer.delay, 40ms);
    EXPECT_EQ(time->decimals(), 3u);
}

TEST_F(GraphCommands, AnIdleWindowsDialogLeavesTheTimerAlone)
{
    auto session = finishedGraph(ScaleMode::Automatic, false);
    const int arms = h.timer.armCount;
    h.dialogs.decimals = 2;
    session->decimalsCommand();
    EXPECT_EQ(h.timer.armCount, arms);
    EXPECT_FALSE(h.timer.armed);
}

TEST_F(GraphCommands, DecimalsGoToEveryPaneAndTheStatusBar)
{
    auto session = finishedGraph(ScaleMode::Automatic, true);
    h.dialogs.decimals = 1;
    session->decimalsCommand();
    EXPECT_EQ(h.dialogs.shownPrefill, "3");
    EXPECT_EQ(h.charts[0].decimals, 1);
    EXPECT_EQ(h.charts[1].decimals, 1);
    EXPECT_EQ(h.status.decimals, "소숫점:1");
}

TEST_F(GraphCommands, TheIntervalCommandIsForTimeGraphsOnly)
{
    auto session = finishedGraph(ScaleMode::Automatic, false);
    h.dialogs.interval = 99;
    session->timeIntervalCommand();
    EXPECT_EQ(h.dialogs.shown, 0);
    EXPECT_EQ(session->interval(), 10);
}

TEST_F(GraphCommands, ChannelsSelectTheActiveLine)
{
    auto session = finishedGraph(ScaleMode::Automatic, false);
    session->selectChannel(2);
    EXPECT_EQ(h.charts[0].activeLine, 1);
    EXPECT_EQ(session->currentChannel(), 2);
    EXPECT_EQ(h.status.channel, "CH2");
    EXPECT_TRUE(session->contextMenu().back().checked);
    session->selectChannel(3);
    EXPECT_EQ(session->currentChannel(), 2) << "only two channels";
    session->selectChannel(1);
    EXPECT_EQ(h.charts[0].activeLine, 0);
    EXPECT_EQ(h.status.channel, "CH1");
}

TEST_F(GraphCommands, IndividualLayoutHasChannelOneOnly)
{
    auto session = finishedGraph(ScaleMode::Automatic, true);
    h.charts[0].activeLine = h.charts[1].activeLine = -1;
    session->selectChannel(2);
    EXPECT_EQ(session->currentChannel(), 1);
    session->selectChannel(1);
    EXPECT_EQ(h.charts[0].activeLine, 0);
    EXPECT_EQ(h.charts[1].activeLine, 0);
}

TEST_F(GraphCommands, MenusFollowTheSessionsState)
{
    auto session = h.session({test::memoryEnvironment(5), false, {channel("A", kBlock, 5)}, test::kColours});
    session->open();
    EXPECT_TRUE(session->menuInputs().acquiring);
    EXPECT_FALSE(session->acceptsChartClicks());
    EXPECT_FALSE(session->execute(GraphCommand::SaveText));
    EXPECT_TRUE(session->execute(GraphCommand::Stop));
    EXPECT_FALSE(session->acquiring());
    EXPECT_TRUE(session->acceptsChartClicks());
    session->highlight(GraphCommand::Start);
    EXPECT_EQ(h.status.message, "그래프에 표시할 데이타 수집 동작을 시작합니다.");
}

} // namespace
} // namespace lumetra::graph
