#include "monitor/number_entry.h"

#include <charconv>
#include <cstddef>
#include <limits>
#include <optional>

namespace lumetra::monitor {

namespace {

constexpr std::string_view kWhiteSpace = " \t\r\n\v\f";
constexpr std::uint64_t kMaxUnsigned32 = 0xFFFFFFFFu;
// Exponents are only compared against the double range, so larger ones need not be exact.
constexpr long long kExponentCap = 1'000'000'000;

bool isDecimalDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The value of c as a digit of any radix up to 36; 36 for a character that is no digit.
int digitValue(char c)
{
    if (isDecimalDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'Z')
        return c - 'A' + 10;
    return 36;
}

bool isHexMarker(char c)
{
    return c == 'x' || c == 'X';
}

std::string_view skipLeadingWhiteSpace(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(kWhiteSpace);
    return first == std::string_view::npos ? std::string_view {} : text.substr(first);
}

std::size_t countDigits(std::string_view text, std::size_t from)
{
    std::size_t end = from;
    while (end < text.size() && isDecimalDigit(text[end]))
        ++end;
    return end - from;
}

// The decimal exponent of the leading significant digit of a significand written with intDigits integer
// digits and fracDigits fraction digits (d.ddd has order 1, 0.0d has order -1); nullopt when all are zero.
std::optional<long long> significandOrder(std::string_view digits, std::size_t intDigits)
{
    const std::size_t firstNonZero = digits.find_first_not_of("0.");
    if (firstNonZero == std::string_view::npos)
        return std::nullopt;
    if (firstNonZero < intDigits)
        return static_cast<long long>(intDigits - firstNonZero);
    return -static_cast<long long>(firstNonZero - intDigits - 1);
}

long long cappedExponent(std::string_view text)
{
    bool negative = false;
    std::size_t i = 0;
    if (text[i] == '+' || text[i] == '-')
        negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size(); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > kExponentCap) {
            value = kExponentCap;
            break;
        }
    }
    return negative ? -value : value;
}

} // namespace

std::string_view trimEntry(std::string_view text)
{
    text = skipLeadingWhiteSpace(text);
    const std::size_t last = text.find_last_not_of(kWhiteSpace);
    return last == std::string_view::npos ? std::string_view {} : text.substr(0, last + 1);
}

bool isFractionEntry(std::string_view text)
{
    return text.find('.') != std::string_view::npos;
}

int entryRadix(std::string_view text)
{
    if (text.size() >= 2 && text[0] == '0' && isHexMarker(text[1]))
        return 16;
    if (!text.empty() && (text.back() == 'h' || text.back() == 'H'))
        return 16;
    return 10;
}

std::uint32_t convertUnsigned32(std::string_view text, int radix)
{
    text = skipLeadingWhiteSpace(text);
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    if (radix == 16 && i + 2 < text.size() && text[i] == '0' && isHexMarker(text[i + 1])
        && digitValue(text[i + 2]) < 16)
        i += 2;

    std::uint64_t magnitude = 0;
    bool overflow = false;
    for (; i < text.size(); ++i) {
        const int digit = digitValue(text[i]);
        if (digit >= radix)
            break;
        if (!overflow) {
            magnitude = magnitude * static_cast<std::uint64_t>(radix) + static_cast<std::uint64_t>(digit);
            overflow = magnitude > kMaxUnsigned32;
        }
    }
    if (overflow)
        return static_cast<std::uint32_t>(kMaxUnsigned32);
    const auto value = static_cast<std::uint32_t>(magnitude);
    return negative ? 0u - value : value;
}

double convertDecimalFraction(std::string_view text)
{
    text = skipLeadingWhiteSpace(text);
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    const std::size_t significandStart = i;
    const std::size_t intDigits = countDigits(text, i);
    i += intDigits;
    std::size_t fracDigits = 0;
    if (i < text.size() && text[i] == '.') {
        fracDigits = countDigits(text, i + 1);
        i += 1 + fracDigits;
    }
    if (intDigits + fracDigits == 0)
        return 0.0;
    const std::string_view significand = text.substr(significandStart, i - significandStart);

    long long exponent = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        const std::size_t expDigits = countDigits(text, j);
        if (expDigits > 0) {
            exponent = cappedExponent(text.substr(i + 1, j + expDigits - i - 1));
            i = j + expDigits;
        }
    }

    // std::from_chars takes no "+" and is independent of the locale; its result is correctly rounded.
    const std::string_view number = text.substr(significandStart, i - significandStart);
    double magnitude = 0.0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), magnitude);
    if (error == std::errc::result_out_of_range) {
        const std::optional<long long> order = significandOrder(significand, intDigits);
        const bool tooLarge = order && *order + exponent > 0;
        magnitude = tooLarge ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negative ? -magnitude : magnitude;
}

std::uint32_t parseIntegerEntry(std::string_view text)
{
    const std::string_view trimmed = trimEntry(text);
    return convertUnsigned32(trimmed, entryRadix(trimmed));
}

} // namespace lumetra::monitor
