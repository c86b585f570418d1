// Clipping of lines and polygons to an axis-aligned rectangle, for drawing targets without a clip of their own.
#pragma once

#include <optional>
#include <vector>

namespace lumetra::graph {

struct ClipPoint {
    double x = 0.0;
    double y = 0.0;
    bool operator==(const ClipPoint&) const = default;
};

struct ClipRect {
    double left = 0.0;
    double top = 0.0;
    double right = 0.0; // exclusive
    double bottom = 0.0;

    bool empty() const { return !(right > left && bottom > top); }
};

ClipRect intersect(const ClipRect& a, const ClipRect& b);

struct ClipSegment {
    ClipPoint from;
    ClipPoint to;
};

// The part of the segment inside the rectangle (edges included), nullopt when none is.
std::optional<ClipSegment> clipSegment(ClipPoint from, ClipPoint to, const ClipRect& rect);

// The polyline's runs inside the rectangle; a run ends where the polyline leaves it.
std::vector<std::vector<ClipPoint>> clipPolyline(const std::vector<ClipPoint>& points, const ClipRect& rect);

// The polygon cut to the rectangle (empty when nothing of it is inside).
std::vector<ClipPoint> clipPolygon(const std::vector<ClipPoint>& corners, const ClipRect& rect);

} // namespace lumetra::graph
