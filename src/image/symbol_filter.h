// The rules that decide which COFF symbol table entries become symbols of the list.
#pragma once

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
    std::string_view listedName; // the COFF name without its one leading "_"
    std::uint32_t value = 0;
    std::int16_t sectionNumber = 0;
    std::uint16_t type = 0;
    std::uint8_t storageClass = 0;
};

inline constexpr std::uint8_t kStorageClassExternal = 2;

// `excluded` is excludedAddressRanges(deviceRow), looked up once per table.
bool isListedSymbol(const SymbolEntryFields& entry, std::uint16_t sectionCount, std::span<const AddressRange> excluded);

} // namespace lumetra::image
