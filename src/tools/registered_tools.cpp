#include "tools/registered_tools.h"

#include "core/settings_schema.h"
#include "core/utf8_code_points.h"

namespace lumetra::tools {

UserTool readTool(const core::SettingsStore& store, int tool)
{
    return {core::readTextSetting(store, core::menuCommandSetting(tool)),
        core::readTextSetting(store, core::menuWorkDirSetting(tool)),
        core::readTextSetting(store, core::menuNameSetting(tool))};
}

std::vector<UserTool> readRegisteredTools(const core::SettingsStore& store)
{
    std::vector<UserTool> tools;
    for (int i = 0; i < kMaxUserTools; ++i) {
        UserTool tool = readTool(store, i);
        if (tool.command.empty())
            break;
        tools.push_back(std::move(tool));
    }
    return tools;
}

void writeRegisteredTools(core::SettingsStore& store, const std::vector<UserTool>& tools)
{
    for (int i = 0; i < kMaxUserTools; ++i) {
        const bool filled = static_cast<std::size_t>(i) < tools.size();
        const UserTool empty;
        const UserTool& tool = filled ? tools[static_cast<std::size_t>(i)] : empty;
        core::writeTextSetting(store, core::menuCommandSetting(i), tool.command);
        core::writeTextSetting(store, core::menuWorkDirSetting(i), tool.workDir);
        core::writeTextSetting(store, core::menuNameSetting(i), tool.name);
    }
}

std::vector<std::string> readToolNames(const core::SettingsStore& store)
{
    std::vector<std::string> names;
    for (int i = 0; i < kMaxUserTools; ++i) {
        std::string name = core::readTextSetting(store, core::menuNameSetting(i));
        if (name.empty())
            break;
        names.push_back(std::move(name));
    }
    return names;
}

std::string toolMenuText(std::string_view name, int tool)
{
    std::string text;
    for (const char c : name) {
        text += c;
        if (c == '&')
            text += '&';
    }
    return text + "\tShift+" + std::to_string(tool + 1);
}

std::string toolTipText(std::string_view name)
{
    std::size_t offset = 0;
    for (std::size_t count = 0; count < kToolTipLength && offset < name.size(); ++count) {
        const std::optional<core::Utf8CodePoint> point = core::decodeUtf8At(name, offset);
        offset += point ? point->length : 1;
    }
    return std::string(name.substr(0, offset));
}

} // namespace lumetra::tools
