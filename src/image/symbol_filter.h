// The rules that decide which COFF symbol table entries become symbols of the list.
#pragma once

#include "image/coff_types.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace lumetra::image {

struct AddressRange {
    std::uint32_t first;
    std::uint32_t last; // inclusive
};

// The peripheral register frames kept out of the list for a device row (none for most rows).
std::span<const AddressRange> excludedAddressRanges(int deviceRow);

struct SymbolEntryFields {
    std::uint32_t value = 0;
    std::int16_t sectionNumber = 0;
    std::uint16_t type = 0;
    std::uint8_t storageClass = 0;
};

inline constexpr std::uint8_t kStorageClassExternal = 2;

// The rules on the placement: an external, non-zero symbol of one of the file's sections outside the excluded
// frames. `excluded` is excludedAddressRanges(deviceRow), looked up once per table. Inline: it runs for every entry
// of the table.
constexpr bool isPlacedEntry(
    const SymbolEntryFields& entry, std::uint16_t sectionCount, std::span<const AddressRange> excluded)
{
    if (entry.storageClass != kStorageClassExternal || entry.value == 0)
        return false;
    if (entry.sectionNumber < 1 || entry.sectionNumber > sectionCount)
        return false;
    for (const AddressRange& range : excluded) {
        if (entry.value >= range.first && entry.value <= range.last)
            return false;
    }
    return true;
}

// The rules on the symbol table's own type field: a basic type, and neither a pointer nor a function.
constexpr bool hasListableCoffType(std::uint16_t type)
{
    const DerivedType first = derivationOf(type, 0);
    return basicTypeOf(type) != 0 && first != DerivedType::Pointer && first != DerivedType::Function;
}

// The rules on everything but the name: a placed symbol of a listable type.
constexpr bool isListableEntry(
    const SymbolEntryFields& entry, std::uint16_t sectionCount, std::span<const AddressRange> excluded)
{
    return hasListableCoffType(entry.type) && isPlacedEntry(entry, sectionCount, excluded);
}

// The rule on the name without its one leading "_": no compiler or linker name, so it starts with neither "." nor
// "_" and holds no "$" (`hasDollar`, found while scanning the name).
constexpr bool isListableName(std::string_view listedName, bool hasDollar)
{
    return !hasDollar && !listedName.starts_with('.') && !listedName.starts_with('_');
}

} // namespace lumetra::image
