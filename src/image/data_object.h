// One program variable: a symbol of the loaded program or a monitored variable, as stored in symbol files.
#pragma once

#include <cstdint>
#include <string>

namespace lumetra::image {

// View types are the codes 0..7.
inline constexpr std::uint8_t kLastViewTypeCode = 7;

class CDataObject {
public:
    std::string name; // without the one leading "_" of the COFF name; UTF-8
    std::uint32_t address = 0;
    std::uint16_t type = 0; // the whole COFF type field
    std::string arrayInfo; // empty, or "Array Info : [..]"
    std::uint8_t viewType = 0;
    // A bit field of a structure: its lowest bit in the value of `type` at `address`, and its width (0: the whole
    // value). Symbol files do not keep them; re-binding to the program's symbols brings them back.
    std::uint8_t bitOffset = 0;
    std::uint8_t bitWidth = 0;

    // True when the variable now lives elsewhere or has another type: address or type differ.
    bool placementDiffersFrom(const CDataObject& other) const { return address != other.address || type != other.type; }

    bool operator==(const CDataObject&) const = default;
};

} // namespace lumetra::image
