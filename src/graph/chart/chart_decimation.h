// Min/max decimation of a line into the pixel columns of a plot: per column the extremes and the first and last
// value of the points that fall into it, so that a vertical segment per column joined to the next column draws
// the same picture as every point would. The cost follows the points in view and the width, not the points held.
#pragma once

#include "graph/chart/chart_point.h"
#include "graph/chart/chart_point_ring.h"

#include <vector>

namespace lumetra::graph {

struct ColumnExtent {
    int column = 0;
    double minimum = 0.0;
    double maximum = 0.0;
    double first = 0.0;
    double last = 0.0;

    bool operator==(const ColumnExtent&) const = default;
};

// The pixel column of x: the window maps onto columns 0..columns-1 (rounded to the nearest column).
double columnOf(double x, AxisWindow window, int columns);

// The columns in increasing order that hold at least one finite value. Points just outside the window
// contribute the line's crossing of the window edge (interpolated), so a line leaving the view is drawn to
// the edge. Non-finite values are skipped: the line joins their neighbours.
std::vector<ColumnExtent> decimateToColumns(const ChartPointRing& points, AxisWindow window, int columns);

} // namespace lumetra::graph
