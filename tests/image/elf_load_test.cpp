// ELF files of the C2000 EABI load as COFF files do: allocated sections into the image with their flash tags, the
// machine checked against the device family, global data symbols typed from DWARF.
#include "image/coff_types.h"
#include "image/program_image.h"

#include "support/debug_info_reader.h"
#include "support/dwarf_writer.h"
#include "support/elf_writer.h"

#include <gtest/gtest.h>

#include <map>

using namespace lumetra::image;
using namespace lumetra::test;

namespace {

constexpr int kRowLf2407 = 4;
constexpr int kRowF2834x = 36;
constexpr int kRowF28335 = 35;
constexpr std::uint16_t kText = 1;
constexpr std::uint16_t kData = 2;
constexpr std::uint16_t kBss = 3;

ElfWriter program(std::uint16_t machine = kElfMachineC2000)
{
    ElfWriter writer(machine);
    writer.addSection(ElfSectionSpec::words(".text", 0x338000, {0x1111, 0x2222, 0x3333}, kElfAlloc | kElfExecutable))
        .addSection(ElfSectionSpec::words(".econst", 0x9000, {0xABCD}));
    ElfSectionSpec bss;
    bss.name = ".ebss";
    bss.type = kElfNobits;
    bss.address = 0x8000;
    bss.sizeOverride = 0x100;
    writer.addSection(bss);
    return writer;
}

std::vector<std::uint8_t> bytesOf(std::span<const std::uint8_t> data)
{
    return {data.begin(), data.end()};
}

std::map<std::string, std::string> typesOf(const SymbolList& symbols)
{
    std::map<std::string, std::string> types;
    for (const CDataObject& record : symbols.records())
        types.emplace(record.name, dataTypeText(record.type));
    return types;
}

} // namespace

TEST(ElfLoad, AllocatedSectionsLoadWithTheirFlashTags)
{
    ProgramImage image;
    ASSERT_EQ(image.load(program().addSymbol({"counter", 0x8000, kBss}).build(), kRowF28335), CoffLoadResult::Loaded);
    ASSERT_EQ(image.sections().size(), 2u); // .ebss has no data in the file
    EXPECT_EQ(image.sections()[0].name, ".text");
    EXPECT_EQ(image.sections()[0].startAddress, 0x338000u);
    EXPECT_EQ(image.sections()[0].sizeWords, 3u);
    EXPECT_TRUE(image.sections()[0].inFlash);
    EXPECT_EQ(image.sections()[0].flashMask, 0x0001); // sector 0 of the F28335
    EXPECT_FALSE(image.sections()[1].inFlash);
    EXPECT_EQ(
        bytesOf(image.imageBuffer()), (std::vector<std::uint8_t> {0x11, 0x11, 0x22, 0x22, 0x33, 0x33, 0xCD, 0xAB}));
    EXPECT_EQ(image.targetId(), 0x009D);
    EXPECT_EQ(image.flashSummary().mask, 0x0001);
    EXPECT_EQ(image.flashSummary().ramSections, 1);
}

TEST(ElfLoad, OnlyTheC2000MachineLoadsAndOnlyForTheC28xRows)
{
    ProgramImage image;
    EXPECT_EQ(image.load(program(40).build(), kRowF28335), CoffLoadResult::TargetMismatch);
    EXPECT_TRUE(image.empty());
    EXPECT_EQ(image.load(program().build(), kRowLf2407), CoffLoadResult::TargetMismatch);
    EXPECT_EQ(image.load(program().build(), 71), CoffLoadResult::UnsupportedDevice);
    EXPECT_EQ(image.load(program().build(), kRowF2834x), CoffLoadResult::LoadedWithoutSymbols);
    EXPECT_GT(image.dataFlashImage().length(), 0u);
}

TEST(ElfLoad, DamagedHeadersAreRefused)
{
    const std::vector<std::uint8_t> good = program().addSymbol({"counter", 0x8000, kBss}).build();
    ProgramImage image;
    std::vector<std::uint8_t> cut(good.begin(), good.begin() + 40);
    EXPECT_EQ(image.load(cut, kRowF28335), CoffLoadResult::NotCoff);
    std::vector<std::uint8_t> wide = good;
    wide[4] = 2; // 64-bit
    EXPECT_EQ(image.load(wide, kRowF28335), CoffLoadResult::NotCoff);
    std::vector<std::uint8_t> noHeaders(good.begin(), good.end() - 20); // the last section header is cut
    EXPECT_EQ(image.load(noHeaders, kRowF28335), CoffLoadResult::NotCoff);
    EXPECT_TRUE(image.empty());
}

TEST(ElfLoad, SymbolTableOutsideTheFileIsAFileError)
{
    ElfWriter writer = program();
    writer.addSymbol({"counter", 0x8000, kBss});
    std::vector<std::uint8_t> bytes = writer.build();
    // The .symtab header is the fifth (after null, three sections): its size field at +20.
    const std::uint32_t headers = bytes[32] | bytes[33] << 8 | bytes[34] << 16 | bytes[35] << 24;
    bytes[headers + 4 * 40 + 22] = 0x7F;
    ProgramImage image;
    EXPECT_EQ(image.load(bytes, kRowF28335), CoffLoadResult::FileError);
    EXPECT_TRUE(image.symbols().empty());
}

TEST(ElfLoad, GlobalDataSymbolsAreListedAsIntegersWithoutDebugInformation)
{
    ElfWriter writer = program();
    writer.addSymbol({"counter", 0x8000, kBss})
        .addSymbol({"table", 0x9000, kData})
        .addSymbol({"main", 0x338000, kText, 1, 2}) // a function
        .addSymbol({"code_label", 0x338001, kText, 1, 0}) // in code
        .addSymbol({"local", 0x8002, kBss, 0, 1})
        .addSymbol({"__TI_reserved", 0x8003, kBss})
        .addSymbol({"x$1", 0x8004, kBss})
        .addSymbol({"absolute", 0x8005, 0xFFF1})
        .addSymbol({"undefined", 0x8006, 0})
        .addSymbol({"atZero", 0, kBss});
    ProgramImage image;
    ASSERT_EQ(image.load(writer.build(), kRowF28335), CoffLoadResult::Loaded);
    EXPECT_EQ(
        typesOf(image.symbols()), (std::map<std::string, std::string> {{"counter", "Integer"}, {"table", "Integer"}}));
    EXPECT_EQ(image.symbols().findFirst("counter")->address, 0x8000u);
    EXPECT_EQ(image.typeReading().debugInfo, DebugReadStatus::NoDebugInfo);
}

TEST(ElfLoad, DwarfFourTypesTheSymbolsAndTheirMembers)
{
    LUMETRA_SKIP_WITHOUT_DEBUG_INFO_READER();
    DwarfWriter dwarf(4);
    const auto floatType = dwarf.baseType("float", kEncodingFloat, 2);
    const auto uintType = dwarf.baseType("unsigned int", kEncodingUnsigned, 1);
    const auto regs = dwarf.structure("REGS", 2);
    dwarf.member("CTRL", uintType, 0);
    dwarf.member("STATUS", uintType, 1);
    dwarf.variable("gain", 0x8000, floatType);
    dwarf.variable("Regs", 0x8010, dwarf.volatileOf(regs));
    dwarf.function("isr", 0x8020);
    ElfWriter writer = program();
    writer.addSection(ElfSectionSpec::debug(".debug_info", dwarf.info()))
        .addSection(ElfSectionSpec::debug(".debug_abbrev", dwarf.abbrev()))
        .addSymbol({"gain", 0x8000, kBss})
        .addSymbol({"Regs", 0x8010, kBss})
        .addSymbol({"isr", 0x8020, kBss, 1, 0})
        .addSymbol({"plain", 0x8030, kBss});
    ProgramImage image;
    ASSERT_EQ(image.load(writer.build(), kRowF28335), CoffLoadResult::Loaded);
    EXPECT_EQ(image.sections().size(), 2u); // the debug sections are not allocated
    EXPECT_EQ(typesOf(image.symbols()),
        (std::map<std::string, std::string> {{"gain", "Floating point"}, {"Regs", "Structure"}, {"plain", "Integer"}}));
    EXPECT_EQ(image.typeReading().debugInfo, DebugReadStatus::Read);
    EXPECT_EQ(image.typeReading().dwarfVersion, 4);
    EXPECT_EQ(image.typeReading().typedFromDebugInfo, 2u);
    const std::optional<CDataObject> status = image.symbols().findFirst("Regs.STATUS");
    ASSERT_TRUE(status);
    EXPECT_EQ(status->address, 0x8011u);
}

TEST(ElfLoad, SectionAddressesCountWordsAndSizesCountBytes)
{
    // As a real boot ROM lays them out: .text of 0x40B2 bytes at 0x3FA9C0, the next section at 0x3FCA1A.
    std::vector<std::uint16_t> code(0x40B2 / 2);
    for (std::size_t i = 0; i < code.size(); ++i)
        code[i] = static_cast<std::uint16_t>(i);
    ElfWriter writer;
    writer.addSection(ElfSectionSpec::words(".text", 0x3FA9C0, code, kElfAlloc | kElfExecutable))
        .addSection(ElfSectionSpec::words(".econst", 0x3FCA1A, {0xBEEF}))
        .addSymbol({"table", 0x3FCA1A, 2});
    ProgramImage image;
    ASSERT_EQ(image.load(writer.build(), kRowF28335), CoffLoadResult::Loaded);
    ASSERT_EQ(image.sections().size(), 2u);
    EXPECT_EQ(image.sections()[0].sizeWords, 0x2059u);
    EXPECT_EQ(image.sections()[0].endAddress(), 0x3FCA18u); // below the next section: sizes are not words
    EXPECT_EQ(image.sections()[1].startAddress, 0x3FCA1Au);
    EXPECT_EQ(image.totalWords(), 0x2059u + 1);
    const std::vector<std::uint8_t> buffer = bytesOf(image.imageBuffer());
    ASSERT_EQ(buffer.size(), 0x40B2u + 2);
    EXPECT_EQ(buffer[0x40B0], 0x58); // the last word of .text, 0x2058
    EXPECT_EQ(buffer[0x40B2], 0xEF);
    ASSERT_TRUE(image.symbols().findFirst("table"));
    EXPECT_EQ(image.symbols().findFirst("table")->address, 0x3FCA1Au);
}
