#include "core/path_text.h"

namespace lumetra::core {

std::filesystem::path pathFromUtf8(std::string_view text)
{
    const std::u8string utf8(text.begin(), text.end());
    return std::filesystem::path(utf8);
}

std::string utf8Of(const std::filesystem::path& path)
{
    const std::u8string utf8 = path.u8string();
    return std::string(utf8.begin(), utf8.end());
}

std::string folderTextOf(const std::filesystem::path& file)
{
    return utf8Of(file.parent_path() / "");
}

} // namespace lumetra::core
