// A point of a chart line and the x and value windows a chart shows.
#pragma once

#include <cstdint>

namespace lumetra::graph {

struct ChartPoint {
    std::int64_t x = 0;
    double value = 0.0;

    bool operator==(const ChartPoint&) const = default;
};

// A closed interval [minimum, maximum] of x positions or values.
struct AxisWindow {
    double minimum = 0.0;
    double maximum = 0.0;

    double width() const { return maximum - minimum; }
    bool contains(double v) const { return v >= minimum && v <= maximum; }
    bool operator==(const AxisWindow&) const = default;
};

} // namespace lumetra::graph
