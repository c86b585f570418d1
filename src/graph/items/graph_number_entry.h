// The address and length texts of the graph item dialogs: hexadecimal digits with an optional marker, read in
// the radix the marker gives.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace lumetra::graph {

// True when the trimmed text, without its hexadecimal marker (a leading "0x" or a trailing "H", either case),
// is one or more hexadecimal digits. "1A" passes; "0x" and "H" alone do not.
bool hasOnlyHexDigits(std::string_view text);

// The value of a text that passes hasOnlyHexDigits, by the number entry rule ("0x20", "20H" and "32" give 32);
// nullopt for any other text, and for digits that are no number of the radix ("1A" is read in base 10).
std::optional<std::uint32_t> hexDigitsEntryValue(std::string_view text);

} // namespace lumetra::graph
