// The times of a time graph's samples: a grid of the interval from the start, so that the time a tick spends
// reading does not stretch the period.
#pragma once

#include "graph/graph_clock.h"

#include <chrono>

namespace lumetra::graph {

class SampleGrid {
public:
    // The first sample is due one interval after `now`.
    void start(GraphClock::TimePoint now, std::chrono::milliseconds interval);
    // For a tick that fired at `tickTime` and re-arms at `now`: the delay until the next grid point, rounded up
    // to whole milliseconds and never negative. A tick later than a whole interval restarts the grid at `now`.
    std::chrono::milliseconds next(GraphClock::TimePoint tickTime, GraphClock::TimePoint now);

private:
    GraphClock::TimePoint due_ {};
    std::chrono::milliseconds interval_ {0};
};

} // namespace lumetra::graph
