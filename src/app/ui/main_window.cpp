#include "app/ui/main_window.h"

#include "app/coff_drop.h"
#include "app/command_prompts.h"
#include "app/pane_layout.h"
#include "app/ui/main_status_bar.h"
#include "app/ui/message_window.h"
#include "app/window_placement.h"
#include "app/window_title.h"
#include "core/ui/message_box.h"
#include "image/ui/symbol_list_view.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include <QFrame>
#include <QGuiApplication>
#include <QIcon>
#include <QLayout>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <QSplitter>
#include <QToolBar>
#include <optional>
#include <vector>

namespace lumetra::app::ui {

namespace {

std::optional<QString> droppedCoffFile(const QMimeData* mime)
{
    if (mime == nullptr || !mime->hasUrls())
        return std::nullopt;
    std::vector<std::string> paths;
    for (const QUrl& url : mime->urls()) {
        if (url.isLocalFile())
            paths.push_back(url.toLocalFile().toStdString());
    }
    const std::optional<std::string> chosen = coffFileFromDrop(paths);
    if (!chosen)
        return std::nullopt;
    return QString::fromStdString(*chosen);
}

QWidget* emptyPane()
{
    auto* pane = new QFrame;
    pane->setFrameShape(QFrame::StyledPanel);
    pane->setFocusPolicy(Qt::StrongFocus);
    return pane;
}

// The first pane keeps its size in pixels and the second takes whatever the window gains or loses; the stretch
// factors live in the panes' size policies, so they are set again whenever a pane is replaced.
void keepFirstPaneSize(QSplitter* splitter)
{
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
}

} // namespace

MainWindow::MainWindow(core::SettingsStore& store, core::WindowLayout& layout, QWidget* parent)
    : QMainWindow(parent)
    , layout_(layout)
    , actions_(createMainActions(this))
    , menus_(buildMainMenus(menuBar(), actions_))
    , toolBar_(new QToolBar)
    , statusBar_(new MainStatusBar)
    , messageWindow_(new MessageWindow(store))
    , symbolList_(new image::ui::SymbolListView(store))
{
    setWindowTitle(QString::fromUtf8(kProgramTitle.data(), static_cast<qsizetype>(kProgramTitle.size())));
    setWindowIcon(QIcon(QStringLiteral(":/icons/app.svg")));
    setAcceptDrops(true);
    setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowNestedDocks);

    toolBar_->setObjectName(QStringLiteral("MainToolBar"));
    toolBar_->setWindowTitle(QString::fromStdString(commandPrompt(MainCommand::ToolBar).tip));
    toolBar_->setIconSize(QSize(20, 20));
    toolBar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
    buildMainToolBar(toolBar_, actions_);
    addToolBar(Qt::TopToolBarArea, toolBar_);

    setStatusBar(statusBar_);
    addDockWidget(Qt::BottomDockWidgetArea, messageWindow_);
    buildCentralPanes();
    connectViewToggles();

    addActions({actions_.nextPane, actions_.previousPane});
    connect(actions_.nextPane, &QAction::triggered, this, [this] { moveFocusToPane(1); });
    connect(actions_.previousPane, &QAction::triggered, this, [this] { moveFocusToPane(-1); });
    connect(actions_.exit, &QAction::triggered, this, &QWidget::close);
    connect(actions_.about, &QAction::triggered, this, &MainWindow::showAboutBox);
}

void MainWindow::buildCentralPanes()
{
    rightColumn_ = new QSplitter(Qt::Vertical);
    rightColumn_->addWidget(emptyPane());
    rightColumn_->addWidget(emptyPane());
    columns_ = new QSplitter(Qt::Horizontal);
    columns_->addWidget(symbolList_);
    columns_->addWidget(rightColumn_);
    for (QSplitter* splitter : {columns_, rightColumn_}) {
        splitter->setChildrenCollapsible(false);
        splitter->setHandleWidth(kSplitterHandleWidth);
        keepFirstPaneSize(splitter);
    }
    setCentralWidget(columns_);
}

void MainWindow::setMonitorPanes(QWidget* variableMonitor, QWidget* memoryMonitor)
{
    const QList<int> sizes = rightColumn_->sizes();
    delete rightColumn_->replaceWidget(0, variableMonitor);
    delete rightColumn_->replaceWidget(1, memoryMonitor);
    keepFirstPaneSize(rightColumn_);
    rightColumn_->setSizes(sizes);
}

void MainWindow::connectViewToggles()
{
    connect(actions_.outputWindow, &QAction::triggered, messageWindow_, &QWidget::setVisible);
    connect(actions_.toolBar, &QAction::triggered, toolBar_, &QWidget::setVisible);
    connect(actions_.statusBar, &QAction::triggered, statusBar_, &QWidget::setVisible);
    // The check marks and the toolbar button follow the bars however they were shown or hidden (their own close
    // buttons, the window's context menu).
    connect(messageWindow_->toggleViewAction(), &QAction::toggled, actions_.outputWindow, &QAction::setChecked);
    connect(toolBar_->toggleViewAction(), &QAction::toggled, actions_.toolBar, &QAction::setChecked);
}

void MainWindow::showRecentFiles(const std::vector<std::string>& paths)
{
    const std::vector<QAction*> entries = ui::showRecentFiles(menus_, paths);
    for (std::size_t index = 0; index < entries.size(); ++index) {
        connect(entries[index], &QAction::triggered, this,
            [this, index] { emit recentFileChosen(static_cast<int>(index)); });
    }
}

std::array<QWidget*, 3> MainWindow::panes() const
{
    return {symbolList_, rightColumn_->widget(0), rightColumn_->widget(1)};
}

void MainWindow::moveFocusToPane(int step)
{
    const std::array<QWidget*, 3> order = panes();
    int current = -1;
    for (int i = 0; i < static_cast<int>(order.size()); ++i) {
        const QWidget* pane = order[static_cast<std::size_t>(i)];
        if (pane == focusWidget() || pane->isAncestorOf(focusWidget()))
            current = i;
    }
    const int count = static_cast<int>(order.size());
    const int next = current < 0 ? 0 : (current + step + count) % count;
    order[static_cast<std::size_t>(next)]->setFocus(Qt::ShortcutFocusReason);
}

void MainWindow::showWithPlacement()
{
    const auto pixelRect = [](const QRect& r) { return PixelRect {r.x(), r.y(), r.width(), r.height()}; };
    const PixelRect primary = pixelRect(QGuiApplication::primaryScreen()->availableGeometry());
    std::vector<PixelRect> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens.push_back(pixelRect(screen->availableGeometry()));
    const bool firstStart = opensMaximisedAtFirstStart(layout_);
    const PixelRect rect = firstStart ? firstStartWindowRect(primary)
                                      : keepOnScreens(normalWindowRect(layout_, primary), screens, primary);
    setGeometry(rect.left, rect.top, rect.width, rect.height);
    if (firstStart || opensMaximised(layout_))
        showMaximized();
    else
        show();
    applyPaneSizes();
    placed_ = true;
}

void MainWindow::applyPaneSizes()
{
    // The message window first, and the layout done now: the splitters then have the size they keep, and each
    // first pane gets its stored size exactly.
    const QSize client = size();
    const PixelSize message = messageWindowSize(layout_, {client.width(), client.height()});
    resizeDocks({messageWindow_}, {message.height}, Qt::Vertical);
    resizeDocks({messageWindow_}, {message.width}, Qt::Horizontal);
    layout()->activate();

    const auto setFirstPaneSize = [](QSplitter* splitter, int first, int total) {
        splitter->setSizes({first, std::max(total - first - splitter->handleWidth(), 1)});
    };
    setFirstPaneSize(columns_, layout_.leftPaneWidth, columns_->width());
    setFirstPaneSize(rightColumn_, layout_.rightPaneHeight, rightColumn_->height());
}

void MainWindow::captureLayout()
{
    const QRect normal = normalGeometry().isValid() ? normalGeometry() : geometry();
    capturePlacement(
        layout_, {normal.x(), normal.y(), normal.width(), normal.height()}, showCmdOf(isMaximized(), isMinimized()));
    layout_.leftPaneWidth = columns_->sizes().value(0);
    layout_.rightPaneHeight = rightColumn_->sizes().value(0);
    layout_.messageWindowWidth = messageWindow_->width();
    layout_.messageWindowHeight = messageWindow_->height();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (placed_)
        captureLayout();
    emit closing();
    event->accept();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (droppedCoffFile(event->mimeData()))
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event)
{
    if (const std::optional<QString> path = droppedCoffFile(event->mimeData())) {
        event->acceptProposedAction();
        emit coffFileDropped(*path);
    }
}

void MainWindow::showAboutBox()
{
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Vestral Lumetra 정보"),
        QString::fromUtf8(kProgramTitle.data(), static_cast<qsizetype>(kProgramTitle.size())), QMessageBox::Ok, this);
    box.setIconPixmap(windowIcon().pixmap(48, 48));
    core::ui::keepTitleVisible(box);
    box.exec();
}

} // namespace lumetra::app::ui
