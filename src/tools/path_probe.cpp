#include "tools/path_probe.h"

#include <system_error>

namespace lumetra::tools {

std::string_view folderSeparators(PathStyle style)
{
    return style == PathStyle::Windows ? std::string_view("\\") : std::string_view("/\\");
}

PathStyle hostPathStyle()
{
#ifdef _WIN32
    return PathStyle::Windows;
#else
    return PathStyle::Posix;
#endif
}

std::filesystem::path pathOfUtf8(std::string_view text)
{
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

PathKind SystemPathProbe::kindOf(std::string_view path) const
{
    if (path.empty())
        return PathKind::Missing;
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(pathOfUtf8(path), error);
    if (error)
        return PathKind::Missing;
    if (std::filesystem::is_directory(status))
        return PathKind::Folder;
    return std::filesystem::exists(status) ? PathKind::File : PathKind::Missing;
}

} // namespace lumetra::tools
