#include "image/symbol_filter.h"

#include "core/device_catalogue.h"
#include "image/coff_types.h"

#include <algorithm>
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

bool inAnyRange(std::uint32_t value, std::span<const AddressRange> ranges)
{
    return std::any_of(
        ranges.begin(), ranges.end(), [value](const AddressRange& r) { return value >= r.first && value <= r.last; });
}

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

bool isListedSymbol(const SymbolEntryFields& entry, std::uint16_t sectionCount, std::span<const AddressRange> excluded)
{
    // Cheapest rejections first; the name scan comes last.
    if (entry.storageClass != kStorageClassExternal || entry.value == 0 || basicTypeOf(entry.type) == 0)
        return false;
    const DerivedType first = derivationOf(entry.type, 0);
    if (first == DerivedType::Pointer || first == DerivedType::Function)
        return false;
    if (entry.sectionNumber < 1 || entry.sectionNumber > sectionCount || inAnyRange(entry.value, excluded))
        return false;
    const std::string_view name = entry.listedName;
    return !name.starts_with('.') && !name.starts_with('_') && name.find('$') == std::string_view::npos;
}

} // namespace lumetra::image
