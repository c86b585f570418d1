// The application object without its window: start-up and exit, the values it owns (device settings, graph
// state, program image, symbol and registered variable lists, recent files), the COFF loading commands and
// the settings command. The desktop window forwards its commands here and renders what the ports report.
#pragma once

#include "app/busy_notice.h"
#include "app/clocks.h"
#include "app/frame_view.h"
#include "app/graph_workspace.h"
#include "app/main_frame.h"
#include "app/programming_flags.h"
#include "app/recent_file_list.h"
#include "app/sci_boot_command.h"
#include "app/single_instance.h"
#include "app/unavailable_sci_boot.h"
#include "app/user_prompts.h"
#include "app/wait_cursor.h"

#include "core/activity_log.h"
#include "core/configuration.h"
#include "core/settings_dialog_logic.h"
#include "core/settings_store.h"
#include "image/program_image.h"
#include "link/transport.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumetra::app {

struct ApplicationPorts {
    core::SettingsStore& settings;
    link::TransportFactory& transports;
    UserPrompts& prompts;
    PollTimer& pollTimer;
    WaitCursor& waitCursor;
    SingleInstance& singleInstance;
    FrameView& frame;
    BusyNotice& busyNotice;
    TickClock& ticks;
    FileTimes& fileTimes;
};

enum class StartResult { Started, AnotherInstanceRuns };

// The filter of the COFF open dialog.
inline constexpr std::string_view kCoffOpenFilter = "Coff Files (.out)|*.out|All Files (*.*)|*.*||";
inline constexpr std::string_view kChosenFileNotOpenedMessage = "선택한 파일을 여는데 실패했읍니다.";

// What the settings command keeps while its dialog is open.
struct SettingsSession {
    core::SettingsDialogState dialog;
    std::optional<MonitorKind> resumeKind;
    core::LinkConfig linkBefore;
    int deviceBefore = core::kDefaultDeviceIndex;
};

class Application {
public:
    // `workingDirectory` is the process's working directory at start-up: the application directory.
    Application(const ApplicationPorts& ports, const std::filesystem::path& workingDirectory);

    // Start-up: the single-instance lock (a second instance ends here, silently), the recent files, main frame,
    // title, application values, graph settings and catalogues (a catalogue that cannot be read is reported
    // in the activity log), busy-wait calibration, and the last COFF file and recent symbol file.
    StartResult Start();
    // Exit: every graph window stops acquiring; the main frame's values, then the application values, the
    // recent symbol file, the graph settings and catalogues and the recent files. Nothing is written by an
    // instance that did not start.
    void Exit();
    // A run on the simulated target writes no file of its own (graph catalogues, recent symbol file); its
    // settings go to a store that keeps them for the run. Set before Start.
    void setStoresFiles(bool stores) { storesFiles_ = stores; }
    // Called with the selected device row once start-up has read it and whenever the settings dialog changes
    // it: a run on the simulated target makes its chip that device. Set before Start.
    void setDeviceFollower(std::function<void(int deviceRow)> follower) { deviceFollower_ = std::move(follower); }

    // The graph commands of the main window are ignored while an SCI boot or a program download runs.
    bool graphCommandsAccepted() const { return !programming_.active(); }

    // COFF open (Ctrl+O) with the path chosen in the open dialog.
    image::CoffLoadResult OpenCoffChosenByUser(const std::filesystem::path& path);
    // Start-up, reload and recent files: no message when the file cannot be opened, no recent list change.
    image::CoffLoadResult OpenByPath(const std::filesystem::path& path);
    // Recent file `index` (0 is File1); moved to the top on success. An index past the list opens nothing.
    image::CoffLoadResult OpenRecentFile(std::size_t index);
    // Shift+R: `Coff File Path`, else File1 when it exists; nullopt when there is nothing to reload.
    std::optional<image::CoffLoadResult> ReloadCoff();
    bool reloadEnabled() const;
    // The open dialog's initial folder: `Coff File Directory`, empty for the dialog's default.
    std::filesystem::path coffOpenDialogFolder() const;

    // Ctrl+S: nullopt while programming runs; otherwise the running monitor kind is stopped and the dialog opens
    // from the returned state. The dialog's OK result (nullopt for Cancel) finishes the command.
    std::optional<SettingsSession> BeginSettingsCommand();
    void FinishSettingsCommand(const SettingsSession& session, const std::optional<core::SettingsDialogValues>& ok);
    // The USB look-ups the settings dialog asks for when "USB Port" is chosen.
    core::UsbAccess usbAccess();

    // A symbol file chosen in the open or save dialog: its path, and its folder written at once.
    void takeOverSymbolFilePath(const std::filesystem::path& path);

    // The command that downloads after a load with `Load After Down`; null restores the one that reports that
    // downloading is not available.
    void setSciBootCommand(SciBootCommand* command);

    MainFrame& mainFrame() { return mainFrame_; }
    UserPrompts& prompts() { return ports_.prompts; }
    LinkState& linkState() { return mainFrame_.linkState(); }
    ProgrammingFlags& programmingFlags() { return programming_; }
    // The message page's log of connects, loads, writes and failures; the window attaches its page.
    core::ActivityLog& activityLog() { return activityLog_; }
    const image::ProgramImage& image() const { return image_; }
    std::vector<image::CDataObject>& registeredVariables() { return registered_; }
    const core::DeviceConfig& deviceConfig() const { return device_; }
    GraphWorkspace& graphs() { return graphs_; }
    const RecentFileList& recentFiles() const { return recentFiles_; }
    const std::filesystem::path& applicationDirectory() const { return applicationDirectory_; }
    const std::string& coffFilePath() const { return coffFilePath_; }
    const std::string& symbolFilePath() const { return symbolFilePath_; }
    std::int32_t microTimeLength() const { return microTimeLength_; }
    bool loadingAtStartup() const { return loadingAtStartup_; }

private:
    image::CoffLoadResult loadCoff(const std::filesystem::path& path, bool chosenByUser);
    void reportLoad(image::CoffLoadResult result);
    void downloadAfterLoad();
    void rebindRegisteredVariables();
    void readApplicationValues();
    void loadRecentSymbolFile();
    void saveRecentSymbolFile();

    ApplicationPorts ports_;
    std::filesystem::path applicationDirectory_;
    ProgrammingFlags programming_;
    core::ActivityLog activityLog_;
    std::vector<image::CDataObject> registered_;
    MainFrame mainFrame_;
    GraphWorkspace graphs_;
    UnavailableSciBoot unavailableSciBoot_;
    SciBootCommand* sciBoot_ = &unavailableSciBoot_;
    image::ProgramImage image_;
    RecentFileList recentFiles_;
    core::DeviceConfig device_;
    std::string coffFilePath_;
    std::string coffDirectory_;
    std::string symbolFilePath_;
    std::string symbolDirectory_;
    std::int32_t microTimeLength_ = 0;
    bool loadingAtStartup_ = false;
    bool started_ = false;
    bool storesFiles_ = true;
    std::function<void(int)> deviceFollower_;
};

} // namespace lumetra::app
