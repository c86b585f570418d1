// Minimum and maximum of a window of values that gains values at its new end and loses them at its old end,
// each step O(1) amortised (monotonic queues). Values are identified by an increasing sequence number.
#pragma once

#include <cstdint>
#include <deque>

namespace lumetra::graph {

class SlidingExtremes {
public:
    // Non-finite values take no part in the extremes.
    void push(std::uint64_t sequence, double value);
    // Forgets the values numbered below `sequence`.
    void dropBefore(std::uint64_t sequence);
    void clear();

    bool empty() const { return minima_.empty(); }
    // Only when not empty.
    double minimum() const { return minima_.front().value; }
    double maximum() const { return maxima_.front().value; }

private:
    struct Entry {
        std::uint64_t sequence;
        double value;
    };

    std::deque<Entry> minima_; // values increasing from the front
    std::deque<Entry> maxima_; // values decreasing from the front
};

} // namespace lumetra::graph
