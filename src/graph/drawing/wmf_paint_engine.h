// The paint engine of WmfPaintDevice: it keeps the painter's state (transform, clip, pen, brush, font) and
// writes each primitive through a WmfWriter, creating a metafile object only when the state has changed.
#pragma once

#include "graph/chart/rect_clip.h"
#include "graph/exports/wmf_writer.h"

#include <QBrush>
#include <QFont>
#include <QPaintEngine>
#include <QPen>
#include <QTransform>

#include <optional>
#include <vector>

namespace lumetra::graph::drawing {

class WmfPaintDevice;

class WmfPaintEngine final : public QPaintEngine {
public:
    explicit WmfPaintEngine(WmfPaintDevice& device);

    bool begin(QPaintDevice* device) override;
    bool end() override;
    void updateState(const QPaintEngineState& changed) override;
    Type type() const override { return QPaintEngine::User; }

    void drawLines(const QLineF* lines, int lineCount) override;
    void drawRects(const QRectF* rects, int rectCount) override;
    void drawPolygon(const QPointF* points, int pointCount, PolygonDrawMode mode) override;
    void drawPath(const QPainterPath& path) override;
    void drawTextItem(const QPointF& origin, const QTextItem& textItem) override;
    void drawPixmap(const QRectF& target, const QPixmap& pixmap, const QRectF& source) override;

private:
    // The WMF objects matching the current pen, brush and font, created and selected when they differ.
    void selectPen(bool stroke);
    void selectBrush(bool fill);
    void selectFont(const QFont& font);

    std::vector<ClipPoint> mapped(const QPointF* points, int count) const;
    void strokeRuns(const std::vector<std::vector<ClipPoint>>& runs);
    void fillPolygon(const std::vector<ClipPoint>& corners, bool stroke);

    WmfPaintDevice& device_;
    std::optional<wmf::WmfWriter> writer_;
    QTransform transform_;
    ClipRect clip_;
    QPen pen_;
    QBrush brush_;

    struct Selected {
        int slot = -1;
        QString key;
    };
    Selected penObject_;
    Selected brushObject_;
    Selected fontObject_;
    std::optional<QRgb> textColour_;
};

} // namespace lumetra::graph::drawing
