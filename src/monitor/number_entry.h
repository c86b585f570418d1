// The number entry rule of the dialogs: text trimmed; a "0x" prefix or an "H" suffix (either case) means
// hexadecimal, otherwise decimal; a text with "." is a decimal fraction. An entry is taken only when the whole
// text is such a number.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace lumetra::monitor {

// The text without the white space (space, tab, CR, LF, VT, FF) at both ends.
std::string_view trimEntry(std::string_view text);

// True when the text holds a "." anywhere, so that it is entered as a fraction.
bool isFractionEntry(std::string_view text);

// 16 when the text's first two characters are "0x"/"0X" or its last character is "h"/"H", otherwise 10.
int entryRadix(std::string_view text);

// Unsigned 32-bit conversion in radix 10 or 16: leading white space skipped, an optional sign (a negative
// number wraps to its two's complement), a "0x" prefix accepted in radix 16, stops at the first character
// that is not a digit. A magnitude above 0xFFFFFFFF gives 0xFFFFFFFF. No digits give 0.
std::uint32_t convertUnsigned32(std::string_view text, int radix);

// A whole number in radix 10 or 16: the trimmed text is an optional sign and one or more digits of the radix and
// nothing else; in radix 16 a "0x" may follow the sign and an "H" (either case) may end it. Magnitudes above
// 0xFFFFFFFF read as 0x100000000. nullopt for any other text ("12abc", "1 2", "1GH", "0x").
std::optional<std::int64_t> parseWholeNumber(std::string_view text, int radix);

// An integer entry as a signed number: radix by entryRadix, the whole text by parseWholeNumber.
std::optional<std::int64_t> parseSignedEntry(std::string_view text);

// An integer entry as the raw 32-bit value of convertUnsigned32 ("1AH" 0x1A, "-1" 0xFFFFFFFF); nullopt when the
// text is not wholly a number of its radix.
std::optional<std::uint32_t> parseIntegerEntry(std::string_view text);

// A decimal fraction entry: the trimmed text is an optional sign, digits with an optional "." (at least one
// digit) and an optional exponent ("e" or "E", an optional sign, digits), and nothing else; nullopt otherwise
// ("1.2.3", "1.5abc", "1.5e", "."). A magnitude beyond the double range gives an infinity or zero. Independent
// of the C locale.
std::optional<double> parseFractionEntry(std::string_view text);

} // namespace lumetra::monitor
