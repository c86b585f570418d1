#include "monitor/number_entry.h"
#include "monitor/value_parse.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <string>
#include <vector>

namespace lumetra::monitor {
namespace {

using enum ViewType;

constexpr std::uint32_t kLong = 5;
constexpr std::uint32_t kFloat = 6;
constexpr std::uint32_t kStructure = 8;
constexpr std::uint32_t kUnsignedInteger = 14;

std::uint32_t bitsOf(float f)
{
    return std::bit_cast<std::uint32_t>(f);
}

EntryResult accepted(std::uint32_t value)
{
    return {value, std::nullopt};
}

TEST(NumberEntry, RadixFromPrefixOrSuffixAfterTrimming)
{
    for (const char* text : {"0x1F", "0X1f", "1fh", "1FH", " 0x1F ", "\t1fh\r\n"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(parseIntegerEntry(text), 31u);
    }
    EXPECT_EQ(parseIntegerEntry("010"), 10u); // no octal
    EXPECT_EQ(parseIntegerEntry("1AH"), 0x1Au);
    EXPECT_EQ(parseIntegerEntry("0x1Fh"), 31u); // both markers
    EXPECT_EQ(parseIntegerEntry("-10h"), 0xFFFFFFF0u);
    EXPECT_EQ(parseIntegerEntry("-0x10h"), 0xFFFFFFF0u);
}

TEST(NumberEntry, OnlyATextThatIsWhollyANumberOfItsRadixIsAnInteger)
{
    // The sign hides the prefix of "-0x10": decimal, where "x" is no digit.
    for (const char* text : {"abc", "12abc", "1 2", "1e3", "0x", "0xH", "H", "-", "+h", "- 5", "-0x10", "0x1G", "1GH",
             "0x 10", "0x1F h", "1Fh2", "5hh", "1,000", "0x1Fx"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(parseIntegerEntry(text), std::nullopt);
        EXPECT_EQ(parseSignedEntry(text), std::nullopt);
    }
    EXPECT_EQ(parseSignedEntry(" -5 "), -5);
    EXPECT_EQ(parseSignedEntry("-1"), -1);
    EXPECT_EQ(parseSignedEntry("99999999999"), 0x100000000); // saturated, beyond every 32-bit range
    EXPECT_EQ(parseSignedEntry("-0x100000000h"), -0x100000000);
    // A radix of the caller's: markers only in radix 16.
    EXPECT_EQ(parseWholeNumber("7", 10), 7);
    EXPECT_EQ(parseWholeNumber("7h", 10), std::nullopt);
    EXPECT_EQ(parseWholeNumber("0x7", 10), std::nullopt);
    EXPECT_EQ(parseWholeNumber("A", 16), 10);
}

TEST(NumberEntry, SignsWrapAndOverflowSaturates)
{
    EXPECT_EQ(parseIntegerEntry("-1"), 0xFFFFFFFFu);
    EXPECT_EQ(parseIntegerEntry("+7"), 7u);
    EXPECT_EQ(parseIntegerEntry("4294967295"), 0xFFFFFFFFu);
    EXPECT_EQ(parseIntegerEntry("4294967296"), 0xFFFFFFFFu);
    EXPECT_EQ(parseIntegerEntry("0x100000000"), 0xFFFFFFFFu);
    EXPECT_EQ(parseIntegerEntry("-4294967295"), 1u);
    EXPECT_EQ(parseIntegerEntry("-4294967296"), 0xFFFFFFFFu);
    EXPECT_EQ(parseIntegerEntry(std::string(100'000, '9')), 0xFFFFFFFFu);
    EXPECT_EQ(parseIntegerEntry(std::string(100'000, '0') + "42"), 42u);
}

TEST(NumberEntry, DecimalFractionConversion)
{
    EXPECT_EQ(parseFractionEntry("1.5"), 1.5);
    EXPECT_EQ(parseFractionEntry("  -2.5 "), -2.5);
    EXPECT_EQ(parseFractionEntry(".5"), 0.5);
    EXPECT_EQ(parseFractionEntry("1.e2"), 100.0);
    EXPECT_EQ(parseFractionEntry("+1.5E-1"), 0.15);
    EXPECT_TRUE(std::signbit(parseFractionEntry("-0.0").value_or(0.0)));
}

TEST(NumberEntry, OnlyATextThatIsWhollyADecimalFractionIsAFraction)
{
    for (const char* text : {"1.2.3", "1.5abc", "-2.5xyz", "1.5e", "1.5e+", "1e3.", ".", "-.", "0x1.8", "inf.", "1. 5",
             "- 1.5", "1.5f", "1.5h"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(parseFractionEntry(text), std::nullopt);
    }
}

TEST(NumberEntry, FractionsBeyondTheDoubleRange)
{
    EXPECT_EQ(parseFractionEntry("1.0e400"), HUGE_VAL);
    EXPECT_EQ(parseFractionEntry("1.0e99999999999999999999"), HUGE_VAL);
    EXPECT_EQ(parseFractionEntry("1" + std::string(400, '0') + ".0"), HUGE_VAL);
    EXPECT_EQ(parseFractionEntry("1.0e-400"), 0.0);
    EXPECT_EQ(parseFractionEntry("0." + std::string(400, '0') + "1"), 0.0);
    EXPECT_EQ(parseFractionEntry("1.0e-99999999999999999999"), 0.0);
    EXPECT_EQ(parseFractionEntry("0." + std::string(100'000, '0') + "1e100000"), 0.1);
}

TEST(ValueEntry, EmptyTextIsRefusedWithItsMessage)
{
    for (const char* text : {"", "   ", "\t\r\n"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(parseMemoryEntry(text, Hex16), (EntryResult {0, EntryError::Empty}));
        EXPECT_EQ(parseVariableEntry(text, Binary16, kLong).error, EntryError::Empty);
    }
    EXPECT_EQ(entryErrorMessage(EntryError::Empty), "데이타를 입력하십시요.");
}

TEST(ValueEntry, IntegersByTheNumberEntryRule)
{
    EXPECT_EQ(parseMemoryEntry("0x1F", Signed16), accepted(31));
    EXPECT_EQ(parseVariableEntry("1fh", Float32, kFloat), accepted(31)); // no "." means an integer, not a float
    EXPECT_EQ(parseMemoryEntry("-1", Unsigned16).value & 0xFFFF, 0xFFFFu);
    EXPECT_EQ(parseVariableEntry("010", Hex32, kLong), accepted(10));
}

TEST(ValueEntry, ATextWithAPointIsASingleFloatInEveryViewType)
{
    for (unsigned code = 0; code < kViewTypeCount; ++code) {
        SCOPED_TRACE(code);
        const ViewType view = *viewTypeFromCode(code);
        EXPECT_EQ(parseMemoryEntry("1.5", view), accepted(0x3FC00000));
        EXPECT_EQ(parseVariableEntry("-2.5", view, kUnsignedInteger), accepted(0xC0200000));
    }
    EXPECT_EQ(parseMemoryEntry("3.4028235e38", Hex32), accepted(0x7F7FFFFF));
    EXPECT_EQ(parseMemoryEntry("0.1", Hex32), accepted(bitsOf(0.1f)));
    // Beyond single precision the rounding gives an infinity or zero.
    EXPECT_EQ(parseMemoryEntry("1.0e39", Hex32), accepted(0x7F800000));
    EXPECT_EQ(parseMemoryEntry("-1.0e400", Hex32), accepted(0xFF800000));
    EXPECT_EQ(parseMemoryEntry("1.0e-50", Hex32), accepted(0));
    EXPECT_EQ(parseMemoryEntry("-0.0", Hex32), accepted(0x80000000));
}

TEST(ValueEntry, ATextThatIsNotWhollyANumberIsRefusedInEveryViewType)
{
    for (unsigned code = 0; code < kViewTypeCount; ++code) {
        const ViewType view = *viewTypeFromCode(code);
        // Binary rows refuse an integer text with their own message; a fraction is a float there too.
        const std::vector<const char*> texts = view == Binary16
            ? std::vector<const char*> {"1.2.3", "1.5abc", "1e3."}
            : std::vector<const char*> {"abc", "12abc", "0x1G", "1GH", "1 2", "-0x10", "1.2.3", "1.5abc", "1e3."};
        for (const char* text : texts) {
            SCOPED_TRACE(std::string(text) + " in view " + std::to_string(code));
            EXPECT_EQ(parseMemoryEntry(text, view), (EntryResult {0, EntryError::NotNumber}));
            EXPECT_EQ(parseVariableEntry(text, view, kLong), (EntryResult {0, EntryError::NotNumber}));
        }
    }
    EXPECT_EQ(parseMemoryEntry(" -5 ", Signed16), accepted(0xFFFFFFFB));
    EXPECT_EQ(entryErrorMessage(EntryError::NotNumber),
        "숫자 형식이 잘못되었읍니다. 10진수, 16진수(0x 또는 H) 또는 소수로 입력하십시요.");
}

TEST(ValueEntry, BinaryDigitsOnlyWithTheLastOneAsBitZero)
{
    EXPECT_EQ(parseMemoryEntry("101", Binary16), accepted(5));
    for (const char* text : {"1012", "0x1", "-1", "1 0", "10h"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(parseMemoryEntry(text, Binary16), (EntryResult {0, EntryError::NotBinary}));
    }
    EXPECT_EQ(entryErrorMessage(EntryError::NotBinary), "Binary Data Type으로 값을 입력하십시요.");
}

TEST(ValueEntry, LongBinaryEntriesKeepTheirLeftmostDigits)
{
    const std::string twenty = "1111111111111111"
                               "0101";
    EXPECT_EQ(parseMemoryEntry(twenty, Binary16), accepted(0xFFFF));
    EXPECT_EQ(parseVariableEntry(twenty, Binary16, kUnsignedInteger), accepted(0xFFFF));
    EXPECT_EQ(parseVariableEntry(twenty, Binary16, kLong), accepted(0xFFFF5));
    for (const std::uint32_t wide : {5u, 6u, 7u, 11u, 15u}) {
        SCOPED_TRACE(wide);
        EXPECT_EQ(parseVariableEntry("1" + std::string(31, '0') + "11", Binary16, wide), accepted(0x80000000));
    }
    EXPECT_EQ(parseMemoryEntry(std::string(100'000, '1'), Binary16), accepted(0xFFFF));
    EXPECT_EQ(parseMemoryEntry(std::string(100'000, '1') + "2", Binary16).error, EntryError::NotBinary);
}

TEST(ValueEntry, StructureUnionAndVoidConvertBinaryEntriesAsTwoWordValues)
{
    EXPECT_EQ(parseVariableEntry("101", Binary16, kStructure), accepted(5));
    EXPECT_EQ(parseVariableEntry(std::string(40, '1'), Binary16, 9), accepted(0xFFFFFFFF));
    EXPECT_EQ(parseVariableEntry("110", Binary16, 0), accepted(6));
}

} // namespace
} // namespace lumetra::monitor
