// How long CPodLink waits for a reply over the in-process simulator: one platform read of the reply time-out,
// then the allowed silence (the command's time-out before the first byte, the inter-byte time-out after it).
// Exactly, on the simulated clock.
#include "sim/in_process_transport.h"
#include "sim/simulated_clock.h"

#include "link/pod_link.h"

#include <gtest/gtest.h>

namespace lumetra::link {
namespace {

using namespace std::chrono_literals;
using sim::Clock;
using sim::Fault;
using sim::FaultKind;

class ReplyWait : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(link.Connect(1, 4, false), ConnectCode::Connected); }

    // Runs the operation; `elapsed` is how long it took.
    template <typename Operation> bool timed(Operation operation)
    {
        const auto start = clock.now();
        const bool result = operation();
        elapsed = clock.now() - start;
        return result;
    }

    sim::SimulatedClock clock;
    sim::PodSimulator pod {{}, clock};
    sim::InProcessTransportFactory factory {pod};
    CPodLink link {factory};
    Clock::duration elapsed {};
};

TEST_F(ReplyWait, AnAcknowledgementWithinReplyTimeOutPlusItsTimeOutIsTaken)
{
    // `K` waits for the reply time-out (200 ms) on top of the platform read's 200 ms.
    pod.injectFault({.kind = FaultKind::Delay, .command = 'K', .delay = 300ms});
    EXPECT_TRUE(timed([&] { return link.SetTargetBaud(4); }));
    EXPECT_EQ(elapsed, 10ms + 300ms + 10ms); // the settle pauses around the frame, the late reply between

    pod.injectFault({.kind = FaultKind::NoReply, .command = 'K'});
    EXPECT_FALSE(timed([&] { return link.SetTargetBaud(4); }));
    EXPECT_EQ(elapsed, 10ms + 200ms + 200ms); // the settle pause before the frame, then the wait
}

TEST_F(ReplyWait, PingWaitsTwoSecondsAfterTheReplyTimeOut)
{
    pod.injectFault({.kind = FaultKind::Delay, .command = '!', .delay = 2100ms});
    EXPECT_TRUE(timed([&] { return link.Ping(); }));
    EXPECT_EQ(elapsed, 2100ms);

    link.setReplyTimeout(1000ms);
    pod.injectFault({.kind = FaultKind::NoReply, .command = '!'});
    EXPECT_FALSE(timed([&] { return link.Ping(); }));
    EXPECT_EQ(elapsed, 1000ms + 2000ms);
}

TEST_F(ReplyWait, AReplyThatStopsFailsAfterTheReplyTimeOutAndTheInterByteSilence)
{
    link.setReplyTimeout(50ms);
    pod.injectFault({.kind = FaultKind::ShortReply, .command = 'Q'});
    EXPECT_FALSE(timed([&] { return link.QueryFirmwareVersion() != 0; }));
    // The last byte of "UPxx" never comes: the wait after the third byte is 50 + 100 ms, whatever the
    // command's own time-out.
    EXPECT_EQ(elapsed, 50ms + 100ms);
}

} // namespace
} // namespace lumetra::link
