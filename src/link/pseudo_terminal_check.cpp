#include "link/pseudo_terminal_check.h"

#include <filesystem>
#include <string_view>
#include <system_error>

namespace lumetra::link {

bool isPseudoTerminal([[maybe_unused]] const std::string& devicePath)
{
#ifdef _WIN32
    return false;
#else
    std::error_code error;
    const std::filesystem::path resolved = std::filesystem::canonical(devicePath, error);
    if (error || !std::filesystem::is_character_file(resolved, error))
        return false;
    constexpr std::string_view kPtsFolder = "/dev/pts/";
    const std::string text = resolved.string();
    return text.starts_with(kPtsFolder) && text.size() > kPtsFolder.size();
#endif
}

} // namespace lumetra::link
