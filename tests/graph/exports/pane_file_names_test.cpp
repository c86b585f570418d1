#include "graph/exports/pane_file_names.h"

#include <gtest/gtest.h>

namespace lumetra::graph {
namespace {

using Names = std::vector<std::string>;

TEST(PaneFileNames, IndividualPanesGetNumberedNamesInTheChosenFolder)
{
    EXPECT_EQ(paneFileNames("D:\\data\\run.wmf", 3, true, "wmf"),
        (Names {"D:\\data\\run1.wmf", "D:\\data\\run2.wmf", "D:\\data\\run3.wmf"}));
    EXPECT_EQ(paneFileNames("/home/kim/graphs/run.v2.wmf", 2, true, "wmf"),
        (Names {"/home/kim/graphs/run.v21.wmf", "/home/kim/graphs/run.v22.wmf"}));
    // No extension, no folder, a name that is all extension.
    EXPECT_EQ(paneFileNames("/tmp/motor", 1, true, "svg"), (Names {"/tmp/motor1.svg"}));
    EXPECT_EQ(paneFileNames("그래프.wmf", 2, true, "wmf"), (Names {"그래프1.wmf", "그래프2.wmf"}));
    EXPECT_EQ(paneFileNames("/tmp/.wmf", 1, true, "wmf"), (Names {"/tmp/1.wmf"}));
}

TEST(PaneFileNames, TheSinglePaneWritesTheChosenNameAndNoPaneWritesNothing)
{
    EXPECT_EQ(paneFileNames("D:\\data\\run.wmf", 1, false, "wmf"), (Names {"D:\\data\\run.wmf"}));
    EXPECT_TRUE(paneFileNames("D:\\data\\run.wmf", 0, false, "wmf").empty());
}

TEST(PaneFileNames, FolderAndTitle)
{
    EXPECT_EQ(fileFolder("D:\\data\\run.wmf"), "D:\\data\\");
    EXPECT_EQ(fileFolder("/home/kim/run.txt"), "/home/kim/");
    EXPECT_EQ(fileFolder("run.txt"), "");
    EXPECT_EQ(fileTitle("C:\\a.b\\run"), "run");
    EXPECT_EQ(fileTitle("/x/archive.tar.gz"), "archive.tar");
}

} // namespace
} // namespace lumetra::graph
