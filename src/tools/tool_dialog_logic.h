// The registration dialog "사용자 도구 등록 설정" as plain state: its own copy of the rows, the list selection,
// the three edits and the browse folder; the browse results, "추가", "대체", "삭제", "위로", "아래로", OK and
// closing. Each button answers with the new state and, when it refuses, the message to show.
#pragma once

#include "core/settings_dialog_logic.h"
#include "core/settings_store.h"
#include "tools/path_probe.h"
#include "tools/registered_tools.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumetra::tools {

inline constexpr std::string_view kToolDialogTitle = "사용자 도구 등록 설정";
inline constexpr std::string_view kProgramBrowseFilter = "실행화일들 (.exe;.com;.bat)|*.exe;*.com;*.bat||";
inline constexpr std::string_view kFolderBrowseTitle = "Work Directory :";

inline constexpr std::string_view kCommandPathInvalidText = "커맨드 라인의 파일 경로 입력이 잘못되었읍니다.";
inline constexpr std::string_view kWorkDirInvalidText = "작업 디렉토리 입력이 잘못되었읍니다.";
inline constexpr std::string_view kDuplicateToolNameText = "이미 등록된 사용자 도구 이름입니다.";
inline constexpr std::string_view kTooManyToolsText = "사용자 등록 도구는 최대 5개까지 지원합니다.\n";
inline constexpr std::string_view kNoReplaceSelectionText = "대체할 사용자 등록 도구를 선택하십시요.";
inline constexpr std::string_view kNoDeleteSelectionText = "삭제할 사용자 등록 도구를 선택하십시요.";

struct ToolDialogState {
    std::vector<UserTool> rows; // "사용자 도구 목록"
    int selected = -1; // -1 when no row is selected
    UserTool edits; // "커맨드 라인", "작업 디렉토리", "사용자 도구 이름"
    std::string initialFolder; // `UserMenuInitDir`

    bool operator==(const ToolDialogState&) const = default;
};

struct ToolDialogStep {
    ToolDialogState state;
    std::optional<core::DialogMessage> message; // information icon

    bool operator==(const ToolDialogStep&) const = default;
};

// The stored rows up to the first empty command, the last one selected (the edits stay empty).
ToolDialogState openToolDialog(const core::SettingsStore& store);

// Selecting a row fills the edits from it; a row outside the list clears the selection.
void selectToolRow(ToolDialogState& state, int row);

// The program browse dialog chose `path` (native separators): the command gets it, the folder edit and the
// browse folder its folder, the name edit its file name without extension.
void programChosen(ToolDialogState& state, std::string_view path, PathStyle style);
// The folder browser chose `folder`.
void workFolderChosen(ToolDialogState& state, std::string_view folder);

// A refused command line's message names the cause. An empty name edit shows the name taken from the command
// while the tool is refused, and is empty again once it is added.
ToolDialogStep addTool(const ToolDialogState& state, const PathProbe& probe);
ToolDialogStep replaceTool(const ToolDialogState& state, const PathProbe& probe);
ToolDialogStep deleteTool(const ToolDialogState& state);
// Swap the selected row with its neighbour and keep it selected; at the list's end nothing changes.
void moveToolUp(ToolDialogState& state);
void moveToolDown(ToolDialogState& state);

// OK: the rows and the browse folder are written. Cancel: only the browse folder.
void acceptToolDialog(const ToolDialogState& state, core::SettingsStore& store);
void cancelToolDialog(const ToolDialogState& state, core::SettingsStore& store);

} // namespace lumetra::tools
