// The two monitor panes without their windows: the variable and memory monitor models on the main frame's link
// state, the poll timer's view of them, and the commands that reach past one pane (adding symbols, following a
// refilled symbol list or another device row, the symbol file commands).
#pragma once

#include "app/application.h"
#include "app/monitor_pollers.h"
#include "app/monitoring_switch_adapter.h"

#include "image/symbol_file.h"
#include "monitor/memory_monitor.h"
#include "monitor/variable_monitor.h"

#include <filesystem>
#include <span>
#include <string>
#include <string_view>

namespace lumetra::app {

// The file dialogs of the symbol file commands.
inline constexpr std::string_view kSymbolOpenFilter = "Symbol Files (.sym)|*.sym||";
inline constexpr std::string_view kSymbolSaveFilter = "Symbol Files (*.sym)|*.sym||";
inline constexpr std::string_view kSymbolDefaultExtension = "sym";

class MonitorPanes {
public:
    // Registers the panes' pollers with the application's link state; `store` keeps the memory monitor's start
    // address and view type.
    MonitorPanes(Application& app, core::SettingsStore& store, UserPrompts& prompts);
    // Unregisters the pollers, so a later tick takes the link down instead of reading into a gone pane.
    ~MonitorPanes();
    MonitorPanes(const MonitorPanes&) = delete;
    MonitorPanes& operator=(const MonitorPanes&) = delete;

    monitor::VariableMonitor& variables() { return variables_; }
    monitor::MemoryMonitor& memory() { return memory_; }

    // The symbol list asks to monitor these names: each one not registered yet is added (the first one added
    // starts variable monitoring when it is off).
    void addVariables(std::span<const std::string> names);
    // The symbol list was refilled from a loaded program: registered variables it has no symbol for are marked,
    // and named on the message page.
    void symbolsRefilled();
    // The device row may have changed in the settings.
    void deviceChanged();

    // The symbol file commands with the path chosen in their dialogs: the path is taken over, variable
    // monitoring is paused around the file access, and a failure is reported through the prompts.
    image::SymbolFileStatus openSymbolFile(const std::filesystem::path& path);
    image::SymbolFileStatus saveSymbolFile(const std::filesystem::path& path);
    bool saveSymbolFileEnabled() const { return !app_.registeredVariables().empty(); }
    // The dialogs' initial folder: "Symbol File Directory", empty for the dialog's default.
    std::filesystem::path symbolDialogFolder() const;

    // The loaded program's target id, 0 without a program.
    std::uint16_t programTargetId() const { return app_.image().targetId(); }

private:
    enum class SymbolFileAccess { Open, Save };

    void noteUnboundVariables() const;

    template <typename Access>
    image::SymbolFileStatus withVariableMonitoringPaused(
        SymbolFileAccess kind, const std::filesystem::path& path, Access access);

    Application& app_;
    core::SettingsStore& store_;
    UserPrompts& prompts_;
    LinkMonitoringSwitch switch_;
    monitor::VariableMonitor variables_;
    monitor::MemoryMonitor memory_;
    VariableMonitorPoller variablePoller_;
    MemoryMonitorPollerAdapter memoryPoller_;
};

} // namespace lumetra::app
