#include "image/symbol_reader.h"

#include "symbol_table_bytes.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace lumetra::image;
using lumetra::test::SymbolSpec;
using lumetra::test::SymbolTableBytes;

namespace {

constexpr int kF2812Row = 22;
constexpr int kF28341Row = 36;
constexpr int kF28346Row = 41;
constexpr int kF28069Row = 65;
constexpr int kF28374SRow = 66;
constexpr int kF28379SRow = 70;

constexpr std::uint16_t kInteger = 4;
constexpr std::uint16_t kLong = 5;
constexpr std::uint16_t kArrayOf = 3 << 4;
constexpr std::uint16_t kPointerTo = 1 << 4;
constexpr std::uint16_t kFunctionOf = 2 << 4;

struct SymbolReadResult {
    SymbolReadStatus status = SymbolReadStatus::Ok;
    SymbolList symbols;
};

SymbolReadResult readBytes(const std::vector<std::uint8_t>& file, const CoffFileHeader& header, int row = kF2812Row)
{
    SymbolReadResult result;
    result.status = readSymbolTable(SharedBytes::copyOf(file), header, row, result.symbols);
    return result;
}

SymbolReadResult read(const SymbolTableBytes& table, int row = kF2812Row)
{
    return readBytes(table.file(), table.header(), row);
}

std::vector<std::string> namesOf(const SymbolReadResult& result)
{
    std::vector<std::string> names;
    for (const CDataObject& r : result.symbols.records())
        names.push_back(r.name);
    return names;
}

std::vector<std::string> listedNames(const std::vector<SymbolSpec>& specs, int row = kF2812Row)
{
    SymbolTableBytes table;
    for (const SymbolSpec& s : specs)
        table.add(s);
    const SymbolReadResult result = read(table, row);
    EXPECT_EQ(result.status, SymbolReadStatus::Ok);
    return namesOf(result);
}

using Names = std::vector<std::string>;

} // namespace

TEST(SymbolReader, NameFormsLoseOneUnderscoreAndCompilerNamesAreDropped)
{
    EXPECT_EQ(listedNames({{"_counter"}, {"__flag"}, {"_x$1"}, {"$abc"}, {".text"}, {"_.bss"}, {"plain"},
                  {"_a_variable_with_a_long_name"}, {"_abcdefg"}, {"abcdefgh"}}),
        (Names {"counter", "plain", "a_variable_with_a_long_name", "abcdefg", "abcdefgh"}));
}

TEST(SymbolReader, CodePage949NamesAreListedAsUtf8WhereverTheirFirstHighByteIs)
{
    // "\xC7\xD1\xB1\xDB" is two Hangul syllables in code page 949; names up to 8 bytes are inline, longer ones
    // come from the string table, and a single high byte among many ASCII ones must still be found.
    EXPECT_EQ(listedNames({{"_\xC7\xD1\xB1\xDB"}, {"_thirty_two_ascii_characters_and_\xC7\xD1"},
                  {"_\xB1\xDB_then_thirty_two_ascii_characters"}, {"_ascii_only_name_of_forty_characters_long"}}),
        (Names {"\xED\x95\x9C\xEA\xB8\x80", "thirty_two_ascii_characters_and_\xED\x95\x9C",
            "\xEA\xB8\x80_then_thirty_two_ascii_characters", "ascii_only_name_of_forty_characters_long"}));
}

TEST(SymbolReader, OnlyTypedExternalVariablesOfRealSectionsAreKept)
{
    EXPECT_EQ(listedNames({
                  {.name = "_ok"},
                  {.name = "_static", .storageClass = 3},
                  {.name = "_func", .type = kFunctionOf | kInteger},
                  {.name = "_ptr", .type = kPointerTo | kInteger},
                  {.name = "_void", .type = 0},
                  {.name = "_dwarfonly", .type = kArrayOf}, // derived but no basic type
                  {.name = "_atzero", .value = 0},
                  {.name = "_abs", .section = 0},
                  {.name = "_debug", .section = -1},
                  {.name = "_past", .section = 4},
                  {.name = "_last", .section = 3},
                  {.name = "_first", .section = 1},
              }),
        (Names {"ok", "last", "first"}));
}

TEST(SymbolReader, ListKeepsFileOrderAndDuplicatesWithWholeTypeField)
{
    SymbolTableBytes table;
    table.add({.name = "_b", .value = 0x100, .type = kLong});
    table.add({.name = "_a", .value = 0x200, .type = 0x1234 & ~0x00F0}); // odd later derivations are kept as read
    table.add({.name = "_b", .value = 0x300});
    const SymbolReadResult result = read(table);
    ASSERT_EQ(result.status, SymbolReadStatus::Ok);
    ASSERT_EQ(result.symbols.count(), 3u);
    EXPECT_EQ(namesOf(result), (Names {"b", "a", "b"}));
    EXPECT_EQ(result.symbols.at(1).type, 0x1204);
    EXPECT_EQ(result.symbols.at(0).address, 0x100u);
    EXPECT_EQ(result.symbols.at(0).viewType, 0);
    ASSERT_TRUE(result.symbols.findFirst("b"));
    EXPECT_EQ(result.symbols.findFirst("b")->address, 0x100u);
    EXPECT_FALSE(result.symbols.findFirst("B"));
}

TEST(SymbolReader, ArrayInfoComesFromTheAuxiliaryEntryOfAnArray)
{
    SymbolTableBytes table;
    table.add({.name = "_four", .type = kArrayOf | kLong, .auxCount = 1, .dims = {4, 0, 0, 0}});
    table.add({.name = "_grid", .type = kArrayOf | kInteger, .auxCount = 1, .dims = {3, 5, 0, 0}});
    table.add({.name = "_cube", .type = kArrayOf | kInteger, .auxCount = 1, .dims = {2, 0, 7, 0}});
    table.add({.name = "_hyper", .type = kArrayOf | kInteger, .auxCount = 1, .dims = {1, 2, 3, 65535}});
    table.add({.name = "_noaux", .type = kArrayOf | kInteger});
    table.add({.name = "_scalar", .type = kInteger, .auxCount = 1, .dims = {9, 9, 9, 9}});
    table.add({.name = "_zero", .type = kArrayOf | kInteger, .auxCount = 1, .dims = {0, 0, 0, 0}});
    const SymbolReadResult result = read(table);
    ASSERT_EQ(result.status, SymbolReadStatus::Ok);
    std::vector<std::string> infos;
    for (const CDataObject& r : result.symbols.records())
        infos.push_back(r.arrayInfo);
    EXPECT_EQ(infos,
        (Names {"Array Info : [4]", "Array Info : [3][5]", "Array Info : [2][0][7]", "Array Info : [1][2][3][65535]",
            "", "", "Array Info : [0]"}));
}

TEST(SymbolReader, AuxiliaryEntriesAreNeverReadAsSymbols)
{
    // Each auxiliary entry below is spelled as a listable symbol; none of them may appear.
    SymbolTableBytes table;
    table.add({.name = "_skipped", .storageClass = 3, .auxCount = 1}, {{.name = "_ghost1"}});
    table.add({.name = "_kept"});
    table.add({.name = "_two", .auxCount = 2}, {{.name = "_ghost2"}, {.name = "_ghost3"}});
    table.add({.name = "_after"});
    const SymbolReadResult result = read(table);
    ASSERT_EQ(result.status, SymbolReadStatus::Ok);
    EXPECT_EQ(namesOf(result), (Names {"kept", "two", "after"}));
}

TEST(SymbolReader, F2834xRowsDropTheirPeripheralFrame)
{
    const std::vector<SymbolSpec> specs {
        {.name = "_a", .value = 0x07FF},
        {.name = "_b", .value = 0x0800},
        {.name = "_c", .value = 0x0A00},
        {.name = "_d", .value = 0x7FFF},
        {.name = "_e", .value = 0x8000},
    };
    EXPECT_EQ(listedNames(specs, kF28341Row), (Names {"a", "e"}));
    EXPECT_EQ(listedNames(specs, kF28346Row), (Names {"a", "e"}));
    EXPECT_EQ(listedNames(specs, kF2812Row), (Names {"a", "b", "c", "d", "e"}));
}

TEST(SymbolReader, F2837xSRowsDropEveryPeripheralFrameInclusively)
{
    const std::vector<std::pair<std::uint32_t, std::uint32_t>> frames {{0x0B00, 0x147F}, {0x4000, 0x5EFF},
        {0x6000, 0x62FF}, {0x7000, 0x7F2F}, {0x40000, 0x4A7FF}, {0x50024, 0x5FF3F}, {0x70000, 0x78BFF},
        {0x1070000, 0x108FFFF}, {0x3F0000, 0x3FFFFF}};
    for (const auto& [first, last] : frames) {
        const std::vector<SymbolSpec> specs {
            {.name = "below", .value = first - 1},
            {.name = "first", .value = first},
            {.name = "inside", .value = first + (last - first) / 2},
            {.name = "last", .value = last},
            {.name = "above", .value = last + 1},
        };
        EXPECT_EQ(listedNames(specs, kF28374SRow), (Names {"below", "above"})) << std::hex << first;
        EXPECT_EQ(listedNames(specs, kF28379SRow), (Names {"below", "above"})) << std::hex << first;
        EXPECT_EQ(listedNames(specs, kF28069Row).size(), 5u) << std::hex << first;
    }
}

TEST(SymbolReader, DamagedTablesAreRefusedWithoutSymbols)
{
    SymbolTableBytes table;
    table.add({.name = "_good"});
    table.add({.name = "_arr", .type = kArrayOf | kInteger, .auxCount = 1, .dims = {4, 0, 0, 0}});
    const std::vector<std::uint8_t> file = table.file();

    // A count that reaches past the end of the file (also a huge one) or that cuts an auxiliary entry off.
    for (std::uint32_t count : {0xFFFFFFFFu, 0x10000000u, 2u}) {
        const SymbolReadResult result = readBytes(file, table.header(3, count));
        EXPECT_EQ(result.status, SymbolReadStatus::ReadPastEnd) << count;
        EXPECT_TRUE(result.symbols.empty());
    }
    // The string table cut short.
    const std::vector<std::uint8_t> cut(file.begin(), file.end() - 1);
    EXPECT_EQ(readBytes(cut, table.header()).status, SymbolReadStatus::ReadPastEnd);
}

TEST(SymbolReader, NameOffsetOutsideTheStringTableIsRefused)
{
    SymbolTableBytes table;
    table.add({.name = "_a_long_enough_name"});
    table.addRawNameOffset(4 + 20 + 100);
    EXPECT_EQ(read(table).status, SymbolReadStatus::ReadPastEnd);
}

TEST(SymbolReader, EmptyTableGivesEmptyList)
{
    SymbolTableBytes table;
    const SymbolReadResult result = read(table);
    EXPECT_EQ(result.status, SymbolReadStatus::Ok);
    EXPECT_TRUE(result.symbols.empty());
}
