#include "cli/picture_exports.h"

#include "graph/drawing/pane_pictures.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <optional>
#include <vector>

namespace lumetra::cli {

namespace {

// Starting the graphics application looks into the user's runtime folder; without XDG_RUNTIME_DIR Qt warns on
// standard error and makes a folder under the temporary folder that stays. For that moment the command line
// names a private empty folder of its own, removed with this object.
class RuntimeFolderWhileDrawing {
public:
    RuntimeFolderWhileDrawing()
    {
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
        if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
            return;
        folder_.emplace(QDir::tempPath() + QStringLiteral("/lumetra-cli-XXXXXX"));
        if (folder_->isValid())
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(folder_->path()));
        else
            folder_.reset();
#endif
    }
    ~RuntimeFolderWhileDrawing()
    {
        if (folder_)
            qunsetenv("XDG_RUNTIME_DIR");
    }
    RuntimeFolderWhileDrawing(const RuntimeFolderWhileDrawing&) = delete;
    RuntimeFolderWhileDrawing& operator=(const RuntimeFolderWhileDrawing&) = delete;

private:
    std::optional<QTemporaryDir> folder_;
};

} // namespace

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
    const RuntimeFolderWhileDrawing runtimeFolder;
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
