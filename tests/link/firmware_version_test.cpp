// The firmware version report of the settings dialog and the data-flash gate.
#include "link/firmware_version.h"

#include <gtest/gtest.h>

namespace lumetra::link {
namespace {

TEST(FirmwareReport, FixedLinesForKnownVersions)
{
    EXPECT_EQ(firmwareReport(0).firstLine, "POD의 Firmware Version을 얻는데 실패했읍니다.");
    EXPECT_FALSE(firmwareReport(0).secondLine);
    EXPECT_EQ(firmwareReport(10).firstLine, "[ POD Firmware Version : 1.00 -> Version 1.30 Upgrade 요망 ]");
    EXPECT_EQ(firmwareReport(10).secondLine, "[ Vestral Lumetra Ver1.15 이하를 사용하십시요 -> Version 1.30 Upgrade 요망 ]");
    EXPECT_EQ(firmwareReport(11).firstLine, "[ POD Firmware Version : 1.10 ]");
    EXPECT_EQ(firmwareReport(11).secondLine, "[ Vestral Lumetra Ver1.20 이상을 사용하십시요 -> Version 1.30 Upgrade 요망 ]");
    EXPECT_EQ(firmwareReport(12).firstLine, "[ POD Firmware Version : 1.2 ]");
    EXPECT_EQ(firmwareReport(12).secondLine, "[ Vestral Lumetra Ver1.22 이상을 사용하십시요 ]");
    EXPECT_EQ(firmwareReport(13).firstLine, "[ POD Firmware Version : 1.30 ]");
    EXPECT_EQ(firmwareReport(13).secondLine, "[ Vestral Lumetra Ver1.30 이상을 사용하십시요 ]");
}

TEST(FirmwareReport, OtherVersionsShowMajorMinorAndATrailingZero)
{
    EXPECT_EQ(firmwareReport(19).firstLine, "[ POD Firmware Version : 1.90 ]");
    EXPECT_EQ(firmwareReport(21).firstLine, "[ POD Firmware Version : 2.10 ]");
    EXPECT_EQ(firmwareReport(5).firstLine, "[ POD Firmware Version : 0.50 ]");
    EXPECT_FALSE(firmwareReport(21).secondLine);
}

TEST(FirmwareGate, DataFlashNeedsVersion19)
{
    EXPECT_FALSE(firmwareSupportsDataFlash(18));
    EXPECT_TRUE(firmwareSupportsDataFlash(19));
    EXPECT_EQ(dataFlashFirmwareMessage(DataFlashMode::Erase),
              "DSP2834x 데이터 플래시 Erase 기능은 POD Firmware 버전 1.9이상만 지원됩니다.");
    EXPECT_EQ(dataFlashFirmwareMessage(DataFlashMode::Write),
              "DSP2834x 데이터 플래시 Write 기능은 POD Firmware 버전 1.9이상만 지원됩니다.");
    EXPECT_EQ(dataFlashFirmwareMessage(DataFlashMode::WriteVerify),
              "DSP2834x 데이터 플래시 Write & Verify 기능은 POD Firmware 버전 1.9이상만 지원됩니다.");
}

} // namespace
} // namespace lumetra::link
