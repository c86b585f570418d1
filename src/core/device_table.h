// The constant rows of the device catalogue and the properties shared by each product group.
#pragma once

#include "core/device_catalogue.h"

#include <cstdint>
#include <string_view>

namespace lumetra::core::detail {

struct DeviceRow {
    std::string_view listName;
    std::string_view statusName;
    DeviceGroup group;
};

// How the settings dialog labels the eight key fields of a group.
enum class KeyLabelStyle {
    Word16, // "KEY%d (0x%04X)", keyBase + n for the first keyCount keys, 0 for the rest
    Word22, // "KEY%d (0x%06X)", keyBase + n
    Zone, // "Z1/2 CSMKEY%d-%d", n / 2 and n % 2
    DialogPath, // as F280x when the dialog opened on the row, as F2823x/F2833x once the row was chosen
};

struct GroupTraits {
    DeviceGroup group;
    std::string_view name;
    Family family;
    int csmKeyCount;
    KeyLabelStyle keyLabelStyle;
    std::uint32_t keyBase;
    bool dataFlash;
    int requiredFirmware;
    std::string_view firmwareTooOldMessage;
};

const DeviceRow& rowOf(int index);
const GroupTraits& traitsOf(DeviceGroup group);
inline const GroupTraits& traitsOfIndex(int index)
{
    return traitsOf(rowOf(index).group);
}

} // namespace lumetra::core::detail
