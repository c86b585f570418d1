// The fixed choice lists of the link settings: serial port names, the baud code table with the speed list,
// and the transmit delay list.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace lumetra::core {

// "COM1".."COM16"; a port list position is the stored `COM Port`.
inline constexpr int kComPortCount = 16;
std::string comPortName(int position);

// Rate text of a baud code (0..8; codes 4 and 5 are both "115200"). A code outside the table is clamped first.
inline constexpr int kBaudCodeCount = 9;
std::string_view baudRateText(int baudCode);

// The speed list of the settings dialog, in display order, and the baud code of a selected text: any text
// not in the table gives 4.
inline constexpr std::array<std::string_view, 8> kSpeedListTexts {
    "1200",
    "2400",
    "4800",
    "9600",
    "19200",
    "38400",
    "57600",
    "115200",
};
int baudCodeOfSpeedText(std::string_view text);

// The "Tx Delay" list, indexed by `Debug Time Index`; the inner spacing is part of the texts.
inline constexpr std::array<std::string_view, 7> kTxDelayTexts {
    "No  Delay",
    "200 usec",
    "500 usec",
    "1    msec",
    "2    msec",
    "5    msec",
    "10  msec",
};

} // namespace lumetra::core
