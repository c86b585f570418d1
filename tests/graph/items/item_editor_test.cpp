#include "graph/items/item_editor.h"

#include "graph/items/graph_number_entry.h"
#include "monitor/number_entry.h"

#include <gtest/gtest.h>

using namespace lumetra::graph;
using lumetra::core::DialogMessage;
using lumetra::core::Family;

namespace {

constexpr int kShort = 0;
constexpr int kLong = 4;

ItemEditor editor(std::string address, std::string length, int typeIndex = kShort, std::string label = "x")
{
    ItemEditor e;
    e.label = std::move(label);
    e.address = std::move(address);
    e.length = std::move(length);
    e.typeIndex = typeIndex;
    return e;
}

std::string messageOf(GraphKind kind, Family family, const ItemEditor& e)
{
    const auto result = validateEditor(kind, family, e);
    const auto* message = std::get_if<DialogMessage>(&result);
    return message == nullptr ? std::string() : message->text;
}

GraphChannel itemOf(GraphKind kind, Family family, const ItemEditor& e)
{
    const auto result = validateEditor(kind, family, e);
    EXPECT_TRUE(std::holds_alternative<GraphChannel>(result)) << messageOf(kind, family, e);
    return std::holds_alternative<GraphChannel>(result) ? std::get<GraphChannel>(result) : GraphChannel {};
}

} // namespace

TEST(GraphNumberEntry, MarkersChooseTheBaseAndAreLeftOutOfTheDigitCheck)
{
    for (const char* text : {"0x20", " 0X20 ", "20H", "20h", "32"}) {
        EXPECT_TRUE(hasOnlyHexDigits(text)) << text;
        EXPECT_EQ(lumetra::monitor::parseIntegerEntry(text), 32u) << text;
    }
    EXPECT_TRUE(hasOnlyHexDigits("1A"));
    EXPECT_EQ(lumetra::monitor::parseIntegerEntry("1A"), std::nullopt);
    for (const char* text : {"", "0x", "H", "12G", "-5", "0x1 2", "1.5"})
        EXPECT_FALSE(hasOnlyHexDigits(text)) << text;
}

TEST(ItemEditorValidation, HexadecimalLettersWithoutAMarkerAreRefusedNotReadAsTheirLeadingDigits)
{
    const Family f = Family::F28x;
    const GraphKind m = GraphKind::Memory;
    EXPECT_EQ(messageOf(m, f, editor("81A0", "4")), "주소 입력이 잘못되었읍니다.");
    EXPECT_EQ(messageOf(m, f, editor("0x8100", "1A")), "데이터 길이 입력이 잘못되었읍니다.");
    EXPECT_EQ(messageOf(GraphKind::Time, f, editor("8A", "")), "주소 입력이 잘못되었읍니다.");
    EXPECT_EQ(itemOf(m, f, editor("81A0H", "1AH")).length, 0x1Au);
}

TEST(ItemEditorValidation, MemoryGraphRulesAreCheckedInOrder)
{
    const Family f = Family::F28x;
    const GraphKind m = GraphKind::Memory;
    EXPECT_EQ(messageOf(m, f, editor(" ", "", kShort, "")), "주소 값을 입력하십시요.");
    EXPECT_EQ(messageOf(m, f, editor("zz", " ", kShort, "")), "데이터 길이 값을 입력하십시요.");
    EXPECT_EQ(messageOf(m, f, editor("zz", "zz", kShort, "")), "레이블 이름을 입력하십시요.");
    EXPECT_EQ(messageOf(m, f, editor("zz", "zz")), "주소 입력이 잘못되었읍니다.");
    EXPECT_EQ(messageOf(m, f, editor("0x400000", "zz")), "데이터 길이 입력이 잘못되었읍니다.");
    EXPECT_EQ(messageOf(m, f, editor("0x400000", "1")), "입력한 주소 값이 최대 주소 범위(0x3FFFFF)를 초과합니다.");
    EXPECT_EQ(messageOf(m, f, editor("0x3FFFF0", "1")), "데이터 길이 값은 최소 1보다 커야 합니다.");
    EXPECT_EQ(messageOf(m, f, editor("0x3FFFF0", "8H", kLong)),
        "입력한 값의 최대 데이터 크기가 최대 메모리 범위(0x3FFFFF Words)를 초과합니다.");
}

TEST(ItemEditorValidation, TheBlockMustEndBelowTheAddressLimitOfTheTarget)
{
    const GraphKind m = GraphKind::Memory;
    EXPECT_EQ(messageOf(m, Family::Lf240x, editor("0xFFFF", "2", kLong)),
        "입력한 값의 최대 데이터 크기가 최대 메모리 범위(0xFFFF Words)를 초과합니다.");
    EXPECT_EQ(itemOf(m, Family::Lf240x, editor("0xFFF0", "2", kShort)), (GraphChannel {"x", 0xFFF0, 2, 3, 0}));
    EXPECT_EQ(
        messageOf(m, Family::Lf240x, editor("10000H", "2")), "입력한 주소 값이 최대 주소 범위(0xFFFF)를 초과합니다.");
    // A length whose word count does not fit 32 bits must not wrap back into the address space.
    EXPECT_EQ(messageOf(m, Family::F28x, editor("0", "0x80000000", kLong)),
        "입력한 값의 최대 데이터 크기가 최대 메모리 범위(0x3FFFFF Words)를 초과합니다.");
}

TEST(ItemEditorValidation, TimeGraphChecksAddressLabelDigitsAndLimitWithoutLength)
{
    const GraphKind t = GraphKind::Time;
    EXPECT_EQ(messageOf(t, Family::F28x, editor("", "", kShort, "")), "주소 값을 입력하십시요.");
    EXPECT_EQ(messageOf(t, Family::F28x, editor("q", "", kShort, "")), "레이블 이름을 입력하십시요.");
    EXPECT_EQ(messageOf(t, Family::F28x, editor("q", "")), "주소 입력이 잘못되었읍니다.");
    EXPECT_EQ(
        messageOf(t, Family::Lf240x, editor("0x10000", "")), "입력한 주소 값이 최대 주소 범위(0xFFFF)를 초과합니다.");
    EXPECT_EQ(itemOf(t, Family::Lf240x, editor("0xFFFF", "", kLong)), (GraphChannel {"x", 0xFFFF, 0, 5, 0}));
}

TEST(ItemEditorValidation, PrecisionCountsOnlyForFloatAndIsCappedAtNine)
{
    ItemEditor e = editor("0x100", "4", kFloatTypeIndex);
    e.precision = "";
    EXPECT_EQ(itemOf(GraphKind::Memory, Family::F28x, e).precision, 0u);
    e.precision = "7";
    EXPECT_EQ(itemOf(GraphKind::Memory, Family::F28x, e).precision, 7u);
    e.precision = "12";
    EXPECT_EQ(itemOf(GraphKind::Memory, Family::F28x, e).precision, 9u);
    for (const char* text : {"a", "-", "0x5", "5h"}) {
        e.precision = text;
        EXPECT_EQ(messageOf(GraphKind::Memory, Family::F28x, e), "Precision 값이 숫자가 아닙니다.") << text;
    }
    e.typeIndex = kLong;
    EXPECT_EQ(itemOf(GraphKind::Memory, Family::F28x, e).precision, 0u);
}

TEST(ItemEditorLoading, ASymbolGivesNameAddressLastDimensionAndItsBasicType)
{
    ItemEditor e;
    e.length = "kept";
    lumetra::image::CDataObject symbol;
    symbol.name = "Buffer";
    symbol.address = 0x8000;
    symbol.type = 0x30 | 6; // an array of float
    symbol.arrayInfo = "Array Info : [4][100]";
    loadSymbolIntoEditor(e, GraphKind::Memory, Family::F28x, symbol);
    EXPECT_EQ(e.label, "Buffer");
    EXPECT_EQ(e.address, "0x008000");
    EXPECT_EQ(e.length, "100");
    EXPECT_EQ(e.typeIndex, kFloatTypeIndex);
    EXPECT_EQ(e.precision, "3");
    EXPECT_TRUE(e.precisionWritable);

    symbol.type = 0x10 | 5; // a pointer to long counts as long
    symbol.arrayInfo = "";
    loadSymbolIntoEditor(e, GraphKind::Memory, Family::Lf240x, symbol);
    EXPECT_EQ(e.address, "0x8000");
    EXPECT_EQ(e.length, "100");
    EXPECT_EQ(e.typeIndex, kLong);
    EXPECT_EQ(e.precision, "0");
    EXPECT_FALSE(e.precisionWritable);

    symbol.type = 2; // "Character" has no entry of its own
    loadSymbolIntoEditor(e, GraphKind::Memory, Family::F28x, symbol);
    EXPECT_EQ(e.typeIndex, kFallbackTypeIndex);
}

TEST(ItemEditorLoading, ARowLoadsItsCellTextsAndTheTypeDecidesWritability)
{
    ItemEditor e;
    loadRowIntoEditor(e, GraphKind::Memory, Family::F28x, GraphChannel {"Wave", 0x9000, 100, 6, 5});
    EXPECT_EQ(e, (ItemEditor {"Wave", "0x009000", "0x64", kFloatTypeIndex, "5", true}));
    loadRowIntoEditor(e, GraphKind::Time, Family::Lf240x, GraphChannel {"Count", 0x300, 0, 9, 0});
    EXPECT_EQ(e, (ItemEditor {"Count", "0x0300", "0x64", kFallbackTypeIndex, "0", false}));

    chooseEditorType(e, kFloatTypeIndex);
    EXPECT_EQ(e.precision, "3");
    EXPECT_TRUE(e.precisionWritable);
    chooseEditorType(e, 99);
    EXPECT_EQ(e.typeIndex, kFallbackTypeIndex);
    EXPECT_EQ(e.precision, "0");
}
