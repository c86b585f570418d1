#include "graph/session/sample_grid.h"

#include <algorithm>

namespace lumetra::graph {

void SampleGrid::start(GraphClock::TimePoint now, std::chrono::milliseconds interval)
{
    interval_ = std::max(interval, std::chrono::milliseconds {0});
    due_ = now + interval_;
}

std::chrono::milliseconds SampleGrid::next(GraphClock::TimePoint tickTime, GraphClock::TimePoint now)
{
    const auto lateness = tickTime - due_;
    if (interval_.count() > 0 && 2 * lateness >= interval_) {
        ++lag_.late;
    }
    if (lateness > interval_) {
        if (interval_.count() > 0) {
            lag_.skipped += static_cast<std::uint64_t>((now - due_) / interval_);
        }
        due_ = now;
    }
    due_ += interval_;
    return std::max(std::chrono::ceil<std::chrono::milliseconds>(due_ - now), std::chrono::milliseconds {0});
}

} // namespace lumetra::graph
