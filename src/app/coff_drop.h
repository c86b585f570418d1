// Which of the files dropped onto the main window is opened as a COFF file.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace lumetra::app {

// The first path whose extension is ".out" (any case); nothing when none is.
std::optional<std::string> coffFileFromDrop(const std::vector<std::string>& localPaths);

} // namespace lumetra::app
