#include "tools/console_text.h"

#include <gtest/gtest.h>

using namespace lumetra::tools;

namespace {

TEST(ConsoleText, LineEndsBecomeLineBreaksAcrossReads)
{
    ConsoleTextFilter filter;
    EXPECT_EQ(filter.filter("one\r\ntwo\r"), "one\ntwo\n");
    EXPECT_EQ(filter.filter("\nthree\rfour\n"), "three\nfour\n") << "the \\n of a split \\r\\n is not doubled";
}

TEST(ConsoleText, ControlBytesAndEscapeSequencesAreLeftOut)
{
    ConsoleTextFilter filter;
    EXPECT_EQ(filter.filter(std::string("a\0b\x07\x08\tc\x7F", 8)), "ab\tc");
    EXPECT_EQ(filter.filter("\x1B[1;31mred\x1B[0m \x1B(B.\x1B"
                            "7"),
        "red .");
    // A sequence split between reads.
    EXPECT_EQ(filter.filter("x\x1B"), "x");
    EXPECT_EQ(filter.filter("[3"), "");
    EXPECT_EQ(filter.filter("2mok"), "ok");
    // Bytes of multi-byte characters (UTF-8, code page 949) and invalid ones pass for the decoder.
    EXPECT_EQ(filter.filter("도구 \xB5\xB5\xB1\xB8 \xFF\xFE"), "도구 \xB5\xB5\xB1\xB8 \xFF\xFE");
}

TEST(ConsoleText, PageKeepsTheNewestTextWithinItsLimit)
{
    EXPECT_EQ(trimForAppend(50, 50, 100, 90), PageTrim {});
    // Past the limit the page goes down to the refill mark.
    EXPECT_EQ(trimForAppend(95, 10, 100, 90), (PageTrim {15, 0}));
    // A text longer than the mark keeps only its end.
    EXPECT_EQ(trimForAppend(40, 250, 100, 90), (PageTrim {40, 160}));
    EXPECT_EQ(trimForAppend(0, 90, 100, 90), PageTrim {});
    EXPECT_LT(kMessagePageRefill, kMessagePageLimit);
}

} // namespace
