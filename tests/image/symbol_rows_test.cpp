#include "image/coff_types.h"
#include "image/symbol_rows.h"

#include <gtest/gtest.h>

using namespace lumetra::image;

namespace {

CDataObject symbol(std::string name, std::uint32_t address, std::uint16_t type, std::string arrayInfo = {})
{
    CDataObject record;
    record.name = std::move(name);
    record.address = address;
    record.type = type;
    record.arrayInfo = std::move(arrayInfo);
    return record;
}

} // namespace

TEST(DataTypeText, DerivedPrefixesFromTheFirstDerivationUpToTheFirstNone)
{
    EXPECT_EQ(dataTypeText(0x0004), "Integer");
    EXPECT_EQ(dataTypeText(0x0035), "Array of Long");
    EXPECT_EQ(dataTypeText(0x0073), "Array of Pointer to Short");
    EXPECT_EQ(dataTypeText(0x0024), "Function of Integer");
    EXPECT_EQ(dataTypeText(0x0136), "Array of Floating point"); // stops at the zero second derivation
    EXPECT_EQ(dataTypeText(0xFFFF), "Array of Array of Array of Array of Array of Array of Unsigned long");
    EXPECT_EQ(dataTypeText(0x0000), "Void");
    EXPECT_EQ(dataTypeText(0x0002), "Character");
    EXPECT_EQ(dataTypeText(0x000B), "Long double floating point");
    EXPECT_EQ(basicTypeName(16), "");
}

TEST(SymbolRows, ColumnsAndAddressWidthByTargetId)
{
    const SymbolList symbols(std::vector<CDataObject> {
        symbol("table", 0x8040, 0x0035, "Array Info : [4]"),
        symbol("far", 0x3F8000, 0x000E),
    });
    const std::vector<SymbolRow> c28 = buildSymbolRows(symbols, 0x009D);
    ASSERT_EQ(c28.size(), 2u);
    EXPECT_EQ(c28[0].name, "far");
    EXPECT_EQ(c28[0].address, "0x3F8000");
    EXPECT_EQ(c28[0].dataType, "Unsigned integer");
    EXPECT_EQ(c28[0].etc, "");
    EXPECT_EQ(c28[0].symbolIndex, 1u);
    EXPECT_EQ(c28[1].address, "0x008040");
    EXPECT_EQ(c28[1].dataType, "Array of Long");
    EXPECT_EQ(c28[1].etc, "Array Info : [4]");

    const std::vector<SymbolRow> c2xx = buildSymbolRows(symbols, 0x0092);
    EXPECT_EQ(c2xx[1].address, "0x8040");
    EXPECT_EQ(c2xx[0].address, "0x3F8000");
}

TEST(SymbolRows, SortedByNameIgnoringCaseWhileTheListKeepsFileOrder)
{
    const SymbolList symbols(std::vector<CDataObject> {
        symbol("beta", 1, 4),
        symbol("aB", 2, 4),
        symbol("Alpha", 3, 4),
        symbol("a_b", 4, 4),
        symbol("ALPHA", 5, 4),
        symbol("alpha2", 6, 4),
        symbol("Zed", 7, 4),
        symbol("a", 8, 4),
    });
    std::vector<std::string> names;
    for (const SymbolRow& row : buildSymbolRows(symbols, 0x009D))
        names.push_back(row.name);
    // Letters fold to lower case, so "_" sorts before them; equal names keep list order.
    EXPECT_EQ(names, (std::vector<std::string> {"a", "a_b", "aB", "Alpha", "ALPHA", "alpha2", "beta", "Zed"}));
    EXPECT_EQ(symbols.at(0).name, "beta");
}
