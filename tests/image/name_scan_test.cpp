#include "image/name_scan.h"
#include "image/symbol_list.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

using namespace lumetra::image;

namespace {

// The byte-at-a-time reading of a name the scan must agree with.
ScannedName scannedSlowly(const std::vector<std::uint8_t>& bytes)
{
    ScannedName expected;
    std::size_t end = 0;
    while (end < bytes.size() && bytes[end] != 0 && bytes[end] != '$') {
        expected.hasNonAscii |= bytes[end] >= 0x80;
        ++end;
    }
    expected.hasDollar = end < bytes.size() && bytes[end] == '$';
    expected.text = std::string_view(reinterpret_cast<const char*>(bytes.data()), end);
    return expected;
}

// The text views `bytes`, which must outlive it.
ScannedName scan(const std::vector<std::uint8_t>& bytes)
{
    return scanName(bytes.data(), bytes.size());
}

std::vector<std::uint8_t> bytesOf(std::string_view text)
{
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

} // namespace

TEST(NameScan, EndsAtTheFirstNulOrAtTheLimit)
{
    const auto textOf = [](std::string_view bytes) { return std::string(scan(bytesOf(bytes)).text); };
    EXPECT_EQ(textOf(std::string_view("counter\0tail", 12)), "counter");
    EXPECT_EQ(textOf(std::string_view("\0abc", 4)), "");
    EXPECT_EQ(textOf("exactly8"), "exactly8"); // an inline name filling its field
    EXPECT_EQ(textOf("a_name_of_19_bytes_"), "a_name_of_19_bytes_"); // unterminated at the table's end
    EXPECT_EQ(textOf(""), "");
}

TEST(NameScan, StopsAtADollarAndNotesBytesOutsideAscii)
{
    const std::vector<std::uint8_t> dollarName = bytesOf("_a_long_name_with$dollar");
    const ScannedName dollar = scan(dollarName);
    EXPECT_TRUE(dollar.hasDollar);
    EXPECT_EQ(dollar.text, "_a_long_name_with");
    EXPECT_FALSE(scan(bytesOf(std::string_view("name\0$", 6))).hasDollar); // past the NUL does not count

    const std::vector<std::uint8_t> hangulName = bytesOf(std::string_view("_\xC7\xD1\xB1\xDB_and_more\0", 15));
    const ScannedName hangul = scan(hangulName);
    EXPECT_TRUE(hangul.hasNonAscii);
    EXPECT_FALSE(hangul.hasDollar);
    EXPECT_EQ(hangul.text, "_\xC7\xD1\xB1\xDB_and_more");
    const ScannedName both = scan(bytesOf("\x80x$y"));
    EXPECT_TRUE(both.hasNonAscii);
    EXPECT_TRUE(both.hasDollar);
}

TEST(NameScan, AgreesWithAByteAtATimeReadingForEveryLengthAndPosition)
{
    std::mt19937 random(7);
    // Bytes weighted towards the ones the scan treats specially and their neighbours.
    const std::vector<std::uint8_t> alphabet {0, 1, '$', '#', '%', 'a', '_', 0x7F, 0x80, 0x81, 0xFF, 0x24 ^ 0x80};
    for (int round = 0; round < 20000; ++round) {
        std::vector<std::uint8_t> bytes(random() % 40);
        for (std::uint8_t& b : bytes)
            b = random() % 4 == 0 ? alphabet[random() % alphabet.size()]
                                  : static_cast<std::uint8_t>('a' + random() % 26);
        const ScannedName expected = scannedSlowly(bytes);
        const ScannedName actual = scan(bytes);
        ASSERT_EQ(actual.hasDollar, expected.hasDollar) << round;
        ASSERT_EQ(actual.text, expected.text) << round;
        if (!expected.hasDollar) { // only the part before a '$' is looked at
            ASSERT_EQ(actual.hasNonAscii, expected.hasNonAscii) << round;
        }
    }
}

TEST(SymbolList, RecordsComeBackAsGivenAndTheFirstOfANameIsFound)
{
    std::vector<CDataObject> records(3);
    records[0] = {"speed", 0x8000, 0x0004, "", 0};
    records[1] = {"table", 0x8010, 0x0035, "Array Info : [4][2]", 0};
    records[2] = {"speed", 0x9000, 0x0005, "", 0};
    const SymbolList list(records);
    EXPECT_EQ(list.records(), records);
    EXPECT_EQ(list.nameAt(1), "table");
    EXPECT_EQ(list.arrayInfoAt(1), "Array Info : [4][2]");
    ASSERT_TRUE(list.findFirst("speed"));
    EXPECT_EQ(list.findFirst("speed")->address, 0x8000u);
    EXPECT_FALSE(list.findFirst("Speed"));

    SymbolList emptied = list;
    emptied.clear();
    EXPECT_TRUE(emptied.empty());
    EXPECT_EQ(list.count(), 3u);
}
