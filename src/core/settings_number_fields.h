// Number entry of the settings dialog's edits: the text is trimmed and read up to its first character that is
// not a digit of the base; a text without leading digits reads as 0.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace lumetra::core {

std::string_view trimmedField(std::string_view text);

// A decimal, non-negative number; saturates at the largest stored 32-bit number.
std::int32_t parseDecimalField(std::string_view text);

// A key word in hexadecimal, with an optional "0x" prefix. A number that does not fit 16 bits is refused
// (std::nullopt) rather than cut down to a different key.
std::optional<std::uint16_t> parseKeyField(std::string_view text);

} // namespace lumetra::core
