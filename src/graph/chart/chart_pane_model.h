// The in-memory strip chart: the lines with their points, the axes and the appearance of one chart pane. The
// sampling tests drive it directly and the strip chart widget paints it.
#pragma once

#include "graph/chart/chart_point.h"
#include "graph/chart/chart_point_ring.h"
#include "graph/chart/strip_chart.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumetra::graph {

// The initial appearance of a pane.
inline constexpr double kInitialValueMinimum = -10.0;
inline constexpr double kInitialValueMaximum = 10.0;
inline constexpr double kInitialXSpan = 100.0;
inline constexpr int kMaxChartDecimals = 15;

class ChartPaneModel final : public StripChart {
public:
    ChartPaneModel();

    int addDataLine(std::string_view title, std::uint32_t colour) override;
    int dataLineCount() const override { return static_cast<int>(lines_.size()); }
    void clearDataAndLines() override;
    void resetAppearance() override;

    void beginRefresh() override;
    void endRefresh() override;

    void setXAxisMode(XAxisMode mode) override { xAxisMode_ = mode; }
    void setXSpan(double span) override;
    void advanceX(double x) override;
    void setValueRange(double minimum, double maximum) override;
    void setAutoScale(bool on) override;
    void setDecimals(int decimals) override;
    void setCapacity(std::size_t points) override;
    std::size_t capacity() const override { return capacity_; }
    void setActiveLine(int line) override { activeLine_ = line; }

    void addPoint(int line, std::int64_t x, double y) override;
    double lineMinimum(int line) const override;
    double lineMaximum(int line) const override;
    std::optional<double> readPoint(int line, std::size_t position) const override;

    void setTitle(std::string_view title) override { title_ = title; }
    void setLineColour(int line, std::uint32_t colour) override;
    PrintAppearance printAppearance() const override { return printAppearance_; }
    void setPrintAppearance(const PrintAppearance& appearance) override { printAppearance_ = appearance; }

    // What the painter and the exports read.
    XAxisMode xAxisMode() const { return xAxisMode_; }
    double xSpan() const { return xSpan_; }
    double newestX() const { return newestX_; }
    bool autoScale() const { return autoScale_; }
    int decimals() const { return decimals_; }
    int activeLine() const { return activeLine_; }
    const std::string& title() const { return title_; }
    // nullptr / empty / 0 for an unknown line.
    const ChartPointRing* linePoints(int line) const;
    std::string_view lineTitle(int line) const;
    std::uint32_t lineColour(int line) const;

    // The x positions in view: memory mode 0..span; time mode a window of span whose right end follows the newest
    // x once it passes the span. A span that is not positive counts as 1.
    AxisWindow fullXWindow() const;
    // The full window joined with the x of every held point: how far a view may pan or zoom out.
    AxisWindow xExtent() const;
    // The value axis as shown: the set range, widened by the points since then while automatic scaling is on;
    // never empty (an empty range is widened so that its labels differ).
    AxisWindow valueWindow() const;

    // Refresh bookkeeping: true while inside begin/end refresh.
    bool refreshing() const { return refreshDepth_ > 0; }
    // The last end of a refresh leaves a repaint wanted; the widget takes it. The callback, when set, is called
    // at that moment.
    bool takeRepaintWanted();
    void setRepaintRequest(std::function<void()> request) { repaintRequest_ = std::move(request); }

private:
    struct DataLine {
        std::string title;
        std::uint32_t colour = 0;
        ChartPointRing points;
    };

    const DataLine* findLine(int line) const;
    void restartAutoRange();

    std::vector<DataLine> lines_;
    XAxisMode xAxisMode_ = XAxisMode::Time;
    double xSpan_ = kInitialXSpan;
    double newestX_ = 0.0;
    AxisWindow valueRange_ {kInitialValueMinimum, kInitialValueMaximum};
    AxisWindow autoRange_ {kInitialValueMinimum, kInitialValueMaximum};
    bool autoScale_ = true;
    int decimals_ = 0;
    std::size_t capacity_ = 0;
    int activeLine_ = 0;
    std::string title_;
    PrintAppearance printAppearance_;

    int refreshDepth_ = 0;
    bool repaintWanted_ = false;
    std::function<void()> repaintRequest_;
};

} // namespace lumetra::graph
