// The data type codes given to the debug information's types, and the dimension text of its arrays.
#include "image/array_info.h"
#include "image/debug_type_codes.h"

#include <gtest/gtest.h>

#include <vector>

using namespace lumetra::image;

TEST(DebugTypeCodes, C2000BaseTypesTakeTheirCodesBySizeEncodingAndName)
{
    constexpr auto kSigned = static_cast<std::uint64_t>(BaseEncoding::Signed);
    constexpr auto kUnsigned = static_cast<std::uint64_t>(BaseEncoding::Unsigned);
    constexpr auto kFloat = static_cast<std::uint64_t>(BaseEncoding::Float);
    struct Case {
        std::uint64_t encoding;
        std::uint64_t words;
        const char* name;
        int code;
    };
    // Sizes as the C2000 compiler writes them, in 16-bit words.
    const Case cases[] = {
        {static_cast<std::uint64_t>(BaseEncoding::SignedChar), 1, "signed char", 2},
        {static_cast<std::uint64_t>(BaseEncoding::UnsignedChar), 1, "unsigned char", 12},
        {static_cast<std::uint64_t>(BaseEncoding::Boolean), 1, "bool", 12},
        {kSigned, 1, "short", 3},
        {kSigned, 1, "int", 4},
        {kSigned, 2, "long", 5},
        {kSigned, 4, "long long", 5},
        {kUnsigned, 1, "unsigned short", 13},
        {kUnsigned, 1, "unsigned int", 14},
        {kUnsigned, 2, "unsigned long", 15},
        {kUnsigned, 4, "unsigned long long", 15},
        {kFloat, 2, "float", 6},
        {kFloat, 2, "double", 7},
        {kFloat, 4, "long double", 11},
        {0x10, 1, "vendor", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(baseTypeCode(c.encoding, c.words, c.name), c.code) << c.name;
}

TEST(DebugTypeCodes, PointersAreReadAsUnsignedIntegersOfTheirWidth)
{
    EXPECT_EQ(pointerTargetCode(1), 14);
    EXPECT_EQ(pointerTargetCode(2), 15);
    const DerivedType pointer[] = {DerivedType::Pointer};
    EXPECT_EQ(dataTypeText(composeTypeField(pointerTargetCode(2), pointer)), "Pointer to Unsigned long");
}

TEST(DebugTypeCodes, DerivationsFillFromBitFourAndStopAfterSix)
{
    const DerivedType arrayOfPointers[] = {DerivedType::Array, DerivedType::Pointer};
    EXPECT_EQ(composeTypeField(15, arrayOfPointers), 0x7F);
    const std::vector<DerivedType> seven(7, DerivedType::Array);
    EXPECT_EQ(composeTypeField(4, seven), 0xFFF4);
    EXPECT_EQ(composeTypeField(0x14, {}), 0x4); // only four bits of code
}

TEST(DebugTypeCodes, DebugDimensionsShowTheFirstFourZerosIncluded)
{
    EXPECT_EQ(arrayInfoText(std::vector<std::uint32_t> {}), "");
    EXPECT_EQ(arrayInfoText(std::vector<std::uint32_t> {1280}), "Array Info : [1280]");
    EXPECT_EQ(arrayInfoText(std::vector<std::uint32_t> {3, 0}), "Array Info : [3][0]");
    EXPECT_EQ(arrayInfoText(std::vector<std::uint32_t> {100000, 2, 3, 4, 5}), "Array Info : [100000][2][3][4]");
    EXPECT_EQ(arrayInfoText(std::array<std::uint16_t, 4> {3, 5, 0, 0}), "Array Info : [3][5]");
}
