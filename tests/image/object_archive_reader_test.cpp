#include "image/object_archive_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lumetra::image {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes operator+(Bytes left, std::string_view right)
{
    left.insert(left.end(), right.begin(), right.end());
    return left;
}

Bytes operator+(Bytes left, const Bytes& right)
{
    left.insert(left.end(), right.begin(), right.end());
    return left;
}

const Bytes kTimeGraphDeclaration = Bytes {0xFF, 0xFF, 0x01, 0x00, 0x10, 0x00} + "CTimeGraphObject";

// A time graph file of two items using the wide count, a 16-bit string prefix and the 32-bit class reference.
Bytes timeGraphFile()
{
    return Bytes {0x00, 0x10, 0x03, 0x10, 0xFF, 0xFF, 0x02, 0x00, 0x00, 0x00} + kTimeGraphDeclaration
        + Bytes {0xFF, 0x03, 0x00} + "spd" + Bytes {0x00, 0x80, 0x00, 0x00, 0x06, 0x00, 0x00, 0x00, 0x03, 0, 0, 0}
    + Bytes {0xFF, 0x7F, 0x01, 0x00, 0x00, 0x80, 0x00, 0x34, 0x12, 0x00, 0x00, 0x0D, 0, 0, 0, 0, 0, 0, 0};
}

struct TimeGraphItem {
    std::string label;
    std::uint32_t address = 0, type = 0, precision = 0;
    bool operator==(const TimeGraphItem&) const = default;
};

std::vector<TimeGraphItem> readTimeGraphFile(ArchiveReader& reader)
{
    std::vector<TimeGraphItem> items;
    if (!reader.readHeader(0x1003))
        return items;
    const auto count = reader.readCount();
    for (std::uint32_t i = 0; count && i < *count && reader.readObjectTag("CTimeGraphObject", 1); ++i) {
        TimeGraphItem item;
        item.label = reader.readString().value_or("");
        item.address = reader.readU32().value_or(0);
        item.type = reader.readU32().value_or(0);
        item.precision = reader.readU32().value_or(0);
        if (reader.ok())
            items.push_back(item);
    }
    return items;
}

TEST(ObjectArchiveReader, ReadsEveryFieldForm)
{
    const Bytes file = timeGraphFile();
    ArchiveReader reader(file);
    const auto items = readTimeGraphFile(reader);
    EXPECT_TRUE(reader.ok()) << describeArchiveError(reader.error());
    EXPECT_EQ(items, (std::vector<TimeGraphItem> {{"spd", 0x8000, 6, 3}, {"", 0x1234, 13, 0}}));
    EXPECT_EQ(reader.remaining(), 0u);
}

TEST(ObjectArchiveReader, TruncationAtEveryByteIsAnError)
{
    const Bytes file = timeGraphFile();
    for (std::size_t size = 0; size < file.size(); ++size) {
        ArchiveReader reader(std::span(file.data(), size));
        readTimeGraphFile(reader);
        EXPECT_EQ(reader.error(), ArchiveError::Truncated) << "size " << size;
    }
}

TEST(ObjectArchiveReader, HeaderWordsAreChecked)
{
    const Bytes wrongSignature {0x01, 0x10, 0x03, 0x10, 0x00, 0x00};
    ArchiveReader first(wrongSignature);
    EXPECT_FALSE(first.readHeader(0x1003));
    EXPECT_EQ(first.error(), ArchiveError::NotAnArchive);

    const Bytes graphFile {0x00, 0x10, 0x02, 0x10, 0x00, 0x00};
    ArchiveReader second(graphFile);
    EXPECT_FALSE(second.readHeader(0x1003));
    EXPECT_EQ(second.error(), ArchiveError::WrongFileKind);
    EXPECT_EQ(second.errorOffset(), 2u);
}

TEST(ObjectArchiveReader, DamagedObjectTagsAreRefused)
{
    struct Case {
        const char* what;
        Bytes bytes;
        ArchiveError error;
    };
    const Bytes graphDeclaration = Bytes {0xFF, 0xFF, 0x01, 0x00, 0x0C, 0x00} + "CGraphObject";
    const std::vector<Case> cases = {
        {"reference before any declaration", {0x01, 0x80}, ArchiveError::BadObjectTag},
        {"null object", kTimeGraphDeclaration + Bytes {0x00, 0x00}, ArchiveError::BadObjectTag},
        {"back reference to object 2", kTimeGraphDeclaration + Bytes {0x02, 0x00}, ArchiveError::BadObjectTag},
        {"reference to an undeclared class", kTimeGraphDeclaration + Bytes {0x02, 0x80}, ArchiveError::BadObjectTag},
        {"32-bit tag without the class bit", kTimeGraphDeclaration + Bytes {0xFF, 0x7F, 0x01, 0, 0, 0},
            ArchiveError::BadObjectTag},
        {"another class", graphDeclaration, ArchiveError::WrongClass},
        {"class name of the right length but other text",
            Bytes {0xFF, 0xFF, 0x01, 0x00, 0x10, 0x00} + "CTimeGraphObjecX", ArchiveError::WrongClass},
        {"another schema", Bytes {0xFF, 0xFF, 0x02, 0x00, 0x10, 0x00} + "CTimeGraphObject", ArchiveError::WrongSchema},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ArchiveReader reader(c.bytes);
        while (reader.ok() && reader.remaining() > 0)
            reader.readObjectTag("CTimeGraphObject", 1);
        EXPECT_EQ(reader.error(), c.error);
    }
}

TEST(ObjectArchiveReader, LengthsBeyondTheDataAreRefusedWithoutReadingFurther)
{
    const Bytes hugeString {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 'a', 'b'};
    ArchiveReader reader(hugeString);
    EXPECT_FALSE(reader.readString());
    EXPECT_EQ(reader.error(), ArchiveError::Truncated);
    EXPECT_EQ(reader.errorOffset(), 7u);

    // The first failure sticks: later reads give nothing and keep its offset.
    EXPECT_FALSE(reader.readU8());
    EXPECT_EQ(reader.errorOffset(), 7u);

    const Bytes hugeCount {0x00, 0x10, 0x03, 0x10, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    ArchiveReader counted(hugeCount);
    EXPECT_TRUE(readTimeGraphFile(counted).empty());
    EXPECT_EQ(counted.error(), ArchiveError::Truncated);
}

TEST(ObjectArchiveReader, StringPrefixes)
{
    // Longer prefixes than needed are accepted; 0xFF 0xFFFE announces 16-bit characters, which are refused.
    const Bytes longForm {0xFF, 0x01, 0x00, 'q', 0xFF, 0xFF, 0xFF, 0x02, 0x00, 0x00, 0x00, 'r', 's'};
    ArchiveReader reader(longForm);
    EXPECT_EQ(reader.readString(), "q");
    EXPECT_EQ(reader.readString(), "rs");

    const Bytes wide {0xFF, 0xFE, 0xFF, 0x01, 'a', 0x00};
    ArchiveReader wideReader(wide);
    EXPECT_FALSE(wideReader.readString());
    EXPECT_EQ(wideReader.error(), ArchiveError::BadStringLength);
}

} // namespace
} // namespace lumetra::image
