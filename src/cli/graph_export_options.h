// The export options of lumetra-cli graph: the window's text export and the pictures of its panes, written
// after the graph was read, as the window's commands write them.
#pragma once

#include "cli/command_line.h"

#include "graph/chart/chart_pane_model.h"
#include "graph/exports/graph_export_commands.h"
#include "graph/session/graph_session.h"

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace lumetra::cli {

struct GraphExportRequest {
    graph::GraphExport kind;
    std::string path;
};

class GraphExportOptions {
public:
    GraphExportOptions();

    void addTo(CommandLine& line) const;
    // The exports asked for, in the order text, metafile, SVG, PDF, PNG; nullopt after a usage error for a
    // picture this build cannot draw.
    std::optional<std::vector<GraphExportRequest>> read(const CommandLine& line) const;

private:
    std::vector<std::pair<graph::GraphExport, Option>> options_;
};

// Writes each export of the session's panes; a failure prints the window's message and the system's reason.
// True when every one was written.
bool writeGraphExports(const std::vector<GraphExportRequest>& requests, const graph::GraphSession& session,
    const std::array<graph::ChartPaneModel, graph::kMaxChannels>& charts);

} // namespace lumetra::cli
