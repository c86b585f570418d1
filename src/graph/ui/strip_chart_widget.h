// A chart pane on screen: the StripChart roles forwarded to its ChartPaneModel, at most one repaint per display
// frame after the ends of refreshes, and, while interactive (the window is idle), the hover readout, cursors A
// (click) and B (Shift+click), x zoom by the wheel, pan by dragging and the full view on a double click.
#pragma once

#include "graph/chart/chart_interaction.h"
#include "graph/chart/chart_pane_model.h"

#include <QElapsedTimer>
#include <QPoint>
#include <QTimer>
#include <QWidget>

#include <optional>

namespace lumetra::graph::ui {

// 60 frames a second at most.
inline constexpr int kFrameIntervalMs = 16;

class StripChartWidget final : public QWidget, public StripChart {
    Q_OBJECT

public:
    explicit StripChartWidget(QWidget* parent = nullptr);

    int addDataLine(std::string_view title, std::uint32_t colour) override;
    int dataLineCount() const override { return model_.dataLineCount(); }
    void clearDataAndLines() override;
    void resetAppearance() override { model_.resetAppearance(); }
    void beginRefresh() override { model_.beginRefresh(); }
    void endRefresh() override { model_.endRefresh(); }
    void setXAxisMode(XAxisMode mode) override { model_.setXAxisMode(mode); }
    void setXSpan(double span) override { model_.setXSpan(span); }
    void advanceX(double x) override { model_.advanceX(x); }
    void setValueRange(double minimum, double maximum) override { model_.setValueRange(minimum, maximum); }
    void setAutoScale(bool on) override { model_.setAutoScale(on); }
    void setDecimals(int decimals) override { model_.setDecimals(decimals); }
    void setCapacity(std::size_t points) override { model_.setCapacity(points); }
    std::size_t capacity() const override { return model_.capacity(); }
    void setActiveLine(int line) override { model_.setActiveLine(line); }
    void addPoint(int line, std::int64_t x, double y) override { model_.addPoint(line, x, y); }
    double lineMinimum(int line) const override { return model_.lineMinimum(line); }
    double lineMaximum(int line) const override { return model_.lineMaximum(line); }
    std::optional<double> readPoint(int line, std::size_t position) const override
    {
        return model_.readPoint(line, position);
    }
    void setTitle(std::string_view title) override { model_.setTitle(title); }
    void setLineColour(int line, std::uint32_t colour) override { model_.setLineColour(line, colour); }
    PrintAppearance printAppearance() const override { return model_.printAppearance(); }
    void setPrintAppearance(const PrintAppearance& appearance) override { model_.setPrintAppearance(appearance); }

    // The data the exports read and print.
    const ChartPaneModel& model() const { return model_; }
    const ChartInteraction& interaction() const { return interaction_; }

    // While false (the window acquires) mouse input on the pane is discarded and the view follows the data;
    // turning it off drops the hover, cursors and zoom.
    void setInteractive(bool interactive);
    bool interactive() const { return interactive_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void scheduleRepaint();
    double xAt(QPointF position) const;
    bool inPlot(QPointF position) const;

    ChartPaneModel model_;
    ChartInteraction interaction_;
    bool interactive_ = true;
    QTimer frameTimer_;
    QElapsedTimer sinceLastPaint_;
    std::optional<QPoint> pressedAt_;
    std::optional<QPoint> dragFrom_;
};

} // namespace lumetra::graph::ui
