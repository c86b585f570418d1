// Strict UTF-8 encoding and decoding of single code points.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace lumetra::core {

struct Utf8CodePoint {
    char32_t value;
    std::size_t length; // bytes taken from the text
};

// The code point starting at `offset`, or nothing for a malformed, overlong or truncated sequence, a surrogate
// or a value above U+10FFFF.
std::optional<Utf8CodePoint> decodeUtf8At(std::string_view text, std::size_t offset);

// Appends `value` (at most U+10FFFF, not a surrogate) in UTF-8.
void appendUtf8(std::string& text, char32_t value);

} // namespace lumetra::core
