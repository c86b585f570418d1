// The settings dialog's button "현재 POD의 펌웨어 확인": connect with the choices the dialog shows, ask the POD for
// its firmware version, disconnect, and report the version in the dialog's two comment lines.
#pragma once

#include "core/settings_dialog_logic.h"
#include "link/firmware_version.h"
#include "link/pod_link.h"

#include <optional>

namespace lumetra::app {

struct FirmwareCheckResult {
    // The message box when no connection could be made; the report is then empty.
    std::optional<core::DialogMessage> failure;
    link::FirmwareReport report;
};

// `usb` loads the USB driver and finds the POD when "USB Port" is chosen.
FirmwareCheckResult checkPodFirmware(
    link::CPodLink& link, const core::SettingsDialogState& dialog, const core::UsbAccess& usb);

} // namespace lumetra::app
