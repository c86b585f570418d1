#include "graph/chart/chart_point_ring.h"

#include <algorithm>
#include <cmath>

namespace lumetra::graph {

void ChartPointRing::setCapacity(std::size_t capacity)
{
    const std::size_t kept = std::min(size_, capacity);
    std::vector<ChartPoint> points;
    points.reserve(kept);
    for (std::size_t position = size_ - kept; position < size_; ++position)
        points.push_back(at(position));
    firstSequence_ += size_ - kept;
    points_ = std::move(points);
    capacity_ = capacity;
    head_ = 0;
    size_ = kept;
    rebuildOrderAndExtremes();
}

void ChartPointRing::push(ChartPoint point)
{
    if (capacity_ == 0)
        return;
    bool descent = size_ > 0 && point.x < newest().x;
    if (size_ < capacity_) {
        // Not full yet: head_ is 0 and the points are stored in order.
        points_.push_back(point);
        ++size_;
    } else {
        if (size_ >= 2 && at(1).x < at(0).x)
            --descents_;
        points_[head_] = point;
        head_ = (head_ + 1) % capacity_;
        ++firstSequence_;
        extremes_.dropBefore(firstSequence_);
        if (capacity_ == 1)
            descent = false;
    }
    if (descent)
        ++descents_;
    extremes_.push(firstSequence_ + size_ - 1, point.value);
}

void ChartPointRing::clear()
{
    points_.clear();
    head_ = 0;
    firstSequence_ += size_;
    size_ = 0;
    descents_ = 0;
    extremes_.clear();
}

std::optional<double> ChartPointRing::minimum() const
{
    if (extremes_.empty())
        return std::nullopt;
    return extremes_.minimum();
}

std::optional<double> ChartPointRing::maximum() const
{
    if (extremes_.empty())
        return std::nullopt;
    return extremes_.maximum();
}

std::optional<AxisWindow> ChartPointRing::xExtent() const
{
    if (size_ == 0)
        return std::nullopt;
    if (xOrdered())
        return AxisWindow {static_cast<double>(at(0).x), static_cast<double>(newest().x)};
    std::int64_t low = at(0).x;
    std::int64_t high = low;
    for (std::size_t position = 1; position < size_; ++position) {
        low = std::min(low, at(position).x);
        high = std::max(high, at(position).x);
    }
    return AxisWindow {static_cast<double>(low), static_cast<double>(high)};
}

std::size_t ChartPointRing::lowerBound(double x) const
{
    std::size_t low = 0;
    std::size_t high = size_;
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        if (static_cast<double>(at(middle).x) < x)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

std::size_t ChartPointRing::upperBound(double x) const
{
    std::size_t low = 0;
    std::size_t high = size_;
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        if (static_cast<double>(at(middle).x) <= x)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

std::optional<std::size_t> ChartPointRing::nearest(double x) const
{
    if (size_ == 0)
        return std::nullopt;
    const auto distance = [&](std::size_t position) { return std::abs(static_cast<double>(at(position).x) - x); };
    if (!xOrdered()) {
        std::size_t best = 0;
        for (std::size_t position = 1; position < size_; ++position) {
            if (distance(position) < distance(best))
                best = position;
        }
        return best;
    }
    const std::size_t after = lowerBound(x);
    if (after == size_)
        return size_ - 1;
    if (after == 0)
        return 0;
    // The older one on a tie: the first held point at the smaller x.
    const std::size_t before = lowerBound(static_cast<double>(at(after - 1).x));
    return distance(before) <= distance(after) ? before : after;
}

void ChartPointRing::rebuildOrderAndExtremes()
{
    descents_ = 0;
    extremes_.clear();
    for (std::size_t position = 0; position < size_; ++position) {
        if (position > 0 && at(position).x < at(position - 1).x)
            ++descents_;
        extremes_.push(firstSequence_ + position, at(position).value);
    }
}

} // namespace lumetra::graph
