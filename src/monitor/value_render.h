// Value and Ascii texts of raw target values, for the memory monitor cells and the variable monitor rows.
#pragma once

#include "monitor/data_types.h"
#include "monitor/view_types.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace lumetra::monitor {

struct RenderedValue {
    std::string value;
    std::string ascii;

    bool operator==(const RenderedValue&) const = default;
};

// Value and Ascii text of a memory monitor cell that is never read.
inline constexpr std::string_view kUnreadableCellText = "???";

// A variable monitor row: raw is read with the data type's word count, rendered by its display group.
// A single word value uses only the low 16 bits of raw.
RenderedValue renderVariableValue(std::uint32_t raw, ViewType view, DisplayGroup group);

// A memory monitor cell: raw is read with the view type's own word count (memoryWordCount); a one-word cell
// uses only the low 16 bits of raw, and "float (32bit)" always reinterprets the bits.
RenderedValue renderMemoryCell(std::uint32_t raw, ViewType view);

// "0" and "1" characters, most significant bit first; digits is cut to 0..32.
std::string binaryText(std::uint32_t value, int digits);

// One character per byte, lowest byte first; a byte below 0x20 or at or above 0x80 shows as ".".
// bytes is cut to 0..4.
std::string asciiText(std::uint32_t value, int bytes);

// Fixed notation with six decimals, as "%f" prints it in the C locale ("1.500000"); "inf", "-inf", "nan" and
// "-nan" for the values that are not finite.
std::string fixedSixDecimals(double value);

} // namespace lumetra::monitor
