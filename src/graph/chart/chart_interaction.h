// What the user does with the chart of an idle window: a hover cursor, two placed cursors A and B, an x zoom
// around a position and a pan, and back to the full view. The windows passed in come from the pane model:
// `full` is what the pane shows unzoomed, `extent` how far the view may go (the full window and every held x).
#pragma once

#include "graph/chart/chart_point.h"

#include <optional>

namespace lumetra::graph {

enum class CursorMark { A, B };

// The narrowest x window a zoom reaches.
inline constexpr double kMinimumZoomWidth = 1.0;

class ChartInteraction {
public:
    // The zoomed window, or `full` when not zoomed.
    AxisWindow visibleWindow(AxisWindow full) const { return zoom_.value_or(full); }
    bool zoomed() const { return zoom_.has_value(); }

    // factor < 1 zooms in, > 1 out (up to the extent); `anchor` keeps its place in the view. A zoom that reaches
    // or passes the full window's width stops there and ends the zoom.
    void zoomAround(double anchor, double factor, AxisWindow full, AxisWindow extent);
    // Moves the view by dx (positive: to larger x), never past the extent.
    void panBy(double dx, AxisWindow full, AxisWindow extent);
    void showFullView() { zoom_.reset(); }

    void setHover(std::optional<double> x) { hover_ = x; }
    const std::optional<double>& hover() const { return hover_; }

    // Cursors sit on whole x positions, as every point does.
    void placeCursor(CursorMark mark, double x);
    std::optional<double> cursor(CursorMark mark) const { return mark == CursorMark::A ? cursorA_ : cursorB_; }
    void clearCursors();

    // Hover, cursors and zoom gone.
    void clear();

private:
    std::optional<AxisWindow> zoom_;
    std::optional<double> hover_;
    std::optional<double> cursorA_;
    std::optional<double> cursorB_;
};

} // namespace lumetra::graph
