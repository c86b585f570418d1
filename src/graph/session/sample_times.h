// The host's steady-clock time of each complete sample of a time graph, counted from the start of its
// acquisition, kept for as many samples as its panes keep points: position 0 is the oldest held, as in a pane.
#pragma once

#include "graph/session/graph_clock.h"

#include <chrono>
#include <cstddef>
#include <deque>
#include <optional>
#include <string>

namespace lumetra::graph {

class SampleTimes {
public:
    // Empty; keeps the newest `capacity` samples; the next begin() takes the start.
    void reset(std::size_t capacity);
    // Acquisition starts or resumes at `now`; only the first start after a reset counts.
    void begin(GraphClock::TimePoint now);
    // A complete sample taken at `at`.
    void record(GraphClock::TimePoint at);

    std::size_t size() const { return times_.size(); }
    // Microseconds from the start; position < size().
    std::chrono::microseconds at(std::size_t position) const { return times_[position]; }

private:
    std::size_t capacity_ = 0;
    std::optional<GraphClock::TimePoint> start_;
    std::deque<std::chrono::microseconds> times_;
};

// Milliseconds with three decimals: "12.345".
std::string sampleTimeText(std::chrono::microseconds time);

} // namespace lumetra::graph
