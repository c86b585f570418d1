// Launch of a registered tool: the stored command line and working folder checked by the folder rule, the
// program classified, and the plan that follows: a message, a GUI program opened without arguments, or a
// console program started with its output captured.
#pragma once

#include "core/settings_dialog_logic.h"
#include "core/settings_store.h"
#include "tools/path_probe.h"
#include "tools/program_kind.h"
#include "tools/registered_tools.h"

#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace lumetra::tools {

inline constexpr std::string_view kRegisteredCommandInvalidText
    = "등록된 커맨드 라인의 파일 경로 입력이 잘못되었읍니다.";
inline constexpr std::string_view kRegisteredWorkDirInvalidText = "등록된 작업 디렉토리 입력이 잘못되었읍니다.";
inline constexpr std::string_view kProgramOpenFailedText = "등록한 실행 파일을 여는데 실패했읍니다.\n";

// Opens programs for classification.
class ProgramFiles {
public:
    virtual ~ProgramFiles() = default;
    // Null when the file cannot be opened for reading.
    virtual std::unique_ptr<ByteSource> open(std::string_view path) = 0;
};

class SystemProgramFiles final : public ProgramFiles {
public:
    std::unique_ptr<ByteSource> open(std::string_view path) override;
};

// Opened through the platform's "open", without arguments, nothing captured.
struct GuiLaunch {
    std::string program;
    std::string workDir;

    bool operator==(const GuiLaunch&) const = default;
};

// Started with standard input, output and error on pipes. An empty working folder keeps the program's own.
struct ConsoleLaunch {
    std::string program;
    std::string commandLine; // as registered
    std::string argumentText; // after the program, as Windows hands it on
    std::vector<std::string> arguments; // the same split into words, as POSIX hands them on
    std::string workDir;

    bool operator==(const ConsoleLaunch&) const = default;
};

// Nothing registered, a message (information icon), or what to start.
using LaunchPlan = std::variant<std::monostate, core::DialogMessage, GuiLaunch, ConsoleLaunch>;

LaunchPlan planLaunch(const UserTool& tool, const PathProbe& probe, ProgramFiles& files);
LaunchPlan planLaunch(const core::SettingsStore& store, int tool, const PathProbe& probe, ProgramFiles& files);

} // namespace lumetra::tools
