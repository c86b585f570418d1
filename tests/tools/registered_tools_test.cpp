#include "tools/registered_tools.h"

#include "core/memory_settings_store.h"
#include "core/settings_schema.h"

#include <gtest/gtest.h>

using namespace lumetra::tools;
using lumetra::core::MemorySettingsStore;

namespace {

void store(MemorySettingsStore& settings, int i, const std::string& command, const std::string& name)
{
    settings.writeText("User Menu", "MenuCommand" + std::to_string(i), command);
    settings.writeText("User Menu", "MenuName" + std::to_string(i), name);
}

TEST(RegisteredTools, ListsEndAtTheFirstEmptyCommandOrName)
{
    MemorySettingsStore settings;
    store(settings, 0, "/bin/a", "A");
    store(settings, 1, "/bin/b", "");
    store(settings, 2, "", "C");
    store(settings, 3, "/bin/d", "D");
    settings.writeText("User Menu", "MenuWorkDir0", "/tmp");
    const std::vector<UserTool> tools = readRegisteredTools(settings);
    ASSERT_EQ(tools.size(), 2u);
    EXPECT_EQ(tools[0], (UserTool {"/bin/a", "/tmp", "A"}));
    EXPECT_EQ(tools[1].name, "");
    // The menu and the buttons stop at the empty name.
    EXPECT_EQ(readToolNames(settings), std::vector<std::string> {"A"});
}

TEST(RegisteredTools, WritingRowsEmptiesTheRest)
{
    MemorySettingsStore settings;
    for (int i = 0; i < 5; ++i)
        store(settings, i, "/bin/x" + std::to_string(i), "X" + std::to_string(i));
    writeRegisteredTools(settings, {{"/bin/a", "/tmp", "A"}});
    EXPECT_EQ(readRegisteredTools(settings), (std::vector<UserTool> {{"/bin/a", "/tmp", "A"}}));
    for (int i = 1; i < 5; ++i) {
        for (const char* value : {"MenuCommand", "MenuWorkDir", "MenuName"}) {
            const auto stored = settings.stored("User Menu", value + std::to_string(i));
            ASSERT_TRUE(stored) << value << i;
            EXPECT_EQ(std::get<std::string>(*stored), "");
        }
    }
}

TEST(RegisteredTools, MenuTextsAndToolTips)
{
    EXPECT_EQ(toolMenuText("gen", 0), "gen\tShift+1");
    EXPECT_EQ(toolMenuText("R&D", 4), "R&&D\tShift+5");
    EXPECT_EQ(toolCommandId(0), 32807);
    EXPECT_EQ(toolCommandId(4), 32811);

    std::string korean;
    for (int i = 0; i < 81; ++i)
        korean += "도";
    const std::string tip = toolTipText(korean);
    EXPECT_EQ(tip.size(), 80u * 3u) << "80 characters of three bytes each";
    EXPECT_EQ(toolTipText("short"), "short");
    // A cut never splits a character, and broken bytes count one each.
    EXPECT_EQ(toolTipText(std::string(79, 'a') + "도도"), std::string(79, 'a') + "도");
    EXPECT_EQ(toolTipText(std::string(100, '\xFF')).size(), 80u);
}

} // namespace
