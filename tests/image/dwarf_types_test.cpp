// Types from the DWARF debug information of a COFF file: the symbol list takes them for the variables the symbol
// table lists, leaves functions out, and falls back to the symbol table's own types when the sections are damaged.
#include "image/coff_types.h"
#include "image/program_image.h"
#include "image/symbol_rebinding.h"
#include "image/symbol_rows.h"

#include "support/coff_writer.h"
#include "support/debug_info_reader.h"
#include "support/dwarf_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <utility>

using namespace lumetra::image;
using namespace lumetra::test;

namespace {

constexpr int kRowF28335 = 35;
constexpr std::int16_t kTextSection = 1;
constexpr std::int16_t kDataSection = 2;

// A symbol as the C2000 tools write them: external, basic type int, no derivation.
CoffSymbol intSymbol(const std::string& name, std::uint32_t address, std::int16_t section = kDataSection)
{
    CoffSymbol symbol;
    symbol.name = "_" + name;
    symbol.value = address;
    symbol.sectionNumber = section;
    symbol.type = coffType(4);
    return symbol;
}

struct Debug {
    std::vector<std::uint8_t> info;
    std::vector<std::uint8_t> abbrev;
};

std::vector<std::uint8_t> program(const Debug& debug, const std::vector<CoffSymbol>& symbols)
{
    CoffWriter writer(2, kTargetC28x);
    CoffSection text = CoffSection::withData(".text", 0x3F4000, {0x1111, 0x2222});
    text.flags = kSectionText;
    writer.addSection(std::move(text));
    CoffSection data = CoffSection::withData(".ebss", 0x8000, {});
    data.flags = kSectionBss;
    writer.addSection(std::move(data));
    if (!debug.info.empty())
        writer.addSection(CoffSection::debugSection(".debug_info", debug.info));
    if (!debug.abbrev.empty())
        writer.addSection(CoffSection::debugSection(".debug_abbrev", debug.abbrev));
    for (const CoffSymbol& symbol : symbols)
        writer.addSymbol(symbol);
    return writer.build();
}

struct Listed {
    std::string dataType;
    std::string arrayInfo;
    bool fromDebugInfo = false;
    std::uint32_t address = 0;
};

std::map<std::string, Listed> listed(const ProgramImage& image)
{
    std::map<std::string, Listed> all;
    const SymbolList& symbols = image.symbols();
    for (std::size_t i = 0; i < symbols.count(); ++i) {
        all[std::string(symbols.nameAt(i))] = Listed {dataTypeText(symbols.typeAt(i)), symbols.arrayInfoAt(i),
            symbols.typedFromDebugInfoAt(i), symbols.addressAt(i)};
    }
    return all;
}

// The variables of a small C2000 program, one of each kind of type.
Debug typicalDebugInfo(int version)
{
    DwarfWriter dwarf(version);
    const auto uintType = dwarf.baseType("unsigned int", kEncodingUnsigned, 1);
    const auto intType = dwarf.baseType("int", kEncodingSigned, 1);
    const auto floatType = dwarf.baseType("float", kEncodingFloat, 2);
    const auto ulong = dwarf.baseType("unsigned long", kEncodingUnsigned, 2);
    const auto uint32 = dwarf.typedefOf("Uint32", ulong);
    const auto status = dwarf.structure("FLASH_ST", 4);
    dwarf.member("FirstFailAddr", uint32, 0);
    dwarf.member("ExpectedData", uintType, 2);
    const auto statusType = dwarf.typedefOf("FLASH_ST", status);
    const auto regs = dwarf.unionType("CSMSCR_REG", 1);
    dwarf.member("all", uintType, 0);
    const auto mode = dwarf.enumeration("MODE");
    const auto callback = dwarf.pointerTo(intType);
    dwarf.variable("Gain", 0x8000, floatType);
    dwarf.variable("Counter", 0x8002, dwarf.volatileOf(uint32));
    dwarf.variable("FlashStatus", 0x8004, statusType);
    dwarf.variable("CsmScr", 0x8008, dwarf.volatileOf(regs));
    dwarf.variable("Mode", 0x8009, mode);
    dwarf.variable("Callback", 0x800A, callback);
    dwarf.variable("Buffer", 0x8010, dwarf.arrayOf(uintType, {1280}));
    dwarf.variable("Matrix", 0x8600, dwarf.arrayOf(intType, {3, 5}));
    dwarf.variable("Hidden", 0x8700, intType, false); // a file's static: the symbol table's type stays
    dwarf.function("main", 0x3F4000);
    dwarf.function("Isr", 0x8800); // a function placed in RAM, outside any code section
    return {dwarf.info(), dwarf.abbrev()};
}

std::vector<CoffSymbol> typicalSymbols()
{
    std::vector<CoffSymbol> symbols;
    for (const auto& [name, address] : std::vector<std::pair<std::string, std::uint32_t>> {{"Gain", 0x8000},
             {"Counter", 0x8002}, {"FlashStatus", 0x8004}, {"CsmScr", 0x8008}, {"Mode", 0x8009}, {"Callback", 0x800A},
             {"Buffer", 0x8010}, {"Matrix", 0x8600}, {"Hidden", 0x8700}, {"Isr", 0x8800}, {"AsmTable", 0x8900}})
        symbols.push_back(intSymbol(name, address));
    symbols.push_back(intSymbol("main", 0x3F4000, kTextSection));
    symbols.push_back(intSymbol("code_start", 0x3F4001, kTextSection)); // an assembler label in code
    return symbols;
}

} // namespace

TEST(DwarfTypes, VariablesTakeTheirRealTypesInEveryDwarfVersion)
{
    LUMETRA_SKIP_WITHOUT_DEBUG_INFO_READER();
    for (const int version : {2, 3, 4}) {
        SCOPED_TRACE(version);
        ProgramImage image;
        ASSERT_EQ(image.load(program(typicalDebugInfo(version), typicalSymbols()), kRowF28335), CoffLoadResult::Loaded);
        const auto symbols = listed(image);
        const std::map<std::string, std::string> expected {
            {"Gain", "Floating point"},
            {"Counter", "Unsigned long"},
            {"FlashStatus", "Structure"},
            {"CsmScr", "Union"},
            {"Mode", "Enumeration"},
            {"Callback", "Pointer to Integer"},
            {"Buffer", "Array of Unsigned integer"},
            {"Matrix", "Array of Array of Integer"},
        };
        for (const auto& [name, dataType] : expected) {
            ASSERT_TRUE(symbols.contains(name)) << name;
            EXPECT_EQ(symbols.at(name).dataType, dataType) << name;
            EXPECT_TRUE(symbols.at(name).fromDebugInfo) << name;
        }
        EXPECT_EQ(symbols.at("Buffer").arrayInfo, "Array Info : [1280]");
        EXPECT_EQ(symbols.at("Matrix").arrayInfo, "Array Info : [3][5]");
        EXPECT_EQ(symbols.at("Gain").arrayInfo, "");
        EXPECT_EQ(image.typeReading().debugInfo, DebugReadStatus::Read);
        EXPECT_EQ(image.typeReading().dwarfVersion, version);
        EXPECT_EQ(typeReadingMessage(image.typeReading()),
            "Types from the debug information (DWARF " + std::to_string(version) + "): 8 of 10 symbols");
    }
}

TEST(DwarfTypes, FunctionsAndCodeSymbolsAreNotListedOthersKeepTheSymbolTableType)
{
    LUMETRA_SKIP_WITHOUT_DEBUG_INFO_READER();
    ProgramImage image;
    ASSERT_EQ(image.load(program(typicalDebugInfo(2), typicalSymbols()), kRowF28335), CoffLoadResult::Loaded);
    const auto symbols = listed(image);
    EXPECT_FALSE(symbols.contains("main")); // a function in a code section
    EXPECT_FALSE(symbols.contains("Isr")); // a function the debug information names
    EXPECT_FALSE(symbols.contains("code_start")); // a label in a code section
    ASSERT_TRUE(symbols.contains("AsmTable")); // data the debug information does not describe
    EXPECT_EQ(symbols.at("AsmTable").dataType, "Integer");
    EXPECT_FALSE(symbols.at("AsmTable").fromDebugInfo);
    ASSERT_TRUE(symbols.contains("Hidden"));
    EXPECT_FALSE(symbols.at("Hidden").fromDebugInfo);
    EXPECT_EQ(symbols.at("Gain").address, 0x8000u); // the list's addresses stay the symbol table's
}

TEST(DwarfTypes, PointerVariablesTheSymbolTableWouldDropAreListedWithTheirDebugType)
{
    LUMETRA_SKIP_WITHOUT_DEBUG_INFO_READER();
    DwarfWriter dwarf(2);
    dwarf.variable("Handler", 0x8000, dwarf.pointerTo(dwarf.baseType("int", kEncodingSigned, 1)));
    CoffSymbol handler = intSymbol("Handler", 0x8000);
    handler.type = coffType(4, {1});
    CoffSymbol untyped = intSymbol("Untyped", 0x8002);
    untyped.type = 0;
    ProgramImage image;
    ASSERT_EQ(
        image.load(program({dwarf.info(), dwarf.abbrev()}, {handler, untyped}), kRowF28335), CoffLoadResult::Loaded);
    const auto symbols = listed(image);
    ASSERT_EQ(symbols.size(), 1u);
    EXPECT_EQ(symbols.at("Handler").dataType, "Pointer to Integer");
}

TEST(DwarfTypes, FilesWithoutDebugInformationKeepTheSymbolTableRules)
{
    std::vector<CoffSymbol> symbols = typicalSymbols();
    ProgramImage image;
    ASSERT_EQ(image.load(program({}, symbols), kRowF28335), CoffLoadResult::Loaded);
    EXPECT_EQ(image.typeReading().debugInfo, DebugReadStatus::NoDebugInfo);
    EXPECT_EQ(typeReadingMessage(image.typeReading()), "No debug information: types from the symbol table");
    const auto all = listed(image);
    // Functions outside code sections included, as the symbol table types them; code labels never.
    EXPECT_EQ(all.size(), symbols.size() - 2);
    EXPECT_TRUE(all.contains("Isr"));
    EXPECT_FALSE(all.contains("main"));
    EXPECT_FALSE(all.contains("code_start"));
    EXPECT_EQ(all.at("Gain").dataType, "Integer");
}

TEST(DwarfTypes, ABuildWithoutTheReaderSaysSoAndKeepsTheSymbolTableTypes)
{
    if (debugInfoReaderAvailable())
        GTEST_SKIP() << "this build reads debug information";
    ProgramImage plain;
    ASSERT_EQ(plain.load(program({}, typicalSymbols()), kRowF28335), CoffLoadResult::Loaded);
    ProgramImage image;
    ASSERT_EQ(image.load(program(typicalDebugInfo(3), typicalSymbols()), kRowF28335), CoffLoadResult::Loaded);
    EXPECT_EQ(image.typeReading().debugInfo, DebugReadStatus::Unreadable);
    EXPECT_EQ(typeReadingMessage(image.typeReading()),
        "Debug information not readable (this build has no debug information reader): types from the symbol table");
    const auto expected = listed(plain);
    const auto symbols = listed(image);
    EXPECT_EQ(symbols.size(), expected.size());
    for (const auto& [name, symbol] : symbols)
        EXPECT_EQ(symbol.dataType, expected.at(name).dataType) << name;
}

TEST(DwarfTypes, DamagedDebugInformationFallsBackToTheSymbolTableTypesWithOneReason)
{
    const Debug good = typicalDebugInfo(2);
    ProgramImage plain;
    ASSERT_EQ(plain.load(program({}, typicalSymbols()), kRowF28335), CoffLoadResult::Loaded);
    const auto expected = listed(plain);

    std::vector<Debug> damaged;
    Debug longUnit = good; // a unit longer than its section
    longUnit.info[0] = 0xFF;
    longUnit.info[1] = 0xFF;
    damaged.push_back(longUnit);
    Debug badVersion = good;
    badVersion.info[4] = 9;
    damaged.push_back(badVersion);
    Debug cutShort = good; // the last DIEs are missing
    cutShort.info.resize(cutShort.info.size() / 2);
    damaged.push_back(cutShort);
    Debug noAbbreviations = good;
    noAbbreviations.abbrev = {0x01, 0x11};
    damaged.push_back(noAbbreviations);
    for (std::size_t i = 0; i < damaged.size(); ++i) {
        SCOPED_TRACE(i);
        ProgramImage image;
        ASSERT_EQ(image.load(program(damaged[i], typicalSymbols()), kRowF28335), CoffLoadResult::Loaded);
        EXPECT_EQ(image.typeReading().debugInfo, DebugReadStatus::Unreadable);
        EXPECT_FALSE(image.typeReading().problem.empty());
        const std::string message = typeReadingMessage(image.typeReading());
        EXPECT_TRUE(message.starts_with("Debug information not readable (")) << message;
        EXPECT_TRUE(message.ends_with("): types from the symbol table")) << message;
        EXPECT_EQ(message.find('\n'), std::string::npos);
        const auto symbols = listed(image);
        EXPECT_EQ(symbols.size(), expected.size());
        for (const auto& [name, symbol] : symbols) {
            EXPECT_EQ(symbol.dataType, expected.at(name).dataType) << name;
            EXPECT_FALSE(symbol.fromDebugInfo) << name;
        }
    }
}

TEST(DwarfTypes, DebugSectionPastTheEndOfTheFileIsNotRead)
{
    CoffWriter writer(2, kTargetC28x);
    CoffSection info = CoffSection::debugSection(".debug_info", typicalDebugInfo(2).info);
    info.sizeWordsOverride = 0x7FFFFFFF;
    writer.addSection(std::move(info)).addSymbol(intSymbol("Gain", 0x8000, 1));
    ProgramImage image;
    ASSERT_EQ(image.load(writer.build(), kRowF28335), CoffLoadResult::Loaded);
    EXPECT_EQ(image.typeReading().debugInfo, DebugReadStatus::Unreadable);
    EXPECT_EQ(image.typeReading().problem, "section .debug_info lies past the end of the file");
    EXPECT_EQ(image.symbols().count(), 1u);
}

TEST(DwarfTypes, TypeCyclesAndDanglingReferencesLeaveTheVariableItsSymbolTableType)
{
    // The first DIE after the unit's own starts at offset 15; a typedef there that names offset 15 is a cycle.
    DwarfWriter selfLoop(2);
    const auto self = selfLoop.typedefOf("Self", selfLoop.rawReference(15));
    selfLoop.variable("Looped", 0x8000, self);
    selfLoop.variable("Dangling", 0x8002, selfLoop.rawReference(0x7FFF));
    ProgramImage image;
    ASSERT_EQ(image.load(program({selfLoop.info(), selfLoop.abbrev()},
                             {intSymbol("Looped", 0x8000), intSymbol("Dangling", 0x8002)}),
                  kRowF28335),
        CoffLoadResult::Loaded);
    const auto symbols = listed(image);
    ASSERT_EQ(symbols.size(), 2u);
    EXPECT_EQ(symbols.at("Looped").dataType, "Integer");
    EXPECT_FALSE(symbols.at("Looped").fromDebugInfo);
    EXPECT_FALSE(symbols.at("Dangling").fromDebugInfo);
}

TEST(DwarfTypes, StructureMembersHaveTheirOwnAddressesTypesAndDottedNames)
{
    LUMETRA_SKIP_WITHOUT_DEBUG_INFO_READER();
    ProgramImage image;
    ASSERT_EQ(image.load(program(typicalDebugInfo(2), typicalSymbols()), kRowF28335), CoffLoadResult::Loaded);
    const SymbolList& symbols = image.symbols();
    std::size_t status = symbols.count();
    for (std::size_t i = 0; i < symbols.count(); ++i) {
        if (symbols.nameAt(i) == "FlashStatus")
            status = i;
    }
    ASSERT_LT(status, symbols.count());
    const std::vector<SymbolMember> members = symbols.membersOf(symbols.at(status), symbols.aggregateAt(status));
    ASSERT_EQ(members.size(), 2u);
    EXPECT_EQ(members[0].record.name, "FlashStatus.FirstFailAddr");
    EXPECT_EQ(members[0].record.address, 0x8004u);
    EXPECT_EQ(dataTypeText(members[0].record.type), "Unsigned long");
    EXPECT_EQ(members[1].record.name, "FlashStatus.ExpectedData");
    EXPECT_EQ(members[1].record.address, 0x8006u);

    const std::optional<CDataObject> member = symbols.findFirst("CsmScr.all");
    ASSERT_TRUE(member);
    EXPECT_EQ(member->address, 0x8008u);
    EXPECT_EQ(dataTypeText(member->type), "Unsigned integer");
    EXPECT_EQ(symbols.findFirst("FlashStatus.ExpectedData")->address, 0x8006u);
    for (const char* missing : {"FlashStatus.Nope", "FlashStatus.", "FlashStatus..ExpectedData", "Gain.x", ".all",
             "FlashStatus.ExpectedData.more"})
        EXPECT_FALSE(symbols.findFirst(missing)) << missing;
    EXPECT_EQ(symbols.aggregateAt(0), -1); // Gain: a float
}

TEST(DwarfTypes, RegisteredMembersAreReboundByTheirDottedNamesAfterAReload)
{
    LUMETRA_SKIP_WITHOUT_DEBUG_INFO_READER();
    std::vector<CDataObject> registered {CDataObject {"FlashStatus.ExpectedData", 0x1234, 4, "", 2}};
    DwarfWriter moved(2);
    const auto uintType = moved.baseType("unsigned int", kEncodingUnsigned, 1);
    const auto status = moved.structure("FLASH_ST", 4);
    moved.member("Padding", uintType, 0);
    moved.member("ExpectedData", uintType, 3);
    moved.variable("FlashStatus", 0x9000, status);
    ProgramImage image;
    ASSERT_EQ(image.load(program({moved.info(), moved.abbrev()}, {intSymbol("FlashStatus", 0x9000)}), kRowF28335),
        CoffLoadResult::Loaded);
    rebindToSymbols(registered, image.symbols());
    EXPECT_EQ(registered[0].address, 0x9003u);
    EXPECT_EQ(registered[0].type, 14);
    EXPECT_EQ(registered[0].viewType, 2); // the chosen view stays
}

TEST(DwarfTypes, GraphChannelsListEveryMemberAfterItsStructureAndCyclesStop)
{
    auto aggregates = std::make_shared<std::vector<DebugAggregate>>(2);
    (*aggregates)[0].members = {{"CTRL", 1, 9, {}, 1}, {"COUNT", 2, 15, {}, -1}};
    (*aggregates)[1].members = {{"all", 0, 14, {}, -1}, {"self", 0, 8, {}, 1}}; // a damaged file's cycle
    SymbolList list;
    list.appendTypedFromDebugInfo("Regs", 0x7000, 8, "", 0);
    list.append("plain", 0x8000, 4);
    list.useAggregates(aggregates);
    const std::vector<CDataObject> all = list.recordsWithMembers();
    ASSERT_GE(all.size(), 5u);
    EXPECT_EQ(all[0].name, "Regs");
    EXPECT_EQ(all[1].name, "Regs.CTRL");
    EXPECT_EQ(all[2].name, "Regs.CTRL.all");
    EXPECT_EQ(all[2].address, 0x7001u);
    EXPECT_EQ(all[3].name, "Regs.CTRL.self");
    EXPECT_EQ(all.back().name, "plain");
    EXPECT_EQ(all[all.size() - 2].name, "Regs.COUNT");
    // CTRL at depth 1, then "all" and "self" at each depth from 2 to 8.
    EXPECT_EQ(all.size(), 1u + 1u + 2u * 7u + 1u + 1u);
}

TEST(DwarfTypes, AVariableDefinedWithoutDebugInformationTakesTheTypeOfItsDeclaration)
{
    LUMETRA_SKIP_WITHOUT_DEBUG_INFO_READER();
    for (const int version : {2, 3, 4}) {
        SCOPED_TRACE(version);
        DwarfWriter dwarf(version);
        const auto uint32 = dwarf.typedefOf("Uint32", dwarf.baseType("unsigned long", kEncodingUnsigned, 2));
        dwarf.declaration("Flash_CPUScaleFactor", uint32); // extern Uint32 Flash_CPUScaleFactor;
        dwarf.declaration("Flash_CallbackPtr", dwarf.pointerTo(dwarf.functionType()));
        ProgramImage image;
        ASSERT_EQ(image.load(program({dwarf.info(), dwarf.abbrev()},
                                 {intSymbol("Flash_CPUScaleFactor", 0x0D04), intSymbol("Flash_CallbackPtr", 0x0D02)}),
                      kRowF28335),
            CoffLoadResult::Loaded);
        const auto symbols = listed(image);
        ASSERT_EQ(symbols.size(), 2u);
        EXPECT_EQ(symbols.at("Flash_CPUScaleFactor").dataType, "Unsigned long");
        EXPECT_EQ(symbols.at("Flash_CPUScaleFactor").address, 0x0D04u); // the symbol table's, as declarations have none
        EXPECT_TRUE(symbols.at("Flash_CPUScaleFactor").fromDebugInfo);
        EXPECT_EQ(symbols.at("Flash_CallbackPtr").dataType, "Pointer to Function of Void");
    }
}

TEST(DwarfTypes, PointersNameWhatTheyPointTo)
{
    LUMETRA_SKIP_WITHOUT_DEBUG_INFO_READER();
    DwarfWriter dwarf(3);
    const auto uintType = dwarf.baseType("unsigned int", kEncodingUnsigned, 1);
    const auto address = dwarf.pointerTo(uintType);
    const auto sector = dwarf.structure("SECTOR", 4);
    dwarf.member("StartAddr", address, 0);
    dwarf.variable("Current", 0x8000, dwarf.pointerTo(sector));
    dwarf.variable("Handler", 0x8002, dwarf.pointerTo(dwarf.functionType()));
    dwarf.variable("Cursor", 0x8004, dwarf.pointerTo(dwarf.volatileOf(uintType)));
    dwarf.variable("Table", 0x8006, dwarf.arrayOf(dwarf.pointerTo(uintType), {4}));
    ProgramImage image;
    ASSERT_EQ(image.load(program({dwarf.info(), dwarf.abbrev()},
                             {intSymbol("Current", 0x8000), intSymbol("Handler", 0x8002), intSymbol("Cursor", 0x8004),
                                 intSymbol("Table", 0x8006)}),
                  kRowF28335),
        CoffLoadResult::Loaded);
    const auto symbols = listed(image);
    EXPECT_EQ(symbols.at("Current").dataType, "Pointer to Structure");
    EXPECT_EQ(symbols.at("Handler").dataType, "Pointer to Function of Void");
    EXPECT_EQ(symbols.at("Cursor").dataType, "Pointer to Unsigned integer");
    EXPECT_EQ(symbols.at("Table").dataType, "Array of Pointer to Unsigned integer");
    // A pointer is no structure: it lists no members.
    EXPECT_EQ(image.symbols().aggregateAt(0), -1);
}

TEST(DwarfTypes, BitFieldsKeepTheirBitsInTheWordThatHoldsThem)
{
    LUMETRA_SKIP_WITHOUT_DEBUG_INFO_READER();
    for (const int version : {2, 3, 4}) {
        SCOPED_TRACE(version);
        DwarfWriter dwarf(version);
        const auto uintType = dwarf.baseType("unsigned int", kEncodingUnsigned, 1);
        const auto ulongType = dwarf.baseType("unsigned long", kEncodingUnsigned, 2);
        const auto bits = dwarf.structure("ADCST_BITS", 1);
        dwarf.bitField("INT_SEQ1", uintType, 0, 1, 0, 1);
        dwarf.bitField("SEQ1_BSY", uintType, 0, 1, 2, 1);
        dwarf.bitField("SEQ_CNTR", uintType, 0, 1, 4, 4);
        const auto reg = dwarf.unionType("ADCST_REG", 1);
        dwarf.member("all", uintType, 0);
        dwarf.member("bit", bits, 0);
        const auto wide = dwarf.structure("WIDE_BITS", 2);
        dwarf.bitField("LOW", ulongType, 0, 2, 0, 12);
        dwarf.bitField("HIGH", ulongType, 0, 2, 20, 12);
        const auto regs = dwarf.structure("ADC_REGS", 6);
        dwarf.member("ADCTRL1", uintType, 0);
        dwarf.member("ADCST", reg, 3);
        dwarf.member("WIDE", wide, 4);
        dwarf.variable("AdcRegs", 0x7100, regs);
        ProgramImage image;
        ASSERT_EQ(image.load(program({dwarf.info(), dwarf.abbrev()}, {intSymbol("AdcRegs", 0x7100)}), kRowF28335),
            CoffLoadResult::Loaded);

        std::map<std::string, std::string> rows;
        for (const SymbolRow& row : buildSymbolRows(image.symbols(), kTargetC28x, {}, true))
            rows[row.name] = row.address + " " + row.dataType;
        EXPECT_EQ(rows.at("AdcRegs.ADCST.all"), "0x007103 Unsigned integer");
        EXPECT_EQ(rows.at("AdcRegs.ADCST.bit.INT_SEQ1"), "0x007103 Unsigned integer (bit 0, width 1)");
        EXPECT_EQ(rows.at("AdcRegs.ADCST.bit.SEQ1_BSY"), "0x007103 Unsigned integer (bit 2, width 1)");
        EXPECT_EQ(rows.at("AdcRegs.ADCST.bit.SEQ_CNTR"), "0x007103 Unsigned integer (bit 4, width 4)");
        EXPECT_EQ(rows.at("AdcRegs.WIDE.LOW"), "0x007104 Unsigned long (bit 0, width 12)");
        EXPECT_EQ(rows.at("AdcRegs.WIDE.HIGH"), "0x007104 Unsigned long (bit 20, width 12)");

        // The variable monitor gets the same bits by the dotted name, also after a symbol file lost them.
        const std::optional<CDataObject> counter = image.symbols().findFirst("AdcRegs.ADCST.bit.SEQ_CNTR");
        ASSERT_TRUE(counter);
        EXPECT_EQ(std::pair(counter->bitOffset, counter->bitWidth), std::pair(std::uint8_t {4}, std::uint8_t {4}));
        std::vector<CDataObject> registered {CDataObject {"AdcRegs.ADCST.bit.SEQ_CNTR", 0x7103, counter->type, "", 0}};
        rebindToSymbols(registered, image.symbols());
        EXPECT_EQ(registered[0], *counter);
    }
}

TEST(DwarfTypes, ArraysOfStructuresListTheirElementsWithTheirMembers)
{
    LUMETRA_SKIP_WITHOUT_DEBUG_INFO_READER();
    DwarfWriter dwarf(2);
    const auto uintType = dwarf.baseType("unsigned int", kEncodingUnsigned, 1);
    const auto address = dwarf.pointerTo(uintType);
    const auto sector = dwarf.structure("SECTOR", 4);
    dwarf.member("StartAddr", address, 0);
    dwarf.member("EndAddr", address, 2);
    const auto sample = dwarf.structure("SAMPLE", 1);
    dwarf.member("value", uintType, 0);
    dwarf.variable("Sector", 0x8806, dwarf.arrayOf(sector, {8}));
    dwarf.variable("Grid", 0x9000, dwarf.arrayOf(sample, {2, 3}));
    dwarf.variable("Log", 0xA000, dwarf.arrayOf(sample, {1000}));
    ProgramImage image;
    ASSERT_EQ(image.load(program({dwarf.info(), dwarf.abbrev()},
                             {intSymbol("Sector", 0x8806), intSymbol("Grid", 0x9000), intSymbol("Log", 0xA000)}),
                  kRowF28335),
        CoffLoadResult::Loaded);

    const std::vector<SymbolRow> rows = buildSymbolRows(image.symbols(), kTargetC28x, {"Sector", "Sector[7]"});
    std::vector<std::string> sectorRows;
    for (const SymbolRow& row : rows) {
        if (row.name.starts_with("Sector"))
            sectorRows.push_back(row.label + " " + row.address + " " + row.dataType);
    }
    ASSERT_EQ(sectorRows.size(), 1u + 8u + 2u);
    EXPECT_EQ(sectorRows[0], "- Sector 0x008806 Array of Structure");
    EXPECT_EQ(sectorRows[1], "    + Sector[0] 0x008806 Structure");
    EXPECT_EQ(sectorRows[8], "    - Sector[7] 0x008822 Structure");
    EXPECT_EQ(sectorRows[10], "        Sector[7].EndAddr 0x008824 Pointer to Unsigned integer");

    const std::optional<CDataObject> cell = image.symbols().findFirst("Grid[1][2].value");
    ASSERT_TRUE(cell);
    EXPECT_EQ(cell->address, 0x9000u + 5);
    EXPECT_FALSE(image.symbols().findFirst("Grid[2][0].value"));
    EXPECT_FALSE(image.symbols().findFirst("Grid[1].value"));
    EXPECT_FALSE(image.symbols().findFirst("Sector[1]x"));

    // A huge array lists its first elements and a note of the others; those can still be registered by name.
    std::vector<SymbolRow> logRows;
    for (const SymbolRow& row : buildSymbolRows(image.symbols(), kTargetC28x, {"Log"}))
        if (row.depth == 1 && row.symbolIndex == 2)
            logRows.push_back(row);
    ASSERT_EQ(logRows.size(), kMaxListedElements + 1);
    EXPECT_EQ(logRows[kMaxListedElements - 1].name, "Log[255]");
    EXPECT_EQ(logRows.back().name, "");
    EXPECT_EQ(logRows.back().label, "    " + moreElementsNote(1000 - kMaxListedElements));
    ASSERT_TRUE(image.symbols().findFirst("Log[999].value"));
    EXPECT_EQ(image.symbols().findFirst("Log[999].value")->address, 0xA000u + 999);
    const auto all = image.symbols().recordsWithMembers();
    EXPECT_TRUE(std::none_of(all.begin(), all.end(), [](const CDataObject& r) { return r.name.empty(); }));
}
