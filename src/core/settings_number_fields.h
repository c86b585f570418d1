// Number entry of the settings dialog's edits: the trimmed text must be wholly the number; any other text is
// refused.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace lumetra::core {

std::string_view trimmedField(std::string_view text);

// A decimal number: an optional sign and one or more digits, nothing else. Magnitudes above 0xFFFFFFFF read as
// 0x100000000, beyond every field's range.
std::optional<std::int64_t> parseDecimalField(std::string_view text);

// A key word: hexadecimal digits with an optional "0x" prefix, nothing else. A number that does not fit 16 bits
// is refused rather than cut down to a different key.
std::optional<std::uint16_t> parseKeyField(std::string_view text);

} // namespace lumetra::core
