// The texts of the status bar panes that show the link, the loaded image, the device and the data flash.
#pragma once

#include "core/configuration.h"

#include <cstddef>
#include <string>

namespace lumetra::app {

// "ON LINE" or "OFF LINE".
std::string linkPaneText(bool linkUp);
// "USB" when the USB port is chosen, else "COM%d" with `COM Port` + 1.
std::string portPaneText(const core::LinkConfig& config);
// "BPS : %s" with the rate of the baud code.
std::string speedPaneText(int baudCode);
// "Size : 0x%06X" with the size of the loaded image in words.
std::string sizePaneText(std::size_t words);

} // namespace lumetra::app
