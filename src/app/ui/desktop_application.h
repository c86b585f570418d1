// The desktop application: the application core with the Qt implementations of its ports and the main window,
// and the wiring of the window's commands to the core.
#pragma once

#include "app/application.h"
#include "app/data_flash_commands.h"
#include "app/monitor_panes.h"
#include "app/poll_timer.h"
#include "app/sci_boot_download.h"
#include "app/system_clocks.h"
#include "app/ui/qt_busy_notice.h"
#include "app/ui/qt_user_prompts.h"
#include "app/ui/qt_wait_cursor.h"
#include "core/ui/qt_callback_timer.h"
#include "core/ui/ui_thread_queue.h"
#include "tools/path_probe.h"
#include "tools/tool_launch.h"

#include <QObject>

#include <filesystem>
#include <memory>

namespace lumetra::monitor::ui {
class MemoryMonitorPane;
class VariableMonitorPane;
} // namespace lumetra::monitor::ui

namespace lumetra::tools::ui {
class UserToolsController;
} // namespace lumetra::tools::ui
namespace lumetra::programming::ui {
class DataFlashDialog;
class FlashNoticeWindow;
class ProgressDialog;
} // namespace lumetra::programming::ui

namespace lumetra::app::ui {

class GraphWindows;
class MainWindow;

class DesktopApplication : public QObject, private FrameView {
    Q_OBJECT

public:
    // `prompts` replaces the message boxes when given (tests record the messages instead).
    DesktopApplication(core::SettingsStore& store, link::TransportFactory& transports, SingleInstance& singleInstance,
        const std::filesystem::path& workingDirectory, UserPrompts* prompts = nullptr);
    ~DesktopApplication() override;

    // Start-up of the core with the window shown first; AnotherInstanceRuns ends the program silently.
    StartResult start();

    // Where the SCI boot download finds the simulation image set, and whether the link is simulated. Before start.
    void setImageSetLocations(ImageSetLocations locations) { imageSets_ = std::move(locations); }

    // Opens a COFF file as if the user had chosen it in the open dialog.
    void openCoffFile(const QString& path);

    Application& core() { return app_; }
    MainWindow& window() { return *window_; }
    // The monitor panes; they exist once the application has started.
    MonitorPanes& monitors() { return *monitors_; }
    monitor::ui::VariableMonitorPane& variablePane() { return *variablePane_; }
    monitor::ui::MemoryMonitorPane& memoryPane() { return *memoryPane_; }
    GraphWindows& graphWindows() { return *graphWindows_; }
    tools::ui::UserToolsController& userTools() { return *userTools_; }
    programming::ui::ProgressDialog& progressDialog() { return *progress_; }
    programming::ui::FlashNoticeWindow& flashNotice() { return *notice_; }
    SciBootDownload& sciBoot() { return *sciBoot_; }
    programming::ui::DataFlashDialog& dataFlashDialog() { return *dataFlashDialog_; }
    DataFlashCommands& dataFlash() { return *dataFlash_; }

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
    void createMonitorPanes();
    void refreshMonitorPanes();
    void openSymbolFile();
    void saveSymbolFile();
    void createUserTools();
    void createProgrammingWindows();
    void runSciBoot();
    void runDataFlash(link::DataFlashMode mode);

    core::SettingsStore& store_;
    QtUserPrompts messageBoxes_;
    UserPrompts& prompts_;
    core::ui::QtCallbackTimer<PollTimer> pollTimer_ {core::ui::TimerShots::Periodic};
    QtWaitCursor waitCursor_;
    SingleInstance& singleInstance_;
    QtBusyNotice busyNotice_;
    SteadyTickClock ticks_;
    SystemFileTimes fileTimes_;
    Application app_;
    // Declared before the window: the panes in the window show these models and go first.
    std::unique_ptr<MonitorPanes> monitors_;
    std::unique_ptr<MainWindow> window_;
    // The graph windows are the main window's children; this keeps track of them.
    std::unique_ptr<GraphWindows> graphWindows_;
    tools::SystemPathProbe paths_;
    tools::SystemProgramFiles programFiles_;
    // After the window: a tool still running is stopped while the message page still exists.
    std::unique_ptr<tools::ui::UserToolsController> userTools_;
    monitor::ui::VariableMonitorPane* variablePane_ = nullptr;
    monitor::ui::MemoryMonitorPane* memoryPane_ = nullptr;
    ImageSetLocations imageSets_;
    // The data-flash worker's completion reaches the window through this; it outlives the worker.
    core::ui::UiThreadQueue uiThread_;
    std::unique_ptr<programming::ui::ProgressDialog> progress_;
    std::unique_ptr<programming::ui::FlashNoticeWindow> notice_;
    std::unique_ptr<SciBootDownload> sciBoot_;
    std::unique_ptr<programming::ui::DataFlashDialog> dataFlashDialog_;
    // After the dialog: its worker ends before the dialog goes.
    std::unique_ptr<DataFlashCommands> dataFlash_;
};

} // namespace lumetra::app::ui
