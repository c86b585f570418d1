// CPodLink over the POSIX serial transport, with the simulator served on a pseudo-terminal.
// POSIX serial devices and pseudo-terminals only.
#ifndef _WIN32

#include "link/pod_link.h"
#include "link/posix_serial_transport.h"
#include "link/posix_transport_factory.h"
#include "sim/pty_server.h"
#include "support/timed_transport.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <thread>
#include <unistd.h>

namespace lumetra::link {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

class PtySerialLinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        terminal_ = sim::PseudoTerminal::open();
        ASSERT_NE(terminal_, nullptr);
        ASSERT_EQ(::pipe2(stop_, O_CLOEXEC), 0);
        server_ = std::thread([this] { served_ = sim::PtyServer(*terminal_, pod_).run(stop_[0]); });
        factory_ = std::make_unique<PosixTransportFactory>(
            PosixTransportFactory::Options {terminal_->slavePath(), D2xxLibrary::defaultName()});
        link_ = std::make_unique<CPodLink>(*factory_);
    }

    void TearDown() override
    {
        link_.reset();
        const char byte = 0;
        EXPECT_EQ(::write(stop_[1], &byte, 1), 1);
        server_.join();
        EXPECT_TRUE(served_);
        ::close(stop_[0]);
        ::close(stop_[1]);
    }

    sim::PodSimulator pod_;
    std::unique_ptr<sim::PseudoTerminal> terminal_;
    int stop_[2] = {-1, -1};
    std::thread server_;
    bool served_ = false;
    std::unique_ptr<PosixTransportFactory> factory_;
    std::unique_ptr<CPodLink> link_;
};

TEST_F(PtySerialLinkTest, ConnectsAndReadsAndWritesMemory)
{
    ASSERT_EQ(link_->Connect(1, 2, false), ConnectCode::Connected);
    EXPECT_EQ(pod_.targetBaudCode(), 2);
    EXPECT_TRUE(link_->Ping());

    pod_.setWord(0x8000, 0x1234);
    pod_.setWord(0x8001, 0x5678);
    std::uint32_t value = 0;
    ASSERT_TRUE(link_->ReadWord(0x8000, 'r', value));
    EXPECT_EQ(value, 0x1234u);
    ASSERT_TRUE(link_->ReadNext('r', value));
    EXPECT_EQ(value, 0x5678u);

    ASSERT_TRUE(link_->WriteWord(2, 0x3F8000, 0xCAFEF00D));
    EXPECT_EQ(pod_.words(0x3F8000, 2), (std::vector<std::uint16_t> {0xF00D, 0xCAFE}));
    EXPECT_TRUE(link_->Disconnect());
}

// The server keeps the terminal between clients: a second connection works after the first has closed.
TEST_F(PtySerialLinkTest, ServesOneClientAfterAnother)
{
    ASSERT_EQ(link_->Connect(1, 4, false), ConnectCode::Connected);
    ASSERT_TRUE(link_->Disconnect());
    ASSERT_EQ(link_->Connect(1, 4, false), ConnectCode::Connected);
    EXPECT_EQ(link_->QueryFirmwareVersion(), 21);
}

// A second program on the port is refused while the first has it, a privileged one too, and is told why; the
// refused opens leave nothing behind, so the port opens once the first has closed it.
TEST_F(PtySerialLinkTest, ASecondProgramOnThePortIsRefusedAsInUseUntilTheFirstCloses)
{
    ASSERT_EQ(link_->Connect(1, 4, false), ConnectCode::Connected);

    OpenFailure failure;
    EXPECT_EQ(PosixSerialTransport::open(terminal_->slavePath(), &failure), nullptr);
    EXPECT_TRUE(failure.inUse);
    ASSERT_TRUE(failure.cause);
    PosixTransportFactory otherFactory({terminal_->slavePath(), D2xxLibrary::defaultName()});
    CPodLink other(otherFactory);
    EXPECT_EQ(other.Connect(1, 4, false), ConnectCode::PortNotOpened);
    EXPECT_EQ(
        other.lastFailure(), terminal_->slavePath() + " 포트를 다른 프로그램이 사용하고 있읍니다: " + failure.cause.message());

    ASSERT_TRUE(link_->Disconnect());
    ASSERT_EQ(other.Connect(1, 4, false), ConnectCode::Connected);
    EXPECT_TRUE(other.Ping());
}

TEST_F(PtySerialLinkTest, ReplyThatStopsFailsWithoutWaitingForTheLongTimeout)
{
    ASSERT_EQ(link_->Connect(1, 4, false), ConnectCode::Connected);
    pod_.injectFault({sim::FaultKind::ShortReply, 'r', 0, -1});
    std::uint32_t value = 0;
    const auto start = Clock::now();
    EXPECT_FALSE(link_->ReadWord(0x8000, 'r', value));
    // Two attempts, each ending on the inter-byte silence rather than the 2000 ms reply time-out.
    EXPECT_LT(Clock::now() - start, 2000ms);
}

// At the port itself, with explicit time-outs: a failing read lasts its allowed silence, no less.
TEST_F(PtySerialLinkTest, FaultsMakePortReadsLastTheirTimeOuts)
{
    auto port = PosixSerialTransport::open(terminal_->slavePath());
    ASSERT_NE(port, nullptr);

    pod_.injectFault({.kind = sim::FaultKind::NoReply, .command = '!'});
    ASSERT_TRUE(test::timedSend(*port, "!").ok);
    const auto silent = test::timedRead(*port, 1, 100ms, 40ms);
    EXPECT_FALSE(silent.ok);
    EXPECT_TRUE(test::lastedAbout(silent.took, 100ms));

    pod_.injectFault({.kind = sim::FaultKind::ShortReply, .command = 'R'});
    ASSERT_TRUE(test::timedSend(*port, "R").ok);
    const auto cut = test::timedRead(*port, 5, 1000ms, 60ms);
    EXPECT_FALSE(cut.ok);
    EXPECT_TRUE(test::lastedAbout(cut.took, 60ms));

    pod_.injectFault({.kind = sim::FaultKind::Stall, .command = 'Q', .delay = 300ms, .afterBytes = 2});
    const auto sent = Clock::now();
    ASSERT_TRUE(test::timedSend(*port, "Q").ok);
    const auto stalled = test::timedRead(*port, 4, 1000ms, 60ms);
    EXPECT_FALSE(stalled.ok);
    EXPECT_EQ(stalled.bytes, std::string("UP\0\0", 4));
    EXPECT_TRUE(test::lastedAbout(stalled.took, 60ms));
    const auto rest = test::timedRead(*port, 2, 1000ms, 60ms);
    EXPECT_TRUE(rest.ok);
    EXPECT_EQ(rest.bytes, "21");
    EXPECT_TRUE(test::lastedAbout(Clock::now() - sent, 300ms));
}

// A POD that hangs up takes the line with it: the open port's read ends at once, its writes fail, and the
// device can no longer be opened.
TEST_F(PtySerialLinkTest, HangUpFailsTheOpenPortAndTakesTheDeviceAway)
{
    auto port = PosixSerialTransport::open(terminal_->slavePath());
    ASSERT_NE(port, nullptr);
    pod_.injectFault({.kind = sim::FaultKind::HangUp});
    test::timedSend(*port, "!"); // the bytes may leave before the line goes down
    const auto read = test::timedRead(*port, 1, 1000ms, 100ms);
    EXPECT_FALSE(read.ok);
    EXPECT_TRUE(test::lastedAbout(read.took, 0ms));
    const auto write = test::timedSend(*port, "!");
    EXPECT_FALSE(write.ok);
    EXPECT_TRUE(test::lastedAbout(write.took, 0ms));
    EXPECT_EQ(PosixSerialTransport::open(terminal_->slavePath()), nullptr);
}

TEST_F(PtySerialLinkTest, HangUpDuringConnectRefusesTheBaudThenThePort)
{
    // `I` (4 bytes) still arrives; the POD is gone from the `K` on.
    pod_.injectFault({.kind = sim::FaultKind::HangUp, .afterBytes = 4});
    EXPECT_EQ(link_->Connect(1, 4, false), ConnectCode::BaudRefused);
    EXPECT_EQ(pod_.txDelayIndex(), 3);
    EXPECT_EQ(link_->Connect(1, 4, false), ConnectCode::PortNotOpened);
}

TEST(PtySerialLinkOpen, AMissingDeviceIsPortNotOpened)
{
    PosixTransportFactory factory({std::string("/dev/lumetra-no-such-port"), D2xxLibrary::defaultName()});
    CPodLink link(factory);
    EXPECT_EQ(link.Connect(1, 4, false), ConnectCode::PortNotOpened);
    EXPECT_EQ(link.lastFailure(),
        "/dev/lumetra-no-such-port 포트를 열지 못했읍니다: "
            + std::make_error_code(std::errc::no_such_file_or_directory).message());
}

TEST(SerialDeviceForComPort, PrefersAUsbSerialAdapterThenTheBuiltInPort)
{
    const auto none = [](const std::string&) { return false; };
    const auto usb0 = [](const std::string& path) { return path == "/dev/ttyUSB0"; };
    EXPECT_EQ(serialDeviceForComPort(1, none), "/dev/ttyS0");
    EXPECT_EQ(serialDeviceForComPort(1, usb0), "/dev/ttyUSB0");
    EXPECT_EQ(serialDeviceForComPort(16, usb0), "/dev/ttyS15");
    EXPECT_EQ(serialDeviceForComPort(0, usb0), "");
}

} // namespace
} // namespace lumetra::link

#endif
