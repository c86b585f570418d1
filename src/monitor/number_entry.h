// The number entry rule of the dialogs: text trimmed; a "0x" prefix or an "H" suffix (either case) means
// hexadecimal, otherwise decimal; a text with "." is a decimal fraction.
#pragma once

#include <cstdint>
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

// Decimal floating-point conversion: leading white space skipped, an optional sign, digits with an optional
// "." and an optional exponent; stops at the first character that cannot continue the number. No digits give
// 0; a magnitude beyond the double range gives an infinity or zero. Independent of the C locale.
double convertDecimalFraction(std::string_view text);

// An integer entry: trimmed, radix by entryRadix, converted by convertUnsigned32 ("1AH" 0x1A, "12abc" 12).
std::uint32_t parseIntegerEntry(std::string_view text);

} // namespace lumetra::monitor
