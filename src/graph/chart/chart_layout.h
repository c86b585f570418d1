// Where the parts of a chart pane go: outer margins, the title row, the value labels at the left, the x labels
// below, the legend 80 pixels wide at the right, and the plot in between; and the mapping between the plot's
// pixels and x positions and values.
#pragma once

#include "graph/chart/chart_point.h"

namespace lumetra::graph {

inline constexpr int kOuterMargin = 5;
inline constexpr int kPrintMargin = 20;
inline constexpr int kLegendWidth = 80;
inline constexpr int kLabelGap = 3;

struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    int right() const { return left + width; } // one past the last pixel
    int bottom() const { return top + height; }
    bool contains(double x, double y) const { return x >= left && x < right() && y >= top && y < bottom(); }
    bool operator==(const PixelRect&) const = default;
};

// Sizes of the texts the pane shows, measured by the painter in its fonts.
struct ChartTextMetrics {
    int labelHeight = 0; // axis labels and legend rows
    int valueLabelWidth = 0; // the widest value label
    int xLabelWidth = 0; // the widest x label
    int titleHeight = 0;
};

struct ChartLayout {
    PixelRect plot;
    PixelRect legend;
    PixelRect title; // height 0 without a title row
};

// withTitle: a title is set. The print layout uses paper margins and always keeps the title row.
ChartLayout layoutChart(PixelRect area, const ChartTextMetrics& metrics, bool withTitle, bool printLayout);

// Pixel column c of the plot is the pixel plot.left + c; the top row shows the value window's maximum.
struct PlotMapping {
    PixelRect plot;
    AxisWindow x;
    AxisWindow value;

    double pixelOfX(double position) const;
    double xOfPixel(double pixel) const;
    double pixelOfValue(double v) const;
};

} // namespace lumetra::graph
