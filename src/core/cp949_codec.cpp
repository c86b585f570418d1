#include "core/cp949_codec.h"

#include "core/cp949_char_converter.h"
#include "core/utf8_code_points.h"

#include <span>

namespace lumetra::core {

namespace {

const Cp949CharConverter& converter()
{
    thread_local const Cp949CharConverter instance;
    return instance;
}

bool isRawByteCodePoint(char32_t value)
{
    return value >= kCp949RawByteBase + 0x80 && value <= kCp949RawByteBase + 0xFF;
}

// Code points that some converters give for bytes outside the code page's character set (the Win32 one maps 0x80
// to U+0080 and the user-defined rows C9xx and FExx to U+E000..U+E0BB, iconv refuses them): never taken as text,
// so a file reads as the same text on every platform.
bool outsideCodePage(char32_t value)
{
    return (value >= 0x80 && value <= 0x9F) || (value >= 0xE000 && value <= 0xF8FF);
}

// The character `sequence` decodes to, accepted only when it encodes back to exactly the same bytes.
std::optional<char32_t> decodeExactly(std::span<const unsigned char> sequence)
{
    const auto value = converter().decode(sequence);
    if (!value || *value < 0x80 || isRawByteCodePoint(*value) || outsideCodePage(*value))
        return std::nullopt;
    const auto bytes = converter().encode(*value);
    if (!bytes
        || std::string_view(*bytes)
            != std::string_view(reinterpret_cast<const char*>(sequence.data()), sequence.size()))
        return std::nullopt;
    return value;
}

TextConversion failure(TextConversionError error, std::size_t offset)
{
    return TextConversion {{}, error, offset};
}

} // namespace

bool cp949ConversionAvailable()
{
    return converter().available();
}

TextConversion cp949ToUtf8(std::string_view cp949)
{
    if (!converter().available())
        return failure(TextConversionError::ConverterUnavailable, 0);
    const std::span<const unsigned char> bytes(reinterpret_cast<const unsigned char*>(cp949.data()), cp949.size());
    TextConversion result;
    std::size_t offset = 0;
    while (offset < bytes.size()) {
        const unsigned char lead = bytes[offset];
        if (lead < 0x80) {
            result.text.push_back(static_cast<char>(lead));
            ++offset;
            continue;
        }
        std::optional<char32_t> value;
        std::size_t length = 2;
        if (bytes.size() - offset >= 2)
            value = decodeExactly(bytes.subspan(offset, 2));
        if (!value) {
            length = 1;
            value = decodeExactly(bytes.subspan(offset, 1));
        }
        appendUtf8(result.text, value ? *value : kCp949RawByteBase + lead);
        offset += length;
    }
    return result;
}

TextConversion utf8ToCp949(std::string_view utf8)
{
    if (!converter().available())
        return failure(TextConversionError::ConverterUnavailable, 0);
    TextConversion result;
    std::size_t offset = 0;
    while (offset < utf8.size()) {
        const auto codePoint = decodeUtf8At(utf8, offset);
        if (!codePoint)
            return failure(TextConversionError::InvalidUtf8, offset);
        if (codePoint->value < 0x80) {
            result.text.push_back(static_cast<char>(codePoint->value));
        } else if (isRawByteCodePoint(codePoint->value)) {
            result.text.push_back(static_cast<char>(codePoint->value - kCp949RawByteBase));
        } else {
            const auto bytes = outsideCodePage(codePoint->value) ? std::nullopt : converter().encode(codePoint->value);
            if (!bytes)
                return failure(TextConversionError::Unmappable, offset);
            result.text += *bytes;
        }
        offset += codePoint->length;
    }
    return result;
}

} // namespace lumetra::core
