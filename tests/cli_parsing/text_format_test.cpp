// Output columns and fields of the command line.
#include "cli/text_format.h"

#include <gtest/gtest.h>

namespace lumetra::cli {
namespace {

TEST(TextFormat, PadsByCharactersNotBytes)
{
    EXPECT_EQ(padded("ab", 4), "  ab");
    EXPECT_EQ(padded("ab", -4), "ab  ");
    EXPECT_EQ(padded("abcdef", -4), "abcdef");
    // Three Hangul syllables are nine bytes but three columns of the table.
    EXPECT_EQ(padded("변수명", -5), "변수명  ");
}

TEST(TextFormat, FillsInEachFieldOnce)
{
    EXPECT_EQ(fillIn("%2 and %1", {"a", "b"}), "b and a");
    EXPECT_EQ(fillIn("%1 %2", {"%2", "x"}), "%2 x");
    EXPECT_EQ(fillIn("100% of %1, %3 stays", {"it"}), "100% of it, %3 stays");
}

TEST(TextFormat, WritesUpperCaseHexadecimal)
{
    EXPECT_EQ(hexText(0x3F8000, 6), "0x3F8000");
    EXPECT_EQ(hexText(0xab, 4), "0x00AB");
    EXPECT_EQ(hexDigits(0x12345, 4), "12345");
}

TEST(TextFormat, SplitsKeepingEmptyParts)
{
    EXPECT_EQ(splitAt("a,,b", ','), (std::vector<std::string> {"a", "", "b"}));
    EXPECT_EQ(splitAt("", ','), (std::vector<std::string> {""}));
    EXPECT_EQ(splitAt("0x9000:4:short:a:b", ':').size(), 5u);
}

} // namespace
} // namespace lumetra::cli
