// How long each fault makes a transport read or write over the in-process simulator last, with explicit
// time-outs: a failure takes its whole allowed silence, no less and not much more.
#include "sim/in_process_transport.h"

#include "support/timed_transport.h"

#include <gtest/gtest.h>

namespace lumetra::sim {
namespace {

using namespace std::chrono_literals;
using test::lastedAbout;
using test::SteadyClock;
using test::timedRead;
using test::timedSend;

class FaultDurations : public ::testing::Test {
protected:
    PodSimulator pod;
    InProcessTransport port{pod};
};

TEST_F(FaultDurations, NoReplyFailsAfterTheFirstByteTimeOut)
{
    pod.injectFault({.kind = FaultKind::NoReply, .command = '!'});
    ASSERT_TRUE(timedSend(port, "!").ok);
    const auto read = timedRead(port, 1, 100ms, 40ms);
    EXPECT_FALSE(read.ok);
    EXPECT_TRUE(lastedAbout(read.took, 100ms));
}

TEST_F(FaultDurations, ShortReplyFailsAfterTheInterByteSilence)
{
    pod.injectFault({.kind = FaultKind::ShortReply, .command = 'R'});
    ASSERT_TRUE(timedSend(port, "R").ok);
    const auto read = timedRead(port, 5, 1000ms, 60ms);
    EXPECT_FALSE(read.ok);
    EXPECT_EQ(read.bytes, std::string("0000\0", 5));
    EXPECT_TRUE(lastedAbout(read.took, 60ms));
}

TEST_F(FaultDurations, DelayWithinTheFirstByteTimeOutIsWaitedFor)
{
    pod.injectFault({.kind = FaultKind::Delay, .command = '!', .delay = 50ms});
    const auto sent = SteadyClock::now();
    ASSERT_TRUE(timedSend(port, "!").ok);
    EXPECT_TRUE(timedRead(port, 1, 300ms, 40ms).ok);
    EXPECT_TRUE(lastedAbout(SteadyClock::now() - sent, 50ms));
}

TEST_F(FaultDurations, DelayBeyondTheFirstByteTimeOutFailsAndTheReplyComesLate)
{
    pod.injectFault({.kind = FaultKind::Delay, .command = '!', .delay = 250ms});
    const auto sent = SteadyClock::now();
    ASSERT_TRUE(timedSend(port, "!").ok);
    const auto read = timedRead(port, 1, 100ms, 40ms);
    EXPECT_FALSE(read.ok);
    EXPECT_TRUE(lastedAbout(read.took, 100ms));
    port.purge();
    const auto late = timedRead(port, 1, 1000ms, 40ms);
    EXPECT_TRUE(late.ok);
    EXPECT_EQ(late.bytes, "!");
    EXPECT_TRUE(lastedAbout(SteadyClock::now() - sent, 250ms));
}

TEST_F(FaultDurations, StallShorterThanTheInterByteSilenceIsWaitedFor)
{
    pod.injectFault({.kind = FaultKind::Stall, .command = 'Q', .delay = 40ms, .afterBytes = 2});
    const auto sent = SteadyClock::now();
    ASSERT_TRUE(timedSend(port, "Q").ok);
    const auto read = timedRead(port, 4, 300ms, 100ms);
    EXPECT_TRUE(read.ok);
    EXPECT_EQ(read.bytes, "UP21");
    EXPECT_TRUE(lastedAbout(SteadyClock::now() - sent, 40ms));
}

TEST_F(FaultDurations, StallLongerThanTheInterByteSilenceFailsThenTheRestArrives)
{
    pod.injectFault({.kind = FaultKind::Stall, .command = 'Q', .delay = 300ms, .afterBytes = 2});
    const auto sent = SteadyClock::now();
    ASSERT_TRUE(timedSend(port, "Q").ok);
    const auto read = timedRead(port, 4, 1000ms, 60ms);
    EXPECT_FALSE(read.ok);
    EXPECT_EQ(read.bytes, std::string("UP\0\0", 4));
    EXPECT_TRUE(lastedAbout(read.took, 60ms));
    const auto rest = timedRead(port, 2, 1000ms, 60ms);
    EXPECT_TRUE(rest.ok);
    EXPECT_EQ(rest.bytes, "21");
    EXPECT_TRUE(lastedAbout(SteadyClock::now() - sent, 300ms));
}

TEST_F(FaultDurations, HangUpFailsWritesAtOnceAndReadsAfterTheFirstByteTimeOut)
{
    pod.injectFault({.kind = FaultKind::HangUp});
    const auto write = timedSend(port, "!");
    EXPECT_FALSE(write.ok);
    EXPECT_TRUE(lastedAbout(write.took, 0ms));
    const auto read = timedRead(port, 1, 100ms, 40ms);
    EXPECT_FALSE(read.ok);
    EXPECT_TRUE(lastedAbout(read.took, 100ms));
    EXPECT_FALSE(timedSend(port, "!").ok);
}

} // namespace
} // namespace lumetra::sim
