#include "image/program_image.h"

#include "support/coff_writer.h"
#include "support/test_paths.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace lumetra::image;
using namespace lumetra::test;

namespace {

constexpr int kRowLf2407 = 4;
constexpr int kRowF2812 = 26;

CoffSymbol variable(std::string name, std::uint32_t address)
{
    CoffSymbol s;
    s.name = std::move(name);
    s.value = address;
    s.type = coffType(4);
    return s;
}

CoffWriter twoSectionProgram(int version, std::uint16_t target)
{
    CoffWriter writer(version, target);
    writer.addSection(CoffSection::withData(".text", 0x3F4000, {0x1111, 0x2222, 0x3333}))
        .addSection(CoffSection::withData(".cinit", 0x3F5000, {0xABCD}))
        .addSymbol(variable("_counter", 0x8000));
    return writer;
}

std::vector<std::uint8_t> bytesOf(std::span<const std::uint8_t> data)
{
    return {data.begin(), data.end()};
}

} // namespace

TEST(CoffLoad, EveryVersionLoadsItsSectionsInFileOrder)
{
    for (const int version : {0, 1, 2}) {
        SCOPED_TRACE(version);
        ProgramImage image;
        ASSERT_EQ(image.load(twoSectionProgram(version, kTargetC28x).build(), kRowF2812), CoffLoadResult::Loaded);
        ASSERT_EQ(image.sections().size(), 2u);
        EXPECT_EQ(image.sections()[0].name, ".text");
        EXPECT_EQ(image.sections()[0].startAddress, 0x3F4000u);
        EXPECT_EQ(image.sections()[0].sizeWords, 3u);
        EXPECT_EQ(image.sections()[1].bufferOffset, 6u);
        EXPECT_EQ(image.totalBytes(), 8u);
        EXPECT_EQ(
            bytesOf(image.imageBuffer()), (std::vector<std::uint8_t> {0x11, 0x11, 0x22, 0x22, 0x33, 0x33, 0xCD, 0xAB}));
        EXPECT_EQ(bytesOf(image.sectionData(1)), (std::vector<std::uint8_t> {0xCD, 0xAB}));
        EXPECT_EQ(image.targetId(), kTargetC28x);
        ASSERT_EQ(image.symbols().count(), 1u);
        EXPECT_EQ(image.symbols().at(0).name, "counter");
    }
}

TEST(CoffLoad, OptionalHeaderIsSkippedBeforeTheSectionHeaders)
{
    ProgramImage image;
    const auto file = twoSectionProgram(1, kTargetC28x).withOptionalHeader().build();
    ASSERT_EQ(image.load(file, kRowF2812), CoffLoadResult::Loaded);
    EXPECT_EQ(image.sections()[0].name, ".text");
    EXPECT_EQ(image.sections()[1].startAddress, 0x3F5000u);
}

TEST(CoffLoad, TargetIdMustMatchTheSelectedFamily)
{
    ProgramImage image;
    // Version 0 carries the target id in its first field.
    EXPECT_EQ(image.load(twoSectionProgram(0, kTargetC28x).build(), kRowLf2407), CoffLoadResult::TargetMismatch);
    EXPECT_EQ(image.load(twoSectionProgram(0, kTargetC2xx).build(), 6), CoffLoadResult::TargetMismatch);
    EXPECT_EQ(image.load(twoSectionProgram(0, kTargetC2xx).build(), 5), CoffLoadResult::Loaded);
    EXPECT_EQ(image.load(twoSectionProgram(2, kTargetC2xx).build(), kRowF2812), CoffLoadResult::TargetMismatch);
    EXPECT_EQ(image.load(twoSectionProgram(2, kTargetC28x).build(), 0), CoffLoadResult::TargetMismatch);
    // A version 1/2 file with another machine's id matches no row.
    EXPECT_EQ(image.load(twoSectionProgram(2, 0x0099).build(), kRowF2812), CoffLoadResult::TargetMismatch);
    EXPECT_EQ(image.load(twoSectionProgram(2, 0x0099).build(), 0), CoffLoadResult::TargetMismatch);
    EXPECT_TRUE(image.empty());
    EXPECT_EQ(coffLoadMessage(CoffLoadResult::TargetMismatch), "COFF 파일이 선택한 CPU 타입과 일치하지 않읍니다.");
}

TEST(CoffLoad, UnknownFirstFieldOrShortFileIsNotCoff)
{
    ProgramImage image;
    EXPECT_EQ(
        image.load(twoSectionProgram(2, kTargetC28x).firstField(0x00C3).build(), kRowF2812), CoffLoadResult::NotCoff);
    EXPECT_EQ(image.load(std::vector<std::uint8_t> {}, kRowF2812), CoffLoadResult::NotCoff);
    // A version 0 header is 20 bytes, but fewer than 22 bytes are not read as COFF at all.
    auto v0 = CoffWriter(0, kTargetC28x).build();
    ASSERT_EQ(v0.size(), 24u); // 20-byte header and the string table length word
    EXPECT_EQ(image.load(std::span(v0).first(21), kRowF2812), CoffLoadResult::NotCoff);
    EXPECT_EQ(image.load(std::span(v0).first(22), kRowF2812), CoffLoadResult::LoadedWithoutSymbols);
    EXPECT_EQ(coffLoadMessage(CoffLoadResult::NotCoff), "COFF 파일 포맷이 아닙니다.");
}

TEST(CoffLoad, TruncationAtEveryHeaderBoundaryIsNotCoff)
{
    for (const int version : {0, 1, 2}) {
        SCOPED_TRACE(version);
        CoffWriter writer = twoSectionProgram(version, kTargetC28x).withOptionalHeader();
        writer.addSection(CoffSection::withData("a_long_section_name", 0x8000, {7}));
        const auto file = writer.build();
        const CoffLayout layout = writer.layout();
        std::vector<std::size_t> cuts = {layout.fileHeaderEnd - 1, layout.fileHeaderEnd, layout.optionalHeaderEnd - 1};
        for (const std::size_t end : layout.sectionHeaderEnds)
            cuts.push_back(end - 1);
        cuts.push_back(layout.stringTableOffset + 3); // length word cut
        cuts.push_back(layout.fileSize - 1); // last string byte missing
        for (const std::size_t cut : cuts) {
            SCOPED_TRACE(cut);
            ProgramImage image;
            EXPECT_EQ(image.load(std::span(file).first(cut), kRowF2812), CoffLoadResult::NotCoff);
            EXPECT_TRUE(image.empty());
        }
    }
}

TEST(CoffLoad, EveryPrefixOfAFileIsHandled)
{
    // A cut anywhere may leave a string table that happens to fit; whatever the result, nothing is read outside.
    CoffWriter writer = twoSectionProgram(2, kTargetC28x);
    writer.addSymbol(variable("a_name_longer_than_eight", 0x8010));
    const auto file = writer.build();
    for (std::size_t cut = 0; cut < file.size(); ++cut) {
        ProgramImage image;
        const CoffLoadResult result = image.load(std::span(file).first(cut), kRowF2812);
        EXPECT_NE(result, CoffLoadResult::Loaded) << cut;
    }
}

TEST(CoffLoad, StringTableLengthMustFitTheFile)
{
    ProgramImage image;
    EXPECT_EQ(image.load(twoSectionProgram(2, kTargetC28x).stringTableLength(0x1000).build(), kRowF2812),
        CoffLoadResult::NotCoff);
    EXPECT_EQ(
        image.load(twoSectionProgram(2, kTargetC28x).withoutStringTable().build(), kRowF2812), CoffLoadResult::NotCoff);
    EXPECT_EQ(image.load(twoSectionProgram(2, kTargetC28x).symbolTableOffset(0xFFFFFFF0).build(), kRowF2812),
        CoffLoadResult::NotCoff);
    EXPECT_EQ(image.load(twoSectionProgram(2, kTargetC28x).symbolCount(0xFFFFFFFF).build(), kRowF2812),
        CoffLoadResult::NotCoff);
}

TEST(CoffLoad, SectionNamesInlineOrFromTheStringTableLoseOneUnderscore)
{
    CoffWriter writer(2, kTargetC28x);
    CoffSection viaTable = CoffSection::withData("_ramfuncs", 0x8000, {1});
    viaTable.nameInStringTable = true;
    writer.addSection(CoffSection::withData("_text", 0x3F4000, {1}))
        .addSection(CoffSection::withData("__twice", 0x3F4001, {1}))
        .addSection(CoffSection::withData("12345678", 0x3F4002, {1}))
        .addSection(std::move(viaTable))
        .addSection(CoffSection::withData("IQmathTablesRam", 0x9000, {1}));
    ProgramImage image;
    ASSERT_EQ(image.load(writer.build(), kRowF2812), CoffLoadResult::LoadedWithoutSymbols);
    std::vector<std::string> names;
    for (const LoadedSection& s : image.sections())
        names.push_back(s.name);
    EXPECT_EQ(names, (std::vector<std::string> {"text", "_twice", "12345678", "ramfuncs", "IQmathTablesRam"}));
}

TEST(CoffLoad, NameOffsetOutsideTheStringTableIsRefused)
{
    CoffWriter writer(2, kTargetC28x);
    writer.addSection(CoffSection::withData("a_long_section_name", 0x8000, {1})).stringTableLength(4);
    ProgramImage image;
    EXPECT_EQ(image.load(writer.build(), kRowF2812), CoffLoadResult::NotCoff);
}

TEST(CoffLoad, SectionsWithoutLoadableDataAreSkipped)
{
    CoffWriter writer(2, kTargetC28x);
    CoffSection empty = CoffSection::withData("empty", 0x8000, {});
    CoffSection noRaw = CoffSection::withData("noraw", 0x8000, {1, 2});
    noRaw.rawDataOffsetOverride = 0;
    writer.addSection(std::move(empty)).addSection(std::move(noRaw));
    for (const std::uint32_t flag : {kSectionDummy, kSectionNoLoad, kSectionCopy}) {
        CoffSection flagged = CoffSection::withData("flagged", 0x8000, {1});
        flagged.flags = kSectionText | flag;
        writer.addSection(std::move(flagged));
    }
    for (const char* stack : {".stack", ".STACK", "_.Stack"})
        writer.addSection(CoffSection::withData(stack, 0x400, {1}));
    CoffSection bss = CoffSection::withData("kept", 0x8000, {9});
    bss.flags = kSectionBss | kSectionData; // other flags do not matter
    writer.addSection(std::move(bss));
    ProgramImage image;
    ASSERT_EQ(image.load(writer.build(), kRowF2812), CoffLoadResult::LoadedWithoutSymbols);
    ASSERT_EQ(image.sections().size(), 1u);
    EXPECT_EQ(image.sections()[0].name, "kept");
    EXPECT_EQ(image.totalBytes(), 2u);
}

TEST(CoffLoad, FamilyRulesForPagesAndC28xOnlySections)
{
    const auto build = [](std::uint16_t target) {
        CoffWriter writer(1, target);
        CoffSection page1 = CoffSection::withData("onpage1", 0x8000, {1});
        page1.page = 1;
        writer.addSection(CoffSection::withData("code", 0x40, {1})).addSection(std::move(page1));
        for (const char* name : {"csmpwlfile", ".debug_frame", ".Debug_Abbrev", ".debug_info", ".debug_line"})
            writer.addSection(CoffSection::withData(name, 0x100, {1}));
        return writer.build();
    };
    ProgramImage lf;
    ASSERT_EQ(lf.load(build(kTargetC2xx), kRowLf2407), CoffLoadResult::LoadedWithoutSymbols);
    ASSERT_EQ(lf.sections().size(), 6u); // page 1 dropped; the C28x names are kept on the LF240x
    EXPECT_EQ(lf.sections()[0].name, "code");
    EXPECT_EQ(lf.sections()[1].name, "csmpwlfile");

    ProgramImage c28;
    ASSERT_EQ(c28.load(build(kTargetC28x), kRowF2812), CoffLoadResult::LoadedWithoutSymbols);
    ASSERT_EQ(c28.sections().size(), 2u); // any page; password locations and DWARF sections dropped
    EXPECT_EQ(c28.sections()[1].name, "onpage1");
}

TEST(CoffLoad, RawDataPastTheEndOfTheFileReadsAsErased)
{
    CoffWriter writer(2, kTargetC28x);
    CoffSection beyond = CoffSection::withData("beyond", 0x8000, {0x1234});
    beyond.sizeWordsOverride = 3; // two more words than the file holds
    CoffSection far = CoffSection::withData("far", 0x9000, {});
    far.sizeWordsOverride = 2;
    far.rawDataOffsetOverride = 0x7FFFFFFF;
    writer.addSection(std::move(beyond)).addSection(std::move(far)).withoutStringTable();
    auto file = writer.build();
    ProgramImage image;
    ASSERT_EQ(image.load(file, kRowF2812), CoffLoadResult::LoadedWithoutSymbols);
    EXPECT_EQ(bytesOf(image.sectionData(0)), (std::vector<std::uint8_t> {0x34, 0x12, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(bytesOf(image.sectionData(1)), (std::vector<std::uint8_t>(4, 0xFF)));
}

TEST(CoffLoad, DataBeyondTheImageBufferIsRefused)
{
    CoffWriter writer(2, kTargetC28x);
    CoffSection half = CoffSection::withData("half", 0x0, {});
    half.sizeWordsOverride = 0x200000; // 4 MiB
    half.rawDataOffsetOverride = 0x100;
    CoffSection rest = half;
    rest.name = "rest";
    writer.addSection(half).addSection(rest);
    ProgramImage image;
    EXPECT_EQ(image.load(writer.build(), kRowF2812), CoffLoadResult::LoadedWithoutSymbols);
    EXPECT_EQ(image.totalBytes(), kImageBufferCapacity);

    CoffSection oneMore = CoffSection::withData("one_more", 0x0, {1});
    writer.addSection(oneMore);
    EXPECT_EQ(image.load(writer.build(), kRowF2812), CoffLoadResult::ImageTooLarge);
    EXPECT_TRUE(image.empty());
    EXPECT_FALSE(coffLoadMessage(CoffLoadResult::ImageTooLarge).empty());

    CoffWriter huge(2, kTargetC28x);
    CoffSection max = CoffSection::withData("max", 0x0, {1});
    max.sizeWordsOverride = 0xFFFFFFFF;
    huge.addSection(max);
    EXPECT_EQ(image.load(huge.build(), kRowF2812), CoffLoadResult::ImageTooLarge);
}

TEST(CoffLoad, NoSymbolsLoadsTheSectionsWithResult4)
{
    ProgramImage image;
    CoffWriter withoutSymbols(2, kTargetC28x);
    withoutSymbols.addSection(CoffSection::withData(".text", 0x3F4000, {5}));
    ASSERT_EQ(image.load(twoSectionProgram(2, kTargetC28x).build(), kRowF2812), CoffLoadResult::Loaded);
    ASSERT_EQ(image.load(withoutSymbols.build(), kRowF2812), CoffLoadResult::LoadedWithoutSymbols);
    EXPECT_TRUE(isLoadSuccess(CoffLoadResult::LoadedWithoutSymbols));
    EXPECT_EQ(image.sections().size(), 1u);
    EXPECT_EQ(image.symbols().count(), 0u);
    EXPECT_TRUE(coffLoadMessage(CoffLoadResult::LoadedWithoutSymbols).empty());

    // A stripped file may carry neither a symbol table offset nor a string table.
    CoffWriter stripped(1, kTargetC2xx);
    stripped.addSection(CoffSection::withData("code", 0x40, {5})).withoutStringTable().symbolTableOffset(0);
    ASSERT_EQ(image.load(stripped.build(), kRowLf2407), CoffLoadResult::LoadedWithoutSymbols);
    EXPECT_EQ(image.targetId(), kTargetC2xx);
}

TEST(CoffLoad, TargetIdChangesOnlyWithASuccessfulLoad)
{
    ProgramImage image;
    ASSERT_EQ(image.load(twoSectionProgram(2, kTargetC2xx).build(), kRowLf2407), CoffLoadResult::Loaded);
    EXPECT_EQ(image.targetId(), kTargetC2xx);
    EXPECT_EQ(image.load(twoSectionProgram(2, kTargetC28x).build(), kRowLf2407), CoffLoadResult::TargetMismatch);
    EXPECT_EQ(image.targetId(), kTargetC2xx);
    EXPECT_TRUE(image.empty());
    EXPECT_EQ(image.symbols().count(), 0u);
}

TEST(CoffLoad, UnsupportedRowIsResult7AfterTheHeaderChecks)
{
    ProgramImage image;
    ASSERT_EQ(image.load(twoSectionProgram(2, kTargetC28x).build(), kRowF2812), CoffLoadResult::Loaded);
    EXPECT_EQ(image.load(twoSectionProgram(2, kTargetC28x).build(), 71), CoffLoadResult::UnsupportedDevice);
    EXPECT_TRUE(image.empty());
    EXPECT_EQ(image.load(twoSectionProgram(2, kTargetC28x).firstField(0x1234).build(), 71), CoffLoadResult::NotCoff);
    EXPECT_EQ(image.load(CoffWriter(2, kTargetC28x).build(), 200), CoffLoadResult::UnsupportedDevice);
    EXPECT_EQ(coffLoadMessage(CoffLoadResult::UnsupportedDevice), "현재 지원되지 않는 CPU를 선택하셨읍니다.");
}

TEST(CoffLoad, SymbolTableReadPastTheEndIsAFileError)
{
    CoffWriter writer = twoSectionProgram(2, kTargetC28x);
    CoffSymbol last = variable("_last", 0x8002);
    last.auxCountOverride = 1; // its auxiliary entry is missing
    writer.addSymbol(last);
    ProgramImage image;
    EXPECT_EQ(image.load(writer.build(), kRowF2812), CoffLoadResult::FileError);
    EXPECT_TRUE(image.empty());
    EXPECT_EQ(coffLoadMessage(CoffLoadResult::FileError), "파일 예외 오류 발생 !");
}

TEST(CoffLoad, FromAPath)
{
    ScratchDir dir;
    twoSectionProgram(2, kTargetC28x).writeTo(dir / "prog.out");
    ProgramImage image;
    EXPECT_EQ(image.load(dir / "prog.out", kRowF2812), CoffLoadResult::Loaded);
    EXPECT_EQ(image.load(dir / "missing.out", kRowF2812), CoffLoadResult::CannotOpen);
    EXPECT_TRUE(image.empty());
    EXPECT_EQ(image.load(dir.path(), kRowF2812), CoffLoadResult::CannotOpen);
    EXPECT_EQ(coffLoadMessage(CoffLoadResult::CannotOpen), "파일을 여는데 실패했읍니다.");
    EXPECT_EQ(coffLoadMessage(CoffLoadResult::OutOfMemory), "메모리 예외 오류 발생 !");
}
