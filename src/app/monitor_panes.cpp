#include "app/monitor_panes.h"

#include "app/activity_texts.h"
#include "core/path_text.h"

#include "core/settings_schema.h"

#include <algorithm>
#include <optional>

namespace lumetra::app {

MonitorPanes::MonitorPanes(Application& app, core::SettingsStore& store, UserPrompts& prompts)
    : app_(app)
    , store_(store)
    , prompts_(prompts)
    , switch_(app.linkState())
    , variables_(app.registeredVariables(), switch_)
    , memory_(store, switch_)
    , variablePoller_(variables_)
    , memoryPoller_(memory_)
{
    app_.linkState().setVariablePoller(&variablePoller_);
    app_.linkState().setMemoryPoller(&memoryPoller_);
    symbolsRefilled();
}

MonitorPanes::~MonitorPanes()
{
    app_.linkState().setVariablePoller(nullptr);
    app_.linkState().setMemoryPoller(nullptr);
}

void MonitorPanes::addVariables(std::span<const std::string> names)
{
    const std::vector<image::CDataObject>& registered = app_.registeredVariables();
    for (const std::string& name : names) {
        const bool known = std::any_of(registered.begin(), registered.end(),
            [&name](const image::CDataObject& record) { return record.name == name; });
        if (!known)
            variables_.addVariable(name, app_.image().symbols());
    }
}

void MonitorPanes::symbolsRefilled()
{
    variables_.refreshAgainstSymbols(app_.image().symbols());
    variables_.setProgramSymbols(app_.image().empty() ? nullptr : &app_.image().symbols());
    noteUnboundVariables();
    memory_.setProgramTargetId(
        app_.image().empty() ? std::nullopt : std::optional<std::uint16_t>(app_.image().targetId()));
}

void MonitorPanes::noteUnboundVariables() const
{
    const std::vector<std::string> names = variables_.unboundNames();
    if (!names.empty())
        app_.activityLog().record(unboundVariablesLine(names));
}

void MonitorPanes::deviceChanged()
{
    memory_.setDeviceIndex(app_.deviceConfig().deviceIndex);
}

template <typename Access>
image::SymbolFileStatus MonitorPanes::withVariableMonitoringPaused(
    SymbolFileAccess kind, const std::filesystem::path& path, Access access)
{
    LinkState& link = app_.linkState();
    const bool paused = link.variableMonitoring();
    if (paused)
        link.StopMonitoring(MonitorKind::Variables);
    const image::SymbolFileStatus status = access();
    const std::string file = core::utf8Of(path);
    const bool opening = kind == SymbolFileAccess::Open;
    if (status == image::SymbolFileStatus::Ok) {
        const std::size_t count = app_.registeredVariables().size();
        app_.activityLog().record(opening ? symbolFileOpenedLine(file, count) : symbolFileSavedLine(file, count));
    } else {
        const std::string_view message = image::symbolFileMessage(status);
        app_.activityLog().record(
            opening ? symbolFileNotOpenedLine(file, message) : symbolFileNotSavedLine(file, message));
        prompts_.showMessage(MessageIcon::Error, message);
    }
    if (paused)
        link.StartMonitoring(MonitorKind::Variables);
    return status;
}

image::SymbolFileStatus MonitorPanes::openSymbolFile(const std::filesystem::path& path)
{
    app_.takeOverSymbolFilePath(path);
    const image::SymbolFileStatus opened = withVariableMonitoringPaused(SymbolFileAccess::Open, path, [&] {
        const image::SymbolFileStatus status
            = image::openSymbolFile(path, app_.registeredVariables(), app_.image().symbols());
        variables_.rebuildRows();
        return status;
    });
    noteUnboundVariables();
    return opened;
}

image::SymbolFileStatus MonitorPanes::saveSymbolFile(const std::filesystem::path& path)
{
    app_.takeOverSymbolFilePath(path);
    return withVariableMonitoringPaused(
        SymbolFileAccess::Save, path, [&] { return image::saveSymbolFile(path, app_.registeredVariables()); });
}

std::filesystem::path MonitorPanes::symbolDialogFolder() const
{
    return core::pathFromUtf8(core::readTextSetting(store_, core::SettingId::SymbolFileDirectory));
}

} // namespace lumetra::app
