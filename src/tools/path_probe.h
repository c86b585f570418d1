// Port to the file system for the user tool rules: what a path names, and the platform's folder separators.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace lumetra::tools {

enum class PathKind { Missing, File, Folder };

// How command lines separate folders: Windows knows only the backslash; POSIX takes the slash and, so that
// command lines written for Windows keep their meaning, the backslash as well.
enum class PathStyle { Windows, Posix };

std::string_view folderSeparators(PathStyle style);
PathStyle hostPathStyle();

class PathProbe {
public:
    virtual ~PathProbe() = default;
    // `path` is UTF-8 text.
    virtual PathKind kindOf(std::string_view path) const = 0;
    virtual PathStyle style() const = 0;
};

// The host's file system.
class SystemPathProbe final : public PathProbe {
public:
    PathKind kindOf(std::string_view path) const override;
    PathStyle style() const override { return hostPathStyle(); }
};

std::filesystem::path pathOfUtf8(std::string_view text);

} // namespace lumetra::tools
