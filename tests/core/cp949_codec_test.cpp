#include "core/cp949_codec.h"
#include "core/utf8_code_points.h"

#include <gtest/gtest.h>

#include <string>

namespace lumetra::core {
namespace {

bool isValidUtf8(std::string_view text)
{
    for (std::size_t offset = 0; offset < text.size();) {
        const auto codePoint = decodeUtf8At(text, offset);
        if (!codePoint)
            return false;
        offset += codePoint->length;
    }
    return true;
}

TEST(Cp949Codec, ConverterIsPresent)
{
    EXPECT_TRUE(cp949ConversionAvailable());
}

TEST(Cp949Codec, KoreanTextConvertsBothWays)
{
    const std::string cp949 = "\xC4\xAB\xBF\xEE\xC5\xCD"; // 카운터
    EXPECT_EQ(cp949ToUtf8(cp949).text, "카운터");
    EXPECT_EQ(utf8ToCp949("카운터").text, cp949);
    EXPECT_EQ(utf8ToCp949("adc_값 [3]").text, "adc_\xB0\xAA [3]");
}

TEST(Cp949Codec, UndecodableBytesBecomePrivateCodePointsAndComeBack)
{
    // 0x80 and 0xFF never start a character; 0xB0 followed by '0' is a lead byte without a trail byte;
    // a lead byte at the very end has no trail byte at all.
    const std::string cp949 = "\x80"
                              "A\xB0"
                              "0\xC4\xAB\xFF\xB0";
    const TextConversion text = cp949ToUtf8(cp949);
    ASSERT_TRUE(text.ok());
    EXPECT_EQ(text.text, "\U0010FF80A\U0010FFB00카\U0010FFFF\U0010FFB0");
    EXPECT_EQ(utf8ToCp949(text.text).text, cp949);
}

// Platform converters differ here; the codec gives the same text on every platform.
TEST(Cp949Codec, ControlAndUserDefinedAreasAreNotText)
{
    EXPECT_EQ(cp949ToUtf8("\xC9\xA1").text, "\U0010FFC9\U0010FFA1");
    EXPECT_EQ(cp949ToUtf8("\xFE\xFE").text, "\U0010FFFE\U0010FFFE");
    EXPECT_EQ(utf8ToCp949("\U0010FFC9\U0010FFA1").text, "\xC9\xA1");
    for (const char* utf8 : {"\u0080", "\u009F", "\uE000", "\uE0BB", "\uF8FF"}) {
        SCOPED_TRACE(utf8);
        EXPECT_EQ(utf8ToCp949(utf8).error, TextConversionError::Unmappable);
    }
}

TEST(Cp949Codec, EveryOneAndTwoByteStringRoundTrips)
{
    std::string failures;
    for (unsigned first = 0; first < 0x100; ++first) {
        const std::string single(1, static_cast<char>(first));
        const TextConversion singleText = cp949ToUtf8(single);
        if (!isValidUtf8(singleText.text) || utf8ToCp949(singleText.text).text != single)
            failures += " " + std::to_string(first);
        for (unsigned second = 0; second < 0x100; ++second) {
            const std::string pair {static_cast<char>(first), static_cast<char>(second)};
            const TextConversion text = cp949ToUtf8(pair);
            const TextConversion back = utf8ToCp949(text.text);
            if (!text.ok() || !isValidUtf8(text.text) || !back.ok() || back.text != pair)
                failures += " " + std::to_string(first << 8 | second);
        }
    }
    EXPECT_EQ(failures, "");
}

TEST(Cp949Codec, TextThatCannotBeWrittenIsReportedWithItsOffset)
{
    struct Case {
        const char* what;
        std::string utf8;
        TextConversionError error;
        std::size_t offset;
    };
    const Case cases[] = {
        {"truncated sequence", "ab\xEC\xB9", TextConversionError::InvalidUtf8, 2},
        {"overlong slash", "\xC0\xAF", TextConversionError::InvalidUtf8, 0},
        {"surrogate", "x\xED\xA0\x80", TextConversionError::InvalidUtf8, 1},
        {"stray continuation byte", "\x80", TextConversionError::InvalidUtf8, 0},
        {"Thai letter", "a\u0E01", TextConversionError::Unmappable, 1},
        {"emoji", "카\U0001F600", TextConversionError::Unmappable, 3},
        {"private code point of an ASCII byte", "\U0010FF41", TextConversionError::Unmappable, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const TextConversion result = utf8ToCp949(c.utf8);
        EXPECT_EQ(result.error, c.error);
        EXPECT_EQ(result.errorOffset, c.offset);
        EXPECT_EQ(result.text, "");
    }
}

} // namespace
} // namespace lumetra::core
