// The picture exports of lumetra-cli graph (metafile, SVG, PDF, PNG), drawn by the desktop's chart painter. A
// build without the Qt graphics library (the standalone Windows command line) has none of them.
#pragma once

#include "graph/chart/chart_pane_model.h"
#include "graph/exports/export_result.h"
#include "graph/exports/graph_export_commands.h"
#include "graph/session/graph_session.h"

#include <array>
#include <string>

namespace lumetra::cli {

bool pictureExportsBuiltIn();

// Writes the session's panes as `kind`, one of the picture exports, to path (UTF-8).
graph::ExportResult writePictureExport(graph::GraphExport kind, const graph::GraphSession& session,
    const std::array<graph::ChartPaneModel, graph::kMaxChannels>& charts, const std::string& path);

} // namespace lumetra::cli
