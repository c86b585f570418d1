#include "app/firmware_check.h"

#include "sim/in_process_transport.h"
#include "sim/pod_simulator.h"

#include <gtest/gtest.h>

namespace lumetra::app {
namespace {

class FirmwareCheckTest : public ::testing::Test {
protected:
    core::SettingsDialogState serialDialog()
    {
        core::SettingsDialogState state;
        state.port = core::PortType::Serial;
        state.comPortPosition = 2;
        state.speedText = "38400";
        return state;
    }

    sim::PodSimulator simulator;
    sim::InProcessTransportFactory factory {simulator};
    link::CPodLink link {factory};
    core::UsbAccess usb {[this] { return link.LoadDriver(); }, [this] { return link.FindUsbPod(); }};
};

TEST_F(FirmwareCheckTest, ReportsTheVersionWithTheDialogsChoicesAndClosesTheLink)
{
    simulator.configure([](sim::SimConfig& config) { config.firmwareVersion = 13; });
    const FirmwareCheckResult result = checkPodFirmware(link, serialDialog(), usb);
    EXPECT_FALSE(result.failure);
    EXPECT_EQ(result.report.firstLine, "[ POD Firmware Version : 1.30 ]");
    EXPECT_EQ(result.report.secondLine, "[ Vestral Lumetra Ver1.30 이상을 사용하십시요 ]");
    EXPECT_EQ(simulator.targetBaudCode(), 2); // "38400"
    EXPECT_FALSE(link.connected());
}

TEST_F(FirmwareCheckTest, AQueryWithoutAnswerReportsTheFailureLine)
{
    simulator.injectFault({.kind = sim::FaultKind::NoReply, .command = 'Q', .count = -1});
    const FirmwareCheckResult result = checkPodFirmware(link, serialDialog(), usb);
    EXPECT_FALSE(result.failure);
    EXPECT_EQ(result.report.firstLine, "POD의 Firmware Version을 얻는데 실패했읍니다.");
    EXPECT_FALSE(link.connected());
}

TEST_F(FirmwareCheckTest, UsbWithoutDriverOrPodIsRefusedBeforeConnecting)
{
    core::SettingsDialogState usbDialog = serialDialog();
    usbDialog.port = core::PortType::Usb;
    factory.ports().usbPodAttached = false;
    FirmwareCheckResult result = checkPodFirmware(link, usbDialog, usb);
    ASSERT_TRUE(result.failure);
    EXPECT_EQ(result.failure->text, "USB POD의 연결 상태에 문제가 발생하였읍니다.");

    factory.ports().usbDriverPresent = false;
    sim::PodSimulator other;
    sim::InProcessTransportFactory noDriver(other, {.usbDriverPresent = false});
    link::CPodLink bare(noDriver);
    result = checkPodFirmware(
        bare, usbDialog, {[&bare] { return bare.LoadDriver(); }, [&bare] { return bare.FindUsbPod(); }});
    ASSERT_TRUE(result.failure);
    EXPECT_EQ(result.failure->text, "FTD2XX.dll 파일를 로드할 수 없읍니다.");
    EXPECT_EQ(result.failure->icon, core::MessageIcon::Error);
}

TEST_F(FirmwareCheckTest, AClosedSerialPortShowsTheConnectMessage)
{
    factory.ports().serialPortPresent = false;
    const FirmwareCheckResult result = checkPodFirmware(link, serialDialog(), usb);
    ASSERT_TRUE(result.failure);
    EXPECT_EQ(result.failure->text, link::connectMessage(link::ConnectCode::PortNotOpened));
}

} // namespace
} // namespace lumetra::app
