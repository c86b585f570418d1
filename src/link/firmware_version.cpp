#include "link/firmware_version.h"

#include "core/device_catalogue.h"

namespace lumetra::link {

FirmwareReport firmwareReport(std::uint8_t version)
{
    switch (version) {
    case 0:
        return {std::string(kFirmwareQueryFailedText), std::nullopt};
    case 10:
        return {"[ POD Firmware Version : 1.00 -> Version 1.30 Upgrade 요망 ]",
                "[ Vestral Lumetra Ver1.15 이하를 사용하십시요 -> Version 1.30 Upgrade 요망 ]"};
    case 11:
        return {"[ POD Firmware Version : 1.10 ]",
                "[ Vestral Lumetra Ver1.20 이상을 사용하십시요 -> Version 1.30 Upgrade 요망 ]"};
    case 12:
        return {"[ POD Firmware Version : 1.2 ]", "[ Vestral Lumetra Ver1.22 이상을 사용하십시요 ]"};
    case 13:
        return {"[ POD Firmware Version : 1.30 ]", "[ Vestral Lumetra Ver1.30 이상을 사용하십시요 ]"};
    default:
        return {"[ POD Firmware Version : " + std::to_string(version / 10) + "." + std::to_string(version % 10) +
                    "0 ]",
                std::nullopt};
    }
}

bool firmwareSupportsDataFlash(std::uint8_t version)
{
    return version >= core::kDataFlashRequiredFirmware;
}

std::string_view dataFlashFirmwareMessage(DataFlashMode mode)
{
    switch (mode) {
    case DataFlashMode::Erase:
        return "DSP2834x 데이터 플래시 Erase 기능은 POD Firmware 버전 1.9이상만 지원됩니다.";
    case DataFlashMode::Write:
        return "DSP2834x 데이터 플래시 Write 기능은 POD Firmware 버전 1.9이상만 지원됩니다.";
    case DataFlashMode::WriteVerify:
        return "DSP2834x 데이터 플래시 Write & Verify 기능은 POD Firmware 버전 1.9이상만 지원됩니다.";
    }
    return {};
}

} // namespace lumetra::link
