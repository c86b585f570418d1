// The real linker outputs carry DWARF: their variables take their C types from it and their functions leave the
// symbol list, at the addresses of their map files.
#include "image/coff_types.h"
#include "image/debug_sections.h"
#include "image/program_image.h"
#include "image/symbol_reader.h"

#include "support/debug_info_reader.h"
#include "support/test_paths.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <utility>
#include <vector>

using namespace lumetra::image;

namespace {

std::vector<std::uint8_t> readAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// "name" -> "data type|array info" of the listed symbols.
std::map<std::string, std::string> typesOf(const SymbolList& symbols)
{
    std::map<std::string, std::string> types;
    for (const CDataObject& symbol : symbols.records())
        types.emplace(symbol.name, dataTypeText(symbol.type) + "|" + symbol.arrayInfo);
    return types;
}

// The symbol list the symbol table alone gives.
SymbolList symbolTableOnly(const std::vector<std::uint8_t>& bytes, int deviceRow)
{
    const SharedBytes file = SharedBytes::copyOf(bytes);
    SymbolList symbols;
    const std::optional<CoffFileHeader> header = parseFileHeader(file.view());
    EXPECT_TRUE(header.has_value());
    if (header) {
        EXPECT_EQ(readSymbolTable(file, *header, deviceRow, symbols), SymbolReadStatus::Ok);
    }
    return symbols;
}

struct Sample {
    const char* stem;
    int deviceRow;
    int dwarfVersion;
    std::size_t minimumTyped; // of the listed symbols
};

const Sample kSamples[] = {
    {"flash28333_api", 35, 2, 10},
    {"flash2803x_api", 57, 2, 14},
    {"pm_sincos", 35, 3, 130},
    {"f2837x_bootrom_cpu01", 69, 2, 9},
};

} // namespace

TEST(DwarfSamples, FlashApiExamplesShowTheirRealTypes)
{
    LUMETRA_SKIP_WITHOUT_DEBUG_INFO_READER();
    const auto dir = lumetra::test::coffSamplesDir();
    if (!dir)
        GTEST_SKIP() << "COFF samples are not present";
    ProgramImage image;
    ASSERT_EQ(image.load(*dir / "flash2803x_api.out", 57), CoffLoadResult::Loaded);
    const auto types = typesOf(image.symbols());
    EXPECT_EQ(types.at("FlashStatus"), "Structure|"); // FLASH_ST
    EXPECT_EQ(types.at("Flash_CallbackPtr"), "Pointer to Function of Void|"); // void (*)(void)
    EXPECT_EQ(types.at("MyCallbackCounter"), "Unsigned long|"); // Uint32
    EXPECT_EQ(types.at("Flash_CPUScaleFactor"), "Unsigned long|"); // Uint32
    EXPECT_EQ(types.at("Buffer"), "Array of Unsigned integer|Array Info : [256]"); // Uint16[0x100]
    EXPECT_EQ(types.at("Sector"), "Array of Structure|Array Info : [8]"); // SECTOR[8]
    EXPECT_EQ(types.at("CsmRegs"), "Structure|"); // volatile struct CSM_REGS
    EXPECT_EQ(image.symbols().findFirst("Flash_CallbackPtr")->address, 0x0D02u);
    // SECTOR is two pointers: the elements lie 4 words apart, each with its members.
    const std::optional<CDataObject> sectorEnd = image.symbols().findFirst("Sector[3].EndAddr");
    ASSERT_TRUE(sectorEnd);
    EXPECT_EQ(sectorEnd->address, 0x8806u + 3 * 4 + 2);
    EXPECT_EQ(dataTypeText(sectorEnd->type), "Pointer to Unsigned integer");

    ASSERT_EQ(image.load(*dir / "flash28333_api.out", 35), CoffLoadResult::Loaded);
    const auto f28335 = typesOf(image.symbols());
    EXPECT_EQ(f28335.at("Buffer"), "Array of Unsigned integer|Array Info : [1280]");
    EXPECT_EQ(f28335.at("MyCallbackCounter"), "Unsigned long|");
    // Defined in a library built without debug information: the symbol table's type stays.
    EXPECT_EQ(f28335.at("Flash_CallbackPtr"), "Integer|");
    // A register's bit field lies in the word that holds it: SECURE is bit 0, FORCESEC bit 15.
    const std::optional<CDataObject> secure = image.symbols().findFirst("CsmRegs.CSMSCR.bit.SECURE");
    ASSERT_TRUE(secure);
    EXPECT_EQ(secure->address, 0x0AEFu);
    EXPECT_EQ(dataTypeText(secure->type), "Unsigned integer");
    EXPECT_EQ(std::pair(secure->bitOffset, secure->bitWidth), std::pair(std::uint8_t {0}, std::uint8_t {1}));
    const std::optional<CDataObject> forced = image.symbols().findFirst("CsmRegs.CSMSCR.bit.FORCESEC");
    ASSERT_TRUE(forced);
    EXPECT_EQ(std::pair(forced->bitOffset, forced->bitWidth), std::pair(std::uint8_t {15}, std::uint8_t {1}));
    EXPECT_EQ(image.symbols().findFirst("CsmRegs.KEY3")->address, 0x0AE3u);
}

TEST(DwarfSamples, FunctionsLeaveTheListAndVariablesKeepTheirMapAddresses)
{
    LUMETRA_SKIP_WITHOUT_DEBUG_INFO_READER();
    const auto dir = lumetra::test::coffSamplesDir();
    if (!dir)
        GTEST_SKIP() << "COFF samples are not present";
    for (const Sample& sample : kSamples) {
        SCOPED_TRACE(sample.stem);
        const std::vector<std::uint8_t> bytes = readAll(*dir / (std::string(sample.stem) + ".out"));
        ProgramImage image;
        ASSERT_EQ(image.load(bytes, sample.deviceRow), CoffLoadResult::Loaded);
        EXPECT_EQ(image.typeReading().debugInfo, DebugReadStatus::Read);
        EXPECT_EQ(image.typeReading().dwarfVersion, sample.dwarfVersion);
        EXPECT_GE(image.typeReading().typedFromDebugInfo, sample.minimumTyped);

        const SymbolList plain = symbolTableOnly(bytes, sample.deviceRow);
        // Every listed symbol is one the symbol table lists or would list but for its type, at the same address.
        for (const CDataObject& symbol : image.symbols().records()) {
            if (const auto known = plain.findFirst(symbol.name)) {
                EXPECT_EQ(known->address, symbol.address) << symbol.name;
            }
        }
        for (const char* function : {"main", "c_int00", "InitSysCtrl", "Example_CallFlashAPI", "MyCallbackFunction"}) {
            EXPECT_FALSE(image.symbols().findFirst(function)) << function;
        }
    }
}

TEST(DwarfSamples, TheSymbolTableAloneListsNoFunctionsOfCodeSections)
{
    const auto dir = lumetra::test::coffSamplesDir();
    if (!dir)
        GTEST_SKIP() << "COFF samples are not present";
    const SymbolList plain = symbolTableOnly(readAll(*dir / "flash2803x_api.out"), 57);
    for (const char* function : {"main", "c_int00", "Example_CallFlashAPI", "MyCallbackFunction"})
        EXPECT_FALSE(plain.findFirst(function)) << function;
    EXPECT_EQ(dataTypeText(plain.findFirst("FlashStatus")->type), "Integer");
}

TEST(DwarfSamples, DamagedDebugInformationOfARealFileFallsBackToTheSymbolTable)
{
    const auto dir = lumetra::test::coffSamplesDir();
    if (!dir)
        GTEST_SKIP() << "COFF samples are not present";
    std::vector<std::uint8_t> bytes = readAll(*dir / "flash28333_api.out");
    const SharedBytes file = SharedBytes::copyOf(bytes);
    const std::optional<CoffFileHeader> header = parseFileHeader(file.view());
    ASSERT_TRUE(header);
    const DebugSections sections = coffDebugSections(*header, *locateStringTable(*header, file.view()), file.view());
    for (const DebugSection& section : sections.sections) {
        if (section.name == ".debug_abbrev") {
            // Every abbreviation claims an attribute of form 0x7F, which no version defines.
            const std::size_t at = static_cast<std::size_t>(section.bytes.bytes().data() - file.data());
            for (std::size_t i = at + 3; i < at + section.bytes.size(); i += 7)
                bytes[i] = 0x7F;
        }
    }
    ProgramImage image;
    ASSERT_EQ(image.load(bytes, 35), CoffLoadResult::Loaded);
    EXPECT_EQ(image.typeReading().debugInfo, DebugReadStatus::Unreadable);
    EXPECT_EQ(typesOf(image.symbols()), typesOf(symbolTableOnly(bytes, 35)));
}

TEST(DwarfSamples, TheC2xxSampleHasNoDebugInformation)
{
    const auto dir = lumetra::test::coffSamplesDir();
    if (!dir)
        GTEST_SKIP() << "COFF samples are not present";
    ProgramImage image;
    ASSERT_EQ(image.load(*dir / "c24x_sine.out", 5), CoffLoadResult::Loaded);
    EXPECT_EQ(image.typeReading().debugInfo, DebugReadStatus::NoDebugInfo);
    EXPECT_EQ(image.typeReading().typedFromDebugInfo, 0u);
    EXPECT_EQ(image.symbols().count(), 4u); // the runtime's code labels are not listed
}
