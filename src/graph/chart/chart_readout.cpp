#include "graph/chart/chart_readout.h"

#include "graph/chart/chart_ticks.h"

namespace lumetra::graph {

namespace {

std::optional<double> nearestValue(const ChartPaneModel& model, int line, double x)
{
    const ChartPointRing* points = model.linePoints(line);
    const std::optional<std::size_t> position = points ? points->nearest(x) : std::nullopt;
    if (!position)
        return std::nullopt;
    return points->at(*position).value;
}

std::string valueText(const ChartPaneModel& model, const std::optional<double>& value)
{
    return value ? fixedLabel(*value, model.decimals()) : std::string("-");
}

} // namespace

PointReadout readoutAt(const ChartPaneModel& model, double x)
{
    PointReadout readout {x, {}};
    for (int line = 0; line < model.dataLineCount(); ++line)
        readout.values.push_back(nearestValue(model, line, x));
    return readout;
}

std::optional<CursorDelta> cursorDelta(const ChartPaneModel& model, const ChartInteraction& interaction)
{
    const std::optional<double> a = interaction.cursor(CursorMark::A);
    const std::optional<double> b = interaction.cursor(CursorMark::B);
    if (!a || !b)
        return std::nullopt;
    CursorDelta delta {*b - *a, {}};
    for (int line = 0; line < model.dataLineCount(); ++line) {
        const std::optional<double> atA = nearestValue(model, line, *a);
        const std::optional<double> atB = nearestValue(model, line, *b);
        delta.dy.push_back(atA && atB ? std::optional<double>(*atB - *atA) : std::nullopt);
    }
    return delta;
}

std::vector<std::string> readoutTexts(const ChartPaneModel& model, const PointReadout& readout)
{
    std::vector<std::string> texts {"X: " + fixedLabel(readout.x, 0)};
    for (int line = 0; line < static_cast<int>(readout.values.size()); ++line)
        texts.push_back(std::string(model.lineTitle(line)) + ": " + valueText(model, readout.values[line]));
    return texts;
}

std::vector<std::string> deltaTexts(const ChartPaneModel& model, const CursorDelta& delta)
{
    std::vector<std::string> texts {"ΔX: " + fixedLabel(delta.dx, 0)};
    for (int line = 0; line < static_cast<int>(delta.dy.size()); ++line)
        texts.push_back("Δ" + std::string(model.lineTitle(line)) + ": " + valueText(model, delta.dy[line]));
    return texts;
}

} // namespace lumetra::graph
