#include "tools/tool_dialog_logic.h"

#include "core/settings_number_fields.h"
#include "core/settings_schema.h"
#include "tools/command_line.h"
#include "tools/command_path_texts.h"

#include <algorithm>
#include <utility>

namespace lumetra::tools {

namespace {

core::DialogMessage information(std::string_view text)
{
    return {std::string(text), core::MessageIcon::Information};
}

bool hasSelection(const ToolDialogState& state)
{
    return state.selected >= 0 && state.selected < static_cast<int>(state.rows.size())
        && state.selected < kMaxUserTools;
}

// The edits as a row, trimmed; the name from the command when it is empty. Refused with a message, or with
// nothing for an empty command.
struct Validation {
    std::optional<UserTool> row;
    std::optional<core::DialogMessage> message;
};

Validation validateEdits(ToolDialogState& state, const PathProbe& probe)
{
    UserTool row {std::string(core::trimmedField(state.edits.command)),
        std::string(core::trimmedField(state.edits.workDir)), std::string(core::trimmedField(state.edits.name))};
    if (row.command.empty())
        return {};
    const CommandPathCheck command = checkExecutablePath(row.command, probe);
    if (!command.path)
        return {std::nullopt, information(refusedCommandText(kCommandPathInvalidText, command.refusal))};
    const std::string& program = *command.path;
    if (!row.workDir.empty() && probe.kindOf(row.workDir) != PathKind::Folder)
        return {std::nullopt, information(kWorkDirInvalidText)};
    if (row.name.empty()) {
        // From the program part: the arguments may hold dots of their own.
        row.name = nameFromProgram(program, probe.style());
        // A program path ending in a separator (a folder) leaves no name; an empty name would end the menu there.
        if (row.name.empty())
            row.name = row.command;
        state.edits.name = row.name;
    }
    return {std::move(row), std::nullopt};
}

} // namespace

ToolDialogState openToolDialog(const core::SettingsStore& store)
{
    ToolDialogState state;
    state.initialFolder = core::readTextSetting(store, core::SettingId::UserMenuInitDir);
    state.rows = readRegisteredTools(store);
    state.selected = static_cast<int>(state.rows.size()) - 1;
    return state;
}

void selectToolRow(ToolDialogState& state, int row)
{
    if (row < 0 || row >= static_cast<int>(state.rows.size())) {
        state.selected = -1;
        return;
    }
    state.selected = row;
    state.edits = state.rows[static_cast<std::size_t>(row)];
}

void programChosen(ToolDialogState& state, std::string_view path, PathStyle style)
{
    const std::size_t separator = path.find_last_of(folderSeparators(style));
    std::string folder;
    if (separator != std::string_view::npos)
        folder = std::string(path.substr(0, separator == 0 ? 1 : separator));
    state.edits.command = std::string(path);
    state.edits.workDir = folder;
    state.edits.name = nameFromProgram(path, style);
    state.initialFolder = folder;
}

void workFolderChosen(ToolDialogState& state, std::string_view folder)
{
    state.edits.workDir = std::string(folder);
    state.initialFolder = std::string(folder);
}

ToolDialogStep addTool(const ToolDialogState& state, const PathProbe& probe)
{
    ToolDialogStep step {state, std::nullopt};
    if (state.rows.size() >= static_cast<std::size_t>(kMaxUserTools)) {
        step.message = information(kTooManyToolsText);
        return step;
    }
    Validation valid = validateEdits(step.state, probe);
    if (!valid.row) {
        step.message = std::move(valid.message);
        return step;
    }
    const bool duplicate = std::any_of(state.rows.begin(), state.rows.end(),
        [&](const UserTool& existing) { return existing.name == valid.row->name; });
    if (duplicate) {
        step.message = information(kDuplicateToolNameText);
        return step;
    }
    step.state.rows.push_back(std::move(*valid.row));
    step.state.selected = static_cast<int>(step.state.rows.size()) - 1;
    // A name the dialog derived goes with the added row: kept in the edit, the next command would get it too.
    if (core::trimmedField(state.edits.name).empty())
        step.state.edits.name.clear();
    return step;
}

ToolDialogStep replaceTool(const ToolDialogState& state, const PathProbe& probe)
{
    ToolDialogStep step {state, std::nullopt};
    if (!hasSelection(state)) {
        step.message = information(kNoReplaceSelectionText);
        return step;
    }
    Validation valid = validateEdits(step.state, probe);
    if (!valid.row) {
        step.message = std::move(valid.message);
        return step;
    }
    step.state.rows[static_cast<std::size_t>(state.selected)] = std::move(*valid.row);
    return step;
}

ToolDialogStep deleteTool(const ToolDialogState& state)
{
    ToolDialogStep step {state, std::nullopt};
    if (!hasSelection(state)) {
        step.message = information(kNoDeleteSelectionText);
        return step;
    }
    std::vector<UserTool>& rows = step.state.rows;
    rows.erase(rows.begin() + state.selected);
    step.state.selected = std::min(state.selected, static_cast<int>(rows.size()) - 1);
    return step;
}

void moveToolUp(ToolDialogState& state)
{
    if (state.rows.size() < 2 || !hasSelection(state) || state.selected == 0)
        return;
    const auto row = static_cast<std::size_t>(state.selected);
    std::swap(state.rows[row], state.rows[row - 1]);
    --state.selected;
}

void moveToolDown(ToolDialogState& state)
{
    if (state.rows.size() < 2 || !hasSelection(state) || state.selected + 1 >= static_cast<int>(state.rows.size()))
        return;
    const auto row = static_cast<std::size_t>(state.selected);
    std::swap(state.rows[row], state.rows[row + 1]);
    ++state.selected;
}

void acceptToolDialog(const ToolDialogState& state, core::SettingsStore& store)
{
    writeRegisteredTools(store, state.rows);
    cancelToolDialog(state, store);
}

void cancelToolDialog(const ToolDialogState& state, core::SettingsStore& store)
{
    core::writeTextSetting(store, core::SettingId::UserMenuInitDir, state.initialFolder);
}

} // namespace lumetra::tools
