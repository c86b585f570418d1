#include "graph/chart/rect_clip.h"

#include <algorithm>
#include <array>
#include <functional>

namespace lumetra::graph {

ClipRect intersect(const ClipRect& a, const ClipRect& b)
{
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

std::optional<ClipSegment> clipSegment(ClipPoint from, ClipPoint to, const ClipRect& rect)
{
    if (rect.empty())
        return std::nullopt;
    // Liang-Barsky: the segment is from + t * (to - from) for t in [0, 1].
    const double dx = to.x - from.x;
    const double dy = to.y - from.y;
    const std::array<double, 4> p {-dx, dx, -dy, dy};
    const std::array<double, 4> q {from.x - rect.left, rect.right - from.x, from.y - rect.top, rect.bottom - from.y};
    double enter = 0.0;
    double leave = 1.0;
    for (std::size_t i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0)
                return std::nullopt;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0)
            enter = std::max(enter, t);
        else
            leave = std::min(leave, t);
        if (enter > leave)
            return std::nullopt;
    }
    return ClipSegment {{from.x + enter * dx, from.y + enter * dy}, {from.x + leave * dx, from.y + leave * dy}};
}

std::vector<std::vector<ClipPoint>> clipPolyline(const std::vector<ClipPoint>& points, const ClipRect& rect)
{
    std::vector<std::vector<ClipPoint>> runs;
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        const std::optional<ClipSegment> part = clipSegment(points[i], points[i + 1], rect);
        if (!part)
            continue;
        if (runs.empty() || runs.back().back() != part->from)
            runs.push_back({part->from});
        runs.back().push_back(part->to);
    }
    return runs;
}

std::vector<ClipPoint> clipPolygon(const std::vector<ClipPoint>& corners, const ClipRect& rect)
{
    if (rect.empty())
        return {};
    // Sutherland-Hodgman against each edge in turn.
    using Inside = std::function<bool(const ClipPoint&)>;
    using Cross = std::function<ClipPoint(const ClipPoint&, const ClipPoint&)>;
    const auto atX = [](double x) {
        return [x](const ClipPoint& a, const ClipPoint& b) {
            return ClipPoint {x, a.y + (b.y - a.y) * (x - a.x) / (b.x - a.x)};
        };
    };
    const auto atY = [](double y) {
        return [y](const ClipPoint& a, const ClipPoint& b) {
            return ClipPoint {a.x + (b.x - a.x) * (y - a.y) / (b.y - a.y), y};
        };
    };
    const std::array<std::pair<Inside, Cross>, 4> edges {{
        {[&](const ClipPoint& p) { return p.x >= rect.left; }, atX(rect.left)},
        {[&](const ClipPoint& p) { return p.x <= rect.right; }, atX(rect.right)},
        {[&](const ClipPoint& p) { return p.y >= rect.top; }, atY(rect.top)},
        {[&](const ClipPoint& p) { return p.y <= rect.bottom; }, atY(rect.bottom)},
    }};
    std::vector<ClipPoint> polygon = corners;
    for (const auto& [inside, cross] : edges) {
        std::vector<ClipPoint> kept;
        for (std::size_t i = 0; i < polygon.size(); ++i) {
            const ClipPoint& current = polygon[i];
            const ClipPoint& previous = polygon[(i + polygon.size() - 1) % polygon.size()];
            if (inside(current)) {
                if (!inside(previous))
                    kept.push_back(cross(previous, current));
                kept.push_back(current);
            } else if (inside(previous)) {
                kept.push_back(cross(previous, current));
            }
        }
        polygon = std::move(kept);
    }
    return polygon;
}

} // namespace lumetra::graph
