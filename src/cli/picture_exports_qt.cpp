#include "cli/picture_exports.h"

#include "graph/drawing/pane_pictures.h"

#include <QGuiApplication>

#include <vector>

namespace lumetra::cli {

bool pictureExportsBuiltIn()
{
    return true;
}

graph::ExportResult writePictureExport(graph::GraphExport kind, const graph::GraphSession& session,
    const std::array<graph::ChartPaneModel, graph::kMaxChannels>& charts, const std::string& path)
{
    // Drawing text needs a graphics application object; it draws offscreen and never shows a window. It lives
    // while the picture is drawn, so the other commands do without one.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "lumetra-cli";
    char* argv[] = {name, nullptr};
    const QGuiApplication application(argc, argv);
    std::vector<graph::drawing::PanePicture> pictures;
    for (int p = 0; p < session.paneCount(); ++p)
        pictures.push_back({&charts[static_cast<std::size_t>(p)], graph::drawing::kDefaultPictureSize});
    return graph::drawing::writePanePictures(kind, pictures, session.individual(), path);
}

} // namespace lumetra::cli
