#include "image/symbol_filter.h"

#include "core/device_catalogue.h"

#include <array>

namespace lumetra::image {

namespace {

constexpr std::array<AddressRange, 1> kF2834xFrames {{{0x0800, 0x7FFF}}};

constexpr std::array<AddressRange, 9> kF2837xSFrames {{
    {0x0B00, 0x147F},
    {0x4000, 0x5EFF},
    {0x6000, 0x62FF},
    {0x7000, 0x7F2F},
    {0x40000, 0x4A7FF},
    {0x50024, 0x5FF3F},
    {0x70000, 0x78BFF},
    {0x1070000, 0x108FFFF},
    {0x3F0000, 0x3FFFFF},
}};

} // namespace

std::span<const AddressRange> excludedAddressRanges(int deviceRow)
{
    if (!core::isValidDeviceIndex(deviceRow))
        return {};
    switch (core::groupOf(deviceRow)) {
    case core::DeviceGroup::F2834x:
        return kF2834xFrames;
    case core::DeviceGroup::F2837xS:
        return kF2837xSFrames;
    default:
        return {};
    }
}

} // namespace lumetra::image
