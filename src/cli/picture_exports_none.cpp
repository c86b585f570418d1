#include "cli/picture_exports.h"

namespace lumetra::cli {

bool pictureExportsBuiltIn()
{
    return false;
}

graph::ExportResult writePictureExport(graph::GraphExport, const graph::GraphSession&,
    const std::array<graph::ChartPaneModel, graph::kMaxChannels>&, const std::string&)
{
    return {graph::ExportFailure::RenderFailed, {}};
}

} // namespace lumetra::cli
