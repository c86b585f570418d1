// The file exports of a graph window: the save dialog each shows and the "Graph Env" folder it starts in and
// remembers. The data exports (text, CSV) share "Graph Text Dir", the pictures (metafile, SVG, PDF, PNG)
// "MetaFile Init Dir".
#pragma once

#include "graph/exports/export_result.h"
#include "graph/exports/export_time.h"
#include "graph/exports/graph_export_source.h"
#include "graph/session/graph_commands.h"

#include "core/configuration.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace lumetra::graph {

enum class GraphExport { Text, Csv, Metafile, Svg, Pdf, Png };

struct ExportDialog {
    std::string_view filter; // "Name|pattern||"
    std::string_view extension; // the default one, without the full stop
    std::string_view failureText; // the message of a failed export
};

// Text and CSV write the points; the others draw the panes.
bool isDataExport(GraphExport exportKind);

// nullopt for a command that writes no file (print has no save dialog).
std::optional<GraphExport> graphExportOf(GraphCommand command);
ExportDialog exportDialogOf(GraphExport exportKind);

// The folder the dialog starts in; empty for the dialog's own choice.
const std::string& exportFolder(const core::GraphEnv& env, GraphExport exportKind);
// Stores the folder of the chosen file, with its trailing separator.
void rememberExportFolder(core::GraphEnv& env, GraphExport exportKind, std::string_view chosenPath);

// Writes a data export (text or CSV) of `source` to `path`; a picture export writes nothing here and fails as
// NothingToExport (the pictures are drawn by the window's panes).
ExportResult writeGraphData(
    GraphExport exportKind, const std::filesystem::path& path, const GraphExportSource& source, const ExportTime& time);

} // namespace lumetra::graph
