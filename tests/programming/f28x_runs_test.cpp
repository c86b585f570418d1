// The F28x runs against the simulated chip: the boot header, RAM blocks, the flash run with its erase and
// programming, and the code security module.
#include "run_fixture.h"

#include "link/pod_frames.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace lumetra::programming::test {
namespace {

using Keys = std::array<std::uint16_t, 8>;
constexpr Keys kPassword {0x1234, 0x5678, 0x9ABC, 0xDEF0, 0x0F0F, 0xF0F0, 0x00FF, 0xFF00};

// After a flash run: each erased sector holds the program's words and 0xFFFF elsewhere; every other sector
// still holds the chip's old program.
void expectFlashHoldsExactly(
    const Target& target, const ProgramData& program, std::uint16_t erasedMask, std::uint16_t erasedSecondBankMask = 0)
{
    std::map<std::uint32_t, std::uint16_t> programmed;
    for (const ProgramSection& section : program.sections) {
        if (!section.inFlash && !section.inSecondBank)
            continue;
        for (std::size_t i = 0; i < section.words.size(); ++i)
            programmed[section.address + static_cast<std::uint32_t>(i)] = section.words[i];
    }
    const auto sectors = image::flashSectorsOf(target.device);
    for (std::size_t s = 0; s < sectors.size(); ++s) {
        for (int bank = 0; bank < (image::isDualBank(target.device) ? 2 : 1); ++bank) {
            const std::uint32_t offset = bank == 0 ? 0 : image::kBankWords;
            const bool erased = ((bank == 0 ? erasedMask : erasedSecondBankMask) >> s) & 1;
            const std::uint32_t first = sectors[s].first + offset;
            const std::uint32_t count = sectors[s].last - sectors[s].first + 1;
            const std::vector<std::uint16_t> words = target.pod.words(first, count);
            std::size_t wrong = 0;
            for (std::uint32_t i = 0; i < count; ++i) {
                const std::uint32_t a = first + i;
                const auto found = programmed.find(a);
                const std::uint16_t expected = found != programmed.end() ? found->second
                    : erased                                             ? 0xFFFF
                                                                         : sim::SimulatedChip::oldProgramWord(a);
                wrong += words[i] != expected;
            }
            EXPECT_EQ(wrong, 0u) << "sector " << s << " bank " << bank;
        }
    }
}

TEST(F28xRamDownload, F281xGetsTheEntryPointAndChunksOf200)
{
    Target target(26);
    const ProgramData program = programOf(26, {{0x8000, 200}, {0x9000, 201}});
    EXPECT_EQ(target.ram(program), RunResult::SerialBootCompleted);
    EXPECT_EQ(target.pod.entryPoint(), 0x3F8000u);
    EXPECT_EQ(target.pod.words(0x8000, 200), sectionWords(0x8000, 200));
    EXPECT_EQ(target.pod.words(0x9000, 201), sectionWords(0x9000, 201));
    // Blocks of 200 words at 0x8000 and 0x9000, one of 1 word at 0x90C8, and the end marker.
    EXPECT_EQ(target.frames("X"), (std::vector<std::string> {"X0000\r"}));
    const auto trace = target.pod.trace();
    std::vector<std::string> blockHeads;
    for (std::size_t i = 0; i + 3 < trace.size(); ++i) {
        if (trace[i].starts_with("U") && trace[i + 1].starts_with("U") && trace[i + 2].starts_with("U")
            && trace[i + 3].starts_with("S"))
            blockHeads.push_back(trace[i] + trace[i + 1] + trace[i + 2]);
    }
    EXPECT_EQ(blockHeads, (std::vector<std::string> {"U00C8\rU0000\rU8000\r", "U00C8\rU0000\rU9000\r"}));
    const auto last = std::find(trace.begin(), trace.end(), "U90C8\r");
    ASSERT_NE(last, trace.end());
    EXPECT_EQ(*(last - 2), "U0001\r");
    EXPECT_EQ(*(last + 1), "Y" + link::hexField(sectionWords(0x9000, 201)[200], 4).value() + "\r");
    EXPECT_EQ(target.progress.ranges.back(), 802u);
    EXPECT_EQ(target.progress.position, 802u);
    EXPECT_EQ(target.frames("U08AA").size(), 1u);
}

TEST(F28xRamDownload, OtherDevicesGetEntryPointZeroAndAutoBaudRetriesAt38400)
{
    Target target(33);
    target.pod.injectFault({.kind = sim::FaultKind::NoReply, .command = 'P'});
    const ProgramData program = programOf(33, {{0x9000, 5}});
    EXPECT_EQ(target.ram(program), RunResult::SerialBootCompleted);
    EXPECT_EQ(target.pod.entryPoint(), 0u);
    EXPECT_EQ(target.pod.targetBaudCode(), 2);
    EXPECT_EQ(target.frames("P").size(), 2u);
    EXPECT_EQ(target.frames("M").size(), 2u);
    EXPECT_EQ(target.pod.words(0x9000, 5), sectionWords(0x9000, 5));
}

TEST(F28xFlashRun, FlashHoldsExactlyTheProgramAndRamSectionsAreNotSent)
{
    Target target(33); // F28335: sectors of 16 K words from 0x300000
    const ProgramData program = programOf(33, {{0x338000, 300}, {0x33FF00, 41}, {0x9000, 16}});
    ASSERT_TRUE(program.sections[0].inFlash && program.sections[1].inFlash && !program.sections[2].inFlash);
    EXPECT_EQ(target.flash(program), RunResult::FlashWritingCompleted);
    EXPECT_EQ(target.pod.chipRefusal(), "");
    expectFlashHoldsExactly(target, program, program.summary.mask);
    EXPECT_EQ(target.pod.words(0x9000, 16), std::vector<std::uint16_t>(16, 0));
    EXPECT_EQ(target.pod.resetCount(), 1);
    EXPECT_EQ(target.pod.targetBaudCode(), 4);
    EXPECT_EQ(target.progress.erases, 1);
    EXPECT_EQ(target.progress.steps.back(), "Flash Writing...");
    EXPECT_EQ(target.progress.ranges.back(), 682u);

    std::vector<std::pair<std::uint32_t, std::uint16_t>> programs;
    std::vector<std::uint16_t> erases;
    for (const sim::FlashRequest& request : target.pod.flashRequests()) {
        if (request.op == 0x02)
            programs.emplace_back(request.address, request.count);
        if (request.op == 0x01)
            erases.push_back(request.sectors);
    }
    EXPECT_EQ(erases, (std::vector<std::uint16_t> {0x0003}));
    ASSERT_EQ(programs.size(), 10u);
    EXPECT_EQ(programs[7], (std::pair<std::uint32_t, std::uint16_t> {0x338000 + 280, 20}));
    // The 41-word section: 40 words, then 1 at address + 40.
    EXPECT_EQ(programs[8], (std::pair<std::uint32_t, std::uint16_t> {0x33FF00, 40}));
    EXPECT_EQ(programs[9], (std::pair<std::uint32_t, std::uint16_t> {0x33FF28, 1}));
}

TEST(F28xFlashRun, AlgorithmSegmentsCloseEvery200thWordAndNoFlowRunsWithTheOptionOff)
{
    Target target(14);
    const ProgramData program = programOf(14, {{0x3F4000, 8}});
    EXPECT_EQ(target.flash(program), RunResult::FlashWritingCompleted);
    const auto trace = target.pod.trace();
    // Segment 1 of 1878 words: Y at words 200, 400, ..., 1800 and the last.
    std::size_t closingInSegment1 = 0;
    bool inSegment1 = false;
    for (std::size_t i = 0; i + 1 < trace.size(); ++i) {
        if (trace[i] == "U003F\r" && trace[i + 1] == "UA000\r") {
            inSegment1 = true;
            ++i;
        } else if (inSegment1 && trace[i].starts_with("U"))
            break;
        else if (inSegment1 && trace[i].starts_with("Y"))
            ++closingInSegment1;
    }
    EXPECT_EQ(closingInSegment1, 10u);
    EXPECT_EQ(target.frames("U08AA").size(), 1u); // no matching flow: option off
    EXPECT_EQ(target.progress.ranges[1], 2u + 1878 + 40 + 16);
}

TEST(F28xFlashRun, EraseAllAndIntelligentErasePerDeviceGroup)
{
    struct Case {
        int device;
        bool eraseAll;
        std::vector<std::pair<std::uint32_t, std::size_t>> sections;
        std::vector<std::uint16_t> fields; // op 01 in order
        std::vector<std::uint8_t> bankOps; // op 04/05 in order
    };
    const Case cases[] = {
        {33, true, {{0x338000, 4}}, {0x000F}, {}},
        {35, true, {{0x338000, 4}}, {0x00FF}, {}},
        {20, true, {{0x3F6000, 4}}, {0x001F}, {}},
        {26, false, {{0x3F6000, 4}, {0x3D8000, 4}}, {0x0201}, {}},
        {66, false, {{0x082000, 4}, {0x090000, 4}}, {1, 5}, {4, 4}},
        {67, false, {{0x0C2000, 4}}, {0x8001}, {5, 5}}, // nothing in bank 1: not touched
        {70, true, {{0x080000, 4}},
            {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 0x8000, 0x8001, 0x8002, 0x8003, 0x8004, 0x8005, 0x8006,
                0x8007, 0x8008, 0x8009, 0x800A, 0x800B, 0x800C, 0x800D},
            {4, 5, 4}},
    };
    for (const Case& c : cases) {
        Target target(c.device);
        const ProgramData program = programOf(c.device, c.sections);
        ASSERT_EQ(target.flash(program, {}, c.eraseAll), RunResult::FlashWritingCompleted) << c.device;
        std::vector<std::uint16_t> fields;
        std::vector<std::uint8_t> bankOps;
        for (const sim::FlashRequest& request : target.pod.flashRequests()) {
            if (request.op == 0x01)
                fields.push_back(request.sectors);
            if (request.op == 0x04 || request.op == 0x05)
                bankOps.push_back(request.op);
        }
        EXPECT_EQ(fields, c.fields) << c.device;
        EXPECT_EQ(bankOps, c.bankOps) << c.device;
        std::uint16_t erased = 0;
        std::uint16_t erasedSecond = 0;
        for (const std::uint16_t field : c.fields) {
            if (c.device < 66)
                erased = field;
            else if (field & 0x8000)
                erasedSecond = static_cast<std::uint16_t>(erasedSecond | 1u << (field & 0xFF));
            else
                erased = static_cast<std::uint16_t>(erased | 1u << field);
        }
        expectFlashHoldsExactly(target, program, erased, erasedSecond);
    }
}

TEST(F28xFlashRun, F2834xEndsWithTheAlgorithmCodeBeforeSendingAnything)
{
    Target target(38);
    ProgramData program = programOf(38, {{0x9000, 4}});
    program.sections[0].inFlash = true;
    EXPECT_EQ(target.flash(program), RunResult::FlashAlgorithm);
    EXPECT_TRUE(target.frames("M").empty());
}

TEST(CodeSecurity, LockedChipNeedsTheRightKeys)
{
    const ProgramData program = programOf(33, {{0x338000, 10}});
    {
        Target target(33, kPassword);
        EXPECT_EQ(target.flash(program), RunResult::CsmUnlock); // option off: 0xFFFF keys
        EXPECT_EQ(target.pod.word(0x338000), sim::SimulatedChip::oldProgramWord(0x338000));
    }
    {
        Target target(33, kPassword);
        Keys wrong = kPassword;
        wrong[7] ^= 1;
        EXPECT_EQ(target.flash(program, {true, wrong}), RunResult::CsmUnlock);
    }
    {
        Target target(33, kPassword);
        EXPECT_EQ(target.flash(program, {true, kPassword}), RunResult::FlashWritingCompleted);
        EXPECT_EQ(target.frames("U08AA").size(), 2u); // the matching flow, then the second header
        EXPECT_EQ(target.pod.entryPoint(), 0u);
        expectFlashHoldsExactly(target, program, program.summary.mask);
        EXPECT_EQ(target.progress.steps[2], "CSM Matching Flow Code Downloading...");
        EXPECT_EQ(target.progress.ranges[1], 50u);
        EXPECT_FALSE(target.pod.chipUnlocked()); // the reset locks it again
    }
    {
        // A permanently locked device never opens.
        Target target(33, Keys {});
        EXPECT_EQ(target.flash(program, {true, Keys {}}), RunResult::CsmUnlock);
    }
}

TEST(CodeSecurity, DevicesWithoutMatchingFlowUnlockThroughTheAlgorithmKeys)
{
    const ProgramData program = programOf(20, {{0x3F6000, 10}});
    Target target(20, kPassword);
    EXPECT_EQ(target.flash(program, {true, kPassword}), RunResult::FlashWritingCompleted);
    EXPECT_EQ(target.frames("U08AA").size(), 1u);
    EXPECT_EQ(target.pod.entryPoint(), 0x3F8000u);
}

TEST(CodeSecurity, RamDownloadRunsTheFlowWithTheOptionOn)
{
    Target target(52, kPassword);
    const ProgramData program = programOf(52, {{0x9000, 3}});
    EXPECT_EQ(target.ram(program, {true, kPassword}), RunResult::SerialBootCompleted);
    EXPECT_TRUE(target.pod.chipUnlocked());
    EXPECT_EQ(target.frames("U08AA").size(), 2u);
    EXPECT_EQ(target.pod.words(0x9000, 3), sectionWords(0x9000, 3));
}

TEST(CodeSecurity, RamDownloadIntoSecuredRamNeedsTheKeys)
{
    const ProgramData program = programOf(33, {{0x9000, 3}}); // L1: secured
    {
        Target target(33, kPassword);
        EXPECT_EQ(target.ram(program), RunResult::UserProgram);
        EXPECT_EQ(target.pod.words(0x9000, 3), (std::vector<std::uint16_t> {0, 0, 0}));
    }
    {
        Target target(33, kPassword);
        Keys wrong = kPassword;
        wrong[0] ^= 1;
        EXPECT_EQ(target.ram(program, {true, wrong}), RunResult::UserProgram);
    }
    {
        Target target(33, kPassword);
        EXPECT_EQ(target.ram(program, {true, kPassword}), RunResult::SerialBootCompleted);
        EXPECT_EQ(target.pod.words(0x9000, 3), sectionWords(0x9000, 3));
    }
    Target unsecured(33, kPassword);
    EXPECT_EQ(unsecured.ram(programOf(33, {{0xC000, 3}})), RunResult::SerialBootCompleted); // L4
}

TEST(Cancel, EveryStreamedPhaseEndsWith18)
{
    // Ranges of a flash run with the option on: header, matching flow, header, algorithm, flash writing.
    const ProgramData flash = programOf(33, {{0x338000, 100}});
    const std::pair<const char*, std::size_t> phases[] = {{"matching flow", 1}, {"algorithm", 3}, {"flash writing", 4}};
    for (const auto& [name, range] : phases) {
        Target target(33, kPassword);
        target.progress.cancelDuring(range, 3);
        EXPECT_EQ(target.flash(flash, {true, kPassword}), RunResult::Canceled) << name;
        EXPECT_EQ(target.pod.resetCount(), 0) << name;
        const std::uint16_t before = range == 4 ? 0xFFFF : sim::SimulatedChip::oldProgramWord(0x338000);
        EXPECT_EQ(target.pod.word(0x338000), before) << name;
    }
    Target ram(33);
    ram.progress.cancelDuring(1, 2);
    EXPECT_EQ(ram.ram(programOf(33, {{0x9000, 300}})), RunResult::Canceled);
    const std::vector<std::uint16_t> sent = sectionWords(0x9000, 2);
    EXPECT_EQ(ram.pod.words(0x9000, 3), (std::vector<std::uint16_t> {sent[0], sent[1], 0}));
    EXPECT_TRUE(ram.frames("X").empty());
}

} // namespace
} // namespace lumetra::programming::test
