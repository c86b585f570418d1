// Output columns and fields of the command line.
#include "cli/text_format.h"

#include <gtest/gtest.h>

#include <string>

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

TEST(TextFormat, EscapesControlsFromInputFilesAsJsonDoesAndKeepsColumns)
{
    // A terminal title sequence (OSC) in a section or record name.
    EXPECT_EQ(printableText("\x1B]0;owned\x07name"), "\\u001b]0;owned\\u0007name");
    EXPECT_EQ(printableText("a\tb\nc\rd\be\ff"), "a\\tb\\nc\\rd\\be\\ff");
    EXPECT_EQ(printableText(std::string("nul\0del\x7F", 8)), "nul\\u0000del\\u007f");
    // C1 controls as UTF-8 (U+009B is the one-character CSI); a byte that is not UTF-8 shows as U+FFFD.
    EXPECT_EQ(printableText("\xC2\x9B" "2J\xC2\x80"), "\\u009b2J\\u0080");
    EXPECT_EQ(printableText("ab\x9B" "c\xE1\x84"), "ab\xEF\xBF\xBD" "c\xEF\xBF\xBD\xEF\xBF\xBD");
    // Korean text, U+00A0 and a backslash stay as they are.
    EXPECT_EQ(printableText("변수\xC2\xA0" "C:\\x"), "변수\xC2\xA0" "C:\\x");
    // Escaped first, a name pads to the width it is shown with.
    EXPECT_EQ(padded(printableText("온도\x1B"), -10), "온도\\u001b  ");
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
