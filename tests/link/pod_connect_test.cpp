// Finding the USB POD, the connect sequence with its codes and fall-back, and disconnecting.
#include "scripted_transport.h"

#include "link/pod_link.h"

#include <gtest/gtest.h>

namespace lumetra::link {
namespace {

using test::framed;

class PodConnect : public ::testing::Test {
protected:
    PodConnect()
    {
        wire.respond = [this](const std::string& w, int baud) {
            return w.size() > 1 && w[1] == 'K' && kAnswersAt(baud) ? "!" : "";
        };
        wire.failWrite = [this](const std::string& w, int baud) { return w[1] == 'I' && !initWorksAt(baud); };
    }

    bool kAnswersAt(int baud) const { return baud == 0 || baud == answeringBaud || answeringBaud == -1; }
    bool initWorksAt(int baud) const { return baud == 0 || baud == initBaud || initBaud == -1; }

    void findPod(std::vector<std::string> descriptions)
    {
        factory.descriptions = std::move(descriptions);
        ASSERT_TRUE(link.LoadDriver());
        ASSERT_TRUE(link.FindUsbPod());
    }

    std::vector<int> usbBauds() const
    {
        std::vector<int> bauds;
        for (const auto& open : factory.opens) {
            bauds.push_back(open.baud);
        }
        return bauds;
    }

    int answeringBaud = -1;
    int initBaud = -1;
    test::Wire wire;
    test::ScriptedFactory factory{wire};
    CPodLink link{factory};
};

TEST_F(PodConnect, FirstAcceptedDescriptionOnTheBusWins)
{
    EXPECT_FALSE(link.FindUsbPod());  // no driver loaded yet
    factory.descriptions = std::vector<std::string>{"FT232R USB UART", "Korimat USBCOM", "USB POD"};
    ASSERT_TRUE(link.LoadDriver());
    ASSERT_TRUE(link.FindUsbPod());
    EXPECT_EQ(link.usbDescription(), "Korimat USBCOM");
    EXPECT_EQ(link.podKind(), PodKind::UtaPod);

    factory.descriptions = std::vector<std::string>{"USB POD", "Vestral_UTA POD"};
    ASSERT_TRUE(link.FindUsbPod());
    EXPECT_EQ(link.podKind(), PodKind::UsbPod);

    factory.descriptions = std::vector<std::string>{"Vestral_UTA POD"};
    ASSERT_TRUE(link.FindUsbPod());
    EXPECT_EQ(link.podKind(), PodKind::UtaPod);

    factory.descriptions = std::vector<std::string>{"USB POD2", "usb pod"};
    EXPECT_FALSE(link.FindUsbPod());
    EXPECT_FALSE(link.usbPodFound());
    EXPECT_TRUE(link.usbDescription().empty());

    factory.descriptions = std::nullopt;
    EXPECT_FALSE(link.FindUsbPod());
}

TEST_F(PodConnect, DriverThatDoesNotLoad)
{
    factory.driverLoads = false;
    EXPECT_FALSE(link.LoadDriver());
    EXPECT_FALSE(link.FindUsbPod());
    EXPECT_EQ(link.Connect(1, 4, true), ConnectCode::PortNotOpened);
    EXPECT_TRUE(factory.opens.empty());
}

TEST_F(PodConnect, SerialConnectSendsInitialiseThenTargetBaud)
{
    link.setTxDelayIndex(3);
    ASSERT_EQ(link.Connect(16, 2, false), ConnectCode::Connected);
    EXPECT_TRUE(link.connected());
    EXPECT_EQ(factory.opens.at(0).description, "COM16");
    EXPECT_EQ(wire.writes, (std::vector<std::string>{framed("I3"), framed("K2")}));

    // Already connected: nothing is reopened or sent.
    EXPECT_EQ(link.Connect(3, 4, true), ConnectCode::Connected);
    EXPECT_EQ(factory.opens.size(), 1u);
    EXPECT_EQ(wire.writes.size(), 2u);
}

TEST_F(PodConnect, SerialFailuresGiveTheirCodesAndClose)
{
    factory.serialOpens = false;
    EXPECT_EQ(link.Connect(1, 4, false), ConnectCode::PortNotOpened);

    factory.serialOpens = true;
    wire.failWrite = [](const std::string&, int) { return true; };
    EXPECT_EQ(link.Connect(1, 4, false), ConnectCode::InitFailed);
    EXPECT_EQ(wire.closes, 1);
    EXPECT_FALSE(link.connected());

    wire.failWrite = [](const std::string&, int) { return false; };
    wire.respond = [](const std::string&, int) { return std::string("?"); };
    EXPECT_EQ(link.Connect(1, 4, false), ConnectCode::BaudRefused);
    EXPECT_EQ(wire.closes, 2);
    EXPECT_FALSE(link.connected());
}

TEST_F(PodConnect, UsbPodOpensAt921600WithoutFallBack)
{
    findPod({"USB POD"});
    initBaud = 115200;
    EXPECT_EQ(link.Connect(1, 4, true), ConnectCode::InitFailed);
    EXPECT_EQ(usbBauds(), std::vector<int>{921600});

    initBaud = -1;
    answeringBaud = 115200;
    EXPECT_EQ(link.Connect(1, 4, true), ConnectCode::BaudRefused);
    EXPECT_EQ(usbBauds(), (std::vector<int>{921600, 921600}));

    factory.usbOpens = [](int) { return false; };
    EXPECT_EQ(link.Connect(1, 4, true), ConnectCode::PortNotOpened);
}

TEST_F(PodConnect, UtaPodFallsBackTo115200WhenInitialiseFails)
{
    findPod({"Korimat USBCOM"});
    initBaud = 115200;
    answeringBaud = 115200;
    ASSERT_EQ(link.Connect(1, 4, true), ConnectCode::Connected);
    EXPECT_EQ(usbBauds(), (std::vector<int>{460800, 115200}));
    EXPECT_EQ(wire.writes.back(), framed("K4"));  // the target baud follows the second initialise
}

TEST_F(PodConnect, UtaPodWhoseTargetBaudFailsIsConnectedAt115200WithoutRepeatingIt)
{
    findPod({"Vestral_UTA POD"});
    answeringBaud = 115200;
    ASSERT_EQ(link.Connect(1, 4, true), ConnectCode::Connected);
    EXPECT_EQ(usbBauds(), (std::vector<int>{460800, 115200}));
    EXPECT_EQ(wire.writes, (std::vector<std::string>{framed("I3"), framed("K4"), framed("I3")}));
}

TEST_F(PodConnect, UtaPodFallBackThatFailsGivesInitFailed)
{
    findPod({"Vestral_UTA POD"});
    initBaud = 0;  // no USB baud works
    EXPECT_EQ(link.Connect(1, 4, true), ConnectCode::InitFailed);
    EXPECT_EQ(usbBauds(), (std::vector<int>{460800, 115200}));

    initBaud = -1;
    answeringBaud = 0;
    factory.usbOpens = [](int baud) { return baud != 115200; };
    EXPECT_EQ(link.Connect(1, 4, true), ConnectCode::InitFailed);
    EXPECT_FALSE(link.connected());
}

TEST_F(PodConnect, DisconnectKeepsTheTransportWhenCloseIsRefused)
{
    ASSERT_EQ(link.Connect(1, 4, false), ConnectCode::Connected);
    wire.refuseClose = true;
    EXPECT_FALSE(link.Disconnect());
    EXPECT_TRUE(link.connected());
    wire.refuseClose = false;
    EXPECT_TRUE(link.Disconnect());
    EXPECT_FALSE(link.connected());
    EXPECT_TRUE(link.Disconnect());  // nothing open
    EXPECT_FALSE(link.Ping());
}

TEST(ConnectMessages, FixedTexts)
{
    EXPECT_EQ(connectMessage(ConnectCode::Connected), "");
    EXPECT_EQ(connectMessage(ConnectCode::PortNotOpened), "통신 포트를 여는데 실패했읍니다.");
    EXPECT_EQ(connectMessage(ConnectCode::InitFailed), "POD를 초기화하는데 실패했읍니다.");
    EXPECT_EQ(connectMessage(ConnectCode::BaudRefused), "POD의 통신 속도를 설정하는데 실패했읍니다.");
}

} // namespace
} // namespace lumetra::link
