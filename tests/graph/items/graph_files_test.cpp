#include "graph/items/graph_files.h"

#include "core/cp949_codec.h"
#include "support/test_paths.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using namespace lumetra::graph;
using Bytes = std::vector<std::uint8_t>;

namespace {

template <typename Item> Bytes encode(const std::vector<Item>& items)
{
    const std::optional<Bytes> bytes = encodeGraphFile(items);
    EXPECT_TRUE(bytes.has_value());
    return bytes.value_or(Bytes {});
}

Bytes bytesOf(std::string_view text)
{
    return Bytes(text.begin(), text.end());
}

Bytes concat(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

void writeFile(const std::filesystem::path& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

const CGraphObject kAbc {"abc", 0x8000, 100, 13, 3};

} // namespace

TEST(GraphFileBytes, OneMemoryItemIsTheFortyFourBytesOfTheExample)
{
    const Bytes expected = concat({{0x00, 0x10, 0x02, 0x10, 0x01, 0x00, 0xFF, 0xFF, 0x01, 0x00, 0x0C, 0x00},
        bytesOf("CGraphObject"), {0x03}, bytesOf("abc"),
        {0x00, 0x80, 0x00, 0x00, 0x64, 0x00, 0x00, 0x00, 0x0D, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00}});
    ASSERT_EQ(expected.size(), 44u);
    EXPECT_EQ(encode(std::vector {kAbc}), expected);
}

TEST(GraphFileBytes, TimeItemsCarryTheirClassOnceAndThreeFields)
{
    const std::vector<CTimeGraphObject> items {{"a", 0x8001, 6, 2}, {"b", 2, 3, 0}};
    const Bytes expected = concat({{0x00, 0x10, 0x03, 0x10, 0x02, 0x00, 0xFF, 0xFF, 0x01, 0x00, 0x10, 0x00},
        bytesOf("CTimeGraphObject"), {0x01, 'a', 0x01, 0x80, 0, 0, 6, 0, 0, 0, 2, 0, 0, 0},
        {0x01, 0x80, 0x01, 'b', 2, 0, 0, 0, 3, 0, 0, 0, 0, 0, 0, 0}});
    EXPECT_EQ(encode(items), expected);
}

TEST(GraphFileBytes, AnEmptyCatalogueIsSixBytes)
{
    EXPECT_EQ(encode(std::vector<CGraphObject> {}), (Bytes {0x00, 0x10, 0x02, 0x10, 0x00, 0x00}));
    EXPECT_EQ(encode(std::vector<CTimeGraphObject> {}), (Bytes {0x00, 0x10, 0x03, 0x10, 0x00, 0x00}));
}

TEST(GraphFileBytes, LabelPrefixIsOneByteUpTo254Bytes)
{
    constexpr std::size_t kLabelAt = 6 + 18; // header and count, class declaration of "CGraphObject"
    const Bytes short254 = encode(std::vector {CGraphObject {std::string(254, 'x'), 0, 2, 13, 0}});
    EXPECT_EQ(short254[kLabelAt], 254);
    EXPECT_EQ(short254[kLabelAt + 1], 'x');

    const Bytes long255 = encode(std::vector {CGraphObject {std::string(255, 'x'), 0, 2, 13, 0}});
    EXPECT_EQ((Bytes(long255.begin() + kLabelAt, long255.begin() + kLabelAt + 4)), (Bytes {0xFF, 0xFF, 0x00, 'x'}));
}

TEST(GraphFileBytes, ObjectNumber0x7FFFSwitchesTagsToTheLongFormAndReadsBack)
{
    // The class is object 1 and item k object k + 1, so item 0x7FFE is the first to reach 0x7FFF.
    std::vector<CTimeGraphObject> items(0x7FFF, CTimeGraphObject {"", 1, 3, 0});
    const Bytes bytes = encode(items);
    constexpr std::size_t kFirstItemSize = 6 + 22 + 1 + 12; // with the class declaration
    constexpr std::size_t kLaterItemSize = 2 + 1 + 12;
    const std::size_t lastShortTag = kFirstItemSize + (0x7FFD - 2) * kLaterItemSize;
    EXPECT_EQ((Bytes(bytes.begin() + lastShortTag, bytes.begin() + lastShortTag + 2)), (Bytes {0x01, 0x80}));
    const std::size_t firstLongTag = lastShortTag + kLaterItemSize;
    EXPECT_EQ((Bytes(bytes.begin() + firstLongTag, bytes.begin() + firstLongTag + 6)),
        (Bytes {0xFF, 0x7F, 0x01, 0x00, 0x00, 0x80}));

    const GraphFileLoad<CTimeGraphObject> load = decodeGraphFile<CTimeGraphObject>(bytes);
    EXPECT_EQ(load.report, "");
    EXPECT_EQ(load.items, items);
}

TEST(GraphFileBytes, KoreanLabelsAreCodePage949InTheFileAndUtf8InMemory)
{
    if (!lumetra::core::cp949ConversionAvailable())
        GTEST_SKIP() << "no code page 949 converter";
    const std::vector<CGraphObject> items {{"전압", 0x100, 8, 6, 2}};
    const Bytes bytes = encode(items);
    EXPECT_EQ((Bytes(bytes.begin() + 24, bytes.begin() + 29)), (Bytes {0x04, 0xC0, 0xFC, 0xBE, 0xD0}));
    EXPECT_EQ(decodeGraphFile<CGraphObject>(bytes).items, items);
}

TEST(GraphFileBytes, CharactersTheCodePageLacksAreWrittenAsQuestionMarks)
{
    if (!lumetra::core::cp949ConversionAvailable())
        GTEST_SKIP() << "no code page 949 converter";
    const Bytes bytes = encode(std::vector {CGraphObject {"a\U0001F600b", 0, 2, 13, 0}});
    EXPECT_EQ(decodeGraphFile<CGraphObject>(bytes).items.at(0).label, "a?b");
}

TEST(GraphFileReading, AnotherSignatureOrKindGivesAnEmptyCatalogueWithoutReport)
{
    Bytes time = encode(std::vector<CTimeGraphObject> {{"t", 1, 3, 0}});
    const GraphFileLoad<CGraphObject> wrongKind = decodeGraphFile<CGraphObject>(time);
    EXPECT_TRUE(wrongKind.items.empty());
    EXPECT_EQ(wrongKind.report, "");

    Bytes memory = encode(std::vector {kAbc});
    memory[0] = 0x01;
    const GraphFileLoad<CGraphObject> wrongSignature = decodeGraphFile<CGraphObject>(memory);
    EXPECT_TRUE(wrongSignature.items.empty());
    EXPECT_EQ(wrongSignature.report, "");

    EXPECT_EQ(decodeGraphFile<CGraphObject>(Bytes {0x00}).report, "");
}

TEST(GraphFileReading, ATruncatedFileKeepsTheItemsBeforeTheDamageAndReportsOneLine)
{
    const std::vector<CGraphObject> two {kAbc, {"def", 0x9000, 4, 3, 0}};
    const Bytes whole = encode(two);
    const std::size_t firstItemEnd = encode(std::vector {kAbc}).size();
    for (std::size_t cut : {std::size_t {3}, std::size_t {5}, std::size_t {20}, firstItemEnd + 3, whole.size() - 1}) {
        const GraphFileLoad<CGraphObject> load
            = decodeGraphFile<CGraphObject>(Bytes(whole.begin(), whole.begin() + cut));
        EXPECT_EQ(load.items, cut > firstItemEnd ? std::vector {kAbc} : std::vector<CGraphObject> {}) << cut;
        EXPECT_FALSE(load.whole) << cut;
        EXPECT_NE(load.report.find("GraphData.rgt"), std::string::npos) << cut;
        EXPECT_EQ(load.report.find('\n'), std::string::npos) << cut;
    }

    // A memory graph file whose item is declared as the time graph class.
    Bytes foreign = concat({{0x00, 0x10, 0x02, 0x10, 0x01, 0x00, 0xFF, 0xFF, 0x01, 0x00, 0x10, 0x00},
        bytesOf("CTimeGraphObject"), {0x01, 'a', 1, 0, 0, 0, 3, 0, 0, 0, 0, 0, 0, 0}});
    const GraphFileLoad<CGraphObject> load = decodeGraphFile<CGraphObject>(foreign);
    EXPECT_TRUE(load.items.empty());
    EXPECT_FALSE(load.whole);
    EXPECT_EQ(load.report, "GraphData.rgt: 그래프 파일이 손상되어 항목을 읽지 않았읍니다 (위치 8: 다른 클래스의 항목입니다).");
}

TEST(GraphFileReading, BytesAfterTheLastItemAreNeverRead)
{
    Bytes bytes = encode(std::vector {kAbc});
    bytes.insert(bytes.end(), {0x01, 0x80, 0xFF}); // the start of a damaged further item
    const GraphFileLoad<CGraphObject> load = decodeGraphFile<CGraphObject>(bytes);
    EXPECT_EQ(load.report, "");
    EXPECT_EQ(load.items, std::vector {kAbc});
}

TEST(GraphCatalogueFiles, SavedCataloguesLoadBackFromTheDirectory)
{
    const lumetra::test::ScratchDir dir;
    const std::vector<CGraphObject> memory {kAbc, {"def", 0x9000, 4, 3, 0}};
    const std::vector<CTimeGraphObject> time {{"t", 0x8002, 5, 0}};
    ASSERT_EQ(saveGraphCatalogue(dir.path(), memory), GraphFileSaveStatus::Ok);
    ASSERT_EQ(saveGraphCatalogue(dir.path(), time), GraphFileSaveStatus::Ok);
    EXPECT_EQ(readFile(dir / "GraphData.rgt"), encode(memory));
    EXPECT_EQ(loadGraphCatalogue<CGraphObject>(dir.path()).items, memory);
    EXPECT_EQ(loadGraphCatalogue<CTimeGraphObject>(dir.path()).items, time);

    // Fewer items later: only those come back.
    ASSERT_EQ(saveGraphCatalogue(dir.path(), std::vector {kAbc}), GraphFileSaveStatus::Ok);
    EXPECT_EQ(loadGraphCatalogue<CGraphObject>(dir.path()).items, std::vector {kAbc});
}

TEST(GraphCatalogueFiles, AMissingFileIsAnEmptyCatalogueAndADamagedOneStaysAsItIs)
{
    const lumetra::test::ScratchDir dir;
    const GraphFileLoad<CTimeGraphObject> missing = loadGraphCatalogue<CTimeGraphObject>(dir.path());
    EXPECT_TRUE(missing.items.empty());
    EXPECT_EQ(missing.report, "");

    const Bytes damaged {0x00, 0x10, 0x03, 0x10, 0x01, 0x00, 0xFF};
    writeFile(dir / "TimeGraphData.rtt", damaged);
    const GraphFileLoad<CTimeGraphObject> load = loadGraphCatalogue<CTimeGraphObject>(dir.path());
    EXPECT_TRUE(load.items.empty());
    EXPECT_NE(load.report.find("TimeGraphData.rtt"), std::string::npos);
    EXPECT_EQ(readFile(dir / "TimeGraphData.rtt"), damaged);
}

TEST(GraphCatalogueFiles, AnUnwritableDirectoryIsReportedByCodeOnly)
{
    const lumetra::test::ScratchDir dir;
    EXPECT_EQ(saveGraphCatalogue(dir / "absent", std::vector {kAbc}), GraphFileSaveStatus::WriteFailed);
    EXPECT_FALSE(std::filesystem::exists(dir / "absent"));
}
