#include "image/hex_dump_text.h"

#include <gtest/gtest.h>

#include <vector>

namespace lumetra::image {
namespace {

TEST(HexDumpTextTest, LinesCarryEightWordsLedByTheWordAddress)
{
    std::vector<std::uint8_t> data(20);
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<std::uint8_t>(0x41 + i);
    EXPECT_EQ(hexDumpLineCount(data.size()), 2u);
    EXPECT_EQ(hexDumpLine(data, 0, 0x3F8000, 0x009D),
        "0x3F8000  41 42 43 44 45 46 47 48  49 4A 4B 4C 4D 4E 4F 50  ABCDEFGHIJKLMNOP");
    // The last line is padded so that its printable column lines up.
    EXPECT_EQ(
        hexDumpLine(data, 1, 0x3F8000, 0x009D), "0x3F8008  51 52 53 54                                       QRST");
    EXPECT_EQ(hexDumpLine(data, 2, 0x3F8000, 0x009D), "");
}

TEST(HexDumpTextTest, SixteenBitTargetsShowFourAddressDigitsAndDotsForControlBytes)
{
    const std::vector<std::uint8_t> data {0x00, 0x7F, 0xFF, 0x20};
    EXPECT_EQ(hexDumpLine(data, 0, 0x8000, 0x0092).substr(0, 24), "0x8000  00 7F FF 20     ");
    EXPECT_EQ(hexDumpLine(data, 0, 0x8000, 0x0092).substr(58), "... ");
    EXPECT_EQ(hexDumpLineCount(0), 0u);
    EXPECT_EQ(hexDumpLineCount(16), 1u);
}

} // namespace
} // namespace lumetra::image
