// The picture exports of a graph window: each pane in use drawn by paintChart at its size on screen, as on
// screen, into a Windows metafile, an SVG drawing, a PNG image or a PDF page. Metafile, SVG and PNG write one
// file per pane (the chosen name in the single-pane layout, "<title>k.<ext>" beside it in the individual
// layout); PDF writes one document with a page per pane. Every file goes through a temporary file.
#pragma once

#include "graph/chart/chart_pane_model.h"
#include "graph/exports/export_result.h"
#include "graph/exports/graph_export_commands.h"

#include <QByteArray>
#include <QSize>

#include <string_view>
#include <vector>

namespace lumetra::graph::drawing {

// The size a pane is drawn at when it has none on screen (hidden).
inline constexpr QSize kDefaultPictureSize {800, 500};

struct PanePicture {
    const ChartPaneModel* model = nullptr;
    QSize size;
};

// The encoded bytes; empty when drawing or encoding failed.
QByteArray metafileOf(const PanePicture& pane);
QByteArray svgOf(const PanePicture& pane);
QByteArray pngOf(const PanePicture& pane);
QByteArray pdfOf(const std::vector<PanePicture>& panes);

// `format` is one of the picture exports; a data export (text, CSV) draws nothing and fails as RenderFailed.
ExportResult writePanePictures(
    GraphExport format, const std::vector<PanePicture>& panes, bool individual, std::string_view chosenPath);

} // namespace lumetra::graph::drawing
