// The simulator driven frame by frame: replies, memory, address advance, control lines, records, wire time.
#include "sim/pod_simulator.h"

#include "frame_conversation.h"

#include "sim/simulated_clock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <bit>
#include <cmath>
#include <thread>

namespace lumetra::sim {
namespace {

void send(PodSimulator& pod, const std::string& bytes)
{
    pod.hostWrite(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

// Every reply byte that comes within `within` on the simulator's clock.
std::string repliesWithin(PodSimulator& pod, Clock::duration within)
{
    const auto deadline = pod.clock().now() + within;
    std::string replies;
    while (pod.waitForReply(deadline)) {
        std::uint8_t byte = 0;
        while (pod.hostRead(&byte, 1) == 1) {
            replies += static_cast<char>(byte);
        }
    }
    return replies;
}

std::string checksummed(const std::string& fields)
{
    return fields + link::asciiChecksum(fields) + "\r";
}

TEST(PodSimulator, ParametersAndIdentity)
{
    PodSimulator pod({.firmwareVersion = 19});
    EXPECT_EQ(converse(pod, "I6"), "");
    EXPECT_EQ(pod.txDelayIndex(), 6);
    EXPECT_EQ(converse(pod, "Q"), "UP19");
    EXPECT_EQ(converse(pod, "K8"), "!");
    EXPECT_EQ(pod.targetBaudCode(), 8);
    EXPECT_EQ(converse(pod, "K9"), "?");
    EXPECT_EQ(pod.targetBaudCode(), 8);
    EXPECT_EQ(converse(pod, "!"), "!");
    EXPECT_EQ(pod.trace(), (std::vector<std::string>{"I6", "Q", "K8", "K9", "!"}));
}

TEST(PodSimulator, LowerCaseReadsAdvanceByTheReadSize)
{
    PodSimulator pod;
    pod.setWord(0x3F8000, 0x1111);
    pod.setWord(0x3F8001, 0x2222);
    pod.setWord(0x3F8002, 0x3333);
    pod.setWord(0x3F8003, 0x4444);
    EXPECT_EQ(converse(pod, "@3F8000\r"), "!");
    EXPECT_EQ(converse(pod, "R"), "1111\r");
    EXPECT_EQ(converse(pod, "L"), "22221111\r");  // low word first in memory
    EXPECT_EQ(pod.podAddress(), 0x3F8000u);
    EXPECT_EQ(converse(pod, "r"), "1111\r");
    EXPECT_EQ(converse(pod, "l"), "33332222\r");
    EXPECT_EQ(pod.podAddress(), 0x3F8003u);
    EXPECT_EQ(converse(pod, "@3F80\r"), "?");
}

TEST(PodSimulator, WritesNeedAValidChecksum)
{
    PodSimulator pod;
    EXPECT_EQ(converse(pod, checksummed("W1001234ABCD")), "!");
    EXPECT_EQ(pod.word(0x1234), 0xABCD);
    EXPECT_EQ(converse(pod, checksummed("W20012341234ABCD")), "!");
    EXPECT_EQ(pod.words(0x1234, 2), (std::vector<std::uint16_t>{0xABCD, 0x1234}));
    EXPECT_EQ(converse(pod, "W1001234FFFF00\r"), "?");
    EXPECT_EQ(pod.word(0x1234), 0xABCD);
}

// Fields are fixed-width upper-case hex, single-letter commands carry nothing else, and addresses stay in
// the 22-bit word space; every other frame is refused and changes nothing.
TEST(PodSimulator, RefusesMalformedFrames)
{
    PodSimulator pod;
    ASSERT_EQ(converse(pod, "I3"), "");
    ASSERT_EQ(converse(pod, "K4"), "!");
    ASSERT_EQ(converse(pod, "@000010\r"), "!");
    pod.setWord(0x3F8000, 0x1111);
    const std::string malformed[] = {"@3f8000\r", "@3F800a\r", "@FFFFFF\r", "@400000\r", "@3F8000", "@3F80001\r",
        "@3F8000\r\r", "Qxx", "Q\r", "!!", "Mx", "Nx", "T\r", "P0", "Rx", "r\r", "L0", "l1", "Ka", "K44", "K", "Ia",
        "I33", "I", checksummed("W13f8000ABCD"), checksummed("W13F8000abcd"), checksummed("W1400000ABCD"),
        checksummed("W23FFFFF00000000"), checksummed("W2FFFFFF00000000"), "U08aa\r", "S12\r", "X1234", "J12ab\r",
        "J1234", "O0a", "O01000a", "O023f80000002", ":7100c8\r", dataFlashRecord("72000a")};
    for (const std::string& body : malformed) {
        EXPECT_EQ(converse(pod, body), "?") << body;
    }
    EXPECT_EQ(pod.podAddress(), 0x10u);
    EXPECT_EQ(pod.txDelayIndex(), 3);
    EXPECT_EQ(pod.targetBaudCode(), 4);
    EXPECT_FALSE(pod.bootModeLine());
    EXPECT_EQ(pod.resetCount(), 0);
    EXPECT_EQ(pod.bootState(), BootState::Running);
    EXPECT_EQ(pod.words(0, 2), (std::vector<std::uint16_t>{0, 0}));
    EXPECT_EQ(pod.word(0x3F8000), 0x1111);
    EXPECT_EQ(pod.word(0x3FFFFF), 0);
    EXPECT_TRUE(pod.erasedDataFlashSectors().empty());
    EXPECT_TRUE(pod.flashRequests().empty());
    EXPECT_EQ(converse(pod, "J5A5A\r"), "");
    EXPECT_EQ(converse(pod, "O02FFFFFF0001"), "?");
    EXPECT_EQ(pod.word(0x3FFFFF), 0);

    // The last word of the space is in reach.
    EXPECT_EQ(converse(pod, "@3FFFFF\r"), "!");
    EXPECT_EQ(converse(pod, checksummed("W13FFFFFABCD")), "!");
    EXPECT_EQ(converse(pod, checksummed("W23FFFFE12345678")), "!");
    EXPECT_EQ(pod.words(0x3FFFFE, 2), (std::vector<std::uint16_t>{0x5678, 0x1234}));
}

TEST(PodSimulator, AutoBaudNeedsTheBootModeLine)
{
    PodSimulator pod;
    EXPECT_EQ(converse(pod, "P"), "");
    EXPECT_EQ(converse(pod, "M"), "!");
    EXPECT_TRUE(pod.bootModeLine());
    EXPECT_EQ(converse(pod, "P"), "!");
    EXPECT_EQ(pod.bootState(), BootState::F28xStream);
    EXPECT_EQ(converse(pod, "U1234\r"), "?");  // not the key
    EXPECT_EQ(converse(pod, "N"), "!");
    EXPECT_FALSE(pod.bootModeLine());
    EXPECT_EQ(pod.resetCount(), 1);
    EXPECT_EQ(converse(pod, "U08AA\r"), "");  // no boot loader listening
}

TEST(PodSimulator, FlashOperations)
{
    PodSimulator pod;
    pod.configure([](SimConfig& c) {
        c.sectorRanges = [](std::uint16_t sectors) {
            return sectors == 1 ? std::vector<AddressRange>{{0x3F0000, 4}} : std::vector<AddressRange>{};
        };
    });
    EXPECT_EQ(converse(pod, "O00"), "!");
    pod.configure([](SimConfig& c) { c.unlockedCheckReply = 'X'; });
    EXPECT_EQ(converse(pod, "O00"), "X");
    pod.configure([](SimConfig& c) { c.csmLocked = true; });
    EXPECT_EQ(converse(pod, "O00"), "?");

    EXPECT_EQ(converse(pod, "O010001"), "!");
    EXPECT_EQ(pod.words(0x3F0000, 5), (std::vector<std::uint16_t>{0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0}));

    EXPECT_EQ(converse(pod, "J1111\r"), "");
    EXPECT_EQ(converse(pod, "J2222\r"), "");
    EXPECT_EQ(converse(pod, "O023F80000003"), "?");  // three words announced, two streamed
    EXPECT_EQ(converse(pod, "J1111\r"), "");
    EXPECT_EQ(converse(pod, "J2222\r"), "");
    EXPECT_EQ(converse(pod, "O023F80000002"), "!");
    EXPECT_EQ(pod.words(0x3F8000, 2), (std::vector<std::uint16_t>{0x1111, 0x2222}));

    EXPECT_EQ(converse(pod, "O05"), "!");
    EXPECT_EQ(pod.selectedBank(), 2);
    EXPECT_EQ(converse(pod, "O06"), "?");
    const auto requests = pod.flashRequests();
    ASSERT_EQ(requests.size(), 7u);
    EXPECT_EQ(requests[3].sectors, 1);
    EXPECT_EQ(requests[5].address, 0x3F8000u);
    EXPECT_EQ(requests[5].count, 2);
}

TEST(PodSimulator, DataFlashRecords)
{
    PodSimulator pod;
    std::string page = "7300020A";
    for (int i = 0; i < 256; ++i) {
        page += i < 11 ? "5A" : "00";
    }
    EXPECT_EQ(converse(pod, dataFlashRecord(page)), "?"); // not initialised
    EXPECT_EQ(converse(pod, dataFlashRecord("7106")), "?");
    EXPECT_EQ(converse(pod, dataFlashRecord("7100")), "!");
    EXPECT_EQ(pod.dataFlashType(), 0);
    EXPECT_EQ(converse(pod, dataFlashRecord("720003")), "!");
    EXPECT_EQ(converse(pod, dataFlashRecord("720004")), "?"); // 4 sectors only
    EXPECT_EQ(pod.erasedDataFlashSectors(), std::vector<std::uint32_t>{3});

    EXPECT_EQ(converse(pod, dataFlashRecord(page)), "?"); // sector 0 still holds the old content
    EXPECT_EQ(converse(pod, dataFlashRecord("720000")), "!");
    EXPECT_EQ(converse(pod, dataFlashRecord(page)), "!");
    const auto stored = pod.dataFlash(0x200, 12);
    EXPECT_EQ(stored, (std::vector<std::uint8_t>{0x5A, 0x5A, 0x5A, 0x5A, 0x5A, 0x5A, 0x5A, 0x5A, 0x5A, 0x5A, 0x5A,
                                                  0xFF}));  // bytes past the last index stay erased
    page[1] = '4';
    EXPECT_EQ(converse(pod, dataFlashRecord(page)), "!");
    page[9] = 'B';  // a data byte differs
    EXPECT_EQ(converse(pod, dataFlashRecord(page)), "?");
    EXPECT_EQ(converse(pod, ":7100FF\r"), "?");  // bad checksum
}

TEST(PodSimulator, AnimatedVariables)
{
    PodSimulator pod({.liveAnimation = false});
    pod.addAnimation({.kind = AnimationKind::Counter16, .address = 0x100, .rate = 10, .start = 65530});
    pod.addAnimation({.kind = AnimationKind::SineFloat32, .address = 0x102, .rate = 1, .amplitude = 2, .offset = 1});
    pod.addAnimation({.kind = AnimationKind::RampLong32, .address = 0x104, .rate = 1000, .start = 0xFFFF0000});
    pod.addAnimation({.kind = AnimationKind::SineTable16, .address = 0x200, .rate = 0, .amplitude = 1000,
                      .length = 4});
    pod.animateAt(1.25);
    EXPECT_EQ(pod.word(0x100), (65530 + 12) % 65536);
    const auto floatWords = pod.words(0x102, 2);
    const float sine = std::bit_cast<float>(static_cast<std::uint32_t>(floatWords[1]) << 16 | floatWords[0]);
    EXPECT_NEAR(sine, 3.0f, 1e-5);
    const auto longWords = pod.words(0x104, 2);
    EXPECT_EQ(static_cast<std::uint32_t>(longWords[1]) << 16 | longWords[0], 0xFFFF0000u + 1250u);
    EXPECT_EQ(pod.words(0x200, 4), (std::vector<std::uint16_t>{0, 1000, 0, static_cast<std::uint16_t>(-1000)}));
}

TEST(PodSimulator, LiveAnimationMovesBetweenReads)
{
    SimulatedClock clock;
    PodSimulator pod({}, clock);
    pod.addAnimation({.kind = AnimationKind::RampLong32, .address = 0x10, .rate = 1e6});
    EXPECT_EQ(converse(pod, "@000010\r"), "!");
    const std::string first = converse(pod, "L");
    clock.advance(std::chrono::milliseconds(2));
    EXPECT_NE(converse(pod, "L"), first);
}

TEST(PodSimulator, WireTimeTakesTenBitsPerByteBothWays)
{
    PodSimulator pod({.wireTime = true});
    pod.setHostBaud(115200);
    const auto byteTime = std::chrono::nanoseconds(10'000'000'000LL / 115200);
    const std::string ping = "\x02!\x03";
    const auto before = Clock::now();
    const auto arrived = pod.hostWrite(reinterpret_cast<const std::uint8_t*>(ping.data()), ping.size());
    EXPECT_GE(arrived - before, 3 * byteTime);
    ASSERT_TRUE(pod.nextReplyDue());
    EXPECT_EQ(*pod.nextReplyDue() - arrived, byteTime);
    EXPECT_TRUE(pod.waitForReply(Clock::now() + std::chrono::milliseconds(50)));
    std::uint8_t reply = 0;
    EXPECT_EQ(pod.hostRead(&reply, 1), 1u);
    EXPECT_EQ(reply, '!');
}

TEST(PodSimulator, BytesAtANonAnsweringHostBaudAreLost)
{
    PodSimulator pod({.answeringHostBauds = {115200}});
    pod.setHostBaud(460800);
    EXPECT_EQ(converse(pod, "!"), "");
    EXPECT_TRUE(pod.trace().empty());
    pod.setHostBaud(115200);
    EXPECT_EQ(converse(pod, "!"), "!");
}

// A purge on the host side reaches only what has arrived: a late reply and the POD's half-received frame
// survive it.
TEST(PodSimulator, PurgeDropsOnlyTheRepliesAlreadyDue)
{
    SimulatedClock clock;
    PodSimulator pod({}, clock);
    pod.injectFault({.kind = FaultKind::Delay, .command = 'Q', .delay = std::chrono::milliseconds(30)});
    send(pod, "\x02!\x03\x02Q\x03\x02K");
    EXPECT_EQ(pod.pendingReplyBytes(), 1u);
    pod.purgeHost();
    EXPECT_EQ(pod.pendingReplyBytes(), 0u);
    EXPECT_EQ(pod.queuedReplyBytes(), 4u);
    send(pod, "4\x03");
    EXPECT_EQ(repliesWithin(pod, std::chrono::milliseconds(200)), "UP21!");
    EXPECT_EQ(pod.targetBaudCode(), 4);
}

TEST(PodSimulator, StallHoldsTheRestOfTheReply)
{
    SimulatedClock clock;
    PodSimulator pod({}, clock);
    const auto stall = std::chrono::milliseconds(30);
    pod.injectFault({.kind = FaultKind::Stall, .command = 'Q', .delay = stall, .afterBytes = 2});
    const auto start = clock.now();
    EXPECT_EQ(converse(pod, "Q"), "UP");
    ASSERT_TRUE(pod.nextReplyDue());
    EXPECT_EQ(*pod.nextReplyDue() - start, stall);
    EXPECT_EQ(repliesWithin(pod, std::chrono::milliseconds(200)), "21");
    // Used up; a reply no longer than the bytes before the stall goes out whole.
    EXPECT_EQ(converse(pod, "Q"), "UP21");
    pod.injectFault({.kind = FaultKind::Stall, .delay = stall, .afterBytes = 1});
    EXPECT_EQ(converse(pod, "!"), "!");
}

TEST(PodSimulator, WaitForReplyBlocksUntilAnotherThreadWrites)
{
    PodSimulator pod;
    std::thread writer([&pod] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        const std::string ping = "\x02!\x03";
        pod.hostWrite(reinterpret_cast<const std::uint8_t*>(ping.data()), ping.size());
    });
    EXPECT_TRUE(pod.waitForReply(Clock::now() + std::chrono::seconds(5)));
    writer.join();
    EXPECT_EQ(pod.pendingReplyBytes(), 1u);
    pod.purgeHost();
    EXPECT_EQ(pod.queuedReplyBytes(), 0u);
    EXPECT_FALSE(pod.waitForReply(Clock::now() + std::chrono::milliseconds(5)));
}

// The write that completes the hold point's frame returns only after resume, with the frame taken and answered;
// earlier frames of the prefix pass, and once resumed the point is gone.
TEST(PodSimulator, AHoldPointStopsTheWriterUntilResumed)
{
    PodSimulator pod;
    pod.holdAfter({"K", 1});
    EXPECT_EQ(converse(pod, "K4"), "!");
    std::atomic<bool> returned {false};
    std::thread writer([&] {
        send(pod, "\x02K3\x03");
        returned = true;
    });
    while (!pod.holding())
        std::this_thread::yield();
    EXPECT_FALSE(returned);
    EXPECT_EQ(pod.targetBaudCode(), 3);
    EXPECT_EQ(pod.queuedReplyBytes(), 1u);
    pod.resume();
    writer.join();
    EXPECT_FALSE(pod.holding());
    EXPECT_EQ(converse(pod, "K4"), "!!");
}

} // namespace
} // namespace lumetra::sim
