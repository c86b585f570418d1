#include "graph/exports/wmf_writer.h"

#include <gtest/gtest.h>

#include <string>

namespace lumetra::graph::wmf {
namespace {

std::uint16_t u16(const std::vector<std::uint8_t>& b, std::size_t at)
{
    return static_cast<std::uint16_t>(b.at(at) | (b.at(at + 1) << 8));
}

std::uint32_t u32(const std::vector<std::uint8_t>& b, std::size_t at)
{
    return u16(b, at) | (std::uint32_t {u16(b, at + 2)} << 16);
}

struct Record {
    std::uint16_t function = 0;
    std::size_t offset = 0; // of the first parameter
    std::size_t words = 0; // whole record
};

// Walks the records after the two headers; every size must land exactly on the next record.
std::vector<Record> records(const std::vector<std::uint8_t>& file)
{
    std::vector<Record> found;
    std::size_t at = 22 + 18;
    while (at < file.size()) {
        const std::size_t words = u32(file, at);
        EXPECT_GE(words, 3u);
        found.push_back({u16(file, at + 4), at + 6, words});
        at += words * 2;
        if (words < 3)
            break;
    }
    EXPECT_EQ(at, file.size());
    return found;
}

TEST(WmfWriter, PlaceableAndStandardHeaders)
{
    WmfWriter writer(640, 400, 96);
    writer.polyline(std::vector<Point> {{0, 0}, {639, 399}});
    const std::vector<std::uint8_t> file = writer.finish();

    EXPECT_EQ(u32(file, 0), kPlaceableKey);
    EXPECT_EQ(u16(file, 10), 640); // bounding box right
    EXPECT_EQ(u16(file, 12), 400); // bottom
    EXPECT_EQ(u16(file, 14), 96); // units per inch
    std::uint16_t checksum = 0;
    for (std::size_t i = 0; i < 20; i += 2)
        checksum ^= u16(file, i);
    EXPECT_EQ(u16(file, 20), checksum);
    EXPECT_NE(checksum, 0);

    EXPECT_EQ(u16(file, 22), 1); // in memory
    EXPECT_EQ(u16(file, 24), 9); // header words
    EXPECT_EQ(u16(file, 26), 0x0300);
    EXPECT_EQ(u32(file, 28), (file.size() - 22) / 2);

    const std::vector<Record> all = records(file);
    ASSERT_EQ(all.size(), 5u);
    EXPECT_EQ(all[0].function, 0x0103); // map mode
    EXPECT_EQ(u16(file, all[0].offset), 8);
    EXPECT_EQ(all[2].function, 0x020C); // window extent: height, then width
    EXPECT_EQ(u16(file, all[2].offset), 400);
    EXPECT_EQ(u16(file, all[2].offset + 2), 640);
    EXPECT_EQ(all[3].function, 0x0325);
    EXPECT_EQ(u16(file, all[3].offset), 2);
    EXPECT_EQ(u16(file, all[3].offset + 6), 639);
    EXPECT_EQ(all[4].function, 0x0000);
    EXPECT_EQ(all[4].words, 3u);
    EXPECT_EQ(u32(file, 34), all[3].words); // the largest record
}

TEST(WmfWriter, ObjectsTakeTheLowestFreeSlot)
{
    WmfWriter writer(10, 10, 96);
    EXPECT_EQ(writer.createPen(PenStyle::Dot, 1, 0x00C0C0C0), 0);
    EXPECT_EQ(writer.createBrush(BrushStyle::Solid, 0x123456), 1);
    writer.deleteObject(0);
    EXPECT_EQ(writer.createFont({-11, 400, false, false, kHangulCharSet, "\xB5\xB8\xBF\xF2"}), 0);
    EXPECT_EQ(writer.createPen(PenStyle::Solid, 0, 0), 2);
    const std::vector<std::uint8_t> file = writer.finish();
    EXPECT_EQ(u16(file, 22 + 10), 3); // objects in the table at most

    const std::vector<Record> all = records(file);
    const Record& pen = all[3];
    EXPECT_EQ(pen.function, 0x02FA);
    EXPECT_EQ(u16(file, pen.offset), 2); // dotted
    EXPECT_EQ(u32(file, pen.offset + 6), 0xC0C0C0u);
    const Record& font = all[6];
    EXPECT_EQ(font.function, 0x02FB);
    EXPECT_EQ(static_cast<std::int16_t>(u16(file, font.offset)), -11);
    EXPECT_EQ(file[font.offset + 13], kHangulCharSet);
    EXPECT_EQ(std::string(file.begin() + static_cast<long>(font.offset) + 18,
                  file.begin() + static_cast<long>(font.offset) + 23),
        std::string("\xB5\xB8\xBF\xF2\0", 5));
}

TEST(WmfWriter, TextIsPaddedToWholeWordsAndKeepsItsByteCount)
{
    WmfWriter writer(100, 100, 96);
    const Rect clip {1, 2, 50, 60};
    writer.extTextOut({5, 20}, kTextClipped, &clip, "\xC7\xC1\xB7\xCE!");
    writer.extTextOut({5, 40}, kTextClipped, nullptr, "ab");
    const std::vector<std::uint8_t> file = writer.finish();
    const std::vector<Record> all = records(file);
    const Record& clipped = all[3];
    EXPECT_EQ(clipped.function, 0x0A32);
    EXPECT_EQ(u16(file, clipped.offset), 20); // y first
    EXPECT_EQ(u16(file, clipped.offset + 4), 5); // bytes of text
    EXPECT_EQ(u16(file, clipped.offset + 6), kTextClipped);
    EXPECT_EQ(u16(file, clipped.offset + 14), 60);
    EXPECT_EQ(clipped.words, 3u + 4 + 4 + 3);
    EXPECT_EQ(file[clipped.offset + 16], 0xC7);
    EXPECT_EQ(file[clipped.offset + 21], 0); // padding
    // Without a rectangle the clip option is dropped: a player would read text as a rectangle otherwise.
    EXPECT_EQ(u16(file, all[4].offset + 6), 0);
    EXPECT_EQ(all[4].words, 3u + 4 + 1);
}

TEST(WmfWriter, LongPolylinesAreSplitIntoJoinedRecordsAndShortOnesDropped)
{
    std::vector<Point> run;
    for (int i = 0; i < 40000; ++i)
        run.push_back({i % 1000, i / 1000});
    WmfWriter writer(1000, 100, 96);
    writer.polyline(run);
    writer.polyline(std::vector<Point> {{1, 1}});
    writer.polygon(std::vector<Point> {{1, 1}, {2, 2}});
    const std::vector<std::uint8_t> file = writer.finish();
    const std::vector<Record> all = records(file);
    ASSERT_EQ(all.size(), 6u);
    EXPECT_EQ(u16(file, all[3].offset), 32767);
    EXPECT_EQ(u16(file, all[4].offset), 40000 - 32766);
    // The second part starts at the first part's last point.
    EXPECT_EQ(u16(file, all[4].offset + 2), 32766 % 1000);
    EXPECT_EQ(u16(file, all[4].offset + 4), 32766 / 1000);
}

TEST(WmfWriter, BitmapsCarryTheirHeaderAndPixels)
{
    WmfWriter writer(10, 10, 96);
    const std::vector<std::uint8_t> pixels(2 * 8, 0x7F); // 2 x 2 pixels, rows of 6 bytes padded to 8
    writer.stretchDib({1, 2, 5, 8}, 2, 2, pixels);
    writer.stretchDib({1, 2, 5, 8}, 2, 2, std::vector<std::uint8_t>(5)); // wrong size: not written
    const std::vector<std::uint8_t> file = writer.finish();
    const std::vector<Record> all = records(file);
    ASSERT_EQ(all.size(), 5u);
    const Record& dib = all[3];
    EXPECT_EQ(dib.function, 0x0F43);
    EXPECT_EQ(u32(file, dib.offset), 0x00CC0020u);
    EXPECT_EQ(u16(file, dib.offset + 14), 6); // destination height
    EXPECT_EQ(u32(file, dib.offset + 22), 40u);
    EXPECT_EQ(u16(file, dib.offset + 36), 24);
    EXPECT_EQ(file[dib.offset + 62], 0x7F);
}

} // namespace
} // namespace lumetra::graph::wmf
