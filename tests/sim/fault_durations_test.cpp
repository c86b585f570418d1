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

// A delay within the first-byte time-out, or a stall within the inter-byte time-out, is waited for.
TEST_F(FaultDurations, LateBytesWithinTheirTimeOutAreWaitedFor)
{
    struct Case {
        Fault fault;
        std::size_t count;
        std::string reply;
    };
    const Case cases[] = {
        {{.kind = FaultKind::Delay, .command = 'Q', .delay = 50ms}, 4, "UP21"},
        {{.kind = FaultKind::Stall, .command = 'Q', .delay = 50ms, .afterBytes = 2}, 4, "UP21"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault.kind == FaultKind::Delay ? "delay" : "stall");
        pod.injectFault(c.fault);
        const auto sent = SteadyClock::now();
        ASSERT_TRUE(timedSend(port, "Q").ok);
        const auto read = timedRead(port, c.count, 300ms, 100ms);
        EXPECT_TRUE(read.ok);
        EXPECT_EQ(read.bytes, c.reply);
        EXPECT_TRUE(lastedAbout(SteadyClock::now() - sent, c.fault.delay));
    }
}

// Beyond its time-out the read fails after exactly that time-out; the rest of the reply still comes, late,
// and a purge in between cannot reach it.
TEST_F(FaultDurations, LateBytesBeyondTheirTimeOutFailTheReadAndArriveAfterIt)
{
    struct Case {
        Fault fault;
        Milliseconds failsAfter;
        std::string before;
        std::string after;
    };
    const Case cases[] = {
        {{.kind = FaultKind::Delay, .command = 'Q', .delay = 250ms}, 100ms, "", "UP21"},
        {{.kind = FaultKind::Stall, .command = 'Q', .delay = 250ms, .afterBytes = 2}, 60ms, "UP", "21"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault.kind == FaultKind::Delay ? "delay" : "stall");
        pod.injectFault(c.fault);
        const auto sent = SteadyClock::now();
        ASSERT_TRUE(timedSend(port, "Q").ok);
        const auto read = timedRead(port, 4, 100ms, 60ms);
        EXPECT_FALSE(read.ok);
        EXPECT_EQ(read.bytes.substr(0, c.before.size()), c.before);
        EXPECT_TRUE(lastedAbout(read.took, c.failsAfter));
        port.purge();
        const auto rest = timedRead(port, c.after.size(), 1000ms, 60ms);
        EXPECT_TRUE(rest.ok);
        EXPECT_EQ(rest.bytes, c.after);
        EXPECT_TRUE(lastedAbout(SteadyClock::now() - sent, c.fault.delay));
    }
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
