// The main window: menus, toolbar, status bar, the three panes (symbol list left, variable monitor top right,
// memory monitor bottom right) and the message window, placed and sized from the stored window layout.
// It shows state and forwards commands; the application core decides.
#pragma once

#include "app/ui/main_actions.h"
#include "app/ui/main_menus.h"

#include "core/configuration.h"
#include "core/settings_store.h"

#include <QMainWindow>

#include <array>

class QSplitter;
class QToolBar;

namespace lumetra::image::ui {
class SymbolListView;
}

namespace lumetra::app::ui {

class MainStatusBar;
class MessageWindow;

class MainWindow : public QMainWindow {
    Q_OBJECT

public:
    // `layout` is the main frame's window layout: read when the window is first shown, captured when it closes.
    MainWindow(core::SettingsStore& store, core::WindowLayout& layout, QWidget* parent = nullptr);

    // Shows the window the first time: normal rectangle, first-start centring, maximised state, pane sizes and
    // the message window's size.
    void showWithPlacement();
    // Writes the current placement, pane sizes and message window size into the layout.
    void captureLayout();

    // Puts the monitor panes into the right column (top: variable monitor, bottom: memory monitor).
    void setMonitorPanes(QWidget* variableMonitor, QWidget* memoryMonitor);

    // The recent COFF files of the file menu; choosing one emits recentFileChosen with its index.
    void showRecentFiles(const std::vector<std::string>& paths);

    const MainActions& actions() const { return actions_; }
    const MainMenus& menus() const { return menus_; }
    QToolBar* toolBar() const { return toolBar_; }
    MainStatusBar* mainStatusBar() const { return statusBar_; }
    MessageWindow* messageWindow() const { return messageWindow_; }
    image::ui::SymbolListView* symbolList() const { return symbolList_; }
    QSplitter* paneSplitter() const { return columns_; }
    QSplitter* rightSplitter() const { return rightColumn_; }
    // The three panes in the order F6 walks them.
    std::array<QWidget*, 3> panes() const;

signals:
    void recentFileChosen(int index);
    // A ".out" file was dropped onto the window.
    void coffFileDropped(const QString& path);
    // The window is closing; its layout has been captured.
    void closing();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildCentralPanes();
    void connectViewToggles();
    void moveFocusToPane(int step);
    void applyPaneSizes();
    void showAboutBox();

    core::WindowLayout& layout_;
    MainActions actions_;
    MainMenus menus_;
    QToolBar* toolBar_;
    MainStatusBar* statusBar_;
    MessageWindow* messageWindow_;
    image::ui::SymbolListView* symbolList_;
    QSplitter* columns_ = nullptr;
    QSplitter* rightColumn_ = nullptr;
    bool placed_ = false;
};

} // namespace lumetra::app::ui
