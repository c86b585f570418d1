#include "image/data_flash_image.h"
#include "image/program_image.h"

#include "support/coff_writer.h"

#include <gtest/gtest.h>

using namespace lumetra::image;
using namespace lumetra::test;

namespace {

const std::vector<std::uint8_t> kHeader = {
    0xAA, 0x08, // key 0x08AA
    0x02, 0x02, // clock word
    0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00, // reserved
    0x00, 0x00, 0x00, 0x00, // entry point 0
};

std::vector<std::uint8_t> bytesOf(const DataFlashImage& image)
{
    return {image.bytes().begin(), image.bytes().end()};
}

} // namespace

TEST(DataFlashImage, BootTableOfTheLoadedSections)
{
    const auto text = CoffSection::withData("text", 0x123456, {0xBEEF, 0x1234});
    const auto data = CoffSection::withData("data", 0x8000, {0x00AB});
    ProgramImage image;
    ASSERT_EQ(image.load(CoffWriter(2, kTargetC28x).addSection(text).addSection(data).build(), 36),
        CoffLoadResult::LoadedWithoutSymbols);

    std::vector<std::uint8_t> expected = kHeader;
    const std::vector<std::uint8_t> blocks = {
        0x02, 0x00, 0x12, 0x00, 0x56, 0x34, 0xEF, 0xBE, 0x34, 0x12, // 2 words at 0x123456
        0x01, 0x00, 0x00, 0x00, 0x00, 0x80, 0xAB, 0x00, // 1 word at 0x8000
        0x00, 0x00, // end
    };
    expected.insert(expected.end(), blocks.begin(), blocks.end());
    EXPECT_EQ(bytesOf(image.dataFlashImage()), expected);
    EXPECT_TRUE(image.dataFlashImage().complete());

    // Page reads past the length are erased bytes.
    const auto page0 = image.dataFlashImage().page(0);
    EXPECT_EQ(page0[0], 0xAA);
    EXPECT_EQ(page0[expected.size() - 1], 0x00);
    EXPECT_EQ(page0[expected.size()], 0xFF);
    EXPECT_EQ(image.dataFlashImage().page(1)[0], 0xFF);
}

TEST(DataFlashImage, OnlyForTheF2834xRows)
{
    const auto text = CoffSection::withData("text", 0x8000, {1});
    const auto file = CoffWriter(2, kTargetC28x).addSection(text).build();
    for (const int row : {35, 36, 41, 42}) {
        ProgramImage image;
        ASSERT_EQ(image.load(file, row), CoffLoadResult::LoadedWithoutSymbols);
        EXPECT_EQ(image.dataFlashImage().empty(), row < 36 || row > 41) << row;
    }
}

TEST(DataFlashImage, LongSectionIsSplitInto65535WordBlocks)
{
    LoadedSection big;
    big.startAddress = 0x100000;
    big.sizeWords = 0x12345;
    std::vector<std::uint8_t> buffer(big.sizeBytes());
    for (std::size_t i = 0; i < buffer.size(); ++i)
        buffer[i] = static_cast<std::uint8_t>(i);
    const DataFlashImage image = DataFlashImage::build(std::span(&big, 1), buffer);

    const auto bytes = image.bytes();
    const std::size_t first = kHeader.size();
    EXPECT_EQ(bytes[first], 0xFF);
    EXPECT_EQ(bytes[first + 1], 0xFF); // 0xFFFF words
    EXPECT_EQ(bytes[first + 2], 0x10);
    EXPECT_EQ(bytes[first + 4], 0x00); // at 0x100000
    const std::size_t second = first + 6 + 0xFFFF * 2;
    EXPECT_EQ(bytes[second], 0x46);
    EXPECT_EQ(bytes[second + 1], 0x23); // 0x2346 words
    EXPECT_EQ(bytes[second + 2], 0x10);
    EXPECT_EQ(bytes[second + 3], 0x00);
    EXPECT_EQ(bytes[second + 4], 0xFF);
    EXPECT_EQ(bytes[second + 5], 0xFF); // at 0x10FFFF
    // The second block's data continue at word 0xFFFF of the section.
    EXPECT_EQ(bytes[second + 6], static_cast<std::uint8_t>(0xFFFF * 2));
    EXPECT_EQ(image.length(), kHeader.size() + 2 * 6 + big.sizeBytes() + 2);
}

TEST(DataFlashImage, EndPastFourMebibytesIsDroppedAndReported)
{
    LoadedSection big;
    big.startAddress = 0;
    big.sizeWords = 0x200000; // 4 MiB of data, the table needs more
    const std::vector<std::uint8_t> buffer(big.sizeBytes(), 0x5A);
    const DataFlashImage image = DataFlashImage::build(std::span(&big, 1), buffer);
    EXPECT_EQ(image.length(), kDataFlashImageCapacity);
    EXPECT_FALSE(image.complete());
    EXPECT_EQ(image.bytes().back(), 0x5A);

    // A table that exactly fills the capacity is complete.
    // 24 bytes of header and end mark, 32 blocks of 6 bytes, 2 * 0x1FFF94 bytes of data.
    LoadedSection exact;
    exact.sizeWords = 0x1FFF94;
    const DataFlashImage full = DataFlashImage::build(std::span(&exact, 1), buffer);
    EXPECT_EQ(full.length(), kDataFlashImageCapacity);
    EXPECT_TRUE(full.complete());
}
