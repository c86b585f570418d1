#include "support/test_paths.h"

#include <atomic>
#include <cstdlib>
#include <string>
#include <system_error>
#include <unistd.h>

namespace lumetra::test {

std::optional<std::filesystem::path> coffSamplesDir()
{
    const char* shared = std::getenv("LUMETRA_SHARED_DIR");
    if (shared == nullptr)
        return std::nullopt;
    std::filesystem::path dir = std::filesystem::path(shared) / "coff-samples";
    std::error_code error;
    if (!std::filesystem::is_directory(dir, error))
        return std::nullopt;
    return dir;
}

ScratchDir::ScratchDir()
{
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path()
        / ("lumetra-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

ScratchDir::~ScratchDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

} // namespace lumetra::test
