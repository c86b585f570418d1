#include "graph/session/graph_menu.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace lumetra::graph {
namespace {

const GraphMenuEntry& find(const std::vector<GraphMenuEntry>& entries, GraphCommand command)
{
    const auto found = std::find_if(
        entries.begin(), entries.end(), [&](const GraphMenuEntry& entry) { return entry.command == command; });
    EXPECT_NE(found, entries.end());
    return *found;
}

std::vector<std::string> texts(const std::vector<GraphMenuEntry>& entries)
{
    std::vector<std::string> all;
    for (const GraphMenuEntry& entry : entries)
        all.push_back(entry.text);
    return all;
}

TEST(GraphContextMenu, CommandsThenOneEntryPerChannel)
{
    const GraphMenuInputs inputs {GraphKind::Time, ScaleMode::Automatic, false, 3, false, 2};
    const auto menu = graphContextMenu(inputs);
    EXPECT_EQ(texts(menu),
        (std::vector<std::string> {"다시 그리기", "데이타 수집 시작", "데이타 수집 중지", "그래프 인쇄...",
            "메타파일로 저장...", "텍스트파일로 저장...", "CSV 파일로 저장...", "SVG로 저장...", "PDF로 저장...",
            "PNG로 저장...", "자동 Scale", "수동 Scale...", "소숫점 설정...", "시간 간격 설정...", "Channel 1",
            "Channel 2", "Channel 3"}));
    EXPECT_TRUE(menu[14].separatorBefore);
    EXPECT_FALSE(menu[15].separatorBefore);
    EXPECT_TRUE(find(menu, GraphCommand::Channel2).checked);
    EXPECT_FALSE(find(menu, GraphCommand::Channel1).checked);
}

TEST(GraphContextMenu, IndividualLayoutHasChannelOneOnlyAndNoChannelsNone)
{
    auto menu = graphContextMenu({GraphKind::Memory, ScaleMode::Automatic, false, 4, true, 1});
    EXPECT_EQ(menu.back().text, "Channel 1");
    EXPECT_EQ(menu.size(), 15u);
    menu = graphContextMenu({GraphKind::Memory, ScaleMode::Automatic, false, 0, false, 1});
    EXPECT_EQ(menu.back().text, "시간 간격 설정...");
}

TEST(GraphMenus, GreyedWhileAcquiringOrIdle)
{
    for (const bool acquiring : {false, true}) {
        const auto menu = graphContextMenu({GraphKind::Time, ScaleMode::Automatic, acquiring, 2, false, 1});
        for (const GraphCommand command : {GraphCommand::Redraw, GraphCommand::Start, GraphCommand::Print,
                 GraphCommand::SaveMetafile, GraphCommand::SaveText, GraphCommand::SaveCsv, GraphCommand::SaveSvg,
                 GraphCommand::SavePdf, GraphCommand::SavePng})
            EXPECT_EQ(find(menu, command).enabled, !acquiring);
        EXPECT_EQ(find(menu, GraphCommand::Stop).enabled, acquiring);
        for (const GraphCommand command : {GraphCommand::AutoScale, GraphCommand::ManualScale, GraphCommand::Decimals,
                 GraphCommand::TimeInterval, GraphCommand::Channel2})
            EXPECT_TRUE(find(menu, command).enabled);
    }
}

TEST(GraphMenus, TimeIntervalGreyedForAMemoryGraphAndScaleChecks)
{
    const auto menu = graphContextMenu({GraphKind::Memory, ScaleMode::Manual, false, 1, false, 1});
    EXPECT_FALSE(find(menu, GraphCommand::TimeInterval).enabled);
    EXPECT_FALSE(find(menu, GraphCommand::AutoScale).checked);
    EXPECT_TRUE(find(menu, GraphCommand::ManualScale).checked);
    const auto automatic = graphContextMenu({GraphKind::Memory, ScaleMode::Automatic, false, 1, false, 1});
    EXPECT_TRUE(find(automatic, GraphCommand::AutoScale).checked);
    EXPECT_FALSE(find(automatic, GraphCommand::ManualScale).checked);
}

TEST(GraphMenuBar, ThreeMenusWithTheChannelMenuCut)
{
    const auto bar = graphMenuBar({GraphKind::Time, ScaleMode::Automatic, true, 2, false, 2});
    ASSERT_EQ(bar.size(), 3u);
    EXPECT_EQ(bar[0].title, "동작(&A)");
    EXPECT_EQ(bar[1].title, "설정(&S)");
    EXPECT_EQ(bar[2].title, "채널(&C)");
    EXPECT_EQ(texts(bar[2].entries), (std::vector<std::string> {"채널 1", "채널 2"}));
    EXPECT_TRUE(bar[2].entries[1].checked);
    const GraphMenuEntry& redraw = find(bar[0].entries, GraphCommand::Redraw);
    EXPECT_EQ(redraw.text, "다시 그리기(&R)");
    EXPECT_EQ(redraw.shortcut, "Ctrl+R");
    EXPECT_FALSE(redraw.enabled);
    EXPECT_EQ(find(bar[0].entries, GraphCommand::TimeInterval).text, "시간 간격 설정(&I)...");
    EXPECT_EQ(find(bar[1].entries, GraphCommand::ManualScale).shortcut, "Ctrl+U");

    const auto individual = graphMenuBar({GraphKind::Time, ScaleMode::Automatic, true, 4, true, 1});
    EXPECT_EQ(texts(individual[2].entries), (std::vector<std::string> {"채널 1"}));
}

TEST(GraphMenuBar, TheExtraExportsFollowThePartsThreeAfterASeparator)
{
    const auto bar = graphMenuBar({GraphKind::Memory, ScaleMode::Automatic, false, 1, false, 1});
    const std::vector<std::string> action = texts(bar[0].entries);
    const std::vector<std::string> expected {"다시 그리기(&R)", "데이타 수집 시작(&S)", "데이타 수집 중지(&T)",
        "시간 간격 설정(&I)...", "그래프 인쇄(&P)...", "메타파일로 저장(&M)...", "텍스트파일로 저장...",
        "CSV 파일로 저장...", "SVG로 저장...", "PDF로 저장...", "PNG로 저장..."};
    EXPECT_EQ(action, expected);
    EXPECT_TRUE(bar[0].entries[4].separatorBefore);
    EXPECT_TRUE(bar[0].entries[7].separatorBefore);
    EXPECT_EQ(find(bar[0].entries, GraphCommand::SaveMetafile).shortcut, "Ctrl+M");
    EXPECT_EQ(find(bar[0].entries, GraphCommand::Print).shortcut, "Ctrl+P");

    const auto context = graphContextMenu({GraphKind::Memory, ScaleMode::Automatic, false, 1, false, 1});
    EXPECT_EQ(context[6].command, GraphCommand::SaveCsv);
    EXPECT_TRUE(context[6].separatorBefore);
    EXPECT_EQ(context[10].command, GraphCommand::AutoScale);
    EXPECT_TRUE(context[10].separatorBefore);
}

TEST(GraphCommandPrompts, PromptBeforeTheLineBreak)
{
    EXPECT_EQ(graphCommandPrompt(GraphCommand::Redraw), "그래프를 초기화 한 후, 다시 그립니다.");
    EXPECT_EQ(graphCommandStatusText(GraphCommand::SaveText),
        "수집된 그래프 데이터를 지정한 텍스트 파일로 저장합니다\n텍스트파이로 저장");
    EXPECT_EQ(graphCommandPrompt(GraphCommand::Channel3), "세번째 채널을 Active Mode로 합니다.");
    EXPECT_EQ(channelOf(channelCommand(4)), 4);
    EXPECT_EQ(channelOf(GraphCommand::Stop), 0);
}

} // namespace
} // namespace lumetra::graph
