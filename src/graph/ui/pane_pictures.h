// The picture exports of a graph window: each pane in use drawn by paintChart at its size on screen, as on
// screen, into a Windows metafile, an SVG drawing, a PNG image or a PDF page. Metafile, SVG and PNG write one
// file per pane (the chosen name in the single-pane layout, "<title>k.<ext>" beside it in the individual
// layout); PDF writes one document with a page per pane. Every file goes through a temporary file.
#pragma once

#include "graph/chart_pane_model.h"
#include "graph/export_result.h"

#include "core/user_prompts.h"

#include <QByteArray>
#include <QSize>

#include <string_view>
#include <vector>

namespace lumetra::graph {
class GraphSession;
}

namespace lumetra::graph::ui {

class StripChartWidget;

enum class PictureFormat { Metafile, Svg, Pdf, Png };

struct PictureFormatTexts {
    std::string_view filter; // for the save dialog
    std::string_view extension;
    std::string_view failureText; // the message of a failed export
};
PictureFormatTexts pictureFormatTexts(PictureFormat format);

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

ExportResult writePanePictures(
    PictureFormat format, const std::vector<PanePicture>& panes, bool individual, std::string_view chosenPath);

// The panes in use of the window's session, at their sizes on screen.
std::vector<PanePicture> panePictures(const GraphSession& session, const std::vector<StripChartWidget*>& panes);

// writePanePictures of the window's panes; a failure shows the format's message (error icon).
bool exportPanePictures(PictureFormat format, const GraphSession& session, const std::vector<StripChartWidget*>& panes,
    std::string_view chosenPath, core::UserPrompts& prompts);

} // namespace lumetra::graph::ui
