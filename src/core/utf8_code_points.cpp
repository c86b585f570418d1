#include "core/utf8_code_points.h"

namespace lumetra::core {

std::optional<Utf8CodePoint> decodeUtf8At(std::string_view text, std::size_t offset)
{
    if (offset >= text.size())
        return std::nullopt;
    const auto lead = static_cast<unsigned char>(text[offset]);
    if (lead < 0x80)
        return Utf8CodePoint {lead, 1};
    std::size_t length = 0;
    char32_t value = 0;
    char32_t smallest = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        value = lead & 0x1Fu;
        smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        value = lead & 0x0Fu;
        smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        value = lead & 0x07u;
        smallest = 0x10000;
    } else {
        return std::nullopt;
    }
    if (length > text.size() - offset)
        return std::nullopt;
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[offset + i]);
        if ((next & 0xC0) != 0x80)
            return std::nullopt;
        value = value << 6 | (next & 0x3Fu);
    }
    if (value < smallest || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return std::nullopt;
    return Utf8CodePoint {value, length};
}

void appendUtf8(std::string& text, char32_t value)
{
    const auto put = [&](char32_t bits) { text.push_back(static_cast<char>(static_cast<unsigned char>(bits))); };
    if (value < 0x80) {
        put(value);
    } else if (value < 0x800) {
        put(0xC0 | value >> 6);
        put(0x80 | (value & 0x3F));
    } else if (value < 0x10000) {
        put(0xE0 | value >> 12);
        put(0x80 | (value >> 6 & 0x3F));
        put(0x80 | (value & 0x3F));
    } else {
        put(0xF0 | value >> 18);
        put(0x80 | (value >> 12 & 0x3F));
        put(0x80 | (value >> 6 & 0x3F));
        put(0x80 | (value & 0x3F));
    }
}

} // namespace lumetra::core
