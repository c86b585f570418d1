// A StripChart test double: records every role call (name and arguments) in order and keeps the points of
// each line within the capacity, so that extremes and readPoint answer as a chart does.
#pragma once

#include "graph/chart/strip_chart.h"

#include <algorithm>
#include <cstdio>
#include <deque>
#include <string>
#include <vector>

namespace lumetra::graph::test {

class RecordingStripChart final : public StripChart {
public:
    struct Line {
        std::string title;
        std::uint32_t colour = 0;
        std::deque<double> values;
    };

    int addDataLine(std::string_view title, std::uint32_t colour) override
    {
        record("addDataLine(" + std::string(title) + "," + hex(colour) + ")");
        lines.push_back({std::string(title), colour, {}});
        return static_cast<int>(lines.size()) - 1;
    }
    int dataLineCount() const override { return static_cast<int>(lines.size()); }
    void clearDataAndLines() override
    {
        record("clearDataAndLines");
        lines.clear();
    }
    void resetAppearance() override { record("resetAppearance"); }
    void beginRefresh() override { record("beginRefresh"); }
    void endRefresh() override
    {
        record("endRefresh");
        ++refreshes;
    }
    void setXAxisMode(XAxisMode mode) override
    {
        xAxisMode = mode;
        record(mode == XAxisMode::Memory ? "setXAxisMode(Memory)" : "setXAxisMode(Time)");
    }
    void setXSpan(double span) override
    {
        xSpan = span;
        record("setXSpan(" + number(span) + ")");
    }
    void advanceX(double x) override
    {
        lastX = x;
        ++advances;
    }
    void setValueRange(double low, double high) override
    {
        minimum = low;
        maximum = high;
        record("setValueRange(" + number(low) + "," + number(high) + ")");
    }
    void setAutoScale(bool on) override
    {
        autoScale = on;
        record(on ? "setAutoScale(on)" : "setAutoScale(off)");
    }
    void setDecimals(int places) override
    {
        decimals = places;
        record("setDecimals(" + std::to_string(places) + ")");
    }
    void setCapacity(std::size_t points) override
    {
        capacity_ = points;
        record("setCapacity(" + std::to_string(points) + ")");
        for (Line& line : lines)
            trim(line);
    }
    std::size_t capacity() const override { return capacity_; }
    void setActiveLine(int line) override
    {
        activeLine = line;
        record("setActiveLine(" + std::to_string(line) + ")");
    }
    void addPoint(int line, std::int64_t x, double y) override
    {
        lastPointX = x;
        if (line < 0 || line >= dataLineCount())
            return;
        Line& target = lines[static_cast<std::size_t>(line)];
        target.values.push_back(y);
        trim(target);
    }
    double lineMinimum(int line) const override
    {
        const Line* held = find(line);
        return held && !held->values.empty() ? *std::min_element(held->values.begin(), held->values.end()) : 0.0;
    }
    double lineMaximum(int line) const override
    {
        const Line* held = find(line);
        return held && !held->values.empty() ? *std::max_element(held->values.begin(), held->values.end()) : 0.0;
    }
    std::optional<double> readPoint(int line, std::size_t position) const override
    {
        const Line* held = find(line);
        if (!held || position >= held->values.size())
            return std::nullopt;
        return held->values[position];
    }
    void setTitle(std::string_view text) override { record("setTitle(" + std::string(text) + ")"); }
    void setLineColour(int line, std::uint32_t colour) override
    {
        record("setLineColour(" + std::to_string(line) + "," + hex(colour) + ")");
    }
    PrintAppearance printAppearance() const override { return print; }
    void setPrintAppearance(const PrintAppearance& appearance) override { print = appearance; }

    // The values of a line, oldest first.
    std::vector<double> values(int line) const
    {
        const Line* held = find(line);
        return held ? std::vector<double>(held->values.begin(), held->values.end()) : std::vector<double> {};
    }
    std::vector<std::string> takeCalls()
    {
        std::vector<std::string> taken;
        taken.swap(calls);
        return taken;
    }

    std::vector<std::string> calls;
    std::vector<Line> lines;
    XAxisMode xAxisMode = XAxisMode::Memory;
    double xSpan = -1.0;
    double minimum = 0.0;
    double maximum = 0.0;
    bool autoScale = false;
    int decimals = -1;
    int activeLine = -1;
    int refreshes = 0;
    int advances = 0;
    double lastX = -1.0;
    std::int64_t lastPointX = -1;
    PrintAppearance print {};

private:
    void record(std::string call) { calls.push_back(std::move(call)); }
    void trim(Line& line) const
    {
        while (line.values.size() > capacity_)
            line.values.pop_front();
    }
    const Line* find(int line) const
    {
        return line >= 0 && line < dataLineCount() ? &lines[static_cast<std::size_t>(line)] : nullptr;
    }
    static std::string hex(std::uint32_t value)
    {
        char text[16];
        std::snprintf(text, sizeof text, "0x%06X", value);
        return text;
    }
    static std::string number(double value)
    {
        char text[64];
        std::snprintf(text, sizeof text, "%g", value);
        return text;
    }

    std::size_t capacity_ = 0;
};

} // namespace lumetra::graph::test
