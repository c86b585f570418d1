#include "graph/sample_grid.h"

#include <gtest/gtest.h>

namespace lumetra::graph {
namespace {

using namespace std::chrono_literals;
using TimePoint = GraphClock::TimePoint;

TEST(SampleGrid, ReadTimeIsTakenFromTheNextDelay)
{
    SampleGrid grid;
    const TimePoint start {};
    grid.start(start, 10ms);
    // Tick on time at 10 ms, reads until 13.2 ms: the next sample is due at 20 ms.
    EXPECT_EQ(grid.next(start + 10ms, start + 13200us), 7ms);
    // Tick at 20.4 ms, reads until 22 ms: due at 30 ms.
    EXPECT_EQ(grid.next(start + 20400us, start + 22ms), 8ms);
    // A delay of a fraction of a millisecond is rounded up.
    EXPECT_EQ(grid.next(start + 30ms, start + 39900us), 1ms);
}

TEST(SampleGrid, ALateTickThatMissedItsNextPointGetsZero)
{
    SampleGrid grid;
    const TimePoint start {};
    grid.start(start, 10ms);
    // Due at 10 ms, fired at 12 ms, read until 21 ms: the 20 ms point has passed.
    EXPECT_EQ(grid.next(start + 12ms, start + 21ms), 0ms);
    // The grid holds: due at 30 ms.
    EXPECT_EQ(grid.next(start + 21ms, start + 22ms), 8ms);
}

TEST(SampleGrid, ATickLaterThanAWholeIntervalRestartsTheGrid)
{
    SampleGrid grid;
    const TimePoint start {};
    grid.start(start, 10ms);
    // Due at 10 ms, fired at 35 ms: the grid restarts from the re-arm at 36 ms.
    EXPECT_EQ(grid.next(start + 35ms, start + 36ms), 10ms);
    EXPECT_EQ(grid.next(start + 46ms, start + 47ms), 9ms);
}

TEST(SampleGrid, ZeroOrNegativeIntervalsNeverWait)
{
    SampleGrid grid;
    const TimePoint start {};
    grid.start(start, -5ms);
    EXPECT_EQ(grid.next(start + 3ms, start + 4ms), 0ms);
    grid.start(start, 0ms);
    EXPECT_EQ(grid.next(start + 3ms, start + 4ms), 0ms);
}

} // namespace
} // namespace lumetra::graph
