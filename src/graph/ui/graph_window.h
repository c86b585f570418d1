// A graph window: the menus, context menu and status bar the graph session describes, its four chart panes
// laid out by the session's band rule, and its acquisition timer. Not modal; several may be open. The window
// only shows the session's state and forwards the user's commands to it.
#pragma once

#include "core/configuration.h"
#include "core/ui/file_dialogs.h"
#include "core/ui/qt_callback_timer.h"
#include "core/user_prompts.h"
#include "graph/exports/graph_export_commands.h"
#include "graph/session/graph_clock.h"
#include "graph/session/graph_session.h"
#include "graph/session/graph_session_registry.h"
#include "graph/ui/qt_graph_dialogs.h"

#include <QMainWindow>

#include <array>
#include <memory>
#include <utility>
#include <vector>

class QAction;
class QMenu;

namespace lumetra::graph::ui {

class GraphStatusBar;
class StripChartWidget;

struct GraphWindowPorts {
    link::CPodLink& link;
    GraphHost& host;
    core::UserPrompts& prompts;
    GraphSessionRegistry& registry;
    core::GraphEnv& exportFolders; // the folders the export dialogs start in and remember
    core::FileChooser* files = nullptr; // the save dialogs; null for the window's own
};

class GraphWindow final : public QMainWindow {
    Q_OBJECT

public:
    GraphWindow(GraphSessionSetup setup, const GraphWindowPorts& ports, QWidget* parent = nullptr);
    ~GraphWindow() override;

    // Places the window by the opening rule relative to the main window's frame on its screen, cascaded from the
    // graph windows open there (their frames), shows it and opens the graph (which starts acquiring).
    void showAndOpen(const QRect& mainWindowFrame, const QList<QRect>& openWindows = {});

    GraphSession& session() { return *session_; }
    GraphStatusBar* graphStatusBar() const { return statusBar_; }
    StripChartWidget* pane(int index) const { return panes_.at(static_cast<std::size_t>(index)); }

    // Shows the session's present state in the menus and panes; after a change the window did not make
    // itself (the application stopped every graph window).
    void showSessionState();

signals:
    // This window started or stopped acquiring.
    void acquisitionChanged(bool acquiring);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenuBar();
    void fillMenu(QMenu& menu, const std::vector<GraphMenuEntry>& entries);
    void run(GraphCommand command);
    // The export commands run in the window: they need its dialogs and its panes as drawn.
    void print();
    void save(GraphExport exportKind);
    std::vector<StripChartWidget*> paneList() const;
    void layoutPanes();
    void tick();
    // The general pane after a menu closes.
    void clearPrompt();

    bool individualSelection_;
    QWidget* paneArea_ = nullptr;
    std::array<StripChartWidget*, kMaxChannels> panes_ {};
    std::vector<std::pair<GraphCommand, QAction*>> menuActions_;
    GraphStatusBar* statusBar_ = nullptr;
    core::ui::QtCallbackTimer<GraphTimer> timer_ {core::ui::TimerShots::Single};
    SteadyGraphClock clock_;
    QtGraphDialogs dialogs_;
    core::UserPrompts& prompts_;
    core::GraphEnv& exportFolders_;
    core::ui::QtFileChooser ownFiles_;
    core::FileChooser& files_;
    std::unique_ptr<GraphSession> session_;
    bool shownAcquiring_ = false;
};

} // namespace lumetra::graph::ui
