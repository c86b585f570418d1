// Where a program finds the data installed with it.
#pragma once

#include <filesystem>
#include <optional>

namespace lumetra::core {

// `entry` (a file or folder name under share/lumetra) installed with the program in `programFolder`: an install
// tree has it in <prefix>/share/lumetra beside <prefix>/bin, the Windows folder in share/lumetra beside the
// program. nullopt when neither holds it.
std::optional<std::filesystem::path> installedData(
    const std::filesystem::path& programFolder, const std::filesystem::path& entry);

} // namespace lumetra::core
