// The readouts of the interaction cursors: at an x, each line's value at its nearest held point; between the
// cursors A and B, Δx and each line's Δy; and the texts the chart shows for them.
#pragma once

#include "graph/chart/chart_interaction.h"
#include "graph/chart/chart_pane_model.h"

#include <optional>
#include <string>
#include <vector>

namespace lumetra::graph {

struct PointReadout {
    double x = 0.0;
    std::vector<std::optional<double>> values; // per line; nullopt for a line without points
};

struct CursorDelta {
    double dx = 0.0; // B - A
    std::vector<std::optional<double>> dy; // per line, B - A; nullopt for a line without points
};

PointReadout readoutAt(const ChartPaneModel& model, double x);
// Only when both cursors are placed.
std::optional<CursorDelta> cursorDelta(const ChartPaneModel& model, const ChartInteraction& interaction);

// "X: <x>" then "<line title>: <value>" per line, values with the pane's decimals, "-" without a value.
std::vector<std::string> readoutTexts(const ChartPaneModel& model, const PointReadout& readout);
// "ΔX: <dx>" then "Δ<line title>: <dy>" per line.
std::vector<std::string> deltaTexts(const ChartPaneModel& model, const CursorDelta& delta);

} // namespace lumetra::graph
