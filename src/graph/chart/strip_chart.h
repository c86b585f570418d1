// Port to one chart pane of a graph window: the roles the sampling engine, the scaling commands and the
// exports ask of a strip chart. ChartPaneModel is the in-memory implementation (also the widget's data); the
// strip chart widget implements it on screen.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace lumetra::graph {

// Memory graph: x from 0 to the span, fixed. Time graph: the x axis scrolls to keep the newest x in view.
enum class XAxisMode { Memory, Time };

// The colours and title a pane is printed with; the exports set them and restore them afterwards.
struct PrintAppearance {
    std::uint32_t backgroundColour = 0x000000; // 0x00BBGGRR
    std::uint32_t plotAreaColour = 0x000000;
    bool outerFrame = true;
    bool printLayout = false; // title row and margins for paper

    bool operator==(const PrintAppearance&) const = default;
};

class StripChart {
public:
    virtual ~StripChart() = default;

    // A new data line gets the next index, starting at 0. colour: 0x00BBGGRR.
    virtual int addDataLine(std::string_view title, std::uint32_t colour) = 0;
    virtual int dataLineCount() const = 0;
    // Removes every line with its points.
    virtual void clearDataAndLines() = 0;
    // Back to the initial appearance: axes, ticks, colours, fonts, legend, title, print appearance.
    virtual void resetAppearance() = 0;

    // Paint batching: between begin and end nothing is painted; end schedules one repaint (at most one per
    // display frame). Adding points never paints by itself.
    virtual void beginRefresh() = 0;
    virtual void endRefresh() = 0;

    virtual void setXAxisMode(XAxisMode mode) = 0;
    virtual void setXSpan(double span) = 0;
    // The newest x position: a time graph scrolls so that it stays in view.
    virtual void advanceX(double x) = 0;
    virtual void setValueRange(double minimum, double maximum) = 0;
    // On: the value axis widens to the points as they arrive. Off: it stays at the range set.
    virtual void setAutoScale(bool on) = 0;
    virtual void setDecimals(int decimals) = 0;
    // Points kept per line; a full line drops its oldest point for each new one. 0 keeps none.
    virtual void setCapacity(std::size_t points) = 0;
    virtual std::size_t capacity() const = 0;
    virtual void setActiveLine(int line) = 0;

    virtual void addPoint(int line, std::int64_t x, double y) = 0;
    // Extremes of the points the line holds; 0.0 for an empty or unknown line.
    virtual double lineMinimum(int line) const = 0;
    virtual double lineMaximum(int line) const = 0;
    // The value of the line's point at `position` (0 = oldest held); nullopt beyond the points held.
    virtual std::optional<double> readPoint(int line, std::size_t position) const = 0;

    virtual void setTitle(std::string_view title) = 0;
    virtual void setLineColour(int line, std::uint32_t colour) = 0;
    virtual PrintAppearance printAppearance() const = 0;
    virtual void setPrintAppearance(const PrintAppearance& appearance) = 0;
};

// Begin refresh, repaint, end refresh.
inline void refresh(StripChart& chart)
{
    chart.beginRefresh();
    chart.endRefresh();
}

} // namespace lumetra::graph
