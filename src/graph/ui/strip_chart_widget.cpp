#include "graph/ui/strip_chart_widget.h"

#include "graph/drawing/chart_painter.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace lumetra::graph::ui {

namespace {

// A press that moves less than this is a click; more starts a pan.
constexpr int kDragThreshold = 3;
// One wheel notch (120 eighths of a degree) zooms in or out by this factor.
constexpr double kWheelZoomFactor = 0.8;

} // namespace

StripChartWidget::StripChartWidget(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    frameTimer_.setSingleShot(true);
    frameTimer_.setTimerType(Qt::PreciseTimer);
    connect(&frameTimer_, &QTimer::timeout, this, [this] {
        // The frame starts now: refreshes until the paint comes are shown by it, later ones wait a frame.
        sinceLastPaint_.start();
        update();
    });
    model_.setRepaintRequest([this] { scheduleRepaint(); });
}

int StripChartWidget::addDataLine(std::string_view title, std::uint32_t colour)
{
    return model_.addDataLine(title, colour);
}

void StripChartWidget::clearDataAndLines()
{
    model_.clearDataAndLines();
    interaction_.clear();
}

void StripChartWidget::setInteractive(bool interactive)
{
    interactive_ = interactive;
    pressedAt_.reset();
    dragFrom_.reset();
    if (!interactive) {
        interaction_.clear();
        update();
    }
}

void StripChartWidget::scheduleRepaint()
{
    if (frameTimer_.isActive())
        return;
    const qint64 since = sinceLastPaint_.isValid() ? sinceLastPaint_.elapsed() : kFrameIntervalMs;
    frameTimer_.start(static_cast<int>(std::max<qint64>(0, kFrameIntervalMs - since)));
}

void StripChartWidget::paintEvent(QPaintEvent*)
{
    sinceLastPaint_.start();
    model_.takeRepaintWanted();
    QPainter painter(this);
    drawing::paintChart(painter, rect(), model_, interaction_);
}

double StripChartWidget::xAt(QPointF position) const
{
    return drawing::chartPlotMapping(*this, rect(), model_, interaction_).xOfPixel(position.x());
}

bool StripChartWidget::inPlot(QPointF position) const
{
    return drawing::chartPlotMapping(*this, rect(), model_, interaction_).plot.contains(position.x(), position.y());
}

void StripChartWidget::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    if (!interactive_ || event->button() != Qt::LeftButton)
        return;
    pressedAt_ = event->position().toPoint();
    dragFrom_ = pressedAt_;
}

void StripChartWidget::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    if (!interactive_)
        return;
    const QPointF position = event->position();
    if (dragFrom_ && (event->buttons() & Qt::LeftButton)) {
        const QPoint now = position.toPoint();
        if (pressedAt_ && (now - *pressedAt_).manhattanLength() < kDragThreshold)
            return;
        pressedAt_.reset(); // a drag, not a click
        const double dx = xAt(*dragFrom_) - xAt(now);
        interaction_.panBy(dx, model_.fullXWindow(), model_.xExtent());
        dragFrom_ = now;
    }
    interaction_.setHover(inPlot(position) ? std::optional<double>(xAt(position)) : std::nullopt);
    update();
}

void StripChartWidget::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    if (!interactive_ || event->button() != Qt::LeftButton)
        return;
    if (pressedAt_ && inPlot(*pressedAt_)) {
        const CursorMark mark = event->modifiers() & Qt::ShiftModifier ? CursorMark::B : CursorMark::A;
        interaction_.placeCursor(mark, xAt(*pressedAt_));
        update();
    }
    pressedAt_.reset();
    dragFrom_.reset();
}

void StripChartWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept();
    if (!interactive_ || event->button() != Qt::LeftButton)
        return;
    pressedAt_.reset();
    dragFrom_.reset();
    interaction_.showFullView();
    update();
}

void StripChartWidget::wheelEvent(QWheelEvent* event)
{
    event->accept();
    if (!interactive_ || event->angleDelta().y() == 0 || !inPlot(event->position()))
        return;
    const double notches = event->angleDelta().y() / 120.0;
    interaction_.zoomAround(
        xAt(event->position()), std::pow(kWheelZoomFactor, notches), model_.fullXWindow(), model_.xExtent());
    update();
}

void StripChartWidget::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    if (interaction_.hover()) {
        interaction_.setHover(std::nullopt);
        update();
    }
}

} // namespace lumetra::graph::ui
