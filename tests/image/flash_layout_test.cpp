#include "image/flash_layout.h"
#include "image/flash_summary.h"
#include "image/program_image.h"

#include "support/coff_writer.h"

#include <gtest/gtest.h>

using namespace lumetra::image;
using namespace lumetra::test;

namespace {

struct LayoutCase {
    const char* layout;
    int row;
    std::uint32_t lastSectorFirst; // first word of the highest-numbered sector
    int sectorCount;
    std::uint32_t flashFirst;
    std::uint32_t otpLast;
};

// One row per layout, and each distinct flash / OTP window.
const LayoutCase kCases[] = {
    {"L1", 6, 0x3F4000, 4, 0x3F4000, 0x3D7BFF},
    {"L2", 9, 0x3F0000, 4, 0x3F0000, 0x3D7BFF},
    {"L3", 29, 0x3E8000, 4, 0x3E8000, 0x3D7BFF},
    {"L4", 16, 0x3D8000, 8, 0x3D8000, 0x3D7BFF},
    {"L5 (F2810)", 18, 0x3D8000, 10, 0x3E8000, 0x3D7BFF},
    {"L5 (F2812)", 26, 0x3D8000, 10, 0x3D8000, 0x3D7BFF},
    {"L6", 53, 0x3F0000, 8, 0x3F0000, 0x3D7BFF},
    {"L7", 57, 0x3E8000, 8, 0x3E8000, 0x3D7BFF},
    {"L7 (F2806x)", 58, 0x3E8000, 8, 0x3E8000, 0x3D7BF9},
    {"L4 (F2806x)", 65, 0x3D8000, 8, 0x3D8000, 0x3D7BF9},
    {"L8", 30, 0x330000, 4, 0x330000, 0x3807FF},
    {"L9", 34, 0x320000, 8, 0x320000, 0x3807FF},
    {"L10", 35, 0x300000, 8, 0x300000, 0x3807FF},
};

} // namespace

TEST(FlashLayout, EachLayoutTagsItsSectorsAndWindows)
{
    for (const LayoutCase& c : kCases) {
        SCOPED_TRACE(c.layout);
        ASSERT_EQ(flashSectorsOf(c.row).size(), static_cast<std::size_t>(c.sectorCount));
        const std::uint16_t all = static_cast<std::uint16_t>((1u << c.sectorCount) - 1);
        // Sector 0 ends at 0x3F7FFF (0x33FFFF on the F2833x); one word there is bit 0.
        const bool f2833x = c.row >= 30 && c.row <= 35;
        const std::uint32_t top = f2833x ? 0x33FFFF : 0x3F7FFF;
        EXPECT_EQ(tagSection(c.row, top, 1).mask, 0x0001);
        // From the flash window's first word to its last: every sector it has.
        const FlashTag whole = tagSection(c.row, c.flashFirst, top - c.flashFirst + 1);
        EXPECT_TRUE(whole.inFlash);
        if (c.flashFirst == c.lastSectorFirst) {
            EXPECT_EQ(whole.mask, all);
            EXPECT_EQ(tagSection(c.row, c.lastSectorFirst, 1).mask, 1u << (c.sectorCount - 1));
        } else {
            // The window stops above the layout's lowest sectors (F2810).
            EXPECT_FALSE(tagSection(c.row, c.lastSectorFirst, 1).inFlash);
        }
        // One word before the flash window is RAM; running past its top leaves the mask 0.
        EXPECT_FALSE(tagSection(c.row, c.flashFirst - 1, 2).inFlash);
        const FlashTag past = tagSection(c.row, top, 2);
        EXPECT_TRUE(past.inFlash);
        EXPECT_EQ(past.mask, 0);
        // OTP window, both ends.
        const std::uint32_t otpFirst = f2833x ? 0x380400 : 0x3D7800;
        for (const std::uint32_t at : {otpFirst, c.otpLast}) {
            const FlashTag otp = tagSection(c.row, at, 1);
            EXPECT_TRUE(otp.inFlash);
            EXPECT_EQ(otp.mask, kOtpSectorMask);
        }
        EXPECT_FALSE(tagSection(c.row, c.otpLast + 1, 1).inFlash);
    }
}

TEST(FlashLayout, SectorsInsideTheLayouts)
{
    // L5 mixes 8K and 16K sectors; a section over sectors 1..3 sets bits 1..3.
    EXPECT_EQ(tagSection(26, 0x3EC000, 0xA000).mask, 0x000E);
    // F2810's window starts at 0x3E8000 although L5 goes lower.
    EXPECT_FALSE(tagSection(18, 0x3D8000, 1).inFlash);
    EXPECT_TRUE(tagSection(21, 0x3D8000, 1).inFlash);
    EXPECT_EQ(tagSection(21, 0x3D8000, 1).mask, 0x0200);
    // L7 in steps of 0x2000: sector 4 is 0x3EE000.
    EXPECT_EQ(tagSection(56, 0x3EE000, 0x2000).mask, 0x0010);
    // L6 in steps of 0x1000: sector 5 is 0x3F2000.
    EXPECT_EQ(tagSection(54, 0x3F2000, 0x1001).mask, 0x0030);
}

TEST(FlashLayout, RowsWithoutTagging)
{
    for (const int row : {0, 5, 36, 41, 71, -1}) {
        SCOPED_TRACE(row);
        EXPECT_FALSE(hasFlashTagging(row));
        EXPECT_FALSE(tagSection(row, 0x3F7000, 1).inFlash);
        EXPECT_FALSE(tagSection(row, 0x3D7800, 1).inFlash);
    }
    for (int row = 6; row <= 70; ++row)
        EXPECT_EQ(hasFlashTagging(row), row < 36 || row > 41) << row;
}

TEST(FlashLayout, TwoBankRows)
{
    for (int row = 66; row <= 70; ++row) {
        SCOPED_TRACE(row);
        EXPECT_TRUE(isDualBank(row));
        EXPECT_EQ(flashSectorsOf(row).size(), 14u);
        const FlashTag bank0 = tagSection(row, 0x080000, 0x8000);
        EXPECT_TRUE(bank0.inFlash);
        EXPECT_EQ(bank0.mask, 0x000F);
        EXPECT_FALSE(bank0.inSecondBank);
        const FlashTag bank1 = tagSection(row, 0x0FE000, 0x2000);
        EXPECT_FALSE(bank1.inFlash);
        EXPECT_TRUE(bank1.inSecondBank);
        EXPECT_EQ(bank1.secondBankMask, 0x2000);
        EXPECT_FALSE(tagSection(row, 0x07FFFF, 1).inFlash);
        EXPECT_FALSE(tagSection(row, 0x100000, 1).inSecondBank);
    }
    EXPECT_FALSE(splitsAcrossBanks(66));
    EXPECT_FALSE(splitsAcrossBanks(68));
    EXPECT_TRUE(splitsAcrossBanks(67));
    EXPECT_TRUE(splitsAcrossBanks(69));
    EXPECT_TRUE(splitsAcrossBanks(70));
}

namespace {

std::vector<std::uint8_t> crossingBanks()
{
    const auto crossing = CoffSection::withData("_bigflash", 0x0BFFFE, {1, 2, 3, 4, 5});
    const auto ram = CoffSection::withData("ram", 0x8000, {6});
    const auto bank1 = CoffSection::withData("upper", 0x0C2000, {7, 8});
    return CoffWriter(2, kTargetC28x).addSection(crossing).addSection(ram).addSection(bank1).build();
}

} // namespace

TEST(FlashLayout, SectionRunningIntoBank1IsSplitOnRows67_69_70)
{
    for (const int row : {67, 69, 70}) {
        SCOPED_TRACE(row);
        ProgramImage image;
        ASSERT_EQ(image.load(crossingBanks(), row), CoffLoadResult::LoadedWithoutSymbols);
        ASSERT_EQ(image.sections().size(), 4u);
        const LoadedSection& first = image.sections()[0];
        const LoadedSection& second = image.sections()[1];
        EXPECT_EQ(first.name, "bigflash_1");
        EXPECT_EQ(first.startAddress, 0x0BFFFEu);
        EXPECT_EQ(first.sizeWords, 2u);
        EXPECT_TRUE(first.inFlash);
        EXPECT_EQ(first.flashMask, 0x2000);
        EXPECT_EQ(second.name, "bigflash_2");
        EXPECT_EQ(second.startAddress, 0x0C0000u);
        EXPECT_EQ(second.sizeWords, 3u);
        EXPECT_TRUE(second.inSecondBank);
        EXPECT_EQ(second.secondBankMask, 0x0001);
        EXPECT_EQ(second.bufferOffset, first.bufferOffset + 4);
        EXPECT_EQ(image.sectionData(1)[0], 3); // the words continue where the first part stopped
        EXPECT_EQ(image.totalBytes(), 16u);

        const FlashSummary& summary = image.flashSummary();
        EXPECT_EQ(summary.mask, 0x2000);
        EXPECT_EQ(summary.secondBankMask, 0x0003);
        EXPECT_EQ(summary.flashSections, 3);
        EXPECT_EQ(summary.flashBytes, 14u);
        EXPECT_EQ(summary.ramSections, 1);
        EXPECT_EQ(summary.ramBytes, 2u);
        EXPECT_TRUE(summary.firstBankData);
        EXPECT_TRUE(summary.secondBankData);
    }
}

TEST(FlashLayout, Rows66And68KeepTheSectionWholeAndCountBank1AsRam)
{
    for (const int row : {66, 68}) {
        SCOPED_TRACE(row);
        ProgramImage image;
        ASSERT_EQ(image.load(crossingBanks(), row), CoffLoadResult::LoadedWithoutSymbols);
        ASSERT_EQ(image.sections().size(), 3u);
        EXPECT_EQ(image.sections()[0].name, "bigflash");
        EXPECT_TRUE(image.sections()[0].inFlash);
        EXPECT_EQ(image.sections()[0].flashMask, 0); // its last word is outside bank 0
        const FlashSummary& summary = image.flashSummary();
        EXPECT_EQ(summary.flashSections, 1);
        EXPECT_EQ(summary.flashBytes, 10u);
        EXPECT_EQ(summary.ramSections, 2);
        EXPECT_EQ(summary.ramBytes, 6u);
        EXPECT_EQ(summary.secondBankMask, 0);
        EXPECT_TRUE(summary.secondBankData);
    }
}

TEST(FlashLayout, SummaryOfASingleBankRow)
{
    const auto a = CoffSection::withData("a", 0x3F7000, {1, 2});
    const auto otp = CoffSection::withData("otp", 0x3D7800, {1, 2});
    const auto ram = CoffSection::withData("ram", 0x8000, {1, 2, 3});
    ProgramImage image;
    ASSERT_EQ(image.load(CoffWriter(2, kTargetC28x).addSection(a).addSection(otp).addSection(ram).build(), 6),
        CoffLoadResult::LoadedWithoutSymbols);
    const FlashSummary& summary = image.flashSummary();
    EXPECT_EQ(summary.mask, 0x0401);
    EXPECT_EQ(summary.flashSections, 2);
    EXPECT_EQ(summary.flashBytes, 8u);
    EXPECT_EQ(summary.ramSections, 1);
    EXPECT_EQ(summary.ramBytes, 6u);
    EXPECT_FALSE(summary.secondBankData);

    // The LF240x rows have no flash summary.
    ASSERT_EQ(image.load(CoffWriter(2, kTargetC2xx).addSection(a).build(), 4), CoffLoadResult::LoadedWithoutSymbols);
    EXPECT_EQ(image.flashSummary(), FlashSummary());
    EXPECT_FALSE(image.sections()[0].inFlash);
}
