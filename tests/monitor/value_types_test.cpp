#include "monitor/data_types.h"
#include "monitor/view_types.h"

#include <gtest/gtest.h>

namespace lumetra::monitor {
namespace {

TEST(DataTypeTable, EveryCodeHasItsNameWordsDefaultViewAndGroup)
{
    struct Row {
        const char* name;
        int words;
        std::optional<ViewType> view;
        std::optional<DisplayGroup> group;
    };
    using enum ViewType;
    using enum DisplayGroup;
    const Row rows[kDataTypeCount] = {
        {"Void", 0, std::nullopt, std::nullopt},
        {"Character", 1, Hex16, SingleWord},
        {"Character", 1, Hex16, SingleWord},
        {"Short", 1, Signed16, SingleWord},
        {"Integer", 1, Signed16, SingleWord},
        {"Long", 2, Signed32, DoubleWord},
        {"Floating point", 2, Float32, Float},
        {"Double floating point", 2, Float32, Float},
        {"Structure", 2, Hex16, DoubleWord},
        {"Union", 2, Hex16, DoubleWord},
        {"Enumeration", 1, Hex16, SingleWord},
        {"Long double floating point", 2, Float32, Float},
        {"Unsigned character", 1, Hex16, SingleWord},
        {"Unsigned short", 1, Unsigned16, SingleWord},
        {"Unsigned integer", 1, Unsigned16, SingleWord},
        {"Unsigned long", 2, Unsigned32, DoubleWord},
    };
    for (std::uint32_t code = 0; code < kDataTypeCount; ++code) {
        SCOPED_TRACE(code);
        const DataTypeInfo& info = dataTypeInfo(code);
        EXPECT_EQ(info.displayName, rows[code].name);
        EXPECT_EQ(info.wordCount, rows[code].words);
        EXPECT_EQ(info.defaultViewType, rows[code].view);
        EXPECT_EQ(info.displayGroup, rows[code].group);
    }
}

TEST(DataTypeTable, OnlyTheLowFourBitsOfATypeFieldCount)
{
    // 0x0034: array of Integer; 0xFFF5: derived bits around a Long.
    EXPECT_EQ(dataTypeInfo(0x0034).displayName, "Integer");
    EXPECT_EQ(dataTypeInfo(0xFFF5).wordCount, 2);
    EXPECT_EQ(dataTypeInfo(0x10).displayName, "Void");
}

TEST(DataTypeTable, RefreshLeavesVoidAndEnumerationWithoutViewType)
{
    EXPECT_EQ(refreshedViewType(0), std::nullopt);
    EXPECT_EQ(refreshedViewType(10), std::nullopt);
    EXPECT_EQ(refreshedViewType(0x003A), std::nullopt);
    EXPECT_EQ(refreshedViewType(5), ViewType::Signed32);
    EXPECT_EQ(refreshedViewType(12), ViewType::Hex16);
    EXPECT_EQ(refreshedViewType(7), ViewType::Float32);
}

TEST(ShortTypeNames, NamesAndWordCountsWithUnsignedShortForEveryOtherCode)
{
    const std::pair<std::uint32_t, std::pair<const char*, int>> cases[] = {
        {3, {"short", 1}},
        {4, {"integer", 1}},
        {5, {"long", 2}},
        {6, {"float", 2}},
        {7, {"float", 2}},
        {11, {"float", 2}},
        {14, {"unsigned integer", 1}},
        {15, {"unsigned long", 2}},
        {13, {"unsigned short", 1}},
        {0, {"unsigned short", 1}},
        {8, {"unsigned short", 1}},
        {0x15, {"unsigned short", 1}},
        {0xFFFFFFFF, {"unsigned short", 1}},
    };
    for (const auto& [code, expected] : cases) {
        SCOPED_TRACE(code);
        const ShortTypeName name = shortTypeNameOf(code);
        EXPECT_EQ(name.name, expected.first);
        EXPECT_EQ(name.wordCount, expected.second);
    }
}

TEST(ViewTypeTable, NamesMenuTextsAndMemoryWordCounts)
{
    const char* names[]
        = {"hex decimal (16bit)", "hex decimal (32bit)", "signed integer (16bit)", "signed integer (32bit)",
            "unsigned integer (16bit)", "unsigned integer (32bit)", "float (32bit)", "binary (16bit)"};
    const char* menu[]
        = {"Hex Decimal (16bit)", "Hex Decimal (32bit)", "Signed Integer (16bit)", "Signed Integer (32bit)",
            "Unsigned Integer (16bit)", "Unsigned Integer (32bit)", "Float (32bit)", "Binary (16bit)"};
    const int words[] = {1, 2, 1, 2, 1, 2, 2, 1};
    for (unsigned code = 0; code < kViewTypeCount; ++code) {
        SCOPED_TRACE(code);
        const std::optional<ViewType> view = viewTypeFromCode(code);
        ASSERT_TRUE(view.has_value());
        EXPECT_EQ(viewTypeCode(*view), code);
        EXPECT_EQ(viewTypeName(*view), names[code]);
        EXPECT_EQ(viewTypeMenuText(*view, MonitorPane::Variable), menu[code]);
        if (code != 4) {
            EXPECT_EQ(viewTypeMenuText(*view, MonitorPane::Memory), menu[code]);
        }
        EXPECT_EQ(memoryWordCount(*view), words[code]);
    }
    EXPECT_EQ(viewTypeMenuText(ViewType::Unsigned16, MonitorPane::Memory), "UnSigned Integer (16bit)");
}

TEST(ViewTypeTable, StoredBytesOutsideTheTableAreRejected)
{
    EXPECT_EQ(viewTypeFromCode(8), std::nullopt);
    EXPECT_EQ(viewTypeFromCode(255), std::nullopt);
    // A byte forced into the enum still names a row instead of reading past the table.
    EXPECT_EQ(viewTypeName(static_cast<ViewType>(200)), "hex decimal (16bit)");
}

} // namespace
} // namespace lumetra::monitor
