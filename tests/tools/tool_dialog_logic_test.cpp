#include "tools/tool_dialog_logic.h"

#include "core/memory_settings_store.h"
#include "fake_paths.h"

#include <gtest/gtest.h>

using namespace lumetra::tools;
using lumetra::core::DialogMessage;
using lumetra::core::MemorySettingsStore;
using lumetra::core::MessageIcon;

namespace {

class ToolDialogTest : public ::testing::Test {
protected:
    ToolDialogTest()
    {
        windows.file("C:\\Tools\\gen.exe").file("C:\\Tools\\hex.exe").folder("C:\\Work").file("C:\\Work\\a.txt");
        posix.file("/opt/tools/gen.sh").file("/opt/tools/hex").folder("/work").folder("/work/");
    }

    // Fills the edits and presses "추가".
    ToolDialogStep add(ToolDialogState& state, std::string command, std::string folder = {}, std::string name = {},
        const PathProbe* probe = nullptr)
    {
        state.edits = {std::move(command), std::move(folder), std::move(name)};
        ToolDialogStep step = addTool(state, probe ? *probe : windows);
        state = step.state;
        return step;
    }

    static std::string messageOf(const ToolDialogStep& step) { return step.message ? step.message->text : ""; }

    FakePaths windows {PathStyle::Windows};
    FakePaths posix {PathStyle::Posix};
    MemorySettingsStore store;
};

TEST_F(ToolDialogTest, EmptyNameBecomesTheProgramNameOnBothPlatforms)
{
    ToolDialogState state;
    EXPECT_EQ(messageOf(add(state, "  C:\\Tools\\gen.exe -o out.bin  ")), "");
    ASSERT_EQ(state.rows.size(), 1u);
    EXPECT_EQ(state.rows[0], (UserTool {"C:\\Tools\\gen.exe -o out.bin", "", "gen"}));
    EXPECT_EQ(state.selected, 0);

    ToolDialogState onPosix;
    add(onPosix, "/opt/tools/gen.sh -o out.bin", " /work ", "", &posix);
    ASSERT_EQ(onPosix.rows.size(), 1u);
    EXPECT_EQ(onPosix.rows[0], (UserTool {"/opt/tools/gen.sh -o out.bin", "/work", "gen"}));
    // Dots in the arguments do not count.
    add(onPosix, "/opt/tools/hex -o x.y.bin", "", "", &posix);
    EXPECT_EQ(onPosix.rows.back().name, "hex");

    // A command that names a folder gives no name of its own: the command stands for it.
    ToolDialogState folder;
    add(folder, "/work/", "", "", &posix);
    ASSERT_EQ(folder.rows.size(), 1u);
    EXPECT_EQ(folder.rows[0].name, "/work/");
}

TEST_F(ToolDialogTest, ValidationMessagesInTheirOrder)
{
    ToolDialogState state;
    // An empty command ends the action without a word.
    const ToolDialogStep silent = add(state, "   ", "C:\\Nowhere", "x");
    EXPECT_FALSE(silent.message);
    EXPECT_TRUE(state.rows.empty());

    // The command is checked before the folder.
    const ToolDialogStep bare = add(state, "gen.exe -o out.bin", "C:\\Nowhere");
    ASSERT_TRUE(bare.message);
    EXPECT_EQ(*bare.message,
        (DialogMessage {"커맨드 라인의 파일 경로 입력이 잘못되었읍니다.\n원인: 실행 파일 \"gen.exe\"에 폴더 경로가 없읍니다.",
            MessageIcon::Information}));
    EXPECT_EQ(messageOf(add(state, "C:\\Tools\\missing.exe")),
        "커맨드 라인의 파일 경로 입력이 잘못되었읍니다.\n원인: \"C:\\Tools\\missing.exe\" 경로에 파일이나 폴더가 없읍니다.");
    EXPECT_EQ(messageOf(add(state, "C:\\Tools\\gen.exe", "C:\\Nowhere")), "작업 디렉토리 입력이 잘못되었읍니다.");
    EXPECT_EQ(messageOf(add(state, "C:\\Tools\\gen.exe", "C:\\Work\\a.txt")), "작업 디렉토리 입력이 잘못되었읍니다.")
        << "a file is no folder";
    EXPECT_TRUE(state.rows.empty());

    EXPECT_EQ(messageOf(add(state, "C:\\Tools\\gen.exe", "C:\\Work", "Gen")), "");
    EXPECT_EQ(messageOf(add(state, "C:\\Tools\\hex.exe", "", "Gen")), "이미 등록된 사용자 도구 이름입니다.");
    // Names compare exactly.
    EXPECT_EQ(messageOf(add(state, "C:\\Tools\\hex.exe", "", "gen")), "");
    EXPECT_EQ(state.rows.size(), 2u);
}

TEST_F(ToolDialogTest, ASeparatorInAnArgumentIsNamedAsTheCause)
{
    ToolDialogState state;
    posix.file("/bin/ls");
    const ToolDialogStep step = add(state, "/bin/ls -la /tmp/x", "", "", &posix);
    EXPECT_EQ(messageOf(step),
        "커맨드 라인의 파일 경로 입력이 잘못되었읍니다.\n원인: 인수 \"/tmp/x\"에 \"/\"가 있어서 실행 파일을 인수까지 포함한 "
        "\"/bin/ls -la /tmp/x\" 경로에서 찾았으나 없읍니다.");
    EXPECT_TRUE(state.rows.empty());
    // Without a program before it, the path itself is what is missing.
    EXPECT_EQ(messageOf(add(state, "/opt/my tools/gen -o out/a.bin", "", "", &posix)),
        "커맨드 라인의 파일 경로 입력이 잘못되었읍니다.\n원인: \"/opt/my tools/gen -o out/a.bin\" 경로에 파일이나 폴더가 "
        "없읍니다.");
}

TEST_F(ToolDialogTest, TheNameTakenFromTheCommandDoesNotStayForTheNextAdd)
{
    ToolDialogState state;
    ASSERT_EQ(messageOf(add(state, "C:\\Tools\\gen.exe -o out.bin")), "");
    EXPECT_EQ(state.rows.back().name, "gen");
    EXPECT_EQ(state.edits.name, "");
    // Another command in the same edits gets its own name.
    state.edits.command = "C:\\Tools\\hex.exe";
    ToolDialogStep next = addTool(state, windows);
    EXPECT_EQ(messageOf(next), "");
    ASSERT_EQ(next.state.rows.size(), 2u);
    EXPECT_EQ(next.state.rows[1].name, "hex");

    // While the tool is refused the taken name stays shown, so the user sees which name is taken.
    next.state.edits.command = "C:\\Tools\\gen.exe";
    const ToolDialogStep duplicate = addTool(next.state, windows);
    EXPECT_EQ(messageOf(duplicate), "이미 등록된 사용자 도구 이름입니다.");
    EXPECT_EQ(duplicate.state.edits.name, "gen");
    // A name the user typed stays after the add.
    ToolDialogState typed;
    add(typed, "C:\\Tools\\gen.exe", "", "Gen");
    EXPECT_EQ(typed.edits.name, "Gen");
}

TEST_F(ToolDialogTest, SixthToolIsRefusedBeforeAnyValidation)
{
    ToolDialogState state;
    for (int i = 0; i < 5; ++i)
        ASSERT_EQ(messageOf(add(state, "C:\\Tools\\gen.exe", "", "T" + std::to_string(i))), "");
    const ToolDialogStep sixth = add(state, "not even a path");
    ASSERT_TRUE(sixth.message);
    EXPECT_EQ(sixth.message->text, "사용자 등록 도구는 최대 5개까지 지원합니다.\n");
    EXPECT_EQ(sixth.message->icon, MessageIcon::Information);
    EXPECT_EQ(state.rows.size(), 5u);
}

TEST_F(ToolDialogTest, ReplaceAndDeleteNeedASelection)
{
    ToolDialogState state;
    EXPECT_EQ(messageOf(replaceTool(state, windows)), "대체할 사용자 등록 도구를 선택하십시요.");
    EXPECT_EQ(messageOf(deleteTool(state)), "삭제할 사용자 등록 도구를 선택하십시요.");

    add(state, "C:\\Tools\\gen.exe", "", "A");
    add(state, "C:\\Tools\\gen.exe", "", "B");
    selectToolRow(state, 7);
    EXPECT_EQ(state.selected, -1);
    EXPECT_EQ(messageOf(replaceTool(state, windows)), "대체할 사용자 등록 도구를 선택하십시요.");

    selectToolRow(state, 0);
    EXPECT_EQ(state.edits, (UserTool {"C:\\Tools\\gen.exe", "", "A"}));
    // Replace validates as add does, but a name that another row has is allowed.
    state.edits = {"C:\\Tools\\hex.exe -x", "", "B"};
    ToolDialogStep replaced = replaceTool(state, windows);
    EXPECT_FALSE(replaced.message);
    EXPECT_EQ(replaced.state.rows[0], (UserTool {"C:\\Tools\\hex.exe -x", "", "B"}));
    EXPECT_EQ(replaced.state.selected, 0);
    replaced.state.edits.command = "hex.exe";
    EXPECT_EQ(messageOf(replaceTool(replaced.state, windows)),
        "커맨드 라인의 파일 경로 입력이 잘못되었읍니다.\n원인: 실행 파일 \"hex.exe\"에 폴더 경로가 없읍니다.");
}

TEST_F(ToolDialogTest, DeletingTheMiddleOfThreeAndOkLeavesTwoDenseRows)
{
    ToolDialogState state;
    for (const char* name : {"A", "B", "C"})
        add(state, "C:\\Tools\\gen.exe", "C:\\Work", name);
    selectToolRow(state, 1);
    state = deleteTool(state).state;
    EXPECT_EQ(state.selected, 1) << "the row now at the same position";
    acceptToolDialog(state, store);

    for (int i = 0; i < 5; ++i) {
        const auto command = store.stored("User Menu", "MenuCommand" + std::to_string(i));
        ASSERT_TRUE(command) << i;
        EXPECT_EQ(std::get<std::string>(*command).empty(), i >= 2) << i;
    }
    EXPECT_EQ(readToolNames(store), (std::vector<std::string> {"A", "C"}));

    // Deleting the last row selects the new last row; deleting the only row leaves no selection.
    state = deleteTool(state).state;
    EXPECT_EQ(state.selected, 0);
    state = deleteTool(state).state;
    EXPECT_EQ(state.selected, -1);
}

TEST_F(ToolDialogTest, UpAndDownSwapWithTheNeighbourAndStopAtTheEnds)
{
    ToolDialogState state;
    for (const char* name : {"A", "B", "C"})
        add(state, "C:\\Tools\\gen.exe", "", name);
    const auto names = [&] {
        std::string text;
        for (const UserTool& row : state.rows)
            text += row.name;
        return text;
    };
    moveToolDown(state); // the last row
    EXPECT_EQ(names(), "ABC");
    moveToolUp(state);
    EXPECT_EQ(names(), "ACB");
    EXPECT_EQ(state.selected, 1);
    moveToolUp(state);
    moveToolUp(state);
    EXPECT_EQ(names(), "CAB");
    EXPECT_EQ(state.selected, 0);
    state.selected = -1;
    moveToolDown(state);
    EXPECT_EQ(names(), "CAB");
}

TEST_F(ToolDialogTest, OpeningSelectsTheLastRowAndClosingWritesTheBrowseFolder)
{
    writeRegisteredTools(store, {{"C:\\Tools\\gen.exe", "", "A"}, {"C:\\Tools\\hex.exe", "C:\\Work", "B"}});
    store.writeText("User Menu", "UserMenuInitDir", "C:\\Tools");
    ToolDialogState state = openToolDialog(store);
    EXPECT_EQ(state.rows.size(), 2u);
    EXPECT_EQ(state.selected, 1);
    EXPECT_EQ(state.edits, UserTool {});
    EXPECT_EQ(state.initialFolder, "C:\\Tools");
    EXPECT_EQ(openToolDialog(MemorySettingsStore {}).selected, -1);

    programChosen(state, "C:\\Other Tools\\conv.v2.exe", PathStyle::Windows);
    EXPECT_EQ(state.edits, (UserTool {"C:\\Other Tools\\conv.v2.exe", "C:\\Other Tools", "conv.v2"}));
    EXPECT_EQ(state.initialFolder, "C:\\Other Tools");
    programChosen(state, "/gen", PathStyle::Posix);
    EXPECT_EQ(state.edits.workDir, "/");
    workFolderChosen(state, "/work");
    EXPECT_EQ(state.edits.workDir, "/work");

    // Cancel keeps the rows but writes the browse folder.
    state.rows.clear();
    cancelToolDialog(state, store);
    EXPECT_EQ(readRegisteredTools(store).size(), 2u);
    EXPECT_EQ(std::get<std::string>(*store.stored("User Menu", "UserMenuInitDir")), "/work");
}

} // namespace
