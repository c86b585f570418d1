#include "graph/chart/chart_decimation.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <optional>

namespace lumetra::graph {

namespace {

struct ColumnAccumulator {
    bool used = false;
    ColumnExtent extent;

    void add(int column, double value)
    {
        if (!used) {
            used = true;
            extent = {column, value, value, value, value};
            return;
        }
        extent.minimum = std::min(extent.minimum, value);
        extent.maximum = std::max(extent.maximum, value);
        extent.last = value;
    }
};

class ColumnBins {
public:
    ColumnBins(AxisWindow window, int columns)
        : minimum_(window.minimum)
        , scale_(columnOf(window.minimum + 1.0, window, columns) - columnOf(window.minimum, window, columns))
        , last_(columns - 1)
        , bins_(static_cast<std::size_t>(columns))
    {
    }

    void add(double x, double value)
    {
        if (!std::isfinite(value))
            return;
        // The same column as columnOf() rounded: x is never left of the window here.
        const int column = std::clamp(static_cast<int>((x - minimum_) * scale_ + 0.5), 0, last_);
        bins_[static_cast<std::size_t>(column)].add(column, value);
    }

    std::vector<ColumnExtent> used() const
    {
        std::vector<ColumnExtent> extents;
        extents.reserve(bins_.size());
        for (const ColumnAccumulator& bin : bins_) {
            if (bin.used)
                extents.push_back(bin.extent);
        }
        return extents;
    }

private:
    double minimum_;
    double scale_; // columns per x unit
    int last_;
    std::vector<ColumnAccumulator> bins_;
};

// The value where the segment from `before` to `after` crosses x; only for before.x < x <= after.x.
std::optional<double> crossing(const ChartPoint& before, const ChartPoint& after, double x)
{
    if (!std::isfinite(before.value) || !std::isfinite(after.value))
        return std::nullopt;
    const double x0 = static_cast<double>(before.x);
    const double x1 = static_cast<double>(after.x);
    return before.value + (after.value - before.value) * (x - x0) / (x1 - x0);
}

} // namespace

double columnOf(double x, AxisWindow window, int columns)
{
    if (columns <= 1 || !(window.width() > 0.0))
        return 0.0;
    return (x - window.minimum) / window.width() * (columns - 1);
}

std::vector<ColumnExtent> decimateToColumns(const ChartPointRing& points, AxisWindow window, int columns)
{
    if (columns <= 0 || points.empty())
        return {};
    ColumnBins bins(window, columns);
    if (!points.xOrdered()) {
        for (std::size_t position = 0; position < points.size(); ++position) {
            const ChartPoint& point = points.at(position);
            if (window.contains(static_cast<double>(point.x)))
                bins.add(static_cast<double>(point.x), point.value);
        }
        return bins.used();
    }
    const std::size_t first = points.lowerBound(window.minimum);
    const std::size_t end = points.upperBound(window.maximum);
    if (first > 0 && first < points.size()) {
        if (const std::optional<double> edge = crossing(points.at(first - 1), points.at(first), window.minimum))
            bins.add(window.minimum, *edge);
    }
    points.forEach(first, end, [&bins](const ChartPoint& point) { bins.add(static_cast<double>(point.x), point.value); });
    if (end > 0 && end < points.size()) {
        if (const std::optional<double> edge = crossing(points.at(end - 1), points.at(end), window.maximum))
            bins.add(window.maximum, *edge);
    }
    return bins.used();
}

} // namespace lumetra::graph
