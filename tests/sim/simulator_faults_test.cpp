// Every fault the simulator injects ends the CPodLink operation in failure within its time-outs (how long
// each failure lasts at the transport: fault_durations_test), on the simulated clock.
#include "sim/in_process_transport.h"
#include "sim/simulated_clock.h"

#include "link/pod_link.h"

#include <gtest/gtest.h>

namespace lumetra::sim {
namespace {

using namespace std::chrono_literals;
using link::ConnectCode;

class SimulatorFaults : public ::testing::Test {
protected:
    void SetUp() override
    {
        link.setReplyTimeout(40ms);
        ASSERT_EQ(link.Connect(1, 4, false), ConnectCode::Connected);
    }

    // Runs the operation and checks it took no longer than `limit`.
    template <typename Operation>
    bool timed(Operation operation, Clock::duration limit)
    {
        const auto start = clock.now();
        const bool result = operation();
        EXPECT_LE(clock.now() - start, limit);
        return result;
    }

    SimulatedClock clock;
    PodSimulator pod{{}, clock};
    InProcessTransportFactory factory{pod};
    link::CPodLink link{factory};
};

TEST_F(SimulatorFaults, NoReplyFailsAfterTheFirstByteTimeOut)
{
    pod.injectFault({.kind = FaultKind::NoReply, .command = 'K'});
    EXPECT_FALSE(timed([&] { return link.SetTargetBaud(4); }, 1s));
    EXPECT_TRUE(link.SetTargetBaud(4));  // used up
}

TEST_F(SimulatorFaults, WrongAcknowledgement)
{
    pod.injectFault({.kind = FaultKind::WrongAck, .command = '!'});
    EXPECT_FALSE(link.Ping());
    pod.injectFault({.kind = FaultKind::WrongAck, .command = 'Q'});
    EXPECT_EQ(link.QueryFirmwareVersion(), 0);
}

TEST_F(SimulatorFaults, ShortReplyFailsBothReadAttempts)
{
    pod.setWord(0x100, 0x1234);
    pod.injectFault({.kind = FaultKind::ShortReply, .command = 'R', .count = 2});
    std::uint32_t value = 0;
    EXPECT_FALSE(timed([&] { return link.ReadWord(0x100, 'R', value); }, 2s));
    // A single short reply is absorbed by the retry.
    link.setTxDelayIndex(6);
    pod.injectFault({.kind = FaultKind::ShortReply, .command = 'R'});
    EXPECT_TRUE(link.ReadWord(0x100, 'R', value));
    EXPECT_EQ(value, 0x1234u);
    EXPECT_EQ(pod.txDelayIndex(), 6);  // the retry re-sent `I`
}

TEST_F(SimulatorFaults, DelayBeyondTheTimeOutFailsAndTheLateReplyStaysOnTheLine)
{
    pod.injectFault({.kind = FaultKind::Delay, .command = 'Q', .delay = 600ms});
    const auto sent = clock.now();
    EXPECT_EQ(timed([&] { return link.QueryFirmwareVersion(); }, 500ms), 0);
    // A purge cannot reach a reply still on its way: the next reply queues behind it and misses its time-out.
    link.Purge();
    EXPECT_EQ(link.QueryFirmwareVersion(), 0);
    ASSERT_LT(clock.now() - sent, 600ms);
    clock.sleepUntil(sent + 700ms);
    EXPECT_EQ(pod.pendingReplyBytes(), 8u);
    link.Purge();
    pod.injectFault({.kind = FaultKind::Delay, .command = 'Q', .delay = 10ms});
    EXPECT_EQ(link.QueryFirmwareVersion(), 21);
}

TEST_F(SimulatorFaults, StrayByteDuringAStreamFailsTheWord)
{
    ASSERT_TRUE(link.EnterBootMode());
    ASSERT_TRUE(link.AutoBaudF28x());
    pod.injectFault({.kind = FaultKind::StrayByte, .command = 'S', .skip = 2});
    EXPECT_TRUE(link.SendBootWord('S', 1, 40ms));
    EXPECT_TRUE(link.SendBootWord('S', 2, 40ms));
    EXPECT_FALSE(link.SendBootWord('S', 3, 40ms));
}

TEST_F(SimulatorFaults, StrayByteIsSeenAfterAUsbBatch)
{
    ASSERT_TRUE(link.Disconnect());
    ASSERT_TRUE(link.LoadDriver());
    ASSERT_TRUE(link.FindUsbPod());
    ASSERT_EQ(link.Connect(1, 4, true), ConnectCode::Connected);
    pod.injectFault({.kind = FaultKind::StrayByte, .command = 'J', .skip = 10});
    bool allWritten = true;
    for (int i = 0; i < 44 && allWritten; ++i) {
        allWritten = link.SendStreamWord(0, false);
    }
    EXPECT_FALSE(allWritten);
}

TEST_F(SimulatorFaults, HangUpAfterSomeBytes)
{
    pod.injectFault({.kind = FaultKind::HangUp, .afterBytes = 2});
    EXPECT_FALSE(timed([&] { return link.Ping(); }, 1s));  // the frame's ETX never arrives
    EXPECT_TRUE(pod.hungUp());
    std::uint32_t value = 0;
    EXPECT_FALSE(timed([&] { return link.ReadWord(0, 'R', value); }, 1s));  // writes fail at once
    EXPECT_FALSE(link.SetTargetBaud(4));
}

TEST_F(SimulatorFaults, FaultOnAnyCommandForEver)
{
    pod.injectFault({.kind = FaultKind::WrongAck, .count = -1});
    EXPECT_FALSE(link.SetTargetBaud(1));
    EXPECT_FALSE(link.SetTargetBaud(2));
    pod.clearFaults();
    EXPECT_TRUE(link.SetTargetBaud(2));
}

} // namespace
} // namespace lumetra::sim
