#include "core/installed_data.h"

#include "support/test_paths.h"

#include <gtest/gtest.h>

#include <fstream>

using lumetra::core::installedData;

TEST(InstalledData, IsFoundInAnInstallTreeAndInTheWindowsFolderAndNowhereElse)
{
    const lumetra::test::ScratchDir root;
    std::filesystem::create_directories(root / "tree" / "bin");
    std::filesystem::create_directories(root / "tree" / "share" / "lumetra" / "simulation-images");
    std::ofstream(root / "tree" / "share" / "lumetra" / "demo.out") << "x";
    EXPECT_EQ(installedData(root / "tree" / "bin", "demo.out"), root / "tree" / "share" / "lumetra" / "demo.out");
    EXPECT_EQ(installedData(root / "tree" / "bin", "simulation-images"),
        root / "tree" / "share" / "lumetra" / "simulation-images");

    // The unpacked Windows folder: the programs beside share/.
    std::filesystem::create_directories(root / "windows" / "share" / "lumetra");
    std::ofstream(root / "windows" / "share" / "lumetra" / "demo.out") << "x";
    EXPECT_EQ(installedData(root / "windows", "demo.out"), root / "windows" / "share" / "lumetra" / "demo.out");

    EXPECT_EQ(installedData(root / "windows", "simulation-images"), std::nullopt) << "not installed there";
    EXPECT_EQ(installedData(root / "tree" / "bin", "missing.out"), std::nullopt);
    EXPECT_EQ(installedData({}, "demo.out"), std::nullopt) << "a program whose folder is unknown";
}
