// Acquisition of memory and time graphs against the simulated POD: the ticks, the points, the end of a block,
// start and redraw, the guard against a second acquiring window, the monitors and the connect failures.
#include "graph_test_doubles.h"

#include "graph/exports/graph_csv_export.h"
#include "graph/exports/graph_export_source.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace lumetra::graph {
namespace {

using namespace std::chrono_literals;
using test::channel;
using test::GraphHarness;

constexpr std::uint32_t kBlock = 0x9000;

std::vector<double> expectedWords(std::uint32_t count)
{
    std::vector<double> values;
    for (std::uint32_t i = 0; i < count; ++i)
        values.push_back(0x100 + i);
    return values;
}

class GraphAcquisition : public ::testing::Test {
protected:
    GraphAcquisition() { h.fillWords(kBlock, 0x3000); }

    GraphSessionSetup memory(std::vector<GraphChannel> channels, std::uint32_t length, bool individual = false)
    {
        return {test::memoryEnvironment(length), individual, std::move(channels), test::kColours};
    }

    GraphHarness h;
};

TEST_F(GraphAcquisition, MemoryGraphReadsTheBlockThenFitsAndClosesTheLink)
{
    auto session = h.session(memory({channel("A", kBlock, 20)}, 20));
    session->open();
    h.run(*session, 5);
    EXPECT_EQ(session->sampleCounter(), 5u);
    EXPECT_EQ(h.status.progress, (std::pair<std::uint32_t, std::uint32_t> {5, 20}));
    EXPECT_EQ(h.charts[0].lastPointX, 4);
    EXPECT_EQ(h.charts[0].lastX, 4.0);
    EXPECT_EQ(h.timer.delay, 0ms);

    h.run(*session);
    EXPECT_EQ(h.charts[0].values(0), expectedWords(20));
    EXPECT_EQ(session->sampleCounter(), 20u);
    EXPECT_FALSE(session->acquiring());
    EXPECT_FALSE(h.host.acquiringFlag);
    EXPECT_FALSE(h.status.progress);
    EXPECT_EQ(h.charts[0].minimum, 0x100);
    EXPECT_EQ(h.charts[0].maximum, 0x100 + 19);
    EXPECT_EQ(h.host.stops, (std::vector<int> {3}));
    EXPECT_FALSE(h.link.connected());
    EXPECT_TRUE(h.prompts.messages.empty());
}

TEST_F(GraphAcquisition, ManualScaleKeepsItsAxisAtTheEnd)
{
    auto session = h.session(
        {test::memoryEnvironment(10, ScaleMode::Manual), false, {channel("A", kBlock, 10)}, test::kColours});
    session->open();
    h.run(*session);
    EXPECT_EQ(h.charts[0].minimum, -5.0);
    EXPECT_EQ(h.charts[0].maximum, 5.0);
    EXPECT_EQ(h.charts[0].values(0).size(), 10u);
}

TEST_F(GraphAcquisition, AnEightThousandElementChannelIsReadForFiveThousand)
{
    auto session = h.session(memory({channel("A", kBlock, 8000)}, 8000));
    session->open();
    h.pod.clearTrace();
    int progressAt5000 = 0;
    for (int tick = 0; tick < 5001; ++tick)
        session->onTimer(kGraphTimerId);
    progressAt5000 = h.status.progressUpdates;
    const auto reads = h.pod.trace().size();
    h.run(*session);
    EXPECT_EQ(h.charts[0].values(0).size(), 5000u);
    EXPECT_EQ(h.charts[0].values(0).back(), 0x100 + 4999);
    EXPECT_EQ(h.pod.trace().size(), reads) << "no read past element 4999";
    EXPECT_EQ(h.status.progressUpdates - progressAt5000, 2999);
    EXPECT_EQ(session->sampleCounter(), 8000u);
    EXPECT_FALSE(session->acquiring());
}

TEST_F(GraphAcquisition, AShorterChannelStopsReceivingPoints)
{
    auto session = h.session(memory({channel("short", kBlock, 10), channel("long", kBlock + 0x100, 100)}, 100));
    session->open();
    h.run(*session, 50);
    EXPECT_EQ(h.status.progress, (std::pair<std::uint32_t, std::uint32_t> {50, 100}));
    h.run(*session);
    EXPECT_EQ(h.charts[0].values(0), expectedWords(10));
    ASSERT_EQ(h.charts[0].values(1).size(), 100u);
    EXPECT_EQ(h.charts[0].values(1).front(), 0x200);
    // The automatic fit at the end spans every line.
    EXPECT_EQ(h.charts[0].minimum, 0x100);
    EXPECT_EQ(h.charts[0].maximum, 0x200 + 99);
}

TEST_F(GraphAcquisition, IndividualPanesGetTheirOwnChannel)
{
    auto session = h.session(memory({channel("A", kBlock, 5), channel("B", kBlock + 0x10, 5)}, 5, true));
    session->open();
    h.run(*session);
    EXPECT_EQ(h.charts[0].values(0), expectedWords(5));
    ASSERT_EQ(h.charts[1].values(0).size(), 5u);
    EXPECT_EQ(h.charts[1].values(0).front(), 0x110);
    EXPECT_EQ(h.charts[0].advances, 5);
    EXPECT_EQ(h.charts[1].advances, 5);
    // Each pane fits to its own line.
    EXPECT_EQ(h.charts[1].minimum, 0x110);
    EXPECT_EQ(h.charts[1].maximum, 0x114);
}

TEST_F(GraphAcquisition, TwoWordTypesReadEveryOtherWord)
{
    h.pod.setWord(0xA000, 0x0000);
    h.pod.setWord(0xA001, 0x3F80); // 1.0f, low word first
    h.pod.setWord(0xA002, 0x0000);
    h.pod.setWord(0xA003, 0xC020); // -2.5f
    h.pod.setWord(0xA100, 0xFFFF);
    h.pod.setWord(0xB000, 0xFFFF);
    auto session = h.session(memory({channel("f", 0xA000, 2, 6), channel("s", 0xA100, 1, 3),
                                        channel("u", 0xB000, 1, 13), channel("void", 0xB000, 2, 0)},
        2));
    session->open();
    h.run(*session);
    EXPECT_EQ(h.charts[0].values(0), (std::vector<double> {1.0, -2.5}));
    EXPECT_EQ(h.charts[0].values(1), (std::vector<double> {-1.0}));
    EXPECT_EQ(h.charts[0].values(2), (std::vector<double> {65535.0}));
    EXPECT_TRUE(h.charts[0].values(3).empty());
    EXPECT_TRUE(h.prompts.messages.empty());
}

TEST_F(GraphAcquisition, StartOnAStoppedGraphResumesAtTheNextElement)
{
    auto session = h.session(memory({channel("A", kBlock, 12)}, 12));
    session->open();
    h.run(*session, 4);
    session->stop();
    EXPECT_FALSE(session->acquiring());
    EXPECT_FALSE(h.host.acquiringFlag);
    EXPECT_FALSE(h.timer.armed);
    EXPECT_TRUE(h.link.connected()) << "stop keeps the link open";
    session->start();
    EXPECT_TRUE(session->acquiring());
    EXPECT_EQ(h.timer.delay, 0ms);
    EXPECT_EQ(session->sampleCounter(), 4u);
    h.run(*session);
    EXPECT_EQ(h.charts[0].values(0), expectedWords(12));
}

TEST_F(GraphAcquisition, StartOnAFinishedGraphRedrawsFromZero)
{
    auto session = h.session(memory({channel("A", kBlock, 6)}, 6));
    session->open();
    h.run(*session);
    h.charts[0].takeCalls();
    session->start();
    EXPECT_EQ(h.charts[0].takeCalls().front(), "clearDataAndLines");
    EXPECT_EQ(session->sampleCounter(), 0u);
    EXPECT_EQ(h.timer.delay, 10ms);
    h.run(*session);
    EXPECT_EQ(h.charts[0].values(0), expectedWords(6));
}

TEST_F(GraphAcquisition, StartWhileAcquiringIsIgnored)
{
    auto session = h.session(memory({channel("A", kBlock, 6)}, 6));
    session->open();
    h.run(*session, 2);
    const int connects = h.host.connects;
    session->start();
    EXPECT_EQ(h.host.connects, connects);
    EXPECT_EQ(session->sampleCounter(), 2u);
}

TEST_F(GraphAcquisition, RedrawStartsAgainFromZero)
{
    auto session = h.session(memory({channel("A", kBlock, 8)}, 8));
    session->open();
    h.run(*session, 3);
    session->stop();
    session->redraw();
    EXPECT_EQ(session->sampleCounter(), 0u);
    EXPECT_TRUE(h.charts[0].values(0).empty());
    EXPECT_EQ(h.timer.delay, 10ms);
    h.run(*session);
    EXPECT_EQ(h.charts[0].values(0), expectedWords(8));
}

TEST_F(GraphAcquisition, ASecondWindowIsRefusedWhileTheFirstAcquires)
{
    auto first = h.session(memory({channel("A", kBlock, 8)}, 8));
    first->open();
    test::ManualGraphTimer secondTimer;
    test::RecordingStatusView secondStatus;
    std::array<test::RecordingStripChart, 4> secondCharts;
    auto second = h.session(memory({channel("B", kBlock, 8)}, 8), &secondTimer, &secondStatus, &secondCharts);
    second->open();
    EXPECT_EQ(h.prompts.texts(), (std::vector<std::string> {"다른 곳에서 그래프 데이터를 수집하고 있읍니다."}));
    EXPECT_EQ(h.prompts.messages[0].icon, core::MessageIcon::Information);
    EXPECT_FALSE(second->acquiring());
    EXPECT_FALSE(secondTimer.armed);
    EXPECT_TRUE(first->acquiring());
    EXPECT_TRUE(h.host.acquiringFlag);
    EXPECT_EQ(h.registry.size(), 2u);
    EXPECT_TRUE(h.registry.anyAcquiring());

    bool windowsAcquiringWhenTold = true;
    h.registry.setAfterStopAll([&] { windowsAcquiringWhenTold = h.registry.anyAcquiring(); });
    h.registry.stopAll();
    EXPECT_FALSE(windowsAcquiringWhenTold) << "the windows are told after every session stopped";
    EXPECT_FALSE(h.registry.anyAcquiring());
    EXPECT_FALSE(h.host.acquiringFlag);
    second->start();
    EXPECT_TRUE(second->acquiring());
    second.reset();
    EXPECT_EQ(h.registry.size(), 1u);
    EXPECT_FALSE(h.host.acquiringFlag) << "a window closed while acquiring clears the flag";
}

TEST_F(GraphAcquisition, RunningMonitorsAreStoppedByKind)
{
    struct Case {
        bool variables;
        bool address;
        std::vector<int> stops;
    };
    for (const Case& c :
        {Case {true, false, {1}}, Case {false, true, {2}}, Case {true, true, {3}}, Case {false, false, {}}}) {
        GraphHarness fresh;
        fresh.host.variables = c.variables;
        fresh.host.address = c.address;
        auto session = fresh.session(memory({channel("A", kBlock, 4)}, 4));
        session->open();
        EXPECT_EQ(fresh.host.stops, c.stops);
        EXPECT_TRUE(session->acquiring());
    }
}

TEST_F(GraphAcquisition, ConnectFailuresLeaveTheWindowIdle)
{
    using link::ConnectCode;
    struct Case {
        ConnectCode code;
        std::string redrawText;
        std::string startText;
    };
    for (const Case& c :
        {Case {ConnectCode::PortNotOpened, "통신 포트를 여는데 실패했읍니다.", "통신 포트를 여느데 실패했읍니다."},
            Case {ConnectCode::InitFailed, "POD를 초기화하는데 실패했읍니다.", "POD를 초기화하는데 실패했읍니다."},
            Case {ConnectCode::BaudRefused, "POD의 통신 속도를 설정하는데 실패했읍니다.",
                "POD의 통신 속도를 설정하는데 실패했읍니다."}}) {
        GraphHarness fresh;
        fresh.host.connectResult = c.code;
        auto session = fresh.session(memory({channel("A", kBlock, 4)}, 4));
        session->open();
        session->redraw();
        session->start();
        ASSERT_EQ(fresh.prompts.messages.size(), 3u);
        EXPECT_EQ(fresh.prompts.messages[0].text, c.redrawText);
        EXPECT_EQ(fresh.prompts.messages[0].icon, core::MessageIcon::Error);
        EXPECT_EQ(fresh.prompts.messages[1].text, c.redrawText);
        EXPECT_EQ(fresh.prompts.messages[2].text, c.startText);
        EXPECT_FALSE(session->acquiring());
        EXPECT_FALSE(fresh.host.acquiringFlag);
        EXPECT_FALSE(fresh.timer.armed);
    }
}

TEST_F(GraphAcquisition, TimeGraphSamplesEveryChannelAndContinuesItsCounter)
{
    h.pod.setWord(0x8000, 7);
    h.pod.setWord(0x8001, 0xFFFE);
    auto session = h.session(
        {test::timeEnvironment(10), false, {channel("a", 0x8000, 0, 13), channel("b", 0x8001, 0, 3)}, test::kColours});
    session->open();
    h.run(*session, 3);
    EXPECT_EQ(h.charts[0].values(0), (std::vector<double> {7, 7, 7}));
    EXPECT_EQ(h.charts[0].values(1), (std::vector<double> {-2, -2, -2}));
    EXPECT_EQ(h.charts[0].lastX, 2.0);
    session->stop();
    EXPECT_EQ(h.status.running, false);
    EXPECT_TRUE(h.link.connected());
    session->start();
    EXPECT_EQ(h.status.running, true);
    EXPECT_EQ(h.timer.delay, 10ms);
    h.run(*session, 2);
    EXPECT_EQ(session->sampleCounter(), 5u);
    EXPECT_EQ(h.charts[0].lastPointX, 4);
    EXPECT_EQ(h.host.stops, std::vector<int> {}) << "a time graph runs until stopped";
}

TEST_F(GraphAcquisition, TimeGraphSamplesFallOnTheIntervalsGrid)
{
    auto session = h.session({test::timeEnvironment(10), false, {channel("a", 0x8000, 0)}, test::kColours});
    session->open();
    EXPECT_EQ(h.timer.delay, 10ms);
    // The tick fires at 10 ms and its reads take 1.5 ms: 8.5 ms to the 20 ms point, rounded up.
    h.clock.time += 10ms;
    h.clock.step = 1500us;
    h.run(*session, 1);
    EXPECT_EQ(h.timer.delay, 9ms);
}

TEST_F(GraphAcquisition, TimeGraphSamplesCarryTheirTimesAndTheLateAndSkippedTicks)
{
    h.pod.setWord(0x8000, 7);
    auto session = h.session({test::timeEnvironment(10), false, {channel("a", 0x8000, 0)}, test::kColours});
    session->open(); // starts at 0 ms
    EXPECT_EQ(h.status.lag, "늦음:0, 건너뜀:0");
    const auto tickAt = [&](std::chrono::nanoseconds at) {
        h.clock.time = GraphClock::TimePoint {} + at;
        h.run(*session, 1);
    };
    h.clock.step = 2ms; // each reading of the clock: a tick's reads take 2 ms
    tickAt(10ms);
    tickAt(25ms); // due at 20 ms: late
    EXPECT_EQ(h.status.lag, "늦음:1, 건너뜀:0");
    tickAt(41ms); // due at 30 ms, re-armed at 43 ms: late, and the 40 ms point passed without a sample
    EXPECT_EQ(h.status.lag, "늦음:2, 건너뜀:1");
    EXPECT_EQ(session->sampleLag(), (SampleLag {2, 1}));
    EXPECT_EQ(graphCsvDocument(exportSourceOf(*session)),
        "위치,시간(ms),a\r\n0,10.000,7\r\n1,25.000,7\r\n2,41.000,7\r\n");

    // Stopped and started again, the times go on from the first start, rounded to the microsecond.
    session->stop();
    h.clock.time = GraphClock::TimePoint {} + 100ms;
    session->start();
    tickAt(110'000'600ns);
    EXPECT_EQ(exportedTimes(exportSourceOf(*session)).back(), 110'001us);
    EXPECT_EQ(h.status.lag, "늦음:2, 건너뜀:1");

    // A redraw starts the times and the counts again.
    h.clock.step = 0ms;
    h.clock.time = GraphClock::TimePoint {} + 1s;
    session->redraw();
    EXPECT_EQ(h.status.lag, "늦음:0, 건너뜀:0");
    EXPECT_EQ(session->sampleLag(), (SampleLag {}));
    EXPECT_TRUE(exportedTimes(exportSourceOf(*session)).empty());
    tickAt(1010ms);
    EXPECT_EQ(exportedTimes(exportSourceOf(*session)), (std::vector<std::chrono::microseconds> {10ms}));
}

TEST_F(GraphAcquisition, TimeGraphKeepsTheTimesOfTheSamplesItsPanesHold)
{
    auto session = h.session({test::timeEnvironment(0), false, {channel("a", 0x8000, 0)}, test::kColours});
    session->open();
    h.clock.step = 1ms;
    h.run(*session, 2);
    const std::chrono::microseconds second = session->sampleTimes().at(1);
    h.run(*session, static_cast<int>(kTimeGraphCapacity) - 1);
    const GraphExportSource source = exportSourceOf(*session);
    const std::vector<std::chrono::microseconds> times = exportedTimes(source);
    ASSERT_EQ(times.size(), kTimeGraphCapacity);
    EXPECT_EQ(times.front(), second) << "the oldest sample's time went with its point";
    EXPECT_EQ(exportedPoints(source, 0).size(), times.size());
    EXPECT_EQ(session->sampleCounter(), kTimeGraphCapacity + 1);
}

TEST_F(GraphAcquisition, OtherTimerIdsAreIgnored)
{
    auto session = h.session(memory({channel("A", kBlock, 4)}, 4));
    session->open();
    session->onTimer(2002);
    EXPECT_TRUE(h.timer.armed);
    EXPECT_EQ(session->sampleCounter(), 0u);
}

} // namespace
} // namespace lumetra::graph
