#include "core/link_option_lists.h"

#include "core/settings_schema.h"

namespace lumetra::core {

namespace {

constexpr std::array<std::string_view, kBaudCodeCount> kBaudRates {
    "9600",
    "19200",
    "38400",
    "57600",
    "115200",
    "115200",
    "1200",
    "2400",
    "4800",
};

} // namespace

std::string comPortName(int position)
{
    return "COM" + std::to_string(clampComPort(position) + 1);
}

std::string_view baudRateText(int baudCode)
{
    return kBaudRates[static_cast<std::size_t>(clampBaudCode(baudCode))];
}

int baudCodeOfSpeedText(std::string_view text)
{
    for (int code = 0; code < kBaudCodeCount; ++code) {
        if (kBaudRates[static_cast<std::size_t>(code)] == text)
            return code;
    }
    return 4;
}

} // namespace lumetra::core
