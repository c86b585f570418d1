#include "graph/chart/sliding_extremes.h"

#include <cmath>

namespace lumetra::graph {

void SlidingExtremes::push(std::uint64_t sequence, double value)
{
    if (!std::isfinite(value))
        return;
    while (!minima_.empty() && minima_.back().value >= value)
        minima_.pop_back();
    minima_.push_back({sequence, value});
    while (!maxima_.empty() && maxima_.back().value <= value)
        maxima_.pop_back();
    maxima_.push_back({sequence, value});
}

void SlidingExtremes::dropBefore(std::uint64_t sequence)
{
    while (!minima_.empty() && minima_.front().sequence < sequence)
        minima_.pop_front();
    while (!maxima_.empty() && maxima_.front().sequence < sequence)
        maxima_.pop_front();
}

void SlidingExtremes::clear()
{
    minima_.clear();
    maxima_.clear();
}

} // namespace lumetra::graph
