#include "tools/tool_launch.h"

#include "core/memory_settings_store.h"
#include "fake_paths.h"
#include "pe_bytes.h"

#include <gtest/gtest.h>

using namespace lumetra::tools;
using lumetra::core::DialogMessage;
using lumetra::core::MessageIcon;

namespace {

std::string messageOf(const LaunchPlan& plan)
{
    const auto* message = std::get_if<DialogMessage>(&plan);
    EXPECT_TRUE(message == nullptr || message->icon == MessageIcon::Information);
    return message ? message->text : "";
}

TEST(ToolLaunch, MessagesForWhatNoLongerFits)
{
    FakePaths paths(PathStyle::Windows);
    paths.file("C:\\Tools\\gen.exe", peFile(3)).folder("C:\\Tools\\sub").folder("C:\\Work").file("C:\\Work\\f");
    EXPECT_TRUE(std::holds_alternative<std::monostate>(planLaunch(UserTool {}, paths, paths)));
    EXPECT_EQ(messageOf(planLaunch({"gen.exe", "", "gen"}, paths, paths)),
        "등록된 커맨드 라인의 파일 경로 입력이 잘못되었읍니다.\n원인: 실행 파일 \"gen.exe\"에 폴더 경로가 없읍니다.");
    EXPECT_EQ(messageOf(planLaunch({"C:\\Tools\\gen.exe", "C:\\Work\\f", "gen"}, paths, paths)),
        "등록된 작업 디렉토리 입력이 잘못되었읍니다.");
    // A folder passes the path rule but cannot be opened as a program.
    EXPECT_EQ(messageOf(planLaunch({"C:\\Tools\\sub", "", "sub"}, paths, paths)),
        "등록한 실행 파일을 여는데 실패했읍니다.\n");

    paths.remove("C:\\Tools\\gen.exe");
    EXPECT_EQ(messageOf(planLaunch({"C:\\Tools\\gen.exe -o out.bin", "C:\\Work", "gen"}, paths, paths)),
        "등록된 커맨드 라인의 파일 경로 입력이 잘못되었읍니다.\n원인: \"C:\\Tools\\gen.exe\" 경로에 파일이나 폴더가 없읍니다.")
        << "the program vanished after it was registered";
}

TEST(ToolLaunch, GuiProgramsOpenWithoutTheirArguments)
{
    FakePaths paths(PathStyle::Windows);
    paths.file("C:\\Tools\\view.exe", peFile(2)).folder("C:\\Work");
    const LaunchPlan plan = planLaunch({"C:\\Tools\\view.exe --file a.bin", "C:\\Work", "view"}, paths, paths);
    EXPECT_EQ(std::get<GuiLaunch>(plan), (GuiLaunch {"C:\\Tools\\view.exe", "C:\\Work"}));
}

TEST(ToolLaunch, EveryOtherProgramRunsCapturedWithItsArguments)
{
    FakePaths paths(PathStyle::Posix);
    paths.file("/opt/tools/gen.sh", {'#', '!'}).file("C:\\Tools\\gen.exe", peFile(3));
    lumetra::core::MemorySettingsStore store;
    writeRegisteredTools(store, {{"", "", ""}, {"/opt/tools/gen.sh -o \"out file.bin\"", "", "gen"}});
    const LaunchPlan plan = planLaunch(store, 1, paths, paths);
    EXPECT_EQ(std::get<ConsoleLaunch>(plan),
        (ConsoleLaunch {"/opt/tools/gen.sh", "/opt/tools/gen.sh -o \"out file.bin\"", "-o \"out file.bin\"",
            {"-o", "out file.bin"}, ""}));
    // A console PE stays captured too.
    EXPECT_TRUE(std::holds_alternative<ConsoleLaunch>(planLaunch({"C:\\Tools\\gen.exe", "", "gen"}, paths, paths)));
}

} // namespace
