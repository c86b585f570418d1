#include "app/ui/graph_windows.h"

#include "graph/session/sample_wire_time.h"
#include "graph/ui/graph_item_dialog.h"
#include "graph/ui/graph_window.h"

namespace lumetra::app::ui {

namespace {

template <typename Item>
bool itemDialogAccepted(std::vector<Item>& catalogue, std::vector<Item>& selection,
    graph::GraphEnvironment& environment, graph::GraphKindSettings& settings, Application& app,
    UserPrompts& prompts, QWidget* parent)
{
    // Members of structures are channels too.
    const std::vector<image::CDataObject> symbols = app.image().symbols().recordsWithMembers();
    graph::ui::GraphItemDialog dialog(
        catalogue, selection, environment, settings, symbols, app.image().targetId(), prompts, parent);
    MainFrame& frame = app.mainFrame();
    dialog.setLineBaud(
        graph::podLineBaud(frame.linkConfig().portType == core::PortType::Usb, frame.link().podKind()));
    return dialog.exec() == QDialog::Accepted;
}

} // namespace

GraphWindows::GraphWindows(Application& app, UserPrompts& prompts, QWidget& mainWindow)
    : app_(app)
    , prompts_(prompts)
    , mainWindow_(mainWindow)
{
    app_.graphs().registry().setAfterStopAll([this] {
        for (graph::ui::GraphWindow* window : windows())
            window->showSessionState();
    });
}

GraphWindows::~GraphWindows()
{
    app_.graphs().registry().setAfterStopAll({});
}

void GraphWindows::runGraphCommand(graph::GraphKind kind)
{
    if (!app_.graphCommandsAccepted())
        return;
    GraphWorkspace& graphs = app_.graphs();
    graph::GraphSettings& settings = graphs.settings();
    const bool accepted = kind == graph::GraphKind::Memory
        ? itemDialogAccepted(graphs.memoryCatalogue(), graphs.memorySelection(), settings.environment, settings.memory,
            app_, prompts_, &mainWindow_)
        : itemDialogAccepted(graphs.timeCatalogue(), graphs.timeSelection(), settings.environment, settings.time, app_,
            prompts_, &mainWindow_);
    if (accepted)
        openWindow(kind);
}

graph::ui::GraphWindow* GraphWindows::openWindow(graph::GraphKind kind)
{
    std::optional<graph::GraphSessionSetup> setup = app_.graphs().sessionSetup(kind);
    if (!setup)
        return nullptr;
    GraphWorkspace& graphs = app_.graphs();
    auto* window = new graph::ui::GraphWindow(std::move(*setup),
        {app_.mainFrame().link(), graphs.host(), prompts_, graphs.registry(), app_.mainFrame().graphEnv()},
        &mainWindow_);
    connect(window, &graph::ui::GraphWindow::acquisitionChanged, this, &GraphWindows::acquisitionChanged);
    connect(window, &QObject::destroyed, this, &GraphWindows::acquisitionChanged);
    QList<QRect> openFrames;
    for (const graph::ui::GraphWindow* open : windows())
        openFrames.append(open->frameGeometry());
    windows_.removeIf([](const QPointer<graph::ui::GraphWindow>& open) { return open.isNull(); });
    windows_.append(window);
    window->showAndOpen(mainWindow_.frameGeometry(), openFrames);
    return window;
}

QList<graph::ui::GraphWindow*> GraphWindows::windows() const
{
    QList<graph::ui::GraphWindow*> open;
    for (const QPointer<graph::ui::GraphWindow>& window : windows_)
        if (window)
            open.append(window.data());
    return open;
}

} // namespace lumetra::app::ui
