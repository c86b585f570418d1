// POSIX serial devices and pseudo-terminals only.
#ifndef _WIN32

#include "link/posix_serial_transport.h"
#include "sim/pseudo_terminal.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <numeric>
#include <poll.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace lumetra::link {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

class PosixSerialTransportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        pty_ = sim::PseudoTerminal::open();
        ASSERT_NE(pty_, nullptr);
        port_ = PosixSerialTransport::open(pty_->slavePath());
        ASSERT_NE(port_, nullptr);
    }

    void podSends(const std::vector<std::uint8_t>& bytes)
    {
        ASSERT_EQ(::write(pty_->masterFd(), bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }

    std::vector<std::uint8_t> podReceives(std::size_t count)
    {
        std::vector<std::uint8_t> bytes;
        const auto deadline = Clock::now() + 2s;
        while (bytes.size() < count && Clock::now() < deadline) {
            pollfd pfd {pty_->masterFd(), POLLIN, 0};
            if (::poll(&pfd, 1, 100) <= 0)
                continue;
            std::uint8_t chunk[512];
            const ssize_t n = ::read(pty_->masterFd(), chunk, std::min(sizeof chunk, count - bytes.size()));
            if (n > 0)
                bytes.insert(bytes.end(), chunk, chunk + n);
        }
        return bytes;
    }

    void waitUntilWaiting(std::size_t count)
    {
        const auto deadline = Clock::now() + 2s;
        while (port_->bytesWaiting() != count && Clock::now() < deadline)
            std::this_thread::sleep_for(1ms);
        ASSERT_EQ(port_->bytesWaiting(), count);
    }

    std::unique_ptr<sim::PseudoTerminal> pty_;
    std::unique_ptr<PosixSerialTransport> port_;
};

std::vector<std::uint8_t> everyByteValue()
{
    std::vector<std::uint8_t> bytes(256);
    std::iota(bytes.begin(), bytes.end(), std::uint8_t {0});
    return bytes;
}

// Raw mode: control characters (CR, LF, XON/XOFF, ^C, EOF) pass untouched in both directions.
TEST_F(PosixSerialTransportTest, CarriesEveryByteValueUnchangedBothWays)
{
    const auto bytes = everyByteValue();
    ASSERT_TRUE(port_->write(bytes.data(), bytes.size(), 200ms));
    EXPECT_EQ(podReceives(bytes.size()), bytes);

    podSends(bytes);
    std::vector<std::uint8_t> reply(bytes.size());
    ASSERT_TRUE(port_->read(reply.data(), reply.size(), 2000ms, 100ms));
    EXPECT_EQ(reply, bytes);
}

TEST_F(PosixSerialTransportTest, ReadReturnsAsSoonAsTheReplyIsComplete)
{
    std::thread pod([this] {
        podSends({'!', '1'});
        std::this_thread::sleep_for(30ms);
        podSends({'2', '\r'});
    });
    std::uint8_t reply[4] = {};
    const auto start = Clock::now();
    EXPECT_TRUE(port_->read(reply, sizeof reply, 5000ms, 100ms));
    EXPECT_LT(Clock::now() - start, 2000ms);
    pod.join();
    EXPECT_EQ(std::string(reply, reply + 4), "!12\r");
}

TEST_F(PosixSerialTransportTest, SilenceBeforeTheFirstByteFailsAfterTheFirstByteTimeout)
{
    std::uint8_t byte = 0;
    const auto start = Clock::now();
    EXPECT_FALSE(port_->read(&byte, 1, 50ms, 100ms));
    const auto elapsed = Clock::now() - start;
    EXPECT_GE(elapsed, 50ms);
    EXPECT_LT(elapsed, 1500ms);
}

// A reply that stops part-way fails after the inter-byte silence, not after the long first-byte time-out.
TEST_F(PosixSerialTransportTest, ReplyThatStopsFailsAfterInterByteSilence)
{
    podSends({'1', '2', '3'});
    std::uint8_t reply[9] = {};
    const auto start = Clock::now();
    EXPECT_FALSE(port_->read(reply, sizeof reply, 5000ms, 100ms));
    const auto elapsed = Clock::now() - start;
    EXPECT_GE(elapsed, 100ms);
    EXPECT_LT(elapsed, 2500ms);
    EXPECT_EQ(std::string(reply, reply + 3), "123");
}

TEST_F(PosixSerialTransportTest, BytesWaitingAndPurge)
{
    EXPECT_EQ(port_->bytesWaiting(), 0u);
    podSends({'x', 'y', 'z', '!', '!'});
    waitUntilWaiting(5);

    port_->purge();
    EXPECT_EQ(port_->bytesWaiting(), 0u);
    std::uint8_t byte = 0;
    EXPECT_FALSE(port_->read(&byte, 1, 20ms, 20ms));
}

TEST_F(PosixSerialTransportTest, HangUpEndsAReadAtOnce)
{
    pty_.reset();
    std::uint8_t byte = 0;
    const auto start = Clock::now();
    EXPECT_FALSE(port_->read(&byte, 1, 5000ms, 100ms));
    EXPECT_LT(Clock::now() - start, 2000ms);
}

TEST_F(PosixSerialTransportTest, ClosedPortRefusesEverythingAndCanBeReopened)
{
    EXPECT_TRUE(port_->close());
    const std::uint8_t frame[] = {0x02, '!', 0x03};
    EXPECT_FALSE(port_->write(frame, sizeof frame, 100ms));
    std::uint8_t byte = 0;
    EXPECT_FALSE(port_->read(&byte, 1, 10ms, 10ms));
    EXPECT_EQ(port_->bytesWaiting(), std::nullopt);

    EXPECT_NE(PosixSerialTransport::open(pty_->slavePath()), nullptr);
}

TEST(PosixSerialTransportOpen, FailsForAMissingDeviceOrANonTerminal)
{
    EXPECT_EQ(PosixSerialTransport::open("/dev/lumetra-no-such-port"), nullptr);
    EXPECT_EQ(PosixSerialTransport::open("/dev/null"), nullptr);
    EXPECT_EQ(PosixSerialTransport::open(""), nullptr);
}

} // namespace
} // namespace lumetra::link

#endif
