#include "image/object_archive_reader.h"
#include "image/object_archive_writer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lumetra::image {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes bytesOf(std::string_view text)
{
    return Bytes(text.begin(), text.end());
}

Bytes operator+(Bytes left, const Bytes& right)
{
    left.insert(left.end(), right.begin(), right.end());
    return left;
}

TEST(ObjectArchiveWriter, MemoryGraphFileWithOneItemIsTheDocumented44Bytes)
{
    ArchiveWriter writer;
    writer.writeHeader(0x1002);
    writer.writeCount(1);
    writer.writeObjectTag("CGraphObject", 1);
    writer.writeString("abc");
    for (std::uint32_t field : {0x8000u, 100u, 13u, 3u})
        writer.writeU32(field);

    const Bytes expected = Bytes {0x00, 0x10, 0x02, 0x10, 0x01, 0x00, 0xFF, 0xFF, 0x01, 0x00, 0x0C, 0x00}
        + bytesOf("CGraphObject") + Bytes {0x03} + bytesOf("abc")
        + Bytes {0x00, 0x80, 0x00, 0x00, 0x64, 0x00, 0x00, 0x00, 0x0D, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00};
    EXPECT_TRUE(writer.ok());
    EXPECT_EQ(writer.bytes(), expected);
    EXPECT_EQ(writer.bytes().size(), 44u);
}

TEST(ObjectArchiveWriter, SymbolRecordsDeclareTheClassOnceThenReferToIt)
{
    ArchiveWriter writer;
    writer.writeHeader(0x1001);
    writer.writeCount(2);
    for (const char* name : {"a", "b"}) {
        writer.writeObjectTag("CDataObject", 1);
        writer.writeString(name);
        writer.writeString("");
        writer.writeU32(0x8000);
        writer.writeU16(3);
        writer.writeU8(1);
    }
    const Bytes record = Bytes {0x00, 0x00, 0x80, 0x00, 0x00, 0x03, 0x00, 0x01};
    const Bytes expected = Bytes {0x00, 0x10, 0x01, 0x10, 0x02, 0x00, 0xFF, 0xFF, 0x01, 0x00, 0x0B, 0x00}
        + bytesOf("CDataObject") + Bytes {0x01, 'a'} + record + Bytes {0x01, 0x80, 0x01, 'b'} + record;
    EXPECT_EQ(writer.bytes(), expected);
}

TEST(ObjectArchiveWriter, EmptyCatalogueIsSixBytes)
{
    ArchiveWriter writer;
    writer.writeHeader(0x1003);
    writer.writeCount(0);
    EXPECT_EQ(writer.bytes(), (Bytes {0x00, 0x10, 0x03, 0x10, 0x00, 0x00}));
}

TEST(ObjectArchiveWriter, CountTakesTheWideFormFrom0xFFFF)
{
    const auto countBytes = [](std::uint32_t count) {
        ArchiveWriter writer;
        writer.writeCount(count);
        return writer.bytes();
    };
    EXPECT_EQ(countBytes(0xFFFE), (Bytes {0xFE, 0xFF}));
    EXPECT_EQ(countBytes(0xFFFF), (Bytes {0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}));
    EXPECT_EQ(countBytes(0x12345678), (Bytes {0xFF, 0xFF, 0x78, 0x56, 0x34, 0x12}));
}

struct PrefixCase {
    std::size_t length;
    Bytes prefix;
};

TEST(ObjectArchiveWriter, StringPrefixFormsAtTheirBoundariesReadBack)
{
    const std::vector<PrefixCase> cases = {
        {0, {0x00}},
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {300, {0xFF, 0x2C, 0x01}},
        {0xFFFD, {0xFF, 0xFD, 0xFF}},
        {0xFFFE, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}},
        {0x10000, {0xFF, 0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00}},
    };
    for (const PrefixCase& c : cases) {
        SCOPED_TRACE(c.length);
        std::string text(c.length, 'x');
        if (!text.empty())
            text.back() = 'y';
        ArchiveWriter writer;
        writer.writeString(text);
        ASSERT_EQ(writer.bytes().size(), c.prefix.size() + c.length);
        EXPECT_EQ(Bytes(writer.bytes().begin(), writer.bytes().begin() + c.prefix.size()), c.prefix);

        ArchiveReader reader(writer.bytes());
        EXPECT_EQ(reader.readString(), text);
        EXPECT_EQ(reader.remaining(), 0u);
    }
}

TEST(ObjectArchiveWriter, ReferencesTakeThe32BitFormOnceObjectNumbersReach0x7FFF)
{
    ArchiveWriter writer;
    writer.writeObjectTag("CGraphObject", 1); // class 1, object 2
    for (std::uint32_t number = 3; number <= 0x7FFE; ++number)
        writer.writeObjectTag("CGraphObject", 1);
    const std::size_t before = writer.bytes().size();
    EXPECT_EQ(Bytes(writer.bytes().end() - 2, writer.bytes().end()), (Bytes {0x01, 0x80}));

    writer.writeObjectTag("CGraphObject", 1); // object 0x7FFF
    EXPECT_EQ(Bytes(writer.bytes().begin() + static_cast<std::ptrdiff_t>(before), writer.bytes().end()),
        (Bytes {0xFF, 0x7F, 0x01, 0x00, 0x00, 0x80}));

    ArchiveReader reader(writer.bytes());
    for (std::uint32_t number = 2; number <= 0x7FFF; ++number)
        ASSERT_TRUE(reader.readObjectTag("CGraphObject", 1)) << number;
    EXPECT_EQ(reader.remaining(), 0u);
}

TEST(ObjectArchiveWriter, SecondClassIsNumberedAfterTheObjectsBeforeIt)
{
    ArchiveWriter writer;
    writer.writeObjectTag("A", 1); // class 1, object 2
    writer.writeObjectTag("B", 2); // class 3, object 4
    writer.writeObjectTag("B", 2);
    writer.writeObjectTag("A", 1);
    const Bytes expected = Bytes {
        0xFF, 0xFF, 0x01, 0x00, 0x01, 0x00, 'A', 0xFF, 0xFF, 0x02, 0x00, 0x01, 0x00, 'B', 0x03, 0x80, 0x01, 0x80};
    EXPECT_EQ(writer.bytes(), expected);

    ArchiveReader reader(writer.bytes());
    EXPECT_TRUE(reader.readObjectTag("A", 1));
    EXPECT_TRUE(reader.readObjectTag("B", 2));
    EXPECT_TRUE(reader.readObjectTag("B", 2));
    EXPECT_FALSE(reader.readObjectTag("B", 2));
    EXPECT_EQ(reader.error(), ArchiveError::WrongClass);
}

} // namespace
} // namespace lumetra::image
