#include "graph/exports/pane_file_names.h"

namespace lumetra::graph {

namespace {

std::size_t nameStart(std::string_view path)
{
    const std::size_t separator = path.find_last_of("/\\");
    return separator == std::string_view::npos ? 0 : separator + 1;
}

} // namespace

std::string fileFolder(std::string_view path)
{
    return std::string(path.substr(0, nameStart(path)));
}

std::string fileTitle(std::string_view path)
{
    const std::string_view name = path.substr(nameStart(path));
    return std::string(name.substr(0, name.rfind('.')));
}

std::vector<std::string> paneFileNames(
    std::string_view chosen, int paneCount, bool individual, std::string_view extension)
{
    std::vector<std::string> names;
    if (paneCount <= 0)
        return names;
    if (!individual) {
        names.emplace_back(chosen);
        return names;
    }
    const std::string stem = fileFolder(chosen) + fileTitle(chosen);
    for (int k = 1; k <= paneCount; ++k)
        names.push_back(stem + std::to_string(k) + "." + std::string(extension));
    return names;
}

} // namespace lumetra::graph
