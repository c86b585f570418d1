#include "graph/session/sample_times.h"

#include "graph/items/three_decimals.h"

namespace lumetra::graph {

void SampleTimes::reset(std::size_t capacity)
{
    capacity_ = capacity;
    start_.reset();
    times_.clear();
}

void SampleTimes::begin(GraphClock::TimePoint now)
{
    if (!start_) {
        start_ = now;
    }
}

void SampleTimes::record(GraphClock::TimePoint at)
{
    if (capacity_ == 0) {
        return;
    }
    if (times_.size() == capacity_) {
        times_.pop_front();
    }
    times_.push_back(std::chrono::round<std::chrono::microseconds>(at - start_.value_or(at)));
}

std::string sampleTimeText(std::chrono::microseconds time)
{
    return threeDecimals(static_cast<double>(time.count()) / 1000.0);
}

} // namespace lumetra::graph
