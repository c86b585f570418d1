#include "monitor/value_render.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

namespace lumetra::monitor {
namespace {

using enum ViewType;
using enum DisplayGroup;

std::uint32_t bitsOf(float f)
{
    return std::bit_cast<std::uint32_t>(f);
}

std::string value(std::uint32_t raw, ViewType view, DisplayGroup group)
{
    return renderVariableValue(raw, view, group).value;
}

TEST(MemoryCellRendering, EachViewTypeAtItsOwnWidth)
{
    EXPECT_EQ(renderMemoryCell(0xFFFF, Signed16).value, "-1");
    EXPECT_EQ(renderMemoryCell(0xFFFF, Unsigned16).value, "65535");
    EXPECT_EQ(renderMemoryCell(0x0041, Hex16), (RenderedValue {"0x0041", "A."}));
    EXPECT_EQ(renderMemoryCell(0x4142, Hex16).ascii, "BA");
    EXPECT_EQ(renderMemoryCell(0x0000ABCD, Hex32), (RenderedValue {"0x0000ABCD", "...."}));
    EXPECT_EQ(renderMemoryCell(0xFFFFFFFF, Signed32).value, "-1");
    EXPECT_EQ(renderMemoryCell(0xFFFFFFFF, Unsigned32).value, "4294967295");
    EXPECT_EQ(renderMemoryCell(0x3FC00000, Float32), (RenderedValue {"1.500000", "...?"}));
    EXPECT_EQ(renderMemoryCell(0x8001, Binary16).value, "1000000000000001");
}

TEST(MemoryCellRendering, OneWordViewsIgnoreTheUpperHalf)
{
    EXPECT_EQ(renderMemoryCell(0x12345678, Hex16), (RenderedValue {"0x5678", "xV"}));
    EXPECT_EQ(renderMemoryCell(0x0001FFFF, Signed16).value, "-1");
    EXPECT_EQ(renderMemoryCell(0xFFFF0000, Binary16).value, "0000000000000000");
}

TEST(MemoryCellRendering, FloatMatchesPrintfOverASweepOfBitPatterns)
{
    // Covers zeros, subnormals, huge values, infinities and NaNs of both signs.
    for (std::uint64_t raw = 0; raw <= 0xFFFFFFFFu; raw += 999'983) {
        const auto bits = static_cast<std::uint32_t>(raw);
        const float number = std::bit_cast<float>(bits);
        char expected[400];
        std::snprintf(expected, sizeof expected, "%f", static_cast<double>(number));
        // C libraries differ on the sign of NaN ("nan" for every NaN on Windows): the product keeps the sign.
        if (std::isnan(number))
            std::snprintf(expected, sizeof expected, "%s", std::signbit(number) ? "-nan" : "nan");
        ASSERT_EQ(renderMemoryCell(bits, Float32).value, expected) << std::hex << bits;
    }
}

TEST(VariableRendering, SingleWordGroup)
{
    EXPECT_EQ(renderVariableValue(0x0041, Float32, SingleWord), (RenderedValue {"65.000000", "A."}));
    EXPECT_EQ(value(0x0041, Hex32, SingleWord), "0x00000041");
    EXPECT_EQ(value(0xFFFF, Float32, SingleWord), "65535.000000");
    EXPECT_EQ(value(0x8000, Signed16, SingleWord), "-32768");
    EXPECT_EQ(value(0x8000, Signed32, SingleWord), "32768");
    EXPECT_EQ(value(0x0005, Binary16, SingleWord), "0000000000000101");
    // A one-word read never carries an upper half; stray bits there are dropped.
    EXPECT_EQ(renderVariableValue(0xFFFF8000, Signed32, SingleWord), (RenderedValue {"32768", ".."}));
}

TEST(VariableRendering, DoubleWordGroup)
{
    EXPECT_EQ(value(0x00018000, Signed16, DoubleWord), "-32768");
    EXPECT_EQ(value(0x00018000, Hex16, DoubleWord), "0x18000");
    EXPECT_EQ(value(0x00000012, Hex16, DoubleWord), "0x0012");
    EXPECT_EQ(value(0x00018000, Unsigned16, DoubleWord), "32768");
    EXPECT_EQ(value(0x80000000, Signed32, DoubleWord), "-2147483648");
    EXPECT_EQ(value(0xFFFFFFFF, Unsigned32, DoubleWord), "4294967295");
    EXPECT_EQ(value(0xFFFFFFFF, Float32, DoubleWord), "4294967295.000000");
    EXPECT_EQ(value(0x3FC00000, Float32, DoubleWord), "1069547520.000000");
    // Switching a Long to "binary (16bit)" shows all 32 bits: the width follows the data type.
    EXPECT_EQ(value(0x80000001, Binary16, DoubleWord), "10000000000000000000000000000001");
    EXPECT_EQ(renderVariableValue(0x44434241, Hex32, DoubleWord).ascii, "ABCD");
}

TEST(VariableRendering, FloatGroupReinterpretsTheBits)
{
    EXPECT_EQ(value(0x3FC00000, Signed32, Float), "1");
    EXPECT_EQ(value(0x3FC00000, Float32, Float), "1.500000");
    EXPECT_EQ(value(0x3FC00000, Hex16, Float), "0x3FC00000");
    EXPECT_EQ(value(0x3FC00000, Binary16, Float), "00111111110000000000000000000000");
    EXPECT_EQ(value(bitsOf(-1.5f), Signed16, Float), "-1");
    EXPECT_EQ(value(bitsOf(-1.5f), Unsigned16, Float), "65535");
    EXPECT_EQ(value(bitsOf(-1.5f), Unsigned32, Float), "4294967295");
    EXPECT_EQ(value(bitsOf(70000.5f), Signed16, Float), "4464"); // 70000 = 0x11170
    EXPECT_EQ(value(bitsOf(70000.5f), Signed32, Float), "70000");
    EXPECT_EQ(value(bitsOf(3.0e9f), Signed32, Float), "-1294967296");
    EXPECT_EQ(value(bitsOf(3.0e9f), Unsigned32, Float), "3000000000");
    EXPECT_EQ(value(bitsOf(-0.0f), Float32, Float), "-0.000000");
    EXPECT_EQ(value(bitsOf(std::numeric_limits<float>::max()), Float32, Float),
        "340282346638528859811704183484516925440.000000");
}

TEST(VariableRendering, FloatsBeyondTheIntegerRangeKeepTheirZeroLowBits)
{
    // At 2^62 the integer still fits; from 2^63 on every float is a multiple of 2^40.
    for (const float f : {4.611686018427387904e18f, 1.0e20f, -1.0e20f, std::numeric_limits<float>::max()}) {
        SCOPED_TRACE(f);
        EXPECT_EQ(value(bitsOf(f), Signed16, Float), "0");
        EXPECT_EQ(value(bitsOf(f), Unsigned32, Float), "0");
    }
}

TEST(VariableRendering, InfinitiesAndNanHaveNoIntegerValueAndShowTheirName)
{
    const std::pair<std::uint32_t, const char*> cases[]
        = {{0x7F800000, "inf"}, {0xFF800000, "-inf"}, {0x7FC00000, "nan"}, {0xFFC00000, "-nan"}, {0x7F800001, "nan"}};
    for (const auto& [raw, text] : cases) {
        SCOPED_TRACE(text);
        for (const ViewType view : {Signed16, Signed32, Unsigned16, Unsigned32, Float32})
            EXPECT_EQ(value(raw, view, Float), text);
        EXPECT_EQ(renderMemoryCell(raw, Float32).value, text);
        EXPECT_EQ(renderVariableValue(raw, Hex32, Float).value.size(), 10u);
    }
}

TEST(BinaryAndAsciiText, DigitsBytesAndTheirLimits)
{
    EXPECT_EQ(binaryText(0x00050005, 16), "0000000000000101");
    EXPECT_EQ(binaryText(0x80000000, 32), "10000000000000000000000000000000");
    EXPECT_EQ(binaryText(0xFFFFFFFF, 40), std::string(32, '1'));
    EXPECT_EQ(binaryText(0xFFFFFFFF, -1), "");
    // Lowest byte first; control bytes and bytes from 0x80 on are dots, 0x20 and 0x7F are shown.
    EXPECT_EQ(asciiText(0x7E41, 2), "A~");
    EXPECT_EQ(asciiText(0x1F20, 2), " .");
    EXPECT_EQ(asciiText(0x807F, 2), "\x7F.");
    EXPECT_EQ(asciiText(0x64636261, 9), "abcd");
    EXPECT_EQ(kUnreadableCellText, "???");
}

} // namespace
} // namespace lumetra::monitor
