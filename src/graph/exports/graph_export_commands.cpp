#include "graph/exports/graph_export_commands.h"

#include "graph/exports/graph_csv_export.h"
#include "graph/exports/graph_text_export.h"
#include "graph/exports/pane_file_names.h"

namespace lumetra::graph {

namespace {

std::string& folderOf(core::GraphEnv& env, GraphExport exportKind)
{
    return isDataExport(exportKind) ? env.graphTextDir : env.metaFileInitDir;
}

} // namespace

bool isDataExport(GraphExport exportKind)
{
    return exportKind == GraphExport::Text || exportKind == GraphExport::Csv;
}

std::optional<GraphExport> graphExportOf(GraphCommand command)
{
    switch (command) {
    case GraphCommand::SaveText:
        return GraphExport::Text;
    case GraphCommand::SaveCsv:
        return GraphExport::Csv;
    case GraphCommand::SaveMetafile:
        return GraphExport::Metafile;
    case GraphCommand::SaveSvg:
        return GraphExport::Svg;
    case GraphCommand::SavePdf:
        return GraphExport::Pdf;
    case GraphCommand::SavePng:
        return GraphExport::Png;
    default:
        return std::nullopt;
    }
}

ExportDialog exportDialogOf(GraphExport exportKind)
{
    switch (exportKind) {
    case GraphExport::Text:
        return {kGraphTextFilter, kGraphTextExtension, kTextFileFailedText};
    case GraphExport::Csv:
        return {kGraphCsvFilter, kGraphCsvExtension, kCsvFileFailedText};
    case GraphExport::Metafile:
        return {kMetafileFilter, kMetafileExtension, kMetafileFailedText};
    case GraphExport::Svg:
        return {"SVG 파일 (*.svg)|*.svg||", "svg", kPictureFileFailedText};
    case GraphExport::Pdf:
        return {"PDF 파일 (*.pdf)|*.pdf||", "pdf", kPictureFileFailedText};
    case GraphExport::Png:
        return {"PNG 파일 (*.png)|*.png||", "png", kPictureFileFailedText};
    }
    return {};
}

const std::string& exportFolder(const core::GraphEnv& env, GraphExport exportKind)
{
    return isDataExport(exportKind) ? env.graphTextDir : env.metaFileInitDir;
}

void rememberExportFolder(core::GraphEnv& env, GraphExport exportKind, std::string_view chosenPath)
{
    folderOf(env, exportKind) = fileFolder(chosenPath);
}

ExportResult writeGraphData(
    GraphExport exportKind, const std::filesystem::path& path, const GraphExportSource& source, const ExportTime& time)
{
    switch (exportKind) {
    case GraphExport::Text:
        return writeGraphText(path, source, time);
    case GraphExport::Csv:
        return writeGraphCsv(path, source);
    default:
        return {ExportFailure::NothingToExport, {}};
    }
}

} // namespace lumetra::graph
