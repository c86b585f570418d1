#include "link/d2xx_transport.h"
#include "link/platform_transport_factory.h"
#include "link/pod_link.h"
#include "simulated_usb_device.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

namespace lumetra::link {
namespace {

using namespace std::chrono_literals;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::Not;
using Clock = std::chrono::steady_clock;

// The platform's factory loads the stand-in library for its USB half.
#ifdef _WIN32
constexpr const char* kMissingLibrary = "C:\\nonexistent\\ftd2xx.dll";
constexpr const char* kLibraryWithoutDriverCalls = "kernel32.dll";
#else
constexpr const char* kMissingLibrary = "/nonexistent/libftd2xx.so";
constexpr const char* kLibraryWithoutDriverCalls = "libm.so.6";
#endif

// The calls from the first one named `first` on, `count` of them.
std::vector<std::string> callsFrom(const std::vector<std::string>& calls, const std::string& first, std::size_t count)
{
    const auto start = std::find(calls.begin(), calls.end(), first);
    const auto available = static_cast<std::size_t>(calls.end() - start);
    return {start, start + static_cast<std::ptrdiff_t>(std::min(count, available))};
}

std::vector<std::uint8_t> bytesOf(std::string_view text)
{
    return {text.begin(), text.end()};
}

class D2xxLinkTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(driver_.loaded()); }

    void attach(
        std::vector<test::standin::DeviceEntry> devices, std::string failingCall = {}, std::uint8_t initialLatency = 16)
    {
        driver_.setup({std::move(devices), initialLatency, std::move(failingCall)});
    }

    void findPod()
    {
        ASSERT_TRUE(link_.LoadDriver());
        ASSERT_TRUE(link_.FindUsbPod());
    }

    test::StandinDriver driver_;
    sim::PodSimulator pod_;
    sim::PodSimulator otherPod_;
    test::SimulatedUsbDevice device_ {pod_};
    test::SimulatedUsbDevice otherDevice_ {otherPod_};
    PlatformTransportFactory factory_ {{std::nullopt, test::StandinDriver::kPath}};
    CPodLink link_ {factory_};
};

TEST(D2xxLibraryLoad, FailsForAMissingLibraryOrOneWithoutTheDriverCalls)
{
    EXPECT_EQ(D2xxLibrary::load(kMissingLibrary), nullptr);
    EXPECT_EQ(D2xxLibrary::load(kLibraryWithoutDriverCalls), nullptr);

    PlatformTransportFactory factory({std::nullopt, kMissingLibrary});
    EXPECT_FALSE(factory.loadUsbDriver());
    EXPECT_EQ(factory.listUsbDescriptions(), std::nullopt);
    EXPECT_EQ(factory.openUsb("USB POD", 921600, 200ms), nullptr);
}

TEST_F(D2xxLinkTest, UsbPodOpensAt921600WithEveryConfigurationStep)
{
    attach({{"USB POD", &device_}});
    findPod();
    EXPECT_EQ(link_.podKind(), PodKind::UsbPod);
    ASSERT_EQ(link_.Connect(1, 4, true), ConnectCode::Connected);

    EXPECT_THAT(callsFrom(driver_.calls(), "FT_OpenEx USB POD", 9),
        ElementsAre("FT_OpenEx USB POD", "FT_ResetDevice", "FT_GetLatencyTimer", "FT_SetLatencyTimer 1",
            "FT_SetBaudRate 921600", "FT_SetDataCharacteristics 8 0 0", "FT_SetFlowControl 0", "FT_SetTimeouts 200 200",
            "FT_Purge 3"));
    EXPECT_EQ(pod_.hostBaud(), 921600);
    EXPECT_EQ(pod_.targetBaudCode(), 4);

    pod_.setWord(0x3F8000, 0x1234);
    pod_.setWord(0x3F8001, 0xABCD);
    std::uint32_t value = 0;
    ASSERT_TRUE(link_.ReadWord(0x3F8000, 'r', value));
    EXPECT_EQ(value, 0x1234u);
    ASSERT_TRUE(link_.ReadNext('r', value));
    EXPECT_EQ(value, 0xABCDu);

    EXPECT_TRUE(link_.Disconnect());
    EXPECT_THAT(driver_.calls(), Contains("FT_Close"));
}

TEST_F(D2xxLinkTest, LatencyTimerAlreadyAtOneMillisecondIsLeftAlone)
{
    attach({{"USB POD", &device_}}, {}, 1);
    findPod();
    ASSERT_EQ(link_.Connect(1, 4, true), ConnectCode::Connected);
    EXPECT_THAT(driver_.calls(), Not(Contains("FT_SetLatencyTimer 1")));
}

TEST_F(D2xxLinkTest, FirstAcceptedDescriptionWinsAndOpensAt460800)
{
    attach({{"Other serial", nullptr}, {"Korimat USBCOM", &device_}, {"USB POD", &otherDevice_}});
    findPod();
    EXPECT_EQ(link_.usbDescription(), "Korimat USBCOM");
    EXPECT_EQ(link_.podKind(), PodKind::UtaPod);
    ASSERT_EQ(link_.Connect(1, 4, true), ConnectCode::Connected);
    EXPECT_EQ(pod_.hostBaud(), 460800);
    EXPECT_EQ(otherPod_.txDelayIndex(), -1);
}

TEST_F(D2xxLinkTest, UtaPodThatOnlyAnswersAt115200EndsConnectedAt115200)
{
    pod_.configure([](sim::SimConfig& config) { config.answeringHostBauds = {115200}; });
    attach({{"Vestral_UTA POD", &device_}});
    findPod();
    ASSERT_EQ(link_.Connect(1, 4, true), ConnectCode::Connected);
    const auto calls = driver_.calls();
    const auto fast = std::find(calls.begin(), calls.end(), "FT_SetBaudRate 460800");
    const auto fallback = std::find(calls.begin(), calls.end(), "FT_SetBaudRate 115200");
    EXPECT_LT(fast, fallback);
    EXPECT_NE(fallback, calls.end());
    EXPECT_EQ(pod_.hostBaud(), 115200);
}

TEST_F(D2xxLinkTest, UsbPodGetsNoFallback)
{
    pod_.configure([](sim::SimConfig& config) { config.answeringHostBauds = {115200}; });
    attach({{"USB POD", &device_}});
    findPod();
    // `I` has no reply: at the wrong speed it is the `K` acknowledgement that goes missing.
    EXPECT_EQ(link_.Connect(1, 4, true), ConnectCode::BaudRefused);
    EXPECT_THAT(driver_.calls(), Not(Contains("FT_SetBaudRate 115200")));

    sim::Fault hangUp;
    hangUp.kind = sim::FaultKind::HangUp;
    pod_.injectFault(hangUp);
    EXPECT_EQ(link_.Connect(1, 4, true), ConnectCode::InitFailed);
    EXPECT_THAT(driver_.calls(), Not(Contains("FT_SetBaudRate 115200")));
}

TEST_F(D2xxLinkTest, AFailingOpenStepClosesTheDeviceAndFailsTheConnect)
{
    attach({{"USB POD", &device_}}, "FT_SetBaudRate");
    findPod();
    EXPECT_EQ(link_.Connect(1, 4, true), ConnectCode::PortNotOpened);
    EXPECT_EQ(driver_.calls().back(), "FT_Close");

    attach({{"USB POD", &device_}}, "FT_OpenEx");
    EXPECT_EQ(link_.Connect(1, 4, true), ConnectCode::PortNotOpened);
    EXPECT_THAT(driver_.calls(), Not(Contains("FT_Close")));
}

TEST_F(D2xxLinkTest, NoPodAmongTheDevices)
{
    attach({{"Other serial", nullptr}, {"USB POD2", &device_}});
    ASSERT_TRUE(link_.LoadDriver());
    EXPECT_FALSE(link_.FindUsbPod());
    EXPECT_EQ(link_.Connect(1, 4, true), ConnectCode::PortNotOpened);
}

class D2xxTransportTest : public D2xxLinkTest {
protected:
    void SetUp() override
    {
        D2xxLinkTest::SetUp();
        attach({{"USB POD", &device_}});
        ASSERT_TRUE(factory_.loadUsbDriver());
        transport_ = factory_.openUsb("USB POD", 921600, 200ms);
        ASSERT_NE(transport_, nullptr);
    }

    bool send(std::string_view frame) { return transport_->write(bytesOf(frame).data(), frame.size(), 200ms); }

    std::unique_ptr<Transport> transport_;
};

TEST_F(D2xxTransportTest, ReplyThatStopsFailsAfterTheInterByteSilence)
{
    pod_.injectFault({sim::FaultKind::ShortReply, 'Q'});
    ASSERT_TRUE(send("\x02Q\x03"));
    std::uint8_t reply[4] = {};
    const auto start = Clock::now();
    EXPECT_FALSE(transport_->read(reply, sizeof reply, 5000ms, 100ms));
    const auto elapsed = Clock::now() - start;
    EXPECT_GE(elapsed, 100ms);
    EXPECT_LT(elapsed, 2500ms);
    EXPECT_EQ(std::string(reply, reply + 3), "UP2");
    EXPECT_THAT(driver_.calls(), Contains("FT_SetTimeouts 100 200"));
}

TEST_F(D2xxTransportTest, CompleteReplyAndFirstByteTimeout)
{
    ASSERT_TRUE(send("\x02Q\x03"));
    std::uint8_t reply[4] = {};
    ASSERT_TRUE(transport_->read(reply, sizeof reply, 5000ms, 100ms));
    EXPECT_EQ(std::string(reply, reply + 4), "UP21");

    const auto start = Clock::now();
    EXPECT_FALSE(transport_->read(reply, 1, 50ms, 100ms));
    EXPECT_GE(Clock::now() - start, 50ms);
}

TEST_F(D2xxTransportTest, WriteWaitsForTheTransmitQueueToDrain)
{
    pod_.configure([](sim::SimConfig& config) { config.wireTime = true; });
    pod_.setHostBaud(115200);
    const std::string filler(300, 'x'); // about 26 ms on the wire
    const auto start = Clock::now();
    EXPECT_TRUE(transport_->write(bytesOf(filler).data(), filler.size(), 1000ms));
    EXPECT_GE(Clock::now() - start, 20ms);

    EXPECT_FALSE(transport_->write(bytesOf(filler).data(), filler.size(), 2ms));
}

TEST_F(D2xxTransportTest, BytesWaitingPurgeAndARefusedClose)
{
    ASSERT_TRUE(send("\x02!\x03"));
    ASSERT_TRUE(pod_.waitForReply(Clock::now() + 1s));
    EXPECT_EQ(transport_->bytesWaiting(), 1u);
    transport_->purge();
    EXPECT_EQ(transport_->bytesWaiting(), 0u);

    // A driver that refuses to close keeps the device open and usable.
    driver_.failCall("FT_Close");
    EXPECT_FALSE(transport_->close());
    EXPECT_EQ(transport_->bytesWaiting(), 0u);
    driver_.failCall("");
    EXPECT_TRUE(transport_->close());
    EXPECT_EQ(transport_->bytesWaiting(), std::nullopt);
}

} // namespace
} // namespace lumetra::link
