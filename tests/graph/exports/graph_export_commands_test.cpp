#include "graph/exports/graph_export_commands.h"

#include <gtest/gtest.h>

namespace lumetra::graph {
namespace {

TEST(GraphExportCommands, EachFileCommandHasItsDialogAndPrintHasNone)
{
    EXPECT_EQ(graphExportOf(GraphCommand::SaveText), GraphExport::Text);
    EXPECT_EQ(graphExportOf(GraphCommand::SaveMetafile), GraphExport::Metafile);
    EXPECT_EQ(graphExportOf(GraphCommand::SavePng), GraphExport::Png);
    EXPECT_EQ(graphExportOf(GraphCommand::Print), std::nullopt);
    EXPECT_EQ(graphExportOf(GraphCommand::Redraw), std::nullopt);

    const ExportDialog text = exportDialogOf(GraphExport::Text);
    EXPECT_EQ(text.filter, "텍스트 파일 (*.txt)|*.txt||");
    EXPECT_EQ(text.extension, "txt");
    EXPECT_EQ(text.failureText, "텍스트 파일을 생성하는데 실패했읍니다.");
    const ExportDialog metafile = exportDialogOf(GraphExport::Metafile);
    EXPECT_EQ(metafile.filter, "Meta Files (*.wmf)|*.wmf||");
    EXPECT_EQ(metafile.extension, "wmf");
    EXPECT_EQ(metafile.failureText, "메타파일을 생성하는데 실패했읍니다.");
    EXPECT_EQ(exportDialogOf(GraphExport::Csv).extension, "csv");
    EXPECT_EQ(exportDialogOf(GraphExport::Pdf).filter, "PDF 파일 (*.pdf)|*.pdf||");
    EXPECT_EQ(exportDialogOf(GraphExport::Png).failureText, "그림 파일을 생성하는데 실패했읍니다.");
}

TEST(GraphExportCommands, TheChosenFoldersAreRememberedPerKindWithTheirSeparator)
{
    core::GraphEnv env;
    rememberExportFolder(env, GraphExport::Text, "D:\\data\\run.txt");
    EXPECT_EQ(env.graphTextDir, "D:\\data\\");
    EXPECT_EQ(env.metaFileInitDir, "");
    rememberExportFolder(env, GraphExport::Metafile, "/home/user/보고서/run.wmf");
    EXPECT_EQ(env.metaFileInitDir, "/home/user/보고서/");
    rememberExportFolder(env, GraphExport::Csv, "/tmp/a.csv");
    rememberExportFolder(env, GraphExport::Svg, "/srv/pictures/a.svg");
    EXPECT_EQ(exportFolder(env, GraphExport::Text), "/tmp/");
    EXPECT_EQ(exportFolder(env, GraphExport::Pdf), "/srv/pictures/");
    EXPECT_EQ(exportFolder(env, GraphExport::Png), "/srv/pictures/");
}

} // namespace
} // namespace lumetra::graph
