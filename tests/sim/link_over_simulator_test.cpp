// CPodLink end to end over the in-process simulator: connecting, monitoring reads and writes, the boot
// streams of both families, the flash algorithm's operations and the data-flash records.
#include "sim/in_process_transport.h"

#include "link/pod_link.h"

#include <gtest/gtest.h>

namespace lumetra::sim {
namespace {

using namespace std::chrono_literals;
using link::CPodLink;
using link::ConnectCode;

struct Bench {
    explicit Bench(SimConfig config = {}, InProcessPorts ports = {})
        : pod(std::move(config)), factory(pod, std::move(ports)), link(factory)
    {
    }

    void connectUsb()
    {
        ASSERT_TRUE(link.LoadDriver());
        ASSERT_TRUE(link.FindUsbPod());
        ASSERT_EQ(link.Connect(1, 4, true), ConnectCode::Connected);
    }

    PodSimulator pod;
    InProcessTransportFactory factory;
    CPodLink link;
};

TEST(LinkOverSimulator, ConnectSetsTheTargetBaudAndTxDelay)
{
    Bench bench({.firmwareVersion = 21});
    bench.link.setTxDelayIndex(5);
    ASSERT_EQ(bench.link.Connect(1, 3, false), ConnectCode::Connected);
    EXPECT_EQ(bench.pod.txDelayIndex(), 5);
    EXPECT_EQ(bench.pod.targetBaudCode(), 3);
    EXPECT_EQ(bench.pod.hostBaud(), 115200);
    EXPECT_TRUE(bench.link.Ping());
    EXPECT_EQ(bench.link.QueryFirmwareVersion(), 21);
}

TEST(LinkOverSimulator, UtaPodThatAnswersOnlyAt115200EndsThere)
{
    Bench bench({.usbDescription = "Korimat USBCOM", .answeringHostBauds = {115200}});
    bench.link.setReplyTimeout(30ms);
    bench.connectUsb();
    EXPECT_EQ(bench.factory.usbOpenBauds(), (std::vector<int>{460800, 115200}));
    EXPECT_EQ(bench.pod.hostBaud(), 115200);
    EXPECT_TRUE(bench.link.Ping());
}

TEST(LinkOverSimulator, NoPodOnTheBus)
{
    Bench bench({}, {.usbPodAttached = false, .otherUsbDescriptions = {"FT232R USB UART"}});
    ASSERT_TRUE(bench.link.LoadDriver());
    EXPECT_FALSE(bench.link.FindUsbPod());
    EXPECT_EQ(bench.link.Connect(1, 4, true), ConnectCode::PortNotOpened);
}

TEST(LinkOverSimulator, MonitoringReadsAndWrites)
{
    Bench bench;
    bench.connectUsb();
    ASSERT_TRUE(bench.link.WriteWord(2, 0x3F8000, 0xDEADBEEF));
    ASSERT_TRUE(bench.link.WriteWord(1, 0x3F8002, 0x12345));
    std::uint32_t value = 0;
    ASSERT_TRUE(bench.link.ReadWord(0x3F8000, 'L', value));
    EXPECT_EQ(value, 0xDEADBEEFu);
    ASSERT_TRUE(bench.link.ReadWord(0x3F8000, 'r', value));
    EXPECT_EQ(value, 0xBEEFu);
    ASSERT_TRUE(bench.link.ReadNext('r', value));
    EXPECT_EQ(value, 0xDEADu);
    ASSERT_TRUE(bench.link.ReadNext('r', value));
    EXPECT_EQ(value, 0x2345u);
}

TEST(LinkOverSimulator, F28xBootStreamWritesTheBlocks)
{
    Bench bench;
    bench.connectUsb();
    auto& link = bench.link;
    ASSERT_TRUE(link.EnterBootMode());
    ASSERT_TRUE(link.AutoBaudF28x());
    ASSERT_TRUE(link.SendBootWord('U', 0x08AA, 3000ms));
    for (int i = 0; i < 8; ++i) {
        ASSERT_TRUE(link.SendBootWord('U', 0x00FF, 3000ms));
    }
    ASSERT_TRUE(link.SendBoot32(0x3F8000, 3000ms));
    // One block of 100 words: on USB the streamed words go in batches.
    ASSERT_TRUE(link.SendBootWord('U', 100, 3000ms));
    ASSERT_TRUE(link.SendBoot32(0x8000, 3000ms));
    for (std::uint16_t i = 0; i < 99; ++i) {
        ASSERT_TRUE(link.SendBootWord('S', static_cast<std::uint16_t>(0x100 + i), 200ms));
    }
    ASSERT_TRUE(link.SendBootWord('Y', 0xFFFF, 4000ms));
    ASSERT_TRUE(link.SendBootWord('X', 0, 3000ms));
    EXPECT_EQ(bench.pod.entryPoint(), 0x3F8000u);
    const auto block = bench.pod.words(0x8000, 101);
    EXPECT_EQ(block[0], 0x100);
    EXPECT_EQ(block[98], 0x100 + 98);
    EXPECT_EQ(block[99], 0xFFFF);
    EXPECT_EQ(block[100], 0);
}

TEST(LinkOverSimulator, Lf240xKernelFlowAndUserProgram)
{
    Bench bench;
    ASSERT_EQ(bench.link.Connect(1, 2, false), ConnectCode::Connected);
    auto& link = bench.link;
    ASSERT_TRUE(link.EnterBootMode());
    ASSERT_TRUE(link.AutoBaudLf240x());
    const int lengths[] = {124, 193, 222, 195};
    for (int routine = 0; routine < 4; ++routine) {
        for (int i = 0; i < lengths[routine] - 1; ++i) {
            ASSERT_TRUE(link.SendBootWord('S', static_cast<std::uint16_t>(routine), 200ms));
        }
        ASSERT_TRUE(link.SendBootWord(routine == 3 ? 'Y' : 'Z', 0xEEEE, 4000ms));
    }
    // Two chunks: 3 words at 0x8000, then (after the continuation word) 1 word at 0x9000.
    ASSERT_TRUE(link.SendBootWord('U', 0x8000, 3000ms));
    ASSERT_TRUE(link.SendBootWord('U', 2, 3000ms));
    ASSERT_TRUE(link.SendBootWord('S', 0xA1, 200ms));
    ASSERT_TRUE(link.SendBootWord('S', 0xA2, 200ms));
    ASSERT_TRUE(link.SendBootWord('Z', 0xA3, 4000ms));
    ASSERT_TRUE(link.SendBootWord('U', 1, 3000ms));
    ASSERT_TRUE(link.SendBootWord('U', 0x9000, 3000ms));
    ASSERT_TRUE(link.SendBootWord('U', 0, 3000ms));
    ASSERT_TRUE(link.SendBootWord('Z', 0xB1, 4000ms));
    ASSERT_TRUE(link.SendBootWord('U', 0, 3000ms));
    ASSERT_TRUE(link.ResetTarget());

    const auto routines = bench.pod.lf240xRoutines();
    ASSERT_EQ(routines.size(), 4u);
    EXPECT_EQ(routines[0].size(), 124u);
    EXPECT_EQ(routines[3].size(), 195u);
    EXPECT_EQ(bench.pod.words(0x8000, 3), (std::vector<std::uint16_t>{0xA1, 0xA2, 0xA3}));
    EXPECT_EQ(bench.pod.word(0x9000), 0xB1);
    EXPECT_EQ(bench.pod.resetCount(), 1);
}

TEST(LinkOverSimulator, FlashAlgorithmProgramsStreamedWords)
{
    Bench bench({.unlockedCheckReply = 'X'});
    bench.connectUsb();
    auto& link = bench.link;
    EXPECT_TRUE(link.FlashCommand(link::FlashOp::CheckUnlocked, 20));
    EXPECT_FALSE(link.FlashCommand(link::FlashOp::CheckUnlocked, 66));
    EXPECT_TRUE(link.FlashCommand(link::FlashOp::SelectBank1, 66));
    for (std::uint16_t i = 0; i < 60; ++i) {
        ASSERT_TRUE(link.SendStreamWord(static_cast<std::uint16_t>(0x5000 + i), i == 59));
    }
    ASSERT_TRUE(link.FlashCommand(link::FlashOp::Program, 20, {.address = 0x3F4000, .count = 60}));
    EXPECT_EQ(bench.pod.word(0x3F4000), 0x5000);
    EXPECT_EQ(bench.pod.word(0x3F403B), 0x5000 + 59);
    EXPECT_EQ(bench.pod.selectedBank(), 1);
}

TEST(LinkOverSimulator, DataFlashEraseProgramVerify)
{
    Bench bench;
    ASSERT_EQ(bench.link.Connect(1, 4, false), ConnectCode::Connected);
    auto& link = bench.link;
    ASSERT_TRUE(link.DataFlashInit(1));
    ASSERT_TRUE(link.DataFlashEraseSector(0));
    std::vector<std::uint8_t> page(256);
    for (std::size_t i = 0; i < page.size(); ++i) {
        page[i] = static_cast<std::uint8_t>(i ^ 0x5A);
    }
    ASSERT_TRUE(link.DataFlashProgramPage(1, 0xFF, page));
    EXPECT_TRUE(link.DataFlashVerifyPage(1, 0xFF, page));
    EXPECT_EQ(bench.pod.dataFlash(256, 256), page);
    page[7] ^= 1;
    EXPECT_FALSE(link.DataFlashVerifyPage(1, 0xFF, page));
    // A short last page: only bytes up to the last-byte index count.
    const std::vector<std::uint8_t> tail{1, 2, 3};
    ASSERT_TRUE(link.DataFlashProgramPage(2, 2, tail));
    EXPECT_TRUE(link.DataFlashVerifyPage(2, 2, tail));
    EXPECT_EQ(bench.pod.dataFlash(512, 4), (std::vector<std::uint8_t>{1, 2, 3, 0xFF}));
}

} // namespace
} // namespace lumetra::sim
