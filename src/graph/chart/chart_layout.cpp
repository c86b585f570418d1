#include "graph/chart/chart_layout.h"

#include "graph/chart/chart_decimation.h"
#include "graph/chart/chart_ticks.h"

#include <algorithm>

namespace lumetra::graph {

ChartLayout layoutChart(PixelRect area, const ChartTextMetrics& metrics, bool withTitle, bool printLayout)
{
    const int margin = printLayout ? kPrintMargin : kOuterMargin;
    const int left = area.left + margin;
    const int top = area.top + margin;
    const int right = std::max(left, area.right() - margin);
    const int bottom = std::max(top, area.bottom() - margin);

    ChartLayout layout;
    const int titleRow = withTitle || printLayout ? metrics.titleHeight + 2 * kLabelGap : 0;
    layout.title = {left, top, right - left, std::min(titleRow, bottom - top)};

    const int bodyTop = layout.title.bottom();
    const int legendLeft = std::max(left, right - kLegendWidth);
    layout.legend = {legendLeft, bodyTop, right - legendLeft, bottom - bodyTop};

    // Labels centred on the end ticks stick out by half their size: keep that room inside the pane.
    const int plotLeft = left + metrics.valueLabelWidth + kLabelGap + kMajorTickLength;
    const int plotTop = bodyTop + metrics.labelHeight / 2 + 1;
    const int plotRight = legendLeft - std::max(2 * kLabelGap, metrics.xLabelWidth / 2 + kLabelGap);
    const int plotBottom = bottom - (kMajorTickLength + kLabelGap + metrics.labelHeight);
    layout.plot = {plotLeft, plotTop, std::max(1, plotRight - plotLeft), std::max(1, plotBottom - plotTop)};
    return layout;
}

double PlotMapping::pixelOfX(double position) const
{
    return plot.left + columnOf(position, x, plot.width);
}

double PlotMapping::xOfPixel(double pixel) const
{
    if (plot.width <= 1)
        return x.minimum;
    return x.minimum + (pixel - plot.left) / (plot.width - 1) * x.width();
}

double PlotMapping::pixelOfValue(double v) const
{
    const double bottomRow = plot.bottom() - 1;
    if (plot.height <= 1 || !(value.width() > 0.0))
        return bottomRow;
    return bottomRow - (v - value.minimum) / value.width() * (plot.height - 1);
}

} // namespace lumetra::graph
