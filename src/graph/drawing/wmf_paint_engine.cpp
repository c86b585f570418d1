#include "graph/drawing/wmf_paint_engine.h"

#include "graph/drawing/wmf_paint_device.h"
#include "graph/items/cp949_text.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QTextItem>

#include <algorithm>
#include <cmath>

namespace lumetra::graph::drawing {

namespace {

std::uint32_t colourRef(const QColor& colour)
{
    return static_cast<std::uint32_t>(colour.red()) | (static_cast<std::uint32_t>(colour.green()) << 8)
        | (static_cast<std::uint32_t>(colour.blue()) << 16);
}

wmf::PenStyle penStyle(Qt::PenStyle style)
{
    switch (style) {
    case Qt::NoPen:
        return wmf::PenStyle::Null;
    case Qt::DashLine:
    case Qt::CustomDashLine:
        return wmf::PenStyle::Dash;
    case Qt::DotLine:
        return wmf::PenStyle::Dot;
    case Qt::DashDotLine:
        return wmf::PenStyle::DashDot;
    case Qt::DashDotDotLine:
        return wmf::PenStyle::DashDotDot;
    default:
        return wmf::PenStyle::Solid;
    }
}

ClipPoint clipPoint(const QPointF& point)
{
    return {point.x(), point.y()};
}

ClipRect clipRectOf(const QRectF& rect)
{
    return {rect.left(), rect.top(), rect.right(), rect.bottom()};
}

wmf::Rect wmfRect(const ClipRect& rect)
{
    return {static_cast<int>(std::floor(rect.left)), static_cast<int>(std::floor(rect.top)),
        static_cast<int>(std::ceil(rect.right)), static_cast<int>(std::ceil(rect.bottom))};
}

std::string cp949Or(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    return cp949Text(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size()))).value_or(std::string());
}

} // namespace

WmfPaintEngine::WmfPaintEngine(WmfPaintDevice& device)
    : QPaintEngine(QPaintEngine::AllFeatures)
    , device_(device)
{
}

bool WmfPaintEngine::begin(QPaintDevice*)
{
    writer_.emplace(device_.size_.width(), device_.size_.height(), device_.dotsPerInch_);
    writer_->setBackgroundMode(wmf::kTransparentBackground);
    writer_->setTextAlign(wmf::kAlignLeftBaseline);
    transform_ = QTransform();
    clip_ = {0.0, 0.0, static_cast<double>(device_.size_.width()), static_cast<double>(device_.size_.height())};
    penObject_ = {};
    brushObject_ = {};
    fontObject_ = {};
    textColour_.reset();
    return true;
}

bool WmfPaintEngine::end()
{
    if (!writer_)
        return false;
    device_.bytes_ = writer_->finish();
    writer_.reset();
    return true;
}

void WmfPaintEngine::updateState(const QPaintEngineState& changed)
{
    const DirtyFlags flags = changed.state();
    if (flags & DirtyPen)
        pen_ = changed.pen();
    if (flags & DirtyBrush)
        brush_ = changed.brush();
    if (flags & DirtyTransform)
        transform_ = changed.transform();
    if (flags & (DirtyClipPath | DirtyClipRegion | DirtyClipEnabled | DirtyTransform)) {
        const ClipRect whole {
            0.0, 0.0, static_cast<double>(device_.size_.width()), static_cast<double>(device_.size_.height())};
        clip_ = whole;
        if (painter() && painter()->hasClipping())
            clip_ = intersect(whole, clipRectOf(painter()->deviceTransform().mapRect(painter()->clipBoundingRect())));
    }
}

void WmfPaintEngine::selectPen(bool stroke)
{
    const bool visible = stroke && pen_.style() != Qt::NoPen;
    int width = 1;
    if (visible && !pen_.isCosmetic())
        width
            = std::max(1, static_cast<int>(std::lround(pen_.widthF() * std::sqrt(std::abs(transform_.determinant())))));
    const QString key = visible ? QStringLiteral("%1 %2 %3").arg(pen_.color().rgb()).arg(int(pen_.style())).arg(width)
                                : QStringLiteral("none");
    if (key == penObject_.key)
        return;
    const int slot
        = writer_->createPen(visible ? penStyle(pen_.style()) : wmf::PenStyle::Null, width, colourRef(pen_.color()));
    writer_->selectObject(slot);
    if (penObject_.slot >= 0)
        writer_->deleteObject(penObject_.slot);
    penObject_ = {slot, key};
}

void WmfPaintEngine::selectBrush(bool fill)
{
    const bool visible = fill && brush_.style() != Qt::NoBrush;
    const QString key = visible ? QString::number(brush_.color().rgb()) : QStringLiteral("none");
    if (key == brushObject_.key)
        return;
    const int slot
        = writer_->createBrush(visible ? wmf::BrushStyle::Solid : wmf::BrushStyle::Null, colourRef(brush_.color()));
    writer_->selectObject(slot);
    if (brushObject_.slot >= 0)
        writer_->deleteObject(brushObject_.slot);
    brushObject_ = {slot, key};
}

void WmfPaintEngine::selectFont(const QFont& font)
{
    const double pixels = font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * device_.dotsPerInch_ / 72.0;
    const int height = -std::max(1, static_cast<int>(std::lround(pixels * std::abs(transform_.m22()))));
    const QString family = font.families().value(0, font.family());
    const QString key = QStringLiteral("%1 %2 %3 %4").arg(family).arg(height).arg(font.weight()).arg(font.italic());
    if (key == fontObject_.key)
        return;
    const std::string face = cp949Or(family);
    const int slot
        = writer_->createFont({height, font.weight(), font.italic(), font.underline(), wmf::kHangulCharSet, face});
    writer_->selectObject(slot);
    if (fontObject_.slot >= 0)
        writer_->deleteObject(fontObject_.slot);
    fontObject_ = {slot, key};
}

std::vector<ClipPoint> WmfPaintEngine::mapped(const QPointF* points, int count) const
{
    std::vector<ClipPoint> device;
    device.reserve(static_cast<std::size_t>(std::max(count, 0)));
    for (int i = 0; i < count; ++i)
        device.push_back(clipPoint(transform_.map(points[i])));
    return device;
}

void WmfPaintEngine::strokeRuns(const std::vector<std::vector<ClipPoint>>& runs)
{
    if (runs.empty() || pen_.style() == Qt::NoPen)
        return;
    selectPen(true);
    // A point on the clip's far edge belongs to the last pixel inside it.
    const int right = static_cast<int>(std::ceil(clip_.right)) - 1;
    const int bottom = static_cast<int>(std::ceil(clip_.bottom)) - 1;
    std::vector<wmf::Point> points;
    for (const std::vector<ClipPoint>& run : runs) {
        points.clear();
        for (const ClipPoint& p : run) {
            points.push_back({std::min(static_cast<int>(std::floor(p.x)), right),
                std::min(static_cast<int>(std::floor(p.y)), bottom)});
        }
        writer_->polyline(points);
    }
}

void WmfPaintEngine::fillPolygon(const std::vector<ClipPoint>& corners, bool stroke)
{
    if (brush_.style() != Qt::NoBrush) {
        const std::vector<ClipPoint> inside = clipPolygon(corners, clip_);
        if (inside.size() >= 3) {
            selectPen(false);
            selectBrush(true);
            std::vector<wmf::Point> points;
            for (const ClipPoint& p : inside)
                points.push_back({static_cast<int>(std::lround(p.x)), static_cast<int>(std::lround(p.y))});
            writer_->polygon(points);
        }
    }
    if (stroke && corners.size() >= 2) {
        std::vector<ClipPoint> ring = corners;
        if (ring.front() != ring.back())
            ring.push_back(ring.front());
        strokeRuns(clipPolyline(ring, clip_));
    }
}

void WmfPaintEngine::drawLines(const QLineF* lines, int lineCount)
{
    std::vector<std::vector<ClipPoint>> runs;
    for (int i = 0; i < lineCount; ++i) {
        const std::optional<ClipSegment> part
            = clipSegment(clipPoint(transform_.map(lines[i].p1())), clipPoint(transform_.map(lines[i].p2())), clip_);
        if (!part)
            continue;
        // Lines that continue one another become one polyline.
        if (runs.empty() || runs.back().back() != part->from)
            runs.push_back({part->from});
        runs.back().push_back(part->to);
    }
    strokeRuns(runs);
}

void WmfPaintEngine::drawRects(const QRectF* rects, int rectCount)
{
    for (int i = 0; i < rectCount; ++i) {
        const QRectF& rect = rects[i];
        const QPolygonF corners = transform_.map(QPolygonF(rect));
        if (transform_.type() > QTransform::TxScale) {
            fillPolygon(mapped(corners.constData(), static_cast<int>(corners.size())), true);
            continue;
        }
        if (brush_.style() != Qt::NoBrush) {
            const ClipRect inside = intersect(clipRectOf(transform_.mapRect(rect)), clip_);
            if (!inside.empty()) {
                selectPen(false);
                selectBrush(true);
                // Without a pen the player leaves out the right and bottom edges: one more on each side.
                wmf::Rect area = wmfRect(inside);
                ++area.right;
                ++area.bottom;
                writer_->rectangle(area);
            }
        }
        if (pen_.style() != Qt::NoPen) {
            std::vector<ClipPoint> ring = mapped(corners.constData(), static_cast<int>(corners.size()));
            strokeRuns(clipPolyline(ring, clip_));
        }
    }
}

void WmfPaintEngine::drawPolygon(const QPointF* points, int pointCount, PolygonDrawMode mode)
{
    const std::vector<ClipPoint> corners = mapped(points, pointCount);
    if (mode == PolylineMode) {
        strokeRuns(clipPolyline(corners, clip_));
        return;
    }
    fillPolygon(corners, pen_.style() != Qt::NoPen);
}

void WmfPaintEngine::drawPath(const QPainterPath& path)
{
    for (const QPolygonF& subpath : path.toSubpathPolygons(transform_)) {
        std::vector<ClipPoint> corners;
        for (const QPointF& point : subpath)
            corners.push_back(clipPoint(point));
        const bool closed = corners.size() >= 3 && corners.front() == corners.back();
        if (closed)
            fillPolygon(corners, pen_.style() != Qt::NoPen);
        else
            strokeRuns(clipPolyline(corners, clip_));
    }
}

void WmfPaintEngine::drawTextItem(const QPointF& origin, const QTextItem& textItem)
{
    const std::string text = cp949Or(textItem.text());
    if (text.empty() || clip_.empty())
        return;
    selectFont(textItem.font());
    const QRgb colour = pen_.color().rgb();
    if (textColour_ != colour) {
        writer_->setTextColour(colourRef(pen_.color()));
        textColour_ = colour;
    }
    const QPointF at = transform_.map(origin);
    const wmf::Rect clip = wmfRect(clip_);
    writer_->extTextOut(
        {static_cast<int>(std::lround(at.x())), static_cast<int>(std::lround(at.y()))}, wmf::kTextClipped, &clip, text);
}

void WmfPaintEngine::drawPixmap(const QRectF& target, const QPixmap& pixmap, const QRectF& source)
{
    const QRectF placed = transform_.mapRect(target);
    const ClipRect inside = intersect(clipRectOf(placed), clip_);
    if (inside.empty() || placed.isEmpty() || source.isEmpty())
        return;
    // The part of the source that lands inside the clip.
    const double sx = source.width() / placed.width();
    const double sy = source.height() / placed.height();
    const QRectF shown(source.left() + (inside.left - placed.left()) * sx,
        source.top() + (inside.top - placed.top()) * sy, (inside.right - inside.left) * sx,
        (inside.bottom - inside.top) * sy);
    const QImage image = pixmap.toImage().copy(shown.toAlignedRect()).convertToFormat(QImage::Format_RGB888);
    if (image.isNull())
        return;
    const std::size_t stride = (static_cast<std::size_t>(image.width()) * 3 + 3) & ~std::size_t {3};
    std::vector<std::uint8_t> rows(stride * static_cast<std::size_t>(image.height()), 0);
    for (int y = 0; y < image.height(); ++y) {
        const uchar* line = image.constScanLine(image.height() - 1 - y);
        std::uint8_t* out = rows.data() + stride * static_cast<std::size_t>(y);
        for (int x = 0; x < image.width(); ++x) {
            out[3 * x] = line[3 * x + 2];
            out[3 * x + 1] = line[3 * x + 1];
            out[3 * x + 2] = line[3 * x];
        }
    }
    writer_->stretchDib(wmfRect(inside), image.width(), image.height(), rows);
}

} // namespace lumetra::graph::drawing
