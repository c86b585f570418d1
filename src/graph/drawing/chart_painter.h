// Paints a chart pane onto any QPainter: a widget, a QImage, a printer, an SVG or PDF writer. Everything it
// draws comes from the pane model and the interaction state passed in; it keeps no state of its own.
#pragma once

#include "graph/chart/chart_interaction.h"
#include "graph/chart/chart_layout.h"
#include "graph/chart/chart_pane_model.h"

#include <QRect>

class QPaintDevice;
class QPainter;

namespace lumetra::graph::drawing {

// Paints `model` into `area` (the painter's logical coordinates) with the hover and cursor marks of
// `interaction` and its x zoom.
void paintChart(QPainter& painter, const QRect& area, const ChartPaneModel& model,
    const ChartInteraction& interaction = {});

// The plot rectangle and axis windows paintChart uses for `area` on `device`: how a mouse position maps to x.
PlotMapping chartPlotMapping(const QPaintDevice& device, const QRect& area, const ChartPaneModel& model,
    const ChartInteraction& interaction);

} // namespace lumetra::graph::drawing
