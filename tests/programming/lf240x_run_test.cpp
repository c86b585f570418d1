// The LF240x run against the simulated kernel: routines, chunks with the continuation word, the keys in the
// kernel and the flash it leaves behind.
#include "run_fixture.h"

#include <gtest/gtest.h>

namespace lumetra::programming::test {
namespace {

constexpr int kLf2407a = 4; // 32 K words of flash
constexpr std::uint16_t kId = 0x0092;

// The U words after the four routines.
std::vector<std::string> programHeaderWords(const Target& target)
{
    std::vector<std::string> words;
    int closed = 0;
    for (const std::string& frame : target.pod.trace()) {
        if (closed >= 4 && frame.starts_with("U"))
            words.push_back(frame.substr(1, 4));
        if (frame.starts_with("Y") || frame.starts_with("Z"))
            ++closed;
    }
    return words;
}

TEST(Lf240xRun, ChunksOf200WithTheContinuationWordBeforeEveryChunkButTheFirst)
{
    Target target(kLf2407a);
    const ProgramData program = programOf(kLf2407a, {{0x0000, 201}, {0x1000, 200}}, kId);
    EXPECT_EQ(target.lf240x(program), RunResult::SerialBootCompleted);
    EXPECT_EQ(programHeaderWords(target),
        (std::vector<std::string> {"0000", "00C7", "0001", "00C8", "0000", "0001", "1000", "00C7", "0000"}));
    EXPECT_EQ(target.pod.chipRefusal(), "");
    const auto routines = target.pod.lf240xRoutines();
    ASSERT_EQ(routines.size(), 4u);
    EXPECT_EQ(routines[2].size(), 245u);
    EXPECT_EQ(target.frames("Y").size(), 1u); // the flash-program routine's last word
    EXPECT_EQ(target.pod.resetCount(), 1);
    // The kernel erased the whole flash; it now holds the program and nothing else.
    const std::vector<std::uint16_t> flash = target.pod.words(0, 0x8000);
    std::vector<std::uint16_t> expected(0x8000, 0xFFFF);
    for (const ProgramSection& section : program.sections)
        std::copy(section.words.begin(), section.words.end(), expected.begin() + section.address);
    EXPECT_EQ(flash, expected);
    EXPECT_EQ(target.progress.steps,
        (std::vector<std::string> {"Auto Baudrate Checking...", "Kernel Code Downloading...",
            "Clear Code Downloading...", "Erase Code Downloading...", "Flash Program Code Downloading...",
            "User Program Code Writing..."}));
    EXPECT_EQ(target.progress.ranges, (std::vector<std::uint64_t> {123, 192, 244, 194, 802}));
    EXPECT_EQ(target.progress.position, 802u);
}

TEST(Lf240xRun, KernelCarriesTheKeysAndALockedChipRefusesTheProgram)
{
    const std::array<std::uint16_t, 8> password {0xA1, 0xB2, 0xC3, 0xD4, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF};
    const ProgramData program = programOf(1, {{0x0100, 10}}, kId);
    {
        Target target(1, password);
        EXPECT_EQ(target.lf240x(program, {true, password}), RunResult::SerialBootCompleted);
        const auto kernel = target.pod.lf240xRoutines()[0];
        EXPECT_EQ((std::vector<std::uint16_t> {kernel[16], kernel[18], kernel[20], kernel[22]}),
            (std::vector<std::uint16_t> {0xA1, 0xB2, 0xC3, 0xD4}));
        EXPECT_EQ(target.pod.words(0x0100, 10), sectionWords(0x0100, 10));
    }
    {
        Target target(1, password);
        EXPECT_EQ(target.lf240x(program), RunResult::UserProgram);
        const auto kernel = target.pod.lf240xRoutines()[0];
        EXPECT_EQ((std::vector<std::uint16_t> {kernel[16], kernel[18], kernel[20], kernel[22]}),
            (std::vector<std::uint16_t> {0, 0, 0, 0}));
        EXPECT_EQ(target.pod.word(0x0100), sim::SimulatedChip::oldProgramWord(0x0100));
    }
}

TEST(Lf240xRun, RoutinesThatAreNotTheSimulationImagesFailWithTheirCode)
{
    const ProgramData program = programOf(kLf2407a, {{0x0000, 4}}, kId);
    const RunResult codes[]
        = {RunResult::KernelCode, RunResult::ClearCode, RunResult::EraseCode, RunResult::FlashProgramCode};
    for (std::size_t r = 0; r < 4; ++r) {
        Target target(kLf2407a);
        target.connect(2);
        RunImages images = target.images({}, false);
        images.lf240xRoutines[r].segments[0].words[30] ^= 1;
        EXPECT_EQ(RunLf240xFlash({target.link, target.progress, kLf2407a, false, false, images, program}), codes[r]);
        EXPECT_NE(target.pod.chipRefusal().find("word 30 differs"), std::string::npos) << target.pod.chipRefusal();
    }
}

TEST(Lf240xRun, CancelDuringTheUserProgram)
{
    Target target(kLf2407a);
    target.progress.cancelDuring(4, 5);
    EXPECT_EQ(target.lf240x(programOf(kLf2407a, {{0x0000, 300}}, kId)), RunResult::Canceled);
    EXPECT_EQ(target.pod.resetCount(), 0);
}

} // namespace
} // namespace lumetra::programming::test
