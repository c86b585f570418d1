#include "app/command_prompts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace lumetra::app {
namespace {

TEST(CommandPromptsTest, EveryCommandHasOnePromptAndOneTip)
{
    std::set<std::string> prompts;
    for (MainCommand command : kMainCommands) {
        const std::string_view text = commandStatusText(command);
        EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1) << text;
        const CommandPrompt split = commandPrompt(command);
        EXPECT_FALSE(split.prompt.empty()) << text;
        EXPECT_FALSE(split.tip.empty()) << text;
        EXPECT_TRUE(prompts.insert(split.prompt).second) << "prompt shared: " << split.prompt;
    }
}

TEST(CommandPromptsTest, FixedTextsStandAsTheyAre)
{
    EXPECT_EQ(commandStatusText(MainCommand::TargetReset), "타겟보드를 리셋합니다.\n타겟보드 리셋");
    EXPECT_EQ(commandStatusText(MainCommand::ClosePort), "연결된 통신 포트를 닫습니다.\n통신포트 닫기");
    // The double space is part of the text.
    EXPECT_EQ(commandStatusText(MainCommand::SciBoot),
        "SCI 부트를 통해 타겟 보드의 내부 플래시 메모리에 프로그램을  씁니다.\nSCI 부트");
    EXPECT_EQ(commandStatusText(MainCommand::DataFlashErase),
        "TMS320C2834x SPI-A에 연결된 외부 데이터 플래시 메모리를 지웁니다\n데이터 플래시 Erase");
    EXPECT_EQ(commandStatusText(MainCommand::DataFlashWrite),
        "TMS320C2834x SPI-A에 연결된 외부 데이터 플래시 메모리에 프로그램 코드를 다운로드합니다\n데이터 플래시 "
        "Write");
    EXPECT_EQ(commandStatusText(MainCommand::DataFlashWriteVerify),
        "TMS320C2834x SPI-A에 연결된 외부 데이터 플래시 메모리에 프로그램 코드를 다운로드 후 비교 검사합니다\n"
        "데이터 플래시 Write && Verify");
}

TEST(CommandPromptsTest, SplitsAtTheLineBreakAndShowsADoubledAmpersandOnce)
{
    const CommandPrompt close = commandPrompt(MainCommand::ClosePort);
    EXPECT_EQ(close.prompt, "연결된 통신 포트를 닫습니다.");
    EXPECT_EQ(close.tip, "통신포트 닫기");
    const CommandPrompt verify = commandPrompt(MainCommand::DataFlashWriteVerify);
    EXPECT_EQ(verify.prompt,
        "TMS320C2834x SPI-A에 연결된 외부 데이터 플래시 메모리에 프로그램 코드를 다운로드 후 "
        "비교 검사합니다");
    EXPECT_EQ(verify.tip, "데이터 플래시 Write & Verify");
}

} // namespace
} // namespace lumetra::app
