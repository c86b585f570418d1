#include "core/device_catalogue.h"

#include "core/device_table.h"

#include <cstdio>

namespace lumetra::core {

namespace {

constexpr std::string_view kOutOfRangeStatusText = "F2812-150MHz(30MHz*5)";

} // namespace

bool isValidDeviceIndex(int index)
{
    return index >= 0 && index < kDeviceCount;
}

Family familyOf(int index)
{
    return detail::traitsOfIndex(index).family;
}

DeviceGroup groupOf(int index)
{
    return detail::rowOf(index).group;
}

std::string_view listNameOf(int index)
{
    return detail::rowOf(index).listName;
}

std::string_view statusNameOf(int index)
{
    return detail::rowOf(index).statusName;
}

std::string_view familyNameOf(Family family)
{
    return family == Family::Lf240x ? "LF240x" : "F28x";
}

std::string_view groupNameOf(DeviceGroup group)
{
    return detail::traitsOf(group).name;
}

int addressBitsOf(Family family)
{
    return family == Family::Lf240x ? 16 : 22;
}

std::uint32_t addressSpaceWordsOf(Family family)
{
    return std::uint32_t {1} << addressBitsOf(family);
}

std::string_view addressFormatOf(Family family)
{
    return family == Family::Lf240x ? "0x%04X" : "0x%06X";
}

std::string formatAddress(Family family, std::uint32_t address)
{
    const int digits = family == Family::Lf240x ? 4 : 6;
    char text[16];
    std::snprintf(text, sizeof text, "0x%0*X", digits, static_cast<unsigned>(address));
    return text;
}

std::uint16_t coffTargetIdOf(Family family)
{
    return family == Family::Lf240x ? kTargetIdLf240x : kTargetIdC28x;
}

// The device index is stored as a byte: only the low byte of the stored number counts.
static int storedDeviceByte(int storedValue)
{
    return static_cast<int>(static_cast<unsigned>(storedValue) & 0xFFu);
}

std::string_view statusPaneTextOf(int storedIndex)
{
    const int index = storedDeviceByte(storedIndex);
    return isValidDeviceIndex(index) ? statusNameOf(index) : kOutOfRangeStatusText;
}

int resolveStoredDeviceIndex(int storedValue)
{
    const int index = storedDeviceByte(storedValue);
    return isValidDeviceIndex(index) ? index : kDefaultDeviceIndex;
}

int requiredFirmwareForDownload(int index)
{
    return detail::traitsOfIndex(index).requiredFirmware;
}

std::string_view firmwareTooOldMessage(int index)
{
    return detail::traitsOfIndex(index).firmwareTooOldMessage;
}

} // namespace lumetra::core
