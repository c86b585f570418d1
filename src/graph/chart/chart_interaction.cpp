#include "graph/chart/chart_interaction.h"

#include <algorithm>
#include <cmath>

namespace lumetra::graph {

namespace {

// Shifts a window no wider than the extent back inside it.
AxisWindow keptInside(AxisWindow window, AxisWindow extent)
{
    if (window.minimum < extent.minimum)
        return {extent.minimum, extent.minimum + window.width()};
    if (window.maximum > extent.maximum)
        return {extent.maximum - window.width(), extent.maximum};
    return window;
}

} // namespace

void ChartInteraction::zoomAround(double anchor, double factor, AxisWindow full, AxisWindow extent)
{
    if (!(factor > 0.0) || !std::isfinite(factor) || !std::isfinite(anchor))
        return;
    const AxisWindow current = visibleWindow(full);
    if (!(current.width() > 0.0))
        return;
    const double width = std::clamp(current.width() * factor, std::min(kMinimumZoomWidth, full.width()),
        std::max(extent.width(), full.width()));
    // Passing the full view's width in either direction stops at the full view.
    const bool reachesFullFromInside = current.width() < full.width() && width >= full.width();
    const bool reachesFullFromOutside = current.width() > full.width() && width <= full.width();
    if (reachesFullFromInside || reachesFullFromOutside || width == full.width()) {
        zoom_.reset();
        return;
    }
    const double anchorShare = std::clamp((anchor - current.minimum) / current.width(), 0.0, 1.0);
    const double minimum = anchor - anchorShare * width;
    zoom_ = keptInside({minimum, minimum + width}, extent);
}

void ChartInteraction::panBy(double dx, AxisWindow full, AxisWindow extent)
{
    if (!std::isfinite(dx))
        return;
    const AxisWindow current = visibleWindow(full);
    if (current.width() >= extent.width())
        return;
    zoom_ = keptInside({current.minimum + dx, current.maximum + dx}, extent);
}

void ChartInteraction::placeCursor(CursorMark mark, double x)
{
    if (!std::isfinite(x))
        return;
    (mark == CursorMark::A ? cursorA_ : cursorB_) = std::round(x);
}

void ChartInteraction::clearCursors()
{
    cursorA_.reset();
    cursorB_.reset();
}

void ChartInteraction::clear()
{
    zoom_.reset();
    hover_.reset();
    clearCursors();
}

} // namespace lumetra::graph
