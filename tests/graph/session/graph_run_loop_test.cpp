// The run loop of a session without a window: it sleeps until the armed deadline, ends at a sample limit, a stop
// request or a time, and leaves the points read so far on the panes.
#include "recording_strip_chart.h"

#include "graph/exports/graph_channel_values.h"
#include "graph/session/graph_run_loop.h"
#include "graph/session/graph_session.h"
#include "graph/session/graph_texts.h"
#include "graph/session/headless_graph_ports.h"

#include "link/pod_link.h"
#include "sim/in_process_transport.h"
#include "sim/pod_simulator.h"

#include <gtest/gtest.h>

#include <thread>

namespace lumetra::graph {
namespace {

using namespace std::chrono_literals;
using Clock = LoopGraphTimer::Clock;

constexpr std::uint32_t kBlock = 0x9000;

GraphRunLimits sampleLimit(std::uint32_t samples)
{
    GraphRunLimits limits;
    limits.sampleLimit = samples;
    return limits;
}

GraphRunLimits stopOn(const std::atomic<bool>& request)
{
    GraphRunLimits limits;
    limits.stopRequest = &request;
    return limits;
}

class CountedPrompts final : public core::UserPrompts {
public:
    void showMessage(core::MessageIcon, std::string_view text) override { texts.emplace_back(text); }
    std::vector<std::string> texts;
};

class GraphRunLoop : public ::testing::Test {
protected:
    GraphRunLoop()
        : factory(pod)
        , link(factory)
        , host(link, {})
    {
        link.setReplyTimeout(link::Milliseconds {20});
        for (std::uint32_t i = 0; i < 16; ++i)
            pod.setWord(kBlock + i, static_cast<std::uint16_t>(0x100 + i));
    }

    GraphSession session(
        GraphKind kind, std::int32_t interval, std::vector<GraphChannel> channels, bool individual = false)
    {
        std::uint32_t length = 0;
        for (const GraphChannel& channel : channels)
            length = std::max(length, channel.length);
        GraphSessionPorts ports {link, timer, host, prompts, status, dialogs, clock,
            {&charts[0], &charts[1], &charts[2], &charts[3]}, nullptr};
        return GraphSession({{kind, ScaleMode::Automatic, interval, length, 0, 0, 0}, individual, std::move(channels), {}},
            ports);
    }

    sim::PodSimulator pod;
    sim::InProcessTransportFactory factory;
    link::CPodLink link;
    LoopGraphTimer timer;
    LinkGraphHost host;
    CountedPrompts prompts;
    SilentGraphStatusView status;
    NoGraphDialogs dialogs;
    SteadyGraphClock clock;
    std::array<test::RecordingStripChart, 4> charts;
};

TEST_F(GraphRunLoop, AMemoryGraphRunsToItsEndAndClosesTheLink)
{
    GraphSession graph = session(GraphKind::Memory, 0, {{"A", kBlock, 16, 13, 0}, {"B", kBlock + 4, 3, 3, 0}});
    graph.open();
    EXPECT_EQ(runGraphSession(graph, timer), GraphRunEnd::SessionStopped);
    const GraphValues values = graphValuesOf(graph);
    ASSERT_EQ(values.channels.size(), 2u);
    ASSERT_EQ(values.channels[0].values.size(), 16u);
    EXPECT_EQ(values.channels[0].values[15], 0x10F);
    EXPECT_EQ(values.channels[1].values, (std::vector<double> {0x104, 0x105, 0x106}));
    EXPECT_FALSE(graph.acquiring());
    EXPECT_FALSE(link.connected());
    EXPECT_TRUE(prompts.texts.empty());
}

TEST_F(GraphRunLoop, TheValuesOfEachChannelComeFromItsOwnPaneInTheIndividualLayout)
{
    GraphSession graph
        = session(GraphKind::Memory, 0, {{"A", kBlock, 2, 13, 0}, {"B", kBlock + 8, 3, 13, 0}}, true);
    graph.open();
    runGraphSession(graph, timer);
    ASSERT_TRUE(graph.individual());
    EXPECT_EQ(charts[1].values(0).size(), 3u);
    const GraphValues values = graphValuesOf(graph);
    EXPECT_EQ(values.channels[0].values, (std::vector<double> {0x100, 0x101}));
    EXPECT_EQ(values.channels[1].values, (std::vector<double> {0x108, 0x109, 0x10A}));
    EXPECT_EQ(values.channels[1].channel.label, "B");
}

TEST_F(GraphRunLoop, ATimeGraphStopsAtItsSampleLimitAfterWaitingEachInterval)
{
    GraphSession graph = session(GraphKind::Time, 15, {{"A", kBlock, 0, 13, 0}, {"B", kBlock + 1, 0, 6, 0}});
    const auto start = Clock::now();
    graph.open();
    EXPECT_EQ(runGraphSession(graph, timer, sampleLimit(4)), GraphRunEnd::SampleLimit);
    // Four samples on a 15 ms grid: the last is due 60 ms after the start.
    EXPECT_GE(Clock::now() - start, 60ms);
    EXPECT_EQ(graph.sampleCounter(), 4u);
    EXPECT_FALSE(graph.acquiring());
    EXPECT_FALSE(timer.armed());
    EXPECT_FALSE(host.graphAcquiring());
    EXPECT_EQ(charts[0].values(0), (std::vector<double>(4, 0x100)));
    EXPECT_EQ(charts[0].values(1).size(), 4u);
}

TEST_F(GraphRunLoop, AStopRequestEndsTheRunWithoutWaitingForTheDeadline)
{
    GraphSession graph = session(GraphKind::Time, 1, {{"A", kBlock, 0, 13, 0}});
    std::atomic<bool> stop {false};
    int ticks = 0;
    graph.open();
    GraphRunLimits limits = stopOn(stop);
    limits.onTick = [&](Clock::time_point) { stop = ++ticks == 3; };
    const GraphRunEnd end = runGraphSession(graph, timer, limits);
    EXPECT_EQ(end, GraphRunEnd::StopRequested);
    EXPECT_EQ(graph.sampleCounter(), 3u);
    EXPECT_EQ(charts[0].values(0).size(), 3u);

    // A long interval: the request, made while the loop sleeps, is seen within the check period.
    GraphSession slow = session(GraphKind::Time, 60000, {{"A", kBlock, 0, 13, 0}});
    stop = false;
    slow.open();
    std::thread requester([&] {
        std::this_thread::sleep_for(50ms);
        stop = true;
    });
    const auto start = Clock::now();
    EXPECT_EQ(runGraphSession(slow, timer, stopOn(stop)), GraphRunEnd::StopRequested);
    requester.join();
    EXPECT_LT(Clock::now() - start, 10s);
    EXPECT_EQ(slow.sampleCounter(), 0u);
    EXPECT_FALSE(slow.acquiring());
}

TEST_F(GraphRunLoop, ATimeLimitStopsTheSession)
{
    GraphSession graph = session(GraphKind::Time, 60000, {{"A", kBlock, 0, 13, 0}});
    graph.open();
    GraphRunLimits limits;
    limits.until = Clock::now() + 30ms;
    EXPECT_EQ(runGraphSession(graph, timer, limits), GraphRunEnd::TimeUp);
    EXPECT_FALSE(graph.acquiring());
    EXPECT_EQ(graph.sampleCounter(), 0u);
}

TEST_F(GraphRunLoop, AFailedReadEndsTheRunWithThePointsBeforeIt)
{
    GraphSession graph = session(GraphKind::Time, 1, {{"A", kBlock, 0, 13, 0}});
    graph.open();
    // From the third sample on, every read is refused.
    pod.injectFault({.kind = sim::FaultKind::WrongAck, .command = 'r', .skip = 2, .count = -1});
    EXPECT_EQ(runGraphSession(graph, timer, sampleLimit(10)), GraphRunEnd::SessionStopped);
    EXPECT_EQ(prompts.texts, (std::vector<std::string> {std::string(kReadFailedText)}));
    EXPECT_EQ(graphValuesOf(graph).channels[0].values.size(), 2u);
    EXPECT_FALSE(link.connected());
}

TEST_F(GraphRunLoop, AFailedConnectNeverStartsTheLoop)
{
    GraphSession graph = session(GraphKind::Time, 1, {{"A", kBlock, 0, 13, 0}});
    pod.injectFault({.kind = sim::FaultKind::NoReply, .command = 'K', .count = -1});
    graph.open();
    EXPECT_EQ(runGraphSession(graph, timer, sampleLimit(5)), GraphRunEnd::SessionStopped);
    ASSERT_EQ(prompts.texts.size(), 1u);
    EXPECT_EQ(prompts.texts[0], link::connectMessage(link::ConnectCode::BaudRefused));
}

} // namespace
} // namespace lumetra::graph
