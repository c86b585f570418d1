// A read that fails for good in the middle of a graph: "통신 오류 발생 !", the points read so far kept, the axes
// fitted in automatic mode, the monitors stopped and the link closed.
#include "graph_test_doubles.h"

#include "graph/exports/graph_channel_values.h"

#include <gtest/gtest.h>

namespace lumetra::graph {
namespace {

using namespace std::chrono_literals;
using sim::FaultKind;
using test::channel;
using test::GraphHarness;

constexpr std::uint32_t kBlock = 0x9000;
constexpr int kGoodReads = 6;

sim::Fault lastingFault(FaultKind kind)
{
    sim::Fault fault {.kind = kind, .command = 'r', .skip = kGoodReads, .count = -1};
    if (kind == FaultKind::Delay || kind == FaultKind::Stall)
        fault.delay = 2500ms;
    if (kind == FaultKind::Stall)
        fault.afterBytes = 2;
    if (kind == FaultKind::HangUp)
        fault.command = 0;
    return fault;
}

std::string kindName(const ::testing::TestParamInfo<FaultKind>& info)
{
    static constexpr const char* names[] = {"NoReply", "WrongAck", "ShortReply", "Delay", "Stall", "StrayByte", "HangUp"};
    return names[static_cast<int>(info.param)];
}

class GraphReadFailure : public ::testing::TestWithParam<FaultKind> {
protected:
    GraphReadFailure() { h.fillWords(kBlock, 0x100); }
    GraphHarness h;
};

TEST_P(GraphReadFailure, MemoryGraphEndsWithTheMessageAndKeepsItsPoints)
{
    auto session = h.session({test::memoryEnvironment(50), false, {channel("A", kBlock, 50)}, test::kColours});
    session->open();
    h.run(*session, 2);
    h.pod.injectFault(lastingFault(GetParam()));
    h.run(*session);
    ASSERT_EQ(h.prompts.messages.size(), 1u);
    EXPECT_EQ(h.prompts.messages[0], (test::ShownMessage {core::MessageIcon::Error, "통신 오류 발생 !"}));
    const std::vector<double> points = h.charts[0].values(0);
    ASSERT_GE(points.size(), 2u);
    ASSERT_LT(points.size(), 50u);
    for (std::size_t i = 0; i < points.size(); ++i)
        EXPECT_EQ(points[i], 0x100 + static_cast<double>(i)) << i;
    EXPECT_EQ(h.charts[0].minimum, 0x100);
    EXPECT_EQ(h.charts[0].maximum, points.back());
    EXPECT_EQ(h.host.stops, (std::vector<int> {3}));
    EXPECT_FALSE(h.link.connected());
    EXPECT_FALSE(session->acquiring());
    EXPECT_FALSE(h.host.acquiringFlag);
    EXPECT_FALSE(h.timer.armed);
}

INSTANTIATE_TEST_SUITE_P(Kinds, GraphReadFailure,
    ::testing::Values(FaultKind::NoReply, FaultKind::WrongAck, FaultKind::ShortReply, FaultKind::Delay,
        FaultKind::Stall, FaultKind::HangUp),
    kindName);

TEST(GraphReadFailureTime, TimeGraphStopsItsIndicatorAndFitsEachPane)
{
    GraphHarness h;
    h.pod.setWord(0x8000, 3);
    h.pod.setWord(0x8001, 9);
    auto session = h.session(
        {test::timeEnvironment(10), true, {channel("a", 0x8000, 0), channel("b", 0x8001, 0)}, test::kColours});
    session->open();
    h.run(*session, 3);
    h.pod.injectFault({.kind = FaultKind::WrongAck, .command = 'r', .count = -1});
    h.run(*session);
    EXPECT_EQ(h.prompts.texts(), (std::vector<std::string> {"통신 오류 발생 !"}));
    EXPECT_EQ(h.status.running, false);
    EXPECT_EQ(h.charts[0].values(0), (std::vector<double> {3, 3, 3}));
    EXPECT_EQ(h.charts[1].values(0), (std::vector<double> {9, 9, 9}));
    EXPECT_EQ(h.charts[0].minimum, 3.0);
    EXPECT_EQ(h.charts[1].maximum, 9.0);
    EXPECT_FALSE(h.link.connected());
    EXPECT_EQ(session->sampleCounter(), 3u);
}

TEST(GraphReadFailureTime, TheValuesForOtherProgramsHoldOnlyCompleteSamples)
{
    GraphHarness h;
    auto session = h.session(
        {test::timeEnvironment(10), true, {channel("a", 0x8000, 0), channel("b", 0x8001, 0)}, test::kColours});
    session->open();
    // Three whole samples, then channel a of the fourth is read and channel b's read fails.
    h.pod.injectFault({.kind = FaultKind::WrongAck, .command = 'r', .skip = 7, .count = -1});
    h.run(*session);
    ASSERT_EQ(session->sampleCounter(), 3u);
    ASSERT_EQ(h.charts[0].values(0).size(), 4u) << "the pane shows the partial sample's point";

    const GraphValues values = graphValuesOf(*session);
    ASSERT_EQ(values.channels.size(), 2u);
    EXPECT_EQ(values.channels[0].values.size(), 3u);
    EXPECT_EQ(values.channels[1].values.size(), 3u);
}

} // namespace
} // namespace lumetra::graph
