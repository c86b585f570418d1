#include "app/coff_drop.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace lumetra::app {

namespace {

bool hasOutExtension(std::string_view path)
{
    constexpr std::string_view extension = ".out";
    if (path.size() <= extension.size())
        return false;
    const std::string_view tail = path.substr(path.size() - extension.size());
    return std::equal(tail.begin(), tail.end(), extension.begin(),
        [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
}

} // namespace

std::optional<std::string> coffFileFromDrop(const std::vector<std::string>& localPaths)
{
    const auto found = std::find_if(
        localPaths.begin(), localPaths.end(), [](const std::string& path) { return hasOutExtension(path); });
    if (found == localPaths.end())
        return std::nullopt;
    return *found;
}

} // namespace lumetra::app
