// The ticks of a chart axis and their label texts: 11 major ticks spread evenly from the minimum to the
// maximum, 4 minor ticks between neighbouring majors, labels with a fixed number of decimals.
#pragma once

#include "graph/chart/chart_point.h"

#include <string>
#include <vector>

namespace lumetra::graph {

inline constexpr int kMajorTicks = 11;
inline constexpr int kMinorTicksPerInterval = 4;
inline constexpr int kMajorTickLength = 7;
inline constexpr int kMinorTickLength = 3;

struct AxisTicks {
    std::vector<double> major; // kMajorTicks values, the window's ends included
    std::vector<double> minor; // kMinorTicksPerInterval between each pair of majors
};

AxisTicks axisTicks(AxisWindow window);

// Fixed notation with `decimals` places and a '.' whatever the locale; a value that rounds to zero never
// shows a minus sign.
std::string fixedLabel(double value, int decimals);

// A window without width (flat data) widened around its value rounded to `decimals` places, so that no two
// value labels read the same: by 1 on both sides, or by 5 units of the last place where that is more (10 labels
// one unit apart with 0 decimals).
AxisWindow widenedFlatWindow(double value, int decimals);

// Decimals for the x labels: the fewest (up to 3) that show every major tick of the window exactly.
int xLabelDecimals(AxisWindow window);

} // namespace lumetra::graph
