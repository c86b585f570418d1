// Paths that tests need: the read-only sample folder beside the checkout and scratch directories.
#pragma once

#include <filesystem>
#include <optional>

namespace lumetra::test {

// The folder of real TI COFF files with their map files, when it is present.
// Tests that use it call GTEST_SKIP() on std::nullopt.
std::optional<std::filesystem::path> coffSamplesDir();

// A fresh, empty directory that is removed with the object.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::filesystem::path& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

} // namespace lumetra::test
