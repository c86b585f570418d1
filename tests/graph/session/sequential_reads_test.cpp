// A memory graph of one channel reads its block with the short ReadNext after the first element: the same
// values as addressing every element, and after a fault either the same values or the failure, never a value of
// another element.
#include "graph_test_doubles.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace lumetra::graph {
namespace {

using namespace std::chrono_literals;
using sim::FaultKind;
using test::channel;
using test::GraphHarness;

constexpr std::uint32_t kBlock = 0x9000;
constexpr std::uint32_t kLength = 40;

std::size_t countFrames(const std::vector<std::string>& trace, char letter)
{
    return static_cast<std::size_t>(
        std::count_if(trace.begin(), trace.end(), [&](const std::string& f) { return !f.empty() && f[0] == letter; }));
}

class SequentialReads : public ::testing::Test {
protected:
    SequentialReads() { h.fillWords(kBlock, 2 * kLength + 0x20); }

    // Runs a memory graph of the given channels and returns the points of every channel.
    std::vector<std::vector<double>> acquire(std::vector<GraphChannel> channels)
    {
        auto session = h.session({test::memoryEnvironment(kLength), false, std::move(channels), test::kColours});
        session->open();
        h.pod.clearTrace();
        h.run(*session);
        std::vector<std::vector<double>> points;
        for (int line = 0; line < h.charts[0].dataLineCount(); ++line)
            points.push_back(h.charts[0].values(line));
        return points;
    }

    std::vector<double> addressedWay(std::uint32_t type)
    {
        GraphHarness other;
        other.fillWords(kBlock, 2 * kLength + 0x20);
        auto session = other.session({test::memoryEnvironment(kLength), false,
            {channel("A", kBlock, kLength, type), channel("B", kBlock, kLength, type)}, test::kColours});
        session->open();
        other.run(*session);
        EXPECT_EQ(other.charts[0].values(0), other.charts[0].values(1));
        return other.charts[0].values(0);
    }

    GraphHarness h;
};

TEST_F(SequentialReads, OneChannelAddressesThePodOnceForTheBlock)
{
    for (const std::uint32_t type : {13u, 15u}) {
        const auto points = acquire({channel("A", kBlock, kLength, type)});
        const auto trace = h.pod.trace();
        const char mode = type == 13 ? 'r' : 'l';
        EXPECT_EQ(countFrames(trace, '@'), 1u) << type;
        EXPECT_EQ(countFrames(trace, mode), kLength) << type;
        EXPECT_EQ(trace.size(), kLength + 1) << type;
        EXPECT_EQ(points.at(0), addressedWay(type)) << type;
    }
}

TEST_F(SequentialReads, TwoChannelsAddressEveryRead)
{
    acquire({channel("A", kBlock, kLength), channel("B", kBlock + 0x20, kLength)});
    const auto trace = h.pod.trace();
    EXPECT_EQ(countFrames(trace, '@'), 2 * kLength);
    EXPECT_EQ(countFrames(trace, 'r'), 2 * kLength);
}

TEST_F(SequentialReads, AResumedRunAddressesThePodAgain)
{
    auto session = h.session({test::memoryEnvironment(kLength), false, {channel("A", kBlock, kLength)}, test::kColours});
    session->open();
    h.run(*session, 10);
    session->stop();
    // Something else reads through the link in between.
    std::uint32_t value = 0;
    ASSERT_TRUE(h.link.ReadWord(0x8000, 'r', value));
    h.pod.clearTrace();
    session->start();
    h.run(*session);
    EXPECT_EQ(countFrames(h.pod.trace(), '@'), 1u);
    EXPECT_EQ(h.charts[0].values(0), addressedWay(13));
}

struct FaultCase {
    FaultKind kind;
    char mode;
};

std::string caseName(const ::testing::TestParamInfo<FaultCase>& info)
{
    static constexpr const char* kinds[] = {"NoReply", "WrongAck", "ShortReply", "Delay", "Stall", "StrayByte", "HangUp"};
    return std::string(kinds[static_cast<int>(info.param.kind)]) + "_" + info.param.mode;
}

class SequentialReadFault : public SequentialReads, public ::testing::WithParamInterface<FaultCase> { };

// One fault in the middle of the block: the retry re-addresses the element (values equal), or the read fails
// with the message and the points before it are the right ones.
TEST_P(SequentialReadFault, ValuesEqualTheAddressedWayOrTheReadFails)
{
    const FaultCase c = GetParam();
    const std::uint32_t type = c.mode == 'r' ? 13 : 15;
    sim::Fault fault {.kind = c.kind, .command = c.mode, .skip = static_cast<int>(kLength / 2), .count = 1};
    if (c.kind == FaultKind::Delay || c.kind == FaultKind::Stall)
        fault.delay = 2500ms;
    if (c.kind == FaultKind::Stall)
        fault.afterBytes = 2;
    auto session = h.session({test::memoryEnvironment(kLength), false, {channel("A", kBlock, kLength, type)},
        test::kColours});
    session->open();
    h.pod.clearTrace();
    h.pod.injectFault(fault);
    h.run(*session);
    const std::vector<double> expected = addressedWay(type);
    const std::vector<double> got = h.charts[0].values(0);
    if (h.prompts.messages.empty()) {
        EXPECT_EQ(got, expected);
        EXPECT_EQ(countFrames(h.pod.trace(), '@'), 2u) << "the retry addresses the faulted element";
    } else {
        EXPECT_EQ(h.prompts.texts(), (std::vector<std::string> {"통신 오류 발생 !"}));
        ASSERT_LE(got.size(), expected.size());
        EXPECT_TRUE(std::equal(got.begin(), got.end(), expected.begin()));
    }
    if (c.kind != FaultKind::Delay && c.kind != FaultKind::Stall) {
        EXPECT_TRUE(h.prompts.messages.empty()) << "one lost, cut or wrong reply is absorbed by the retry";
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, SequentialReadFault,
    ::testing::Values(FaultCase {FaultKind::NoReply, 'r'}, FaultCase {FaultKind::WrongAck, 'r'},
        FaultCase {FaultKind::ShortReply, 'r'}, FaultCase {FaultKind::Delay, 'r'}, FaultCase {FaultKind::Stall, 'l'},
        FaultCase {FaultKind::WrongAck, 'l'}, FaultCase {FaultKind::ShortReply, 'l'}),
    caseName);

} // namespace
} // namespace lumetra::graph
