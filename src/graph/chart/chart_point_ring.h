// The points of one chart line: a ring of a set capacity that drops its oldest point for each new one when full,
// with the extremes of the held values and searches by x.
#pragma once

#include "graph/chart/chart_point.h"
#include "graph/chart/sliding_extremes.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace lumetra::graph {

class ChartPointRing {
public:
    explicit ChartPointRing(std::size_t capacity = 0) : capacity_(capacity) { }

    std::size_t capacity() const { return capacity_; }
    // Keeps the newest points that fit.
    void setCapacity(std::size_t capacity);

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    // Position 0 is the oldest held point; position < size().
    const ChartPoint& at(std::size_t position) const { return points_[(head_ + position) % capacity_]; }
    const ChartPoint& newest() const { return at(size_ - 1); }

    // Calls visit(point) for the positions first..end-1 in order, without the ring's index arithmetic per point.
    template <typename Visit>
    void forEach(std::size_t first, std::size_t end, Visit&& visit) const
    {
        for (std::size_t position = first; position < end;) {
            const std::size_t index = (head_ + position) % capacity_;
            const std::size_t run = std::min(end - position, capacity_ - index);
            for (const ChartPoint* point = points_.data() + index; point != points_.data() + index + run; ++point)
                visit(*point);
            position += run;
        }
    }

    void push(ChartPoint point);
    void clear();

    // Extremes of the held finite values; nullopt when there are none.
    std::optional<double> minimum() const;
    std::optional<double> maximum() const;

    // True while no held point has a smaller x than the one before it: the x searches below are binary then.
    bool xOrdered() const { return descents_ == 0; }
    // Smallest and largest held x.
    std::optional<AxisWindow> xExtent() const;
    // The first position whose x is >= x (or > x for upperBound); size() when none. Only for xOrdered().
    std::size_t lowerBound(double x) const;
    std::size_t upperBound(double x) const;
    // The position of the held point nearest to x (the older one on a tie).
    std::optional<std::size_t> nearest(double x) const;

private:
    void rebuildOrderAndExtremes();

    std::vector<ChartPoint> points_; // grows up to capacity_, then used as a ring from head_
    std::size_t capacity_ = 0;
    std::size_t head_ = 0;
    std::size_t size_ = 0;
    std::size_t descents_ = 0; // held neighbours where x decreases
    std::uint64_t firstSequence_ = 0; // sequence number of the point at position 0
    SlidingExtremes extremes_;
};

} // namespace lumetra::graph
