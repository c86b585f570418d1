// The times of a time graph's samples: a grid of the interval from the start, so that the time a tick spends
// reading does not stretch the period; and the count of the ticks that fell behind it.
#pragma once

#include "graph/session/graph_clock.h"

#include <chrono>
#include <cstdint>

namespace lumetra::graph {

// Ticks that fell behind the interval. Late: a tick that started half an interval or more after its grid point,
// nearer the next point than its own. Skipped: the whole intervals from the grid point of a tick that came more
// than an interval late to its re-arm, which passed without a sample (the grid restarts there).
struct SampleLag {
    std::uint64_t late = 0;
    std::uint64_t skipped = 0;

    bool operator==(const SampleLag&) const = default;
};

class SampleGrid {
public:
    // The first sample is due one interval after `now`. The lag counted so far stays.
    void start(GraphClock::TimePoint now, std::chrono::milliseconds interval);
    // For a tick that fired at `tickTime` and re-arms at `now`: the delay until the next grid point, rounded up
    // to whole milliseconds and never negative. A tick later than a whole interval restarts the grid at `now`.
    // Counts the tick's lag; with an interval of 0 nothing is late.
    std::chrono::milliseconds next(GraphClock::TimePoint tickTime, GraphClock::TimePoint now);

    const SampleLag& lag() const { return lag_; }
    void clearLag() { lag_ = {}; }

private:
    GraphClock::TimePoint due_ {};
    std::chrono::milliseconds interval_ {0};
    SampleLag lag_;
};

} // namespace lumetra::graph
