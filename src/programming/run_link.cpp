#include "programming/run_link.h"

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
    if (gate && link.QueryFirmwareVersion() < gate->requiredVersion) {
        link.Disconnect();
        return LinkRefusal {core::MessageIcon::Information, gate->message};
    }
    if (!reconnect && !link.SetTargetBaud(targetBaud)) {
        link.Disconnect();
        return LinkRefusal {core::MessageIcon::Error, kBaudChangeFailedMessage};
    }
    return std::nullopt;
}

} // namespace lumetra::programming
