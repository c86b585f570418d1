// CPodLink over the Win32 serial transport on a COM port that Wine maps to lumetra-podsim's pseudo-terminal.
// Run by with_podsim_on_com_port, which serves the simulator and names the ports in the environment.
#ifdef _WIN32

#include "link/pod_link.h"
#include "link/win32_serial_transport.h"
#include "link/win32_transport_factory.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace lumetra::link {
namespace {

using namespace std::chrono_literals;

// The COM number the environment variable `name` gives; 0 when it is not set.
int comPortFromEnvironment(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr ? std::atoi(value) : 0;
}

class Win32SerialLinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_GT(podPort_, 0) << "LUMETRA_PODSIM_COM_PORT names the COM port served by lumetra-podsim";
        ASSERT_GT(missingPort_, 0) << "LUMETRA_MISSING_COM_PORT names a COM port that does not exist";
    }

    const int podPort_ = comPortFromEnvironment("LUMETRA_PODSIM_COM_PORT");
    const int missingPort_ = comPortFromEnvironment("LUMETRA_MISSING_COM_PORT");
    Win32TransportFactory factory_;
    CPodLink link_ {factory_};
};

TEST_F(Win32SerialLinkTest, PingVersionReadWriteAndDisconnect)
{
    ASSERT_EQ(link_.Connect(podPort_, 4, false), ConnectCode::Connected);
    EXPECT_EQ(link_.portName(), "COM" + std::to_string(podPort_));
    EXPECT_TRUE(link_.Ping());
    EXPECT_EQ(link_.QueryFirmwareVersion(), 21);

    ASSERT_TRUE(link_.WriteWord(1, 0x8000, 0x1234));
    ASSERT_TRUE(link_.WriteWord(1, 0x8001, 0x5678));
    ASSERT_TRUE(link_.WriteWord(2, 0x3F8000, 0xCAFEF00D));
    std::uint32_t value = 0;
    ASSERT_TRUE(link_.ReadWord(0x8000, 'r', value));
    EXPECT_EQ(value, 0x1234u);
    ASSERT_TRUE(link_.ReadNext('r', value));
    EXPECT_EQ(value, 0x5678u);
    ASSERT_TRUE(link_.ReadWord(0x3F8000, 'r', value));
    EXPECT_EQ(value, 0xF00Du);
    ASSERT_TRUE(link_.ReadNext('r', value));
    EXPECT_EQ(value, 0xCAFEu);

    EXPECT_TRUE(link_.Disconnect());
    EXPECT_FALSE(link_.connected());
    EXPECT_FALSE(link_.Ping());

    // The port is free again for the next connection.
    ASSERT_EQ(link_.Connect(podPort_, 4, false), ConnectCode::Connected);
    EXPECT_TRUE(link_.Ping());
    EXPECT_TRUE(link_.Disconnect());
}

TEST_F(Win32SerialLinkTest, SilentPortFailsAfterItsTimeOut)
{
    auto port = Win32SerialTransport::open(podPort_, "", 200ms);
    ASSERT_NE(port, nullptr);
    std::uint8_t byte = 0;
    // Nothing was asked, so nothing comes.
    EXPECT_FALSE(port->read(&byte, 1, 50ms, 50ms));
    EXPECT_EQ(port->bytesWaiting(), std::optional<std::size_t>(0));
    EXPECT_TRUE(port->close());
}

// Wine does not refuse a second open of a COM port in use, so the exclusive open is not checked here.
TEST_F(Win32SerialLinkTest, MissingPortFailsToOpen)
{
    EXPECT_EQ(Win32SerialTransport::open(missingPort_, "", 200ms), nullptr);
    EXPECT_EQ(link_.Connect(missingPort_, 4, false), ConnectCode::PortNotOpened);
    EXPECT_FALSE(link_.connected());
    EXPECT_EQ(Win32SerialTransport::open(0, "", 200ms), nullptr);
}

} // namespace
} // namespace lumetra::link

#endif
