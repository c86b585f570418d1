#include "cli/graph_export_options.h"

#include "cli/command.h"

#include "core/path_text.h"
#include "graph/drawing/pane_pictures.h"
#include "graph/export_time.h"
#include "graph/graph_export_source.h"

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

QString qt(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::vector<graph::drawing::PanePicture> picturesOf(
    const graph::GraphSession& session, const std::array<graph::ChartPaneModel, graph::kMaxChannels>& charts)
{
    std::vector<graph::drawing::PanePicture> pictures;
    for (int p = 0; p < session.paneCount(); ++p)
        pictures.push_back({&charts[static_cast<std::size_t>(p)], graph::drawing::kDefaultPictureSize});
    return pictures;
}

} // namespace

bool drawsPictures(const QStringList& arguments)
{
    for (const ExportOptionText& option : kExportOptions) {
        if (option.kind == graph::GraphExport::Text)
            continue;
        const QString flag = QStringLiteral("--") + QLatin1String(option.name);
        for (const QString& argument : arguments)
            if (argument == flag || argument.startsWith(flag + QLatin1Char('=')))
                return true;
    }
    return false;
}

GraphExportOptions::GraphExportOptions()
{
    for (const ExportOptionText& option : kExportOptions)
        options_.emplace_back(option.kind,
            QCommandLineOption(
                QLatin1String(option.name), QString::fromUtf8(option.description), QStringLiteral("FILE")));
}

void GraphExportOptions::addTo(CommandLine& line) const
{
    for (const auto& [kind, option] : options_)
        line.addOption(option);
}

std::vector<GraphExportRequest> GraphExportOptions::read(const CommandLine& line) const
{
    std::vector<GraphExportRequest> requests;
    for (const auto& [kind, option] : options_)
        if (line.parser().isSet(option))
            requests.push_back({kind, line.parser().value(option)});
    return requests;
}

bool writeGraphExports(const std::vector<GraphExportRequest>& requests, const graph::GraphSession& session,
    const std::array<graph::ChartPaneModel, graph::kMaxChannels>& charts)
{
    bool allWritten = true;
    for (const GraphExportRequest& request : requests) {
        const std::string path = request.path.toStdString();
        const graph::ExportResult result = graph::isDataExport(request.kind)
            ? graph::writeGraphData(
                request.kind, core::pathFromUtf8(path), graph::exportSourceOf(session), graph::currentExportTime())
            : graph::drawing::writePanePictures(request.kind, picturesOf(session, charts), session.individual(), path);
        if (result.ok())
            continue;
        allWritten = false;
        QString message = qt(graph::exportDialogOf(request.kind).failureText) + QStringLiteral(" (") + request.path;
        if (result.cause)
            message += QStringLiteral(": ") + QString::fromStdString(result.cause.message());
        printError(message + QLatin1Char(')'));
    }
    return allWritten;
}

} // namespace lumetra::cli
