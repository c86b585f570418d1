#include "monitor/number_entry.h"

#include <algorithm>
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

bool isHexSuffix(char c)
{
    return c == 'h' || c == 'H';
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

// An optional sign, in radix 16 a "0x" prefix that a digit follows, and the digits, from the start of a text.
struct NumberScan {
    bool negative = false;
    std::uint64_t magnitude = 0; // saturates at kSaturatedMagnitude
    std::size_t digits = 0;
    std::size_t end = 0; // just after the last digit
};

constexpr std::uint64_t kSaturatedMagnitude = kMaxUnsigned32 + 1;

NumberScan scanNumber(std::string_view text, int radix)
{
    NumberScan scan;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        scan.negative = text[i++] == '-';
    if (radix == 16 && i + 2 < text.size() && text[i] == '0' && isHexMarker(text[i + 1])
        && digitValue(text[i + 2]) < 16)
        i += 2;
    for (; i < text.size(); ++i) {
        const int digit = digitValue(text[i]);
        if (digit >= radix)
            break;
        scan.magnitude
            = std::min(scan.magnitude * static_cast<std::uint64_t>(radix) + static_cast<std::uint64_t>(digit),
                kSaturatedMagnitude);
        ++scan.digits;
    }
    scan.end = i;
    return scan;
}

std::int64_t signedValueOf(const NumberScan& scan)
{
    const auto magnitude = static_cast<std::int64_t>(scan.magnitude);
    return scan.negative ? -magnitude : magnitude;
}

// A negative number wraps to its two's complement; a magnitude above 0xFFFFFFFF gives 0xFFFFFFFF.
std::uint32_t wrappedToUnsigned32(std::int64_t number)
{
    constexpr auto kLargest = static_cast<std::int64_t>(kMaxUnsigned32);
    if (number > kLargest || number < -kLargest)
        return static_cast<std::uint32_t>(kMaxUnsigned32);
    return static_cast<std::uint32_t>(number);
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
    if (!text.empty() && isHexSuffix(text.back()))
        return 16;
    return 10;
}

std::uint32_t convertUnsigned32(std::string_view text, int radix)
{
    return wrappedToUnsigned32(signedValueOf(scanNumber(skipLeadingWhiteSpace(text), radix)));
}

std::optional<std::int64_t> parseWholeNumber(std::string_view text, int radix)
{
    text = trimEntry(text);
    const NumberScan scan = scanNumber(text, radix);
    std::size_t end = scan.end;
    if (radix == 16 && end + 1 == text.size() && isHexSuffix(text[end]))
        ++end;
    if (scan.digits == 0 || end != text.size())
        return std::nullopt;
    return signedValueOf(scan);
}

std::optional<std::int64_t> parseSignedEntry(std::string_view text)
{
    const std::string_view trimmed = trimEntry(text);
    return parseWholeNumber(trimmed, entryRadix(trimmed));
}

std::optional<std::uint32_t> parseIntegerEntry(std::string_view text)
{
    const std::optional<std::int64_t> number = parseSignedEntry(text);
    if (!number)
        return std::nullopt;
    return wrappedToUnsigned32(*number);
}

std::optional<double> parseFractionEntry(std::string_view text)
{
    text = trimEntry(text);
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
        return std::nullopt;
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
    if (i != text.size())
        return std::nullopt;

    // std::from_chars takes no "+" and is independent of the locale; its result is correctly rounded.
    const std::string_view number = text.substr(significandStart);
    double magnitude = 0.0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), magnitude);
    if (error == std::errc::result_out_of_range) {
        const std::optional<long long> order = significandOrder(significand, intDigits);
        const bool tooLarge = order && *order + exponent > 0;
        magnitude = tooLarge ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return negative ? -magnitude : magnitude;
}

} // namespace lumetra::monitor
