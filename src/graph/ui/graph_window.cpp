#include "graph/ui/graph_window.h"

#include "core/path_text.h"

#include "graph/chart/graph_layout.h"
#include "graph/exports/graph_export_source.h"
#include "graph/session/graph_status_view.h"
#include "graph/session/graph_texts.h"
#include "graph/ui/graph_status_bar.h"
#include "graph/ui/qt_pane_printer.h"
#include "graph/ui/strip_chart_widget.h"
#include "graph/ui/window_pictures.h"

#include <QAction>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QWindow>

namespace lumetra::graph::ui {

namespace {

QString qt(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

PixelRect pixelRect(const QRect& rect)
{
    return {rect.left(), rect.top(), rect.width(), rect.height()};
}

void showEntry(QAction& action, const GraphMenuEntry& entry)
{
    action.setEnabled(entry.enabled);
    action.setCheckable(entry.checked || action.isCheckable());
    action.setChecked(entry.checked);
}

} // namespace

GraphWindow::GraphWindow(GraphSessionSetup setup, const GraphWindowPorts& ports, QWidget* parent)
    : QMainWindow(parent, Qt::Window)
    , individualSelection_(setup.selectionMode)
    , dialogs_(ports.prompts, this)
    , prompts_(ports.prompts)
    , exportFolders_(ports.exportFolders)
    , ownFiles_(this)
    , files_(ports.files ? *ports.files : ownFiles_)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(qt(graphWindowTitle(setup.environment.kind)));

    paneArea_ = new QWidget;
    paneArea_->installEventFilter(this);
    setCentralWidget(paneArea_);
    for (StripChartWidget*& pane : panes_)
        pane = new StripChartWidget(paneArea_);
    statusBar_ = new GraphStatusBar(setup.environment.kind);
    setStatusBar(statusBar_);

    GraphSessionPorts sessionPorts {ports.link, timer_, ports.host, ports.prompts, *statusBar_, dialogs_, clock_};
    for (std::size_t p = 0; p < panes_.size(); ++p)
        sessionPorts.panes[p] = panes_[p];
    sessionPorts.registry = &ports.registry;
    session_ = std::make_unique<GraphSession>(std::move(setup), sessionPorts);
    timer_.setTickHandler([this] { tick(); });

    buildMenuBar();
    layoutPanes();
}

GraphWindow::~GraphWindow() = default;

void GraphWindow::buildMenuBar()
{
    for (const GraphMenu& graphMenu : session_->menuBar()) {
        QMenu* menu = menuBar()->addMenu(qt(graphMenu.title));
        fillMenu(*menu, graphMenu.entries);
        connect(menu, &QMenu::aboutToShow, this, &GraphWindow::showSessionState);
        connect(menu, &QMenu::aboutToHide, this, &GraphWindow::clearPrompt);
    }
}

void GraphWindow::fillMenu(QMenu& menu, const std::vector<GraphMenuEntry>& entries)
{
    for (const GraphMenuEntry& entry : entries) {
        if (entry.separatorBefore)
            menu.addSeparator();
        QAction* action = menu.addAction(qt(entry.text));
        if (!entry.shortcut.empty())
            action->setShortcut(QKeySequence(qt(entry.shortcut)));
        showEntry(*action, entry);
        const GraphCommand command = entry.command;
        connect(action, &QAction::triggered, this, [this, command] { run(command); });
        connect(action, &QAction::hovered, this, [this, command] { session_->highlight(command); });
        menuActions_.emplace_back(command, action);
    }
}

void GraphWindow::showAndOpen(const QRect& mainWindowFrame, const QList<QRect>& openWindows)
{
    const QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    const QSize screenSize = screen ? screen->geometry().size() : QSize(1024, 768);
    std::vector<PixelRect> others;
    for (const QRect& open : openWindows)
        others.push_back(pixelRect(open));
    const PixelRect rect
        = cascadeGraphWindow(graphWindowRect(pixelRect(mainWindowFrame), screenSize.width(), screenSize.height(),
                                 static_cast<int>(session_->channels().size()), individualSelection_),
            others, screenSize.width(), screenSize.height());
    move(rect.left, rect.top);
    resize(rect.width, rect.height);
    show();
    // The rule sizes the whole window, frame included.
    if (const QWindow* handle = windowHandle()) {
        const QMargins frame = handle->frameMargins();
        resize(rect.width - frame.left() - frame.right(), rect.height - frame.top() - frame.bottom());
    }
    session_->open();
    showSessionState();
}

void GraphWindow::clearPrompt()
{
    statusBar_->showMessage(graphStatusPanes(session_->kind())[0].initialText);
}

void GraphWindow::run(GraphCommand command)
{
    if (!graphCommandEnabled(command, session_->menuInputs()))
        return;
    if (command == GraphCommand::Print)
        print();
    else if (const std::optional<GraphExport> exportKind = graphExportOf(command))
        save(*exportKind);
    else
        session_->execute(command);
    showSessionState();
}

std::vector<StripChartWidget*> GraphWindow::paneList() const
{
    return {panes_.begin(), panes_.end()};
}

void GraphWindow::print()
{
    printGraphPanes(*session_, paneList(), prompts_);
}

void GraphWindow::save(GraphExport exportKind)
{
    const ExportDialog dialog = exportDialogOf(exportKind);
    const std::optional<std::string> chosen
        = files_.chooseSaveFile({dialog.filter, dialog.extension, exportFolder(exportFolders_, exportKind)});
    if (!chosen)
        return;
    rememberExportFolder(exportFolders_, exportKind, *chosen);
    if (isDataExport(exportKind))
        reportExport(
            writeGraphData(exportKind, core::pathFromUtf8(*chosen), exportSourceOf(*session_), currentExportTime()),
            dialog.failureText, prompts_);
    else
        exportPanePictures(exportKind, *session_, paneList(), *chosen, prompts_);
}

void GraphWindow::tick()
{
    session_->onTimer(kGraphTimerId);
    if (session_->acquiring() != shownAcquiring_)
        showSessionState();
}

void GraphWindow::showSessionState()
{
    for (const GraphMenu& graphMenu : session_->menuBar())
        for (const GraphMenuEntry& entry : graphMenu.entries)
            for (const auto& [command, action] : menuActions_)
                if (command == entry.command)
                    showEntry(*action, entry);
    for (StripChartWidget* pane : panes_)
        pane->setInteractive(session_->acceptsChartClicks());
    if (session_->acquiring() != shownAcquiring_) {
        shownAcquiring_ = session_->acquiring();
        emit acquisitionChanged(shownAcquiring_);
    }
}

void GraphWindow::layoutPanes()
{
    const std::vector<PixelRect> bands = paneBands(paneArea_->width(), paneArea_->height(), session_->paneCount());
    for (std::size_t p = 0; p < panes_.size(); ++p) {
        StripChartWidget* pane = panes_[p];
        const bool inUse = p < bands.size();
        if (inUse)
            pane->setGeometry(bands[p].left, bands[p].top, bands[p].width, bands[p].height);
        pane->setVisible(inUse);
        pane->setEnabled(inUse);
    }
}

bool GraphWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == paneArea_ && event->type() == QEvent::Resize)
        layoutPanes();
    return QMainWindow::eventFilter(watched, event);
}

void GraphWindow::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    for (const GraphMenuEntry& entry : session_->contextMenu()) {
        if (entry.separatorBefore)
            menu.addSeparator();
        QString text = qt(entry.text);
        if (!entry.shortcut.empty())
            text += u'\t' + qt(entry.shortcut);
        QAction* action = menu.addAction(text);
        showEntry(*action, entry);
        action->setData(static_cast<int>(entry.command));
        const GraphCommand command = entry.command;
        connect(action, &QAction::hovered, this, [this, command] { session_->highlight(command); });
    }
    const QAction* chosen = menu.exec(event->globalPos());
    clearPrompt();
    if (chosen)
        run(static_cast<GraphCommand>(chosen->data().toInt()));
}

void GraphWindow::closeEvent(QCloseEvent* event)
{
    session_->close();
    showSessionState();
    event->accept();
}

} // namespace lumetra::graph::ui
