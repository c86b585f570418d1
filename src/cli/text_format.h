// Building the command line's output lines: numbered fields filled in, columns padded by characters, hexadecimal
// numbers.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace lumetra::cli {

// The pattern with %1 to %9 replaced by the values in order, in one pass: a value that holds "%2" stays as it is.
std::string fillIn(std::string_view pattern, std::initializer_list<std::string_view> values);

// A name or path from outside as it may reach a terminal: the C0 controls, DEL and the C1 controls (U+0080 to
// U+009F) written as the JSON output writes a control ("\n", "\t", "\u001b"), each byte that is not UTF-8 as
// U+FFFD; all else (Korean text, a backslash) stays as it is. Escape before padding, so columns stay aligned.
std::string printableText(std::string_view text);

// The text padded with spaces to width characters (UTF-8 code points): on the left for a positive width (right
// aligned), on the right for a negative one (left aligned). Longer texts stay whole.
std::string padded(std::string_view text, int width);

// "%0*X": upper-case hexadecimal, zero-filled to digits, without a prefix.
std::string hexDigits(std::uint64_t value, int digits);
// "0x" and hexDigits.
std::string hexText(std::uint64_t value, int digits);

// The parts of text between the separators: "a,,b" gives "a", "" and "b"; "" gives one empty part.
std::vector<std::string> splitAt(const std::string& text, char separator);

inline std::string numberText(long long value)
{
    return std::to_string(value);
}

} // namespace lumetra::cli
