#include "app/firmware_check.h"

#include "core/link_option_lists.h"

namespace lumetra::app {

namespace {

FirmwareCheckResult failed(std::string_view text, core::MessageIcon icon)
{
    return {core::DialogMessage {std::string(text), icon}, {}};
}

bool succeeds(const std::function<bool()>& call)
{
    return call && call();
}

} // namespace

FirmwareCheckResult checkPodFirmware(
    link::CPodLink& link, const core::SettingsDialogState& dialog, const core::UsbAccess& usb)
{
    const bool useUsb = dialog.port == core::PortType::Usb;
    if (useUsb && !succeeds(usb.loadDriver))
        return failed(core::kUsbDriverLoadFailedText, core::MessageIcon::Error);
    if (useUsb && !succeeds(usb.findUsbPod))
        return failed(core::kUsbPodNotFoundText, core::MessageIcon::Error);

    const link::ConnectCode code
        = link.Connect(dialog.comPortPosition + 1, core::baudCodeOfSpeedText(dialog.speedText), useUsb);
    if (code != link::ConnectCode::Connected)
        return failed(link::connectMessage(code), core::MessageIcon::Error);
    const std::uint8_t version = link.QueryFirmwareVersion();
    link.Disconnect();
    return {std::nullopt, link::firmwareReport(version)};
}

} // namespace lumetra::app
