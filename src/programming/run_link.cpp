#include "programming/run_link.h"

#include "link/firmware_version.h"

namespace lumetra::programming {

std::optional<LinkRefusal> prepareRunLink(
    link::CPodLink& link, const core::LinkConfig& config, int targetBaud, std::optional<FirmwareGate> gate)
{
    bool reconnect = !link.connected();
    if (link.connected() && link.usingUsb() && link.podKind() == link::PodKind::UtaPod) {
        link.Disconnect();
        reconnect = true;
    }
    if (reconnect) {
        const link::ConnectCode connect
            = link.Connect(config.comPort + 1, targetBaud, config.portType == core::PortType::Usb);
        if (connect != link::ConnectCode::Connected)
            return LinkRefusal {core::MessageIcon::Error, link::connectMessage(connect)};
    }
    if (gate) {
        // A failed query gives version 0: say that it failed, not that the firmware is too old.
        const std::uint8_t version = link.QueryFirmwareVersion();
        if (version < gate->requiredVersion) {
            link.Disconnect();
            if (version == 0)
                return LinkRefusal {core::MessageIcon::Error, link::kFirmwareQueryFailedText};
            return LinkRefusal {core::MessageIcon::Information, gate->message};
        }
    }
    if (!reconnect && !link.SetTargetBaud(targetBaud)) {
        link.Disconnect();
        return LinkRefusal {core::MessageIcon::Error, kBaudChangeFailedMessage};
    }
    return std::nullopt;
}

} // namespace lumetra::programming
