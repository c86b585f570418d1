#include "tools/command_line.h"

#include "fake_paths.h"

#include <gtest/gtest.h>

using namespace lumetra::tools;

namespace {

TEST(ExecutablePath, WindowsLinesSplitAtTheFirstSpaceAfterTheLastBackslash)
{
    FakePaths paths(PathStyle::Windows);
    paths.file("C:\\Tools\\gen.exe").file("C:\\Program Files\\x\\conv.exe").folder("C:\\Tools");
    EXPECT_EQ(executablePath("C:\\Tools\\gen.exe -o out.bin", paths), "C:\\Tools\\gen.exe");
    EXPECT_EQ(executablePath("C:\\Tools\\gen.exe", paths), "C:\\Tools\\gen.exe");
    // Spaces in the folders are fine; the last backslash comes after them.
    EXPECT_EQ(executablePath("C:\\Program Files\\x\\conv.exe a b", paths), "C:\\Program Files\\x\\conv.exe");
    // A folder counts as existing.
    EXPECT_EQ(executablePath("C:\\Tools", paths), "C:\\Tools");
    // The slash is no separator on Windows.
    EXPECT_FALSE(executablePath("C:/Tools/gen.exe", paths));
}

TEST(ExecutablePath, CommandLinesThatTheRuleRefuses)
{
    FakePaths paths(PathStyle::Windows);
    paths.file("C:\\Tools\\gen.exe").file("gen.exe");
    EXPECT_FALSE(executablePath("gen.exe -o out.bin", paths)) << "no folder part";
    EXPECT_FALSE(executablePath("", paths));
    EXPECT_FALSE(executablePath("C:\\Tools\\missing.exe", paths));
    // A backslash in an argument moves the search into the arguments.
    EXPECT_FALSE(executablePath("C:\\Tools\\gen.exe -o out\\a.bin", paths));
    // A space in the program's own file name cuts it.
    paths.file("C:\\Tools\\my tool.exe");
    EXPECT_FALSE(executablePath("C:\\Tools\\my tool.exe", paths));
}

TEST(ExecutablePath, PosixTakesTheSlashAndTheBackslash)
{
    FakePaths paths(PathStyle::Posix);
    paths.file("/opt/tools/gen").file("C:\\Tools\\gen.exe");
    EXPECT_EQ(executablePath("/opt/tools/gen -o out.bin", paths), "/opt/tools/gen");
    EXPECT_EQ(executablePath("C:\\Tools\\gen.exe -o out.bin", paths), "C:\\Tools\\gen.exe");
    EXPECT_FALSE(executablePath("gen -o out.bin", paths));
    // A separator of either kind in an argument moves the search there, as on Windows.
    EXPECT_FALSE(executablePath("/opt/tools/gen -o out/a.bin", paths));
    EXPECT_FALSE(executablePath("/opt/tools/gen -o out\\a.bin", paths));
}

TEST(ExecutablePath, ARefusalNamesThePartThatCausedIt)
{
    FakePaths paths(PathStyle::Windows);
    paths.file("C:\\Tools\\gen.exe").folder("C:\\Program");
    EXPECT_EQ(checkExecutablePath("gen.exe -o out.bin", paths).refusal,
        (CommandPathRefusal {CommandPathFault::NoFolder, "gen.exe", "", 0}));
    EXPECT_EQ(checkExecutablePath("C:\\Tools\\gen.exe -o out\\a.bin -v", paths).refusal,
        (CommandPathRefusal {CommandPathFault::SeparatorInArgument, "out\\a.bin",
            "C:\\Tools\\gen.exe -o out\\a.bin", '\\'}));
    // A folder before a space is no program: the path as a whole is missing.
    EXPECT_EQ(checkExecutablePath("C:\\Program Files\\gen.exe", paths).refusal,
        (CommandPathRefusal {CommandPathFault::Missing, "C:\\Program Files\\gen.exe", "C:\\Program Files\\gen.exe", 0}));
    EXPECT_EQ(checkExecutablePath("C:\\Tools\\gen.exe -o x", paths).path, "C:\\Tools\\gen.exe");
}

TEST(CommandLineParts, ArgumentsAfterTheProgram)
{
    EXPECT_EQ(argumentText("C:\\Tools\\gen.exe   -o out.bin", "C:\\Tools\\gen.exe"), "-o out.bin");
    EXPECT_EQ(argumentText("/opt/gen", "/opt/gen"), "");
    EXPECT_EQ(splitArguments("-o  out.bin\t-v"), (std::vector<std::string> {"-o", "out.bin", "-v"}));
    EXPECT_EQ(splitArguments("\"a b\" 'c \"d' e\"\"f \"\""), (std::vector<std::string> {"a b", "c \"d", "ef", ""}));
    EXPECT_TRUE(splitArguments("   ").empty());
}

TEST(CommandLineParts, NameIsTheFileNameAfterTheLastSeparatorCutBeforeItsLastDot)
{
    EXPECT_EQ(nameFromProgram("C:\\Tools\\gen.exe", PathStyle::Windows), "gen");
    EXPECT_EQ(nameFromProgram("C:\\Tools\\gen.v2.exe", PathStyle::Windows), "gen.v2");
    EXPECT_EQ(nameFromProgram("/opt/tools/gen", PathStyle::Posix), "gen");
    EXPECT_EQ(nameFromProgram("/opt/tools.d/gen", PathStyle::Posix), "gen");
    EXPECT_EQ(nameFromProgram("/opt/tools/", PathStyle::Posix), "");
}

} // namespace
