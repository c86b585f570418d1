// Text of the archive files (code page 949 bytes, as written on Korean Windows) to and from UTF-8.
//
// Lossless for file bytes: cp949ToUtf8 never rejects its input. A byte that does not start a code page 949
// character (0x80, 0xFF, a lead byte without a valid trail byte, the user-defined areas) becomes the private
// code point U+10FF00 + byte, and utf8ToCp949 turns those code points back into the byte. So
// utf8ToCp949(cp949ToUtf8(bytes)) == bytes for every byte string, and the UTF-8 text is always valid.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lumetra::core {

// Code points U+10FF80..U+10FFFF stand for single undecodable bytes 0x80..0xFF.
inline constexpr char32_t kCp949RawByteBase = 0x10FF00;

enum class TextConversionError {
    None,
    ConverterUnavailable, // the platform has no code page 949 converter
    InvalidUtf8, // the UTF-8 input is malformed
    Unmappable, // a character that code page 949 cannot represent
};

struct TextConversion {
    std::string text;
    TextConversionError error = TextConversionError::None;
    std::size_t errorOffset = 0; // byte offset in the input of the character that failed

    bool ok() const { return error == TextConversionError::None; }
};

bool cp949ConversionAvailable();

TextConversion cp949ToUtf8(std::string_view cp949);
TextConversion utf8ToCp949(std::string_view utf8);

} // namespace lumetra::core
