// The registered user tools as the "User Menu" section keeps them: dense rows 0 to 4 of command line, working
// folder and name; their command identifiers and the texts of their menu entries and toolbar buttons.
#pragma once

#include "core/settings_store.h"

#include <string>
#include <string_view>
#include <vector>

namespace lumetra::tools {

inline constexpr int kMaxUserTools = 5;
inline constexpr int kFirstToolCommandId = 32807;
inline constexpr int kToolRegistrationCommandId = 32812;
// Tool tips show at most this many characters of the name.
inline constexpr std::size_t kToolTipLength = 80;

struct UserTool {
    std::string command;
    std::string workDir;
    std::string name;

    bool operator==(const UserTool&) const = default;
};

constexpr int toolCommandId(int tool)
{
    return kFirstToolCommandId + tool;
}

// Rows from index 0 up to the first empty command.
std::vector<UserTool> readRegisteredTools(const core::SettingsStore& store);
// Rows 0 to n - 1, and empty texts for n to 4. Rows past the fifth are not written.
void writeRegisteredTools(core::SettingsStore& store, const std::vector<UserTool>& tools);
// The names from index 0 up to the first empty name: the entries of the tools menu and the toolbar buttons.
std::vector<std::string> readToolNames(const core::SettingsStore& store);
// Tool `tool`'s stored command line and working folder.
UserTool readTool(const core::SettingsStore& store, int tool);

// "name\tShift+<tool + 1>"; an "&" of the name is doubled so that the menu shows it rather than taking it as a
// mnemonic. The text after the tab is a label only.
std::string toolMenuText(std::string_view name, int tool);
// The name cut to kToolTipLength characters (whole UTF-8 sequences).
std::string toolTipText(std::string_view name);

} // namespace lumetra::tools
