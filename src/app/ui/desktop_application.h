// The desktop application: the application core with the Qt implementations of its ports and the main window,
// and the wiring of the window's commands to the core.
#pragma once

#include "app/application.h"
#include "app/system_clocks.h"
#include "app/ui/qt_busy_notice.h"
#include "app/ui/qt_poll_timer.h"
#include "app/ui/qt_user_prompts.h"
#include "app/ui/qt_wait_cursor.h"

#include <QObject>

#include <filesystem>
#include <memory>

namespace lumetra::app::ui {

class MainWindow;

class DesktopApplication : public QObject, private FrameView {
    Q_OBJECT

public:
    DesktopApplication(core::SettingsStore& store, link::TransportFactory& transports, SingleInstance& singleInstance,
        const std::filesystem::path& workingDirectory);
    ~DesktopApplication() override;

    // Start-up of the core with the window shown first; AnotherInstanceRuns ends the program silently.
    StartResult start();

    // Opens a COFF file as if the user had chosen it in the open dialog.
    void openCoffFile(const QString& path);

    Application& core() { return app_; }
    MainWindow& window() { return *window_; }

signals:
    // For the monitor panes: the symbol list was refilled; the registered variable list was replaced or re-bound.
    void symbolsRefilled();
    void registeredListReplaced();

private:
    // FrameView
    void setTitle(std::string_view title) override;
    void setStatusPane(StatusPane pane, std::string_view text) override;
    void showSectionPage() override;
    void symbolListChanged() override;
    void registeredVariablesChanged() override;

    void connectCommands();
    void refreshCommandStates();
    void openCoff();
    void openRecentFile(int index);
    void reloadCoff();
    void runSettingsCommand();
    void afterLoad();

    core::SettingsStore& store_;
    QtUserPrompts prompts_;
    QtPollTimer pollTimer_;
    QtWaitCursor waitCursor_;
    SingleInstance& singleInstance_;
    QtBusyNotice busyNotice_;
    SteadyTickClock ticks_;
    SystemFileTimes fileTimes_;
    Application app_;
    std::unique_ptr<MainWindow> window_;
};

} // namespace lumetra::app::ui
