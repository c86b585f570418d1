#include "tools/program_kind.h"
#include "support/test_paths.h"

#include "pe_bytes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace lumetra::tools;

namespace {

ProgramKind kindOf(const std::vector<std::uint8_t>& bytes)
{
    SpanByteSource source(bytes);
    return classifyProgram(source);
}

TEST(ProgramKind, SubsystemTwoIsAGuiProgram)
{
    EXPECT_EQ(kindOf(peFile(2)), ProgramKind::WindowsGui);
    EXPECT_EQ(kindOf(peFile(3)), ProgramKind::Other) << "console subsystem";
    // A 64-bit optional header is longer, with the subsystem at the same place.
    EXPECT_EQ(kindOf(peFile(2, 0x40, 240)), ProgramKind::WindowsGui);
    // The high byte counts too.
    EXPECT_EQ(kindOf(peFile(0x0102)), ProgramKind::Other);
}

TEST(ProgramKind, AnythingShortOrOutOfPlaceIsNotGui)
{
    std::vector<std::uint8_t> cut = peFile(2);
    cut.pop_back();
    EXPECT_EQ(kindOf(cut), ProgramKind::Other) << "optional header one byte short";
    const std::vector<std::uint8_t> whole = peFile(2);
    EXPECT_EQ(kindOf(std::vector<std::uint8_t>(whole.begin(), whole.begin() + 63)), ProgramKind::Other);
    EXPECT_EQ(kindOf({}), ProgramKind::Other);

    std::vector<std::uint8_t> noMz = peFile(2);
    noMz[1] = 'X';
    EXPECT_EQ(kindOf(noMz), ProgramKind::Other);

    std::vector<std::uint8_t> noPe = peFile(2);
    noPe[0x80 + 2] = 1;
    EXPECT_EQ(kindOf(noPe), ProgramKind::Other);

    for (const std::uint32_t offset : {0xFFFFFFF0u, 0x80000000u, 0x7FFFFFFFu, 0x100u}) {
        std::vector<std::uint8_t> bad = peFile(2);
        putLittle(bad, 60, offset, 4);
        EXPECT_EQ(kindOf(bad), ProgramKind::Other) << std::hex << offset;
    }
    // The PE header may overlap the MZ header, as packed programs do.
    std::vector<std::uint8_t> overlapping = peFile(2, 0x40);
    EXPECT_EQ(kindOf(overlapping), ProgramKind::WindowsGui);
}

TEST(ProgramKind, FilesAreReadFromDisk)
{
    const lumetra::test::ScratchDir scratch;
    const std::filesystem::path& folder = scratch.path();
    const std::vector<std::uint8_t> gui = peFile(2);
    {
        std::ofstream out(folder / "gui.exe", std::ios::binary);
        out.write(reinterpret_cast<const char*>(gui.data()), static_cast<std::streamsize>(gui.size()));
    }
    {
        FileByteSource file(folder / "gui.exe");
        ASSERT_TRUE(file.isOpen());
        EXPECT_EQ(classifyProgram(file), ProgramKind::WindowsGui);

        FileByteSource directory(folder);
        EXPECT_FALSE(directory.isOpen()) << "a folder is no program file";
        FileByteSource missing(folder / "missing.exe");
        EXPECT_FALSE(missing.isOpen());
        EXPECT_EQ(classifyProgram(missing), ProgramKind::Other);
    }
    // Windows removes no file that is still open: the sources are closed before the folder goes.
}

} // namespace
