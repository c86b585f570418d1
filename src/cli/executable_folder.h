// The folder of the running lumetra-cli, where an installed copy finds its data beside it.
#pragma once

#include <filesystem>

namespace lumetra::cli {

// Empty when the system does not tell.
std::filesystem::path executableFolder();

} // namespace lumetra::cli
