#include "graph/session/sample_conversion.h"

#include <gtest/gtest.h>

namespace lumetra::graph {
namespace {

TEST(SampleConversion, ReadsOneWordOrTwoByType)
{
    for (const std::uint32_t type : {3u, 4u, 13u, 14u}) {
        ASSERT_TRUE(sampleReadOf(type)) << type;
        EXPECT_EQ(sampleReadOf(type)->mode, 'r');
        EXPECT_EQ(sampleReadOf(type)->words, 1u);
    }
    for (const std::uint32_t type : {5u, 6u, 15u}) {
        ASSERT_TRUE(sampleReadOf(type)) << type;
        EXPECT_EQ(sampleReadOf(type)->mode, 'l');
        EXPECT_EQ(sampleReadOf(type)->words, 2u);
    }
}

TEST(SampleConversion, OtherTypesAreSkipped)
{
    for (const std::uint32_t type : {0u, 1u, 2u, 7u, 8u, 11u, 12u, 16u, 0x13u}) {
        EXPECT_FALSE(sampleReadOf(type)) << type;
        EXPECT_FALSE(convertSample(type, 0x1234)) << type;
    }
}

TEST(SampleConversion, TakesTheBitsAsTheTypeSays)
{
    EXPECT_EQ(convertSample(6, 0x3F800000), 1.0);
    EXPECT_EQ(convertSample(6, 0xC0200000), -2.5);
    EXPECT_EQ(convertSample(3, 0xFFFF), -1.0);
    EXPECT_EQ(convertSample(4, 0x8000), -32768.0);
    EXPECT_EQ(convertSample(13, 0xFFFF), 65535.0);
    EXPECT_EQ(convertSample(14, 0x7FFF), 32767.0);
    EXPECT_EQ(convertSample(5, 0xFFFFFFFE), -2.0);
    EXPECT_EQ(convertSample(15, 0xFFFFFFFE), 4294967294.0);
    // A one-word type uses the low 16 bits only.
    EXPECT_EQ(convertSample(13, 0x12345678), 0x5678);
    EXPECT_EQ(convertSample(3, 0x0001FFFF), -1.0);
}

} // namespace
} // namespace lumetra::graph
