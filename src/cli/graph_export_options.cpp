#include "cli/graph_export_options.h"

#include "cli/command.h"
#include "cli/picture_exports.h"
#include "cli/text_format.h"

#include "core/path_text.h"
#include "graph/exports/export_time.h"
#include "graph/exports/graph_export_source.h"

namespace lumetra::cli {

namespace {

struct ExportOptionText {
    graph::GraphExport kind;
    const char* name;
    const char* description;
};

constexpr std::array<ExportOptionText, 5> kExportOptions {{
    {graph::GraphExport::Text, "text", "Write the points as the window's text file (code page 949, CR LF)."},
    {graph::GraphExport::Metafile, "wmf",
        "Write the panes as Windows metafiles (FILE, or FILE's title 1..n.wmf with --separate)."},
    {graph::GraphExport::Svg, "svg", "Write the panes as SVG drawings (numbered like --wmf with --separate)."},
    {graph::GraphExport::Pdf, "pdf", "Write the panes as one PDF document, a page per pane."},
    {graph::GraphExport::Png, "png", "Write the panes as PNG images (numbered like --wmf with --separate)."},
}};

} // namespace

GraphExportOptions::GraphExportOptions()
{
    for (const ExportOptionText& option : kExportOptions)
        options_.emplace_back(option.kind, Option {option.name, option.description, "FILE", {}});
}

void GraphExportOptions::addTo(CommandLine& line) const
{
    for (const auto& [kind, option] : options_)
        line.addOption(option);
}

std::optional<std::vector<GraphExportRequest>> GraphExportOptions::read(const CommandLine& line) const
{
    std::vector<GraphExportRequest> requests;
    for (const auto& [kind, option] : options_) {
        if (!line.isSet(option))
            continue;
        if (!graph::isDataExport(kind) && !pictureExportsBuiltIn()) {
            line.usageError("--" + option.name
                + ": this lumetra-cli is built without the picture exports; --text writes the points");
            return std::nullopt;
        }
        requests.push_back({kind, line.value(option)});
    }
    return requests;
}

bool writeGraphExports(const std::vector<GraphExportRequest>& requests, const graph::GraphSession& session,
    const std::array<graph::ChartPaneModel, graph::kMaxChannels>& charts)
{
    bool allWritten = true;
    for (const GraphExportRequest& request : requests) {
        const graph::ExportResult result = graph::isDataExport(request.kind)
            ? graph::writeGraphData(request.kind, core::pathFromUtf8(request.path), graph::exportSourceOf(session),
                graph::currentExportTime())
            : writePictureExport(request.kind, session, charts, request.path);
        if (result.ok())
            continue;
        allWritten = false;
        std::string message = std::string(graph::exportDialogOf(request.kind).failureText) + " (" + request.path;
        if (result.cause)
            message += ": " + result.cause.message();
        printError(printableText(message + ')'));
    }
    return allWritten;
}

} // namespace lumetra::cli
