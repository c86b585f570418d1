#include "monitor/value_render.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>

namespace lumetra::monitor {

namespace {

// 2^63: from here on a float is a multiple of 2^40, so the low 32 bits of its integer value are zero.
constexpr double kInt64Limit = 9223372036854775808.0;

std::string hexText(std::uint32_t value, int minDigits)
{
    std::array<char, 16> buffer {};
    std::snprintf(buffer.data(), buffer.size(), "0x%0*X", minDigits, static_cast<unsigned>(value));
    return buffer.data();
}

std::string signedText(std::int32_t value)
{
    std::array<char, 16> buffer {};
    std::snprintf(buffer.data(), buffer.size(), "%d", static_cast<int>(value));
    return buffer.data();
}

std::string unsignedText(std::uint32_t value)
{
    std::array<char, 16> buffer {};
    std::snprintf(buffer.data(), buffer.size(), "%u", static_cast<unsigned>(value));
    return buffer.data();
}

// Views 2 to 5 of an integer: signed or unsigned, of its low 16 bits or all 32.
std::string integerText(std::uint32_t value, ViewType view)
{
    switch (view) {
    case ViewType::Signed16:
        return signedText(static_cast<std::int16_t>(value & 0xFFFFu));
    case ViewType::Signed32:
        return signedText(static_cast<std::int32_t>(value));
    case ViewType::Unsigned16:
        return unsignedText(value & 0xFFFFu);
    default:
        return unsignedText(value);
    }
}

// The low 32 bits of f truncated toward zero; nullopt for infinities and NaN, which have no integer value.
std::optional<std::uint32_t> truncatedLowBits(float f)
{
    if (!std::isfinite(f))
        return std::nullopt;
    const double truncated = std::trunc(static_cast<double>(f));
    if (std::fabs(truncated) >= kInt64Limit)
        return 0u;
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(static_cast<std::int64_t>(truncated)));
}

std::string valueText(std::uint32_t bits, ViewType view, DisplayGroup group)
{
    const float asFloat = std::bit_cast<float>(bits);
    switch (view) {
    case ViewType::Hex16:
        return hexText(bits, 4);
    case ViewType::Hex32:
        return hexText(bits, 8);
    case ViewType::Float32:
        return fixedSixDecimals(
            group == DisplayGroup::Float ? static_cast<double>(asFloat) : static_cast<double>(bits));
    case ViewType::Binary16:
        return binaryText(bits, group == DisplayGroup::SingleWord ? 16 : 32);
    case ViewType::Signed16:
    case ViewType::Signed32:
    case ViewType::Unsigned16:
    case ViewType::Unsigned32:
        break;
    }
    if (group != DisplayGroup::Float)
        return integerText(bits, view);
    const std::optional<std::uint32_t> integer = truncatedLowBits(asFloat);
    return integer ? integerText(*integer, view) : fixedSixDecimals(static_cast<double>(asFloat));
}

} // namespace

RenderedValue renderVariableValue(std::uint32_t raw, ViewType view, DisplayGroup group)
{
    const bool singleWord = group == DisplayGroup::SingleWord;
    const std::uint32_t bits = singleWord ? raw & 0xFFFFu : raw;
    return {valueText(bits, view, group), asciiText(bits, singleWord ? 2 : 4)};
}

RenderedValue renderMemoryCell(std::uint32_t raw, ViewType view)
{
    if (view == ViewType::Float32)
        return renderVariableValue(raw, view, DisplayGroup::Float);
    const bool twoWords = memoryWordCount(view) == 2;
    return renderVariableValue(raw, view, twoWords ? DisplayGroup::DoubleWord : DisplayGroup::SingleWord);
}

std::string binaryText(std::uint32_t value, int digits)
{
    const int count = std::clamp(digits, 0, 32);
    std::string text(static_cast<std::size_t>(count), '0');
    for (int i = 0; i < count; ++i) {
        if ((value >> (count - 1 - i)) & 1u)
            text[static_cast<std::size_t>(i)] = '1';
    }
    return text;
}

std::string asciiText(std::uint32_t value, int bytes)
{
    const int count = std::clamp(bytes, 0, 4);
    std::string text;
    for (int i = 0; i < count; ++i) {
        const auto byte = static_cast<unsigned char>((value >> (8 * i)) & 0xFFu);
        text += byte < 0x20 || byte >= 0x80 ? '.' : static_cast<char>(byte);
    }
    return text;
}

std::string fixedSixDecimals(double value)
{
    if (std::isnan(value))
        return std::signbit(value) ? "-nan" : "nan";
    if (std::isinf(value))
        return value < 0 ? "-inf" : "inf";
    // The widest finite double needs 309 integer digits, a sign, the point and six decimals.
    std::array<char, 320> buffer {};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed, 6);
    return std::string(buffer.data(), result.ptr);
}

} // namespace lumetra::monitor
