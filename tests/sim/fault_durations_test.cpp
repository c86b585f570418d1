// How long each fault makes a transport read or write over the in-process simulator last, with explicit
// time-outs, on the simulated clock: a failure takes exactly its whole allowed silence, a late reply exactly its
// delay.
#include "sim/in_process_transport.h"
#include "sim/simulated_clock.h"

#include "support/timed_transport.h"

#include <gtest/gtest.h>

namespace lumetra::sim {
namespace {

using namespace std::chrono_literals;

class FaultDurations : public ::testing::Test {
protected:
    test::TimedResult send(std::string_view body) { return test::timedSend(port, body, 200ms, clock); }
    test::TimedResult read(std::size_t count, Milliseconds firstByte, Milliseconds interByte)
    {
        return test::timedRead(port, count, firstByte, interByte, clock);
    }

    SimulatedClock clock;
    PodSimulator pod{{}, clock};
    InProcessTransport port{pod};
};

TEST_F(FaultDurations, NoReplyFailsAfterTheFirstByteTimeOut)
{
    pod.injectFault({.kind = FaultKind::NoReply, .command = '!'});
    ASSERT_TRUE(send("!").ok);
    const auto silent = read(1, 100ms, 40ms);
    EXPECT_FALSE(silent.ok);
    EXPECT_EQ(silent.took, 100ms);
}

TEST_F(FaultDurations, ShortReplyFailsAfterTheInterByteSilence)
{
    pod.injectFault({.kind = FaultKind::ShortReply, .command = 'R'});
    ASSERT_TRUE(send("R").ok);
    const auto cut = read(5, 1000ms, 60ms);
    EXPECT_FALSE(cut.ok);
    EXPECT_EQ(cut.bytes, std::string("0000\0", 5));
    EXPECT_EQ(cut.took, 60ms);
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
        const auto sent = clock.now();
        ASSERT_TRUE(send("Q").ok);
        const auto late = read(c.count, 300ms, 100ms);
        EXPECT_TRUE(late.ok);
        EXPECT_EQ(late.bytes, c.reply);
        EXPECT_EQ(clock.now() - sent, c.fault.delay);
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
        const auto sent = clock.now();
        ASSERT_TRUE(send("Q").ok);
        const auto failed = read(4, 100ms, 60ms);
        EXPECT_FALSE(failed.ok);
        EXPECT_EQ(failed.bytes.substr(0, c.before.size()), c.before);
        EXPECT_EQ(failed.took, c.failsAfter);
        port.purge();
        const auto rest = read(c.after.size(), 1000ms, 60ms);
        EXPECT_TRUE(rest.ok);
        EXPECT_EQ(rest.bytes, c.after);
        EXPECT_EQ(clock.now() - sent, c.fault.delay);
    }
}

TEST_F(FaultDurations, HangUpFailsWritesAtOnceAndReadsAfterTheFirstByteTimeOut)
{
    pod.injectFault({.kind = FaultKind::HangUp});
    const auto write = send("!");
    EXPECT_FALSE(write.ok);
    EXPECT_EQ(write.took, 0ms);
    const auto silent = read(1, 100ms, 40ms);
    EXPECT_FALSE(silent.ok);
    EXPECT_EQ(silent.took, 100ms);
    EXPECT_FALSE(send("!").ok);
}

// With wire time a write lasts exactly its bytes' ten bits each; one that cannot drain in time fails after
// exactly its drain time-out.
TEST_F(FaultDurations, WritesLastTheirWireTimeOrFailAtTheDrainTimeOut)
{
    pod.configure([](SimConfig& config) { config.wireTime = true; });
    pod.setHostBaud(9600);
    const auto ping = send("!"); // three bytes of 10 bits at 9600 baud
    EXPECT_TRUE(ping.ok);
    EXPECT_EQ(ping.took, 3 * std::chrono::nanoseconds(10'000'000'000LL / 9600));
    const auto tooLong = test::timedSend(port, std::string(100, 'S'), 50ms, clock);
    EXPECT_FALSE(tooLong.ok);
    EXPECT_EQ(tooLong.took, 50ms);
}

} // namespace
} // namespace lumetra::sim
