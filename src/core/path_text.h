// File paths as the UTF-8 texts kept in the settings and shown in the title.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace lumetra::core {

std::filesystem::path pathFromUtf8(std::string_view text);
std::string utf8Of(const std::filesystem::path& path);
// The folder of a file path, ending in a separator.
std::string folderTextOf(const std::filesystem::path& file);

} // namespace lumetra::core
