// The wire time of one time graph sample and the time graph dialog's warning about an interval shorter than it.
#include "graph/session/sample_wire_time.h"

#include <gtest/gtest.h>

#include <vector>

namespace lumetra::graph {
namespace {

using namespace std::chrono_literals;

GraphEnvironment timeGraph(std::int32_t interval)
{
    return {GraphKind::Time, ScaleMode::Automatic, interval, 0, 0, 0.0, 0.0};
}

// Two one-word and two two-word channels.
const std::vector<GraphChannel> kFourChannels {
    {"a", 0x8000, 0, 13, 0}, {"b", 0x8002, 0, 6, 3}, {"c", 0x8004, 0, 3, 0}, {"d", 0x8006, 0, 15, 0}};

TEST(SampleWireTime, AReadIsTheAddressFrameItsAckTheModeFrameAndTheReply)
{
    EXPECT_EQ(channelReadBytes(13), 19u); // STX @ 6 digits CR ETX, '!', STX r ETX, 4 digits CR
    EXPECT_EQ(channelReadBytes(6), 23u); // 8 digits
    EXPECT_EQ(channelReadBytes(0), 0u); // not read
    // 84 bytes of 10 bits.
    EXPECT_EQ(sampleWireTime(kFourChannels, 115200), 7292us);
    EXPECT_EQ(sampleWireTime(kFourChannels, 921600), 911us);
    EXPECT_EQ(sampleWireTime({}, 115200), 0us);
}

TEST(SampleWireTime, TheLineToThePodByPortAndPodKind)
{
    EXPECT_EQ(podLineBaud(false, link::PodKind::UsbPod), 115200);
    EXPECT_EQ(podLineBaud(true, link::PodKind::UsbPod), 921600);
    EXPECT_EQ(podLineBaud(true, link::PodKind::UtaPod), 460800);
}

TEST(IntervalWarning, AnIntervalShorterThanOneSampleOnTheWireWarnsWithoutRefusing)
{
    const auto warning = intervalWarning(timeGraph(5), kFourChannels, 115200);
    ASSERT_TRUE(warning);
    EXPECT_EQ(warning->icon, core::MessageIcon::Information);
    EXPECT_EQ(warning->text,
        "시간 간격(5 ms)이 한 샘플을 읽는 통신 시간(7.292 ms)보다 짧아 샘플이 늦어지거나 빠질 수 있읍니다.");
    EXPECT_TRUE(intervalWarning(timeGraph(7), kFourChannels, 115200));
    EXPECT_FALSE(intervalWarning(timeGraph(8), kFourChannels, 115200));
    EXPECT_FALSE(intervalWarning(timeGraph(1), kFourChannels, 921600));
    // As fast as the link goes, a memory graph, no channels, no line known: nothing to warn of.
    EXPECT_FALSE(intervalWarning(timeGraph(0), kFourChannels, 115200));
    GraphEnvironment memory = timeGraph(5);
    memory.kind = GraphKind::Memory;
    EXPECT_FALSE(intervalWarning(memory, kFourChannels, 115200));
    EXPECT_FALSE(intervalWarning(timeGraph(5), {}, 115200));
    EXPECT_FALSE(intervalWarning(timeGraph(5), kFourChannels, 0));
}

} // namespace
} // namespace lumetra::graph
