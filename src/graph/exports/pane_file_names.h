// The files the picture exports write: the chosen name for the single-pane layout; in the individual layout,
// per pane k (1-based) "<title>k.<extension>" in the chosen file's folder, where the title is the chosen name
// up to its last full stop. Both "/" and "\" separate folders, so Windows paths work on every platform.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lumetra::graph {

inline constexpr std::string_view kMetafileFilter = "Meta Files (*.wmf)|*.wmf||";
inline constexpr std::string_view kMetafileExtension = "wmf";

// The folder part of a path, with its trailing separator ("" when the path names no folder).
std::string fileFolder(std::string_view path);
// The file name up to its last full stop (the whole name when it has none).
std::string fileTitle(std::string_view path);

std::vector<std::string> paneFileNames(
    std::string_view chosen, int paneCount, bool individual, std::string_view extension);

} // namespace lumetra::graph
