#include "image/image_buffer.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

using namespace lumetra::image;

namespace {

SharedBytes countingFile(std::size_t size)
{
    std::vector<std::uint8_t> bytes(size);
    std::iota(bytes.begin(), bytes.end(), std::uint8_t {0});
    return SharedBytes::copyOf(bytes);
}

std::vector<std::uint8_t> contents(const ImageBuffer& buffer)
{
    return std::vector<std::uint8_t>(buffer.bytes().begin(), buffer.bytes().end());
}

} // namespace

TEST(ImageBuffer, BackToBackSectionsAreAWindowOfTheFile)
{
    const SharedBytes file = countingFile(16);
    ImageBuffer buffer;
    buffer.start(file);
    EXPECT_EQ(buffer.append(4, 2), 0u);
    EXPECT_EQ(buffer.append(6, 4), 2u);
    EXPECT_EQ(contents(buffer), (std::vector<std::uint8_t> {4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(buffer.bytes().data(), file.data() + 4);
}

TEST(ImageBuffer, ABreakInTheRunCopiesWhatCameBeforeAndPadsPastTheEnd)
{
    const SharedBytes file = countingFile(16);
    ImageBuffer buffer;
    buffer.start(file);
    buffer.append(2, 4);
    EXPECT_EQ(buffer.append(10, 2), 4u); // a gap
    EXPECT_EQ(buffer.append(14, 4), 6u); // two bytes lie past the end of the file
    EXPECT_EQ(contents(buffer), (std::vector<std::uint8_t> {2, 3, 4, 5, 10, 11, 14, 15, 0xFF, 0xFF}));

    ImageBuffer reaching;
    reaching.start(file);
    reaching.append(12, 6); // the very first section already runs past the end
    EXPECT_EQ(contents(reaching), (std::vector<std::uint8_t> {12, 13, 14, 15, 0xFF, 0xFF}));
}

TEST(ImageBuffer, StartingAgainEmptiesIt)
{
    ImageBuffer buffer;
    buffer.start(countingFile(8));
    buffer.append(0, 2);
    buffer.append(4, 2);
    buffer.start(countingFile(8));
    EXPECT_EQ(buffer.size(), 0u);
    buffer.append(6, 2);
    EXPECT_EQ(contents(buffer), (std::vector<std::uint8_t> {6, 7}));
    buffer.clear();
    EXPECT_TRUE(buffer.bytes().empty());
}
