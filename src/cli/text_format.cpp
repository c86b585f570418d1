#include "cli/text_format.h"

#include "core/utf8_code_points.h"

#include <cstdio>

namespace lumetra::cli {

namespace {

std::size_t codePointCount(std::string_view text)
{
    std::size_t count = 0;
    for (const char c : text)
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return count;
}

bool isControl(char32_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

std::string controlEscape(char32_t c)
{
    switch (c) {
    case '\b':
        return "\\b";
    case '\t':
        return "\\t";
    case '\n':
        return "\\n";
    case '\f':
        return "\\f";
    case '\r':
        return "\\r";
    default:
        break;
    }
    char escape[16];
    std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
    return escape;
}

} // namespace

std::string printableText(std::string_view text)
{
    constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
    std::string shown;
    shown.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto point = core::decodeUtf8At(text, i);
        if (!point) {
            shown += kReplacement;
            ++i;
            continue;
        }
        if (isControl(point->value))
            shown += controlEscape(point->value);
        else
            shown += text.substr(i, point->length);
        i += point->length;
    }
    return shown;
}

std::string fillIn(std::string_view pattern, std::initializer_list<std::string_view> values)
{
    const std::vector<std::string_view> fields(values);
    std::string text;
    text.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        const std::size_t field = static_cast<std::size_t>(next - '1');
        if (pattern[i] == '%' && next >= '1' && next <= '9' && field < fields.size()) {
            text += fields[field];
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

std::string padded(std::string_view text, int width)
{
    const std::size_t wanted = static_cast<std::size_t>(width < 0 ? -width : width);
    const std::size_t length = codePointCount(text);
    if (length >= wanted)
        return std::string(text);
    const std::string fill(wanted - length, ' ');
    return width < 0 ? std::string(text) + fill : fill + std::string(text);
}

std::vector<std::string> splitAt(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t next = text.find(separator); next != std::string::npos; next = text.find(separator, start)) {
        parts.push_back(text.substr(start, next - start));
        start = next + 1;
    }
    parts.push_back(text.substr(start));
    return parts;
}

std::string hexDigits(std::uint64_t value, int digits)
{
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "%0*llX", digits, static_cast<unsigned long long>(value));
    return buffer;
}

std::string hexText(std::uint64_t value, int digits)
{
    return "0x" + hexDigits(value, digits);
}

} // namespace lumetra::cli
