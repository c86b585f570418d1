#include "graph/chart/chart_pane_model.h"

#include "graph/chart/chart_ticks.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace lumetra::graph {

ChartPaneModel::ChartPaneModel()
{
    resetAppearance();
}

int ChartPaneModel::addDataLine(std::string_view title, std::uint32_t colour)
{
    lines_.push_back(DataLine {std::string(title), colour, ChartPointRing(capacity_)});
    return static_cast<int>(lines_.size()) - 1;
}

void ChartPaneModel::clearDataAndLines()
{
    lines_.clear();
    newestX_ = 0.0;
    activeLine_ = 0;
    restartAutoRange();
}

void ChartPaneModel::resetAppearance()
{
    xAxisMode_ = XAxisMode::Time;
    xSpan_ = kInitialXSpan;
    valueRange_ = {kInitialValueMinimum, kInitialValueMaximum};
    autoScale_ = true;
    restartAutoRange();
    decimals_ = 0;
    title_.clear();
    printAppearance_ = PrintAppearance {};
}

void ChartPaneModel::beginRefresh()
{
    ++refreshDepth_;
}

void ChartPaneModel::endRefresh()
{
    if (refreshDepth_ > 0)
        --refreshDepth_;
    if (refreshDepth_ > 0)
        return;
    repaintWanted_ = true;
    if (repaintRequest_)
        repaintRequest_();
}

bool ChartPaneModel::takeRepaintWanted()
{
    return std::exchange(repaintWanted_, false);
}

void ChartPaneModel::setXSpan(double span)
{
    if (std::isfinite(span))
        xSpan_ = span;
}

void ChartPaneModel::advanceX(double x)
{
    if (std::isfinite(x))
        newestX_ = x;
}

void ChartPaneModel::setValueRange(double minimum, double maximum)
{
    if (!std::isfinite(minimum) || !std::isfinite(maximum))
        return;
    valueRange_ = {std::min(minimum, maximum), std::max(minimum, maximum)};
    restartAutoRange();
}

void ChartPaneModel::setAutoScale(bool on)
{
    autoScale_ = on;
    restartAutoRange();
}

void ChartPaneModel::setDecimals(int decimals)
{
    decimals_ = std::clamp(decimals, 0, kMaxChartDecimals);
}

void ChartPaneModel::setCapacity(std::size_t points)
{
    capacity_ = points;
    for (DataLine& line : lines_)
        line.points.setCapacity(points);
}

void ChartPaneModel::addPoint(int line, std::int64_t x, double y)
{
    if (line < 0 || line >= dataLineCount())
        return;
    ChartPointRing& points = lines_[static_cast<std::size_t>(line)].points;
    if (points.capacity() == 0)
        return;
    points.push({x, y});
    if (autoScale_ && std::isfinite(y)) {
        autoRange_.minimum = std::min(autoRange_.minimum, y);
        autoRange_.maximum = std::max(autoRange_.maximum, y);
    }
}

double ChartPaneModel::lineMinimum(int line) const
{
    const DataLine* found = findLine(line);
    return found ? found->points.minimum().value_or(0.0) : 0.0;
}

double ChartPaneModel::lineMaximum(int line) const
{
    const DataLine* found = findLine(line);
    return found ? found->points.maximum().value_or(0.0) : 0.0;
}

std::optional<double> ChartPaneModel::readPoint(int line, std::size_t position) const
{
    const DataLine* found = findLine(line);
    if (!found || position >= found->points.size())
        return std::nullopt;
    return found->points.at(position).value;
}

void ChartPaneModel::setLineColour(int line, std::uint32_t colour)
{
    if (line >= 0 && line < dataLineCount())
        lines_[static_cast<std::size_t>(line)].colour = colour;
}

const ChartPointRing* ChartPaneModel::linePoints(int line) const
{
    const DataLine* found = findLine(line);
    return found ? &found->points : nullptr;
}

std::string_view ChartPaneModel::lineTitle(int line) const
{
    const DataLine* found = findLine(line);
    return found ? std::string_view(found->title) : std::string_view();
}

std::uint32_t ChartPaneModel::lineColour(int line) const
{
    const DataLine* found = findLine(line);
    return found ? found->colour : 0;
}

AxisWindow ChartPaneModel::fullXWindow() const
{
    const double span = xSpan_ > 0.0 ? xSpan_ : 1.0;
    if (xAxisMode_ == XAxisMode::Memory)
        return {0.0, span};
    const double right = std::max(span, newestX_);
    return {right - span, right};
}

AxisWindow ChartPaneModel::xExtent() const
{
    AxisWindow extent = fullXWindow();
    for (const DataLine& line : lines_) {
        if (const std::optional<AxisWindow> held = line.points.xExtent()) {
            extent.minimum = std::min(extent.minimum, held->minimum);
            extent.maximum = std::max(extent.maximum, held->maximum);
        }
    }
    return extent;
}

AxisWindow ChartPaneModel::valueWindow() const
{
    const AxisWindow shown = autoScale_ ? autoRange_ : valueRange_;
    return shown.width() > 0.0 ? shown : widenedFlatWindow(shown.minimum, decimals_);
}

const ChartPaneModel::DataLine* ChartPaneModel::findLine(int line) const
{
    if (line < 0 || line >= dataLineCount())
        return nullptr;
    return &lines_[static_cast<std::size_t>(line)];
}

void ChartPaneModel::restartAutoRange()
{
    autoRange_ = valueRange_;
}

} // namespace lumetra::graph
