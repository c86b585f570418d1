// The simulated chip frame by frame: images checked word for word, flash operations only from a running
// algorithm, erase before program, bank selection, and the POD-to-target wire time.
#include "sim/pod_simulator.h"

#include "frame_conversation.h"

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

void header(PodSimulator& pod)
{
    ASSERT_EQ(converse(pod, "M"), "!");
    ASSERT_EQ(converse(pod, "P"), "!");
    ASSERT_EQ(converse(pod, word('U', 0x08AA)), "!");
    for (int i = 0; i < 10; ++i)
        ASSERT_EQ(converse(pod, word('U', i < 8 ? 0xFF : 0)), "!");
}

// Sends the segments of the image as the boot stream; the reply of the end marker.
std::string sendImage(PodSimulator& pod, const programming::TargetImage& image, std::size_t segments)
{
    header(pod);
    for (std::size_t s = 0; s < segments; ++s) {
        const programming::ImageSegment& segment = image.segments[s];
        converse(pod, word('U', static_cast<std::uint32_t>(segment.words.size())));
        converse(pod, word('U', segment.address >> 16));
        converse(pod, word('U', segment.address));
        for (std::size_t i = 0; i < segment.words.size(); ++i)
            converse(pod, word(i + 1 == segment.words.size() ? 'Y' : 'S', segment.words[i]));
    }
    return converse(pod, word('X', 0));
}

// Sends the device's simulation algorithm (with `change` applied) as the boot stream; the reply of the end marker.
std::string sendAlgorithm(
    PodSimulator& pod, int device, const std::function<void(programming::TargetImage&)>& change = {})
{
    programming::TargetImage image = *programming::simulationImageSet().find(*programming::flashAlgorithmName(device));
    if (change)
        change(image);
    return sendImage(pod, image, programming::flashAlgorithmSegmentsSent(device));
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
