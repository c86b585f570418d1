#include "graph/session/sample_grid.h"

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

TEST(SampleGrid, LateFromHalfAnIntervalSkippedByWholeIntervalsAfterARestart)
{
    SampleGrid grid;
    const TimePoint start {};
    grid.start(start, 10ms);
    // Due at 10 ms, fired 4.9 ms after: nearer its own point than the next, on time.
    grid.next(start + 14900us, start + 16ms);
    EXPECT_EQ(grid.lag(), (SampleLag {0, 0}));
    // Due at 20 ms, fired half an interval after: late; the grid holds, nothing skipped.
    EXPECT_EQ(grid.next(start + 25ms, start + 27ms), 3ms);
    EXPECT_EQ(grid.lag(), (SampleLag {1, 0}));
    // Due at 30 ms, fired at 41 ms and re-armed at 52 ms: the grid restarts at 52 ms, and the whole intervals
    // from 30 ms to 52 ms (two) passed without a sample.
    EXPECT_EQ(grid.next(start + 41ms, start + 52ms), 10ms);
    EXPECT_EQ(grid.lag(), (SampleLag {2, 2}));
    // A new start keeps the count; only clearLag() empties it.
    grid.start(start + 100ms, 10ms);
    grid.next(start + 110ms, start + 111ms);
    EXPECT_EQ(grid.lag(), (SampleLag {2, 2}));
    grid.clearLag();
    EXPECT_EQ(grid.lag(), (SampleLag {}));
}

TEST(SampleGrid, WithoutAnIntervalNothingIsLate)
{
    SampleGrid grid;
    const TimePoint start {};
    grid.start(start, 0ms);
    grid.next(start + 30ms, start + 50ms);
    grid.next(start + 90ms, start + 95ms);
    EXPECT_EQ(grid.lag(), (SampleLag {}));
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
