// The simulated chip frame by frame: images checked word for word, flash operations only from a running
// algorithm, erase before program, bank selection, the POD-to-target wire time, and a boot ROM and kernel as
// strict as silicon.
#include "sim/pod_simulator.h"

#include "frame_conversation.h"

#include "programming/device_memory.h"
#include "programming/image_manifest.h"
#include "programming/simulation_images.h"

#include "link/pod_frames.h"

#include <gtest/gtest.h>

namespace lumetra::sim {
namespace {

std::string word(char kind, std::uint32_t value)
{
    return std::string(1, kind) + *link::hexField(value & 0xFFFF, 4) + "\r";
}

// Boot mode, auto-baud, key and reserved words; the reply of the entry point's low word.
std::string header(PodSimulator& pod, std::uint32_t entry = 0, std::uint16_t reserved = 0xFF)
{
    EXPECT_EQ(converse(pod, "M"), "!");
    EXPECT_EQ(converse(pod, "P"), "!");
    EXPECT_EQ(converse(pod, word('U', 0x08AA)), "!");
    for (int i = 0; i < 8; ++i) {
        const std::string reply = converse(pod, word('U', i == 7 ? reserved : 0xFF));
        if (reply != "!")
            return reply;
    }
    EXPECT_EQ(converse(pod, word('U', entry >> 16)), "!");
    return converse(pod, word('U', entry));
}

// A block's word count and address.
void beginBlock(PodSimulator& pod, std::uint32_t count, std::uint32_t address)
{
    converse(pod, word('U', count));
    converse(pod, word('U', address >> 16));
    converse(pod, word('U', address));
}

// One block as the host streams it: count, address, the words with every 200th and the last acknowledged; the
// reply of the last word.
std::string sendBlock(PodSimulator& pod, std::uint32_t address, const std::vector<std::uint16_t>& words)
{
    beginBlock(pod, static_cast<std::uint32_t>(words.size()), address);
    std::string reply;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const bool acknowledged = (i + 1) % 200 == 0 || i + 1 == words.size();
        reply = converse(pod, word(acknowledged ? 'Y' : 'S', words[i]));
    }
    return reply;
}

// Sends the segments of the image as the boot stream entering at `entry`; the reply of the end marker.
std::string sendImage(
    PodSimulator& pod, const programming::TargetImage& image, std::size_t segments, std::uint32_t entry = 0)
{
    header(pod, entry);
    for (std::size_t s = 0; s < segments; ++s)
        sendBlock(pod, image.segments[s].address, image.segments[s].words);
    return converse(pod, word('X', 0));
}

// Sends the device's simulation algorithm (with `change` applied) as the boot stream entering where the device
// starts a RAM program, then sets the target line to the algorithm's 115200 baud; the reply of the end marker.
std::string sendAlgorithm(
    PodSimulator& pod, int device, const std::function<void(programming::TargetImage&)>& change = {})
{
    programming::TargetImage image = *programming::simulationImageSet().find(*programming::flashAlgorithmName(device));
    if (change)
        change(image);
    const std::string reply = sendImage(
        pod, image, programming::flashAlgorithmSegmentsSent(device), programming::ramBootEntryOf(device));
    EXPECT_EQ(converse(pod, "K4"), "!");
    return reply;
}

std::string program(PodSimulator& pod, std::uint32_t address, const std::vector<std::uint16_t>& words)
{
    for (const std::uint16_t w : words)
        converse(pod, word('J', w));
    return converse(
        pod, "O02" + *link::hexField(address, 6) + *link::hexField(static_cast<std::uint32_t>(words.size()), 4));
}

TEST(SimulatedChip, FlashOperationsNeedTheRunningAlgorithm)
{
    PodSimulator pod({.chip = ChipConfig {33}});
    EXPECT_EQ(converse(pod, "O00"), "");
    EXPECT_EQ(sendAlgorithm(pod, 33), "!");
    EXPECT_EQ(pod.chipRefusal(), "");
    EXPECT_EQ(converse(pod, "O00"), "!");
    // The chip's flash holds an old program: a word that is not erased cannot be programmed.
    EXPECT_EQ(program(pod, 0x33C000, {0x1234}), "?");
    EXPECT_EQ(converse(pod, "O010001"), "!");
    EXPECT_EQ(pod.word(0x33FFFF), 0xFFFF);
    EXPECT_EQ(program(pod, 0x33C000, {0x1234, 0x5678}), "!");
    EXPECT_EQ(pod.words(0x33C000, 3), (std::vector<std::uint16_t> {0x1234, 0x5678, 0xFFFF}));
    EXPECT_EQ(program(pod, 0x33C001, {0x1111}), "?"); // programmed already
    EXPECT_EQ(program(pod, 0x009000, {0x1111}), "?"); // not flash
    EXPECT_EQ(program(pod, 0x380400, {0xABCD}), "!"); // OTP starts erased
    EXPECT_EQ(converse(pod, "O04"), "?"); // one bank only
    EXPECT_EQ(converse(pod, "N"), "!");
    EXPECT_EQ(converse(pod, "O00"), ""); // the reset stopped the algorithm
}

TEST(SimulatedChip, AnAlgorithmWordThatDiffersIsNotRun)
{
    PodSimulator pod({.chip = ChipConfig {20}});
    EXPECT_EQ(
        sendAlgorithm(pod, 20, [](programming::TargetImage& image) { image.segments[3].words[7] ^= 0x100; }), "!");
    EXPECT_EQ(pod.chipRefusal(), "flash-algorithm-20 segment 3 word 7 differs from the simulation image");
    EXPECT_EQ(converse(pod, "O00"), "");
}

TEST(SimulatedChip, LockedUntilTheAlgorithmCarriesThePassword)
{
    const std::array<std::uint16_t, 8> password {9, 8, 7, 6, 5, 4, 3, 2};
    const auto keysAt = [&](programming::TargetImage& image) {
        for (std::size_t k = 0; k < 8; ++k)
            image.segments[1].words[445 + k] = password[k];
    };
    PodSimulator pod({.chip = ChipConfig {18, password}});
    EXPECT_EQ(sendAlgorithm(pod, 18), "!");
    EXPECT_EQ(converse(pod, "O00"), "?");
    EXPECT_EQ(converse(pod, "O010001"), "?");
    EXPECT_EQ(sendAlgorithm(pod, 18, keysAt), "!");
    EXPECT_TRUE(pod.chipUnlocked());
    EXPECT_EQ(converse(pod, "O00"), "!");
}

TEST(SimulatedChip, TwoBanksProgramOnlyTheSelectedOne)
{
    PodSimulator pod({.chip = ChipConfig {69}});
    EXPECT_EQ(sendAlgorithm(pod, 69), "!");
    EXPECT_EQ(converse(pod, "O018000"), "?"); // no bank selected
    EXPECT_EQ(converse(pod, "O05"), "!");
    EXPECT_EQ(converse(pod, "O018000"), "!");
    EXPECT_EQ(pod.word(0x0C0000), 0xFFFF);
    EXPECT_NE(pod.word(0x080000), 0xFFFF);
    EXPECT_EQ(program(pod, 0x080000, {1}), "?"); // bank 1 while bank 2 is selected
    EXPECT_EQ(program(pod, 0x0C0000, {1}), "!");
}

TEST(SimulatedChip, TargetLineTimeDelaysTheAcknowledgement)
{
    PodSimulator pod({.chip = ChipConfig {33}});
    pod.setHostBaud(921600);
    ASSERT_EQ(converse(pod, "K0"), "!"); // 9600 to the target
    header(pod);
    pod.configure([](SimConfig& c) { c.wireTime = true; });
    const auto start = Clock::now();
    for (int i = 0; i < 20; ++i)
        converse(pod, word('S', 0x1111));
    converse(pod, word('Y', 0x2222));
    const auto due = pod.nextReplyDue();
    ASSERT_TRUE(due);
    // 21 words of 20 bits each at 9600 baud: at least 43 ms after the first of them.
    EXPECT_GE(*due - start, std::chrono::milliseconds(43));
}

std::string pageRecord(const char* type, std::uint32_t page, std::uint8_t value)
{
    std::string fields = std::string(type) + *link::hexField(page, 4) + "FF";
    for (int i = 0; i < 256; ++i)
        fields += *link::hexField(value, 2);
    return dataFlashRecord(fields);
}

const programming::TargetImage& dataFlashAlgorithm(int device)
{
    return *programming::simulationImageSet().find(*programming::dataFlashAlgorithmName(device));
}

TEST(SimulatedChip, DataFlashRecordsNeedTheDataFlashAlgorithmOfTheClockGroup)
{
    PodSimulator pod({.chip = ChipConfig {38}});
    EXPECT_EQ(converse(pod, dataFlashRecord("7101")), "");
    EXPECT_EQ(sendImage(pod, dataFlashAlgorithm(39), 5), "!"); // the 300 MHz set on a 200 MHz device stays in RAM
    EXPECT_EQ(converse(pod, dataFlashRecord("7101")), "");
    EXPECT_EQ(sendImage(pod, dataFlashAlgorithm(38), 5), "!");
    EXPECT_EQ(converse(pod, dataFlashRecord("7101")), ""); // the algorithm talks at 115200 only
    EXPECT_EQ(converse(pod, "K4"), "!");
    EXPECT_EQ(converse(pod, dataFlashRecord("7101")), "!");
    // The flash holds an old boot table: nothing is programmed over it before an erase.
    EXPECT_EQ(converse(pod, pageRecord("73", 3, 0x5A)), "?");
    EXPECT_EQ(converse(pod, dataFlashRecord("720000")), "!");
    EXPECT_EQ(converse(pod, pageRecord("73", 3, 0x5A)), "!");
    EXPECT_EQ(converse(pod, pageRecord("73", 3, 0x5A)), "?"); // programmed already
    EXPECT_EQ(converse(pod, pageRecord("74", 3, 0x5A)), "!");
    EXPECT_EQ(converse(pod, pageRecord("74", 3, 0x5B)), "?");
    EXPECT_EQ(converse(pod, pageRecord("73", 0x800, 0x5A)), "?"); // past the 512 KB chip
    EXPECT_EQ(converse(pod, "N"), "!");
    EXPECT_EQ(converse(pod, dataFlashRecord("7101")), ""); // the reset stopped the algorithm
}

TEST(SimulatedBootRom, EntryPointMustLieInMemoryThatRunsCode)
{
    PodSimulator f2812({.chip = ChipConfig {26}});
    EXPECT_EQ(header(f2812, 0xDEAD), "?"); // reserved space between L1 and the flash
    EXPECT_EQ(f2812.chipRefusal(), "entry point 0x00DEAD is not memory that runs code");
    EXPECT_EQ(header(f2812, 0x3F8000), "!");
    PodSimulator f28335({.chip = ChipConfig {35}});
    EXPECT_EQ(header(f28335, 0x001000), "?"); // a peripheral frame
    EXPECT_EQ(header(f28335, 0x380000), "?"); // below the OTP
    EXPECT_EQ(header(f28335, 0x33FFF6), "!"); // flash
}

TEST(SimulatedBootRom, AnImageRunsOnlyFromTheDevicesRamEntry)
{
    const auto& algorithm = *programming::simulationImageSet().find("flash-algorithm-33");
    PodSimulator pod({.chip = ChipConfig {33}});
    // 0x3F8000 is the L0 mirror on an F2833x, where the algorithm's entry branch is not.
    EXPECT_EQ(sendImage(pod, algorithm, 4, 0x3F8000), "!");
    ASSERT_EQ(converse(pod, "K4"), "!");
    EXPECT_EQ(converse(pod, "O00"), "");
    EXPECT_EQ(pod.chipRefusal(), "flash-algorithm-33 does not run: the stream enters at 0x3F8000");
    EXPECT_EQ(sendImage(pod, algorithm, 4, 0), "!");
    ASSERT_EQ(converse(pod, "K4"), "!");
    EXPECT_EQ(converse(pod, "O00"), "!");
}

TEST(SimulatedBootRom, ReservedWordsAre00FF)
{
    PodSimulator pod({.chip = ChipConfig {33}});
    EXPECT_EQ(header(pod, 0, 0x00FE), "?");
    EXPECT_EQ(header(pod, 0, 0x00FF), "!");
}

TEST(SimulatedBootRom, EveryTwoHundredthAndTheLastWordAreAcknowledged)
{
    const std::vector<std::uint16_t> words(450, 0x1234);
    PodSimulator pod({.chip = ChipConfig {33}});
    header(pod);
    EXPECT_EQ(sendBlock(pod, 0x00C000, words), "!");
    EXPECT_EQ(converse(pod, word('X', 0)), "!");

    // Acknowledged too early (word 100), or streamed where word 200 must be acknowledged: the block's next
    // acknowledged word is refused.
    for (const int streamed : {99, 249}) {
        SCOPED_TRACE(streamed);
        header(pod);
        beginBlock(pod, 450, 0xC000);
        for (int i = 0; i < streamed; ++i)
            converse(pod, word('S', 0x1234));
        EXPECT_EQ(converse(pod, word('Y', 0x1234)), "?");
    }
}

TEST(SimulatedBootRom, OneStreamTakesOnlyItsOwnFrameKinds)
{
    PodSimulator pod({.chip = ChipConfig {33}});
    header(pod);
    beginBlock(pod, 2, 0xC000);
    converse(pod, word('S', 1));
    EXPECT_EQ(converse(pod, word('Z', 2)), "?"); // the LF240x kernel's closing letter

    header(pod);
    EXPECT_EQ(converse(pod, word('V', 2)), "?"); // a block count is `U`
    header(pod);
    EXPECT_EQ(converse(pod, word('U', 0)), "?"); // the end marker is `X`
    header(pod);
    EXPECT_EQ(converse(pod, word('X', 0)), "!");
}

TEST(SimulatedKernel, RoutinesCloseWithTheirOwnLetter)
{
    const auto names = *programming::lf240xRoutineNames(4);
    // Sends routines 0..index, the last one closed with `closing`; the reply of its closing word.
    const auto sendRoutines = [&names](PodSimulator& pod, std::size_t index, char closing) {
        EXPECT_EQ(converse(pod, "M"), "!");
        EXPECT_EQ(converse(pod, "T"), "!");
        std::string reply;
        for (std::size_t r = 0; r <= index; ++r) {
            const auto& words = programming::simulationImageSet().find(names[r])->segments[0].words;
            const char last = r == index ? closing : r == 3 ? 'Y' : 'Z';
            for (std::size_t i = 0; i < words.size(); ++i)
                reply = converse(pod, word(i + 1 == words.size() ? last : 'S', words[i]));
        }
        return reply;
    };
    PodSimulator pod({.chip = ChipConfig {4}});
    EXPECT_EQ(sendRoutines(pod, 0, 'Y'), "?");
    EXPECT_EQ(pod.chipRefusal(), "routine 0 took a 'Y' word");
    EXPECT_EQ(sendRoutines(pod, 3, 'Z'), "?");
    EXPECT_EQ(sendRoutines(pod, 3, 'Y'), "!");
}

TEST(SimulatedChip, TheAlgorithmHearsThePodOnlyAfterTheBaudChange)
{
    const auto& algorithm = *programming::simulationImageSet().find("flash-algorithm-33");
    PodSimulator pod({.chip = ChipConfig {33}});
    ASSERT_EQ(converse(pod, "K4"), "!"); // before the algorithm runs: does not count
    EXPECT_EQ(sendImage(pod, algorithm, 4), "!");
    EXPECT_EQ(converse(pod, "O00"), "");
    ASSERT_EQ(converse(pod, "K2"), "!");
    EXPECT_EQ(converse(pod, "O00"), "");
    ASSERT_EQ(converse(pod, "K4"), "!");
    EXPECT_EQ(converse(pod, "O00"), "!");
}

TEST(SimulatedChip, LockedModuleKeepsWordsOutOfSecuredRam)
{
    const std::array<std::uint16_t, 8> password {9, 8, 7, 6, 5, 4, 3, 2};
    PodSimulator pod({.chip = ChipConfig {33, password}});
    header(pod);
    EXPECT_EQ(sendBlock(pod, 0x00C000, {1, 2}), "!"); // L4: not secured
    EXPECT_EQ(converse(pod, word('X', 0)), "!");
    EXPECT_EQ(pod.words(0xC000, 2), (std::vector<std::uint16_t> {1, 2}));

    header(pod);
    EXPECT_EQ(sendBlock(pod, 0x009000, {3, 4}), "!"); // L1: secured
    EXPECT_EQ(converse(pod, word('X', 0)), "?");
    EXPECT_EQ(pod.words(0x9000, 2), (std::vector<std::uint16_t> {0, 0}));
    EXPECT_EQ(pod.chipRefusal(), "program words for secured RAM were lost: the code security module is locked");

    // The chip's own flash algorithm in L0 runs and reports the lock.
    const auto& algorithm = *programming::simulationImageSet().find("flash-algorithm-33");
    EXPECT_EQ(sendImage(pod, algorithm, 4), "!");
    ASSERT_EQ(converse(pod, "K4"), "!");
    EXPECT_EQ(converse(pod, "O00"), "?");
}

TEST(SimulatedChip, CorruptPageFaultSpoilsOneProgrammedPage)
{
    PodSimulator pod;
    pod.injectFault({.kind = FaultKind::CorruptPage, .skip = 1});
    ASSERT_EQ(converse(pod, dataFlashRecord("7101")), "!");
    ASSERT_EQ(converse(pod, dataFlashRecord("720000")), "!");
    for (std::uint32_t page = 0; page < 3; ++page)
        ASSERT_EQ(converse(pod, pageRecord("73", page, 0x21)), "!");
    EXPECT_EQ(converse(pod, pageRecord("74", 0, 0x21)), "!");
    EXPECT_EQ(converse(pod, pageRecord("74", 1, 0x21)), "?");
    EXPECT_EQ(converse(pod, pageRecord("74", 2, 0x21)), "!");
    EXPECT_EQ(pod.dataFlash(0x1FF, 1), std::vector<std::uint8_t> {0x31});
}

} // namespace
} // namespace lumetra::sim
