#include "tools/tool_launch.h"

#include "tools/command_line.h"
#include "tools/command_path_texts.h"

namespace lumetra::tools {

namespace {

core::DialogMessage information(std::string_view text)
{
    return {std::string(text), core::MessageIcon::Information};
}

} // namespace

std::unique_ptr<ByteSource> SystemProgramFiles::open(std::string_view path)
{
    auto file = std::make_unique<FileByteSource>(pathOfUtf8(path));
    if (!file->isOpen())
        return nullptr;
    return file;
}

LaunchPlan planLaunch(const UserTool& tool, const PathProbe& probe, ProgramFiles& files)
{
    if (tool.command.empty())
        return std::monostate {};
    const CommandPathCheck command = checkExecutablePath(tool.command, probe);
    if (!command.path)
        return information(refusedCommandText(kRegisteredCommandInvalidText, command.refusal));
    const std::optional<std::string>& program = command.path;
    if (!tool.workDir.empty() && probe.kindOf(tool.workDir) != PathKind::Folder)
        return information(kRegisteredWorkDirInvalidText);
    const std::unique_ptr<ByteSource> file = files.open(*program);
    if (!file)
        return information(kProgramOpenFailedText);
    if (classifyProgram(*file) == ProgramKind::WindowsGui)
        return GuiLaunch {*program, tool.workDir};
    const std::string_view arguments = argumentText(tool.command, *program);
    return ConsoleLaunch {*program, tool.command, std::string(arguments), splitArguments(arguments), tool.workDir};
}

LaunchPlan planLaunch(const core::SettingsStore& store, int tool, const PathProbe& probe, ProgramFiles& files)
{
    return planLaunch(readTool(store, tool), probe, files);
}

} // namespace lumetra::tools
