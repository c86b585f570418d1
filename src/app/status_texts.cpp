#include "app/status_texts.h"

#include "core/link_option_lists.h"

#include <cstdio>

namespace lumetra::app {

std::string linkPaneText(bool linkUp)
{
    return linkUp ? "ON LINE" : "OFF LINE";
}

std::string portPaneText(const core::LinkConfig& config)
{
    if (config.portType == core::PortType::Usb)
        return "USB";
    return core::comPortName(config.comPort);
}

std::string speedPaneText(int baudCode)
{
    return "BPS : " + std::string(core::baudRateText(baudCode));
}

std::string sizePaneText(std::size_t words)
{
    char text[32];
    std::snprintf(text, sizeof text, "Size : 0x%06zX", words);
    return text;
}

} // namespace lumetra::app
