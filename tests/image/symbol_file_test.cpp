#include "image/symbol_file.h"
#include "image/symbol_rebinding.h"

#include "support/test_paths.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using namespace lumetra::image;
using Bytes = std::vector<std::uint8_t>;

namespace {

CDataObject variable(
    std::string name, std::uint32_t address, std::uint16_t type, std::uint8_t viewType = 0, std::string arrayInfo = {})
{
    CDataObject record;
    record.name = std::move(name);
    record.address = address;
    record.type = type;
    record.viewType = viewType;
    record.arrayInfo = std::move(arrayInfo);
    return record;
}

Bytes encode(const std::vector<CDataObject>& records)
{
    const std::optional<Bytes> bytes = encodeSymbolFile(records);
    EXPECT_TRUE(bytes.has_value());
    return bytes.value_or(Bytes {});
}

void append(Bytes& bytes, std::initializer_list<std::uint8_t> more)
{
    bytes.insert(bytes.end(), more);
}

void appendText(Bytes& bytes, std::string_view text)
{
    bytes.insert(bytes.end(), text.begin(), text.end());
}

// Two Short variables a (0x8000, hex 16) and b (0x3F8001, signed 16).
Bytes twoShortsFile()
{
    Bytes expected {0x00, 0x10, 0x01, 0x10, 0x02, 0x00, 0xFF, 0xFF, 0x01, 0x00, 0x0B, 0x00};
    appendText(expected, "CDataObject");
    append(expected, {0x01, 'a', 0x00, 0x00, 0x80, 0x00, 0x00, 0x03, 0x00, 0x00});
    append(expected, {0x01, 0x80, 0x01, 'b', 0x00, 0x01, 0x80, 0x3F, 0x00, 0x03, 0x00, 0x02});
    return expected;
}

const std::vector<CDataObject> kTwoShorts {variable("a", 0x8000, 3, 0), variable("b", 0x3F8001, 3, 2)};

void writeBytes(const std::filesystem::path& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

Bytes readBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

TEST(SymbolFileFormat, TwoShortVariablesGiveTheseBytes)
{
    EXPECT_EQ(encode(kTwoShorts), twoShortsFile());
    EXPECT_EQ(encode({}), (Bytes {0x00, 0x10, 0x01, 0x10, 0x00, 0x00}));
}

TEST(SymbolFileFormat, TextsAreCodePage949WithLengthPrefixesAndReadBackEqual)
{
    const std::vector<CDataObject> records {
        variable(std::string(300, 'n'), 0x1234, 0x0035, 3, "Array Info : [4]"),
        variable("변수", 0x3FFFFF, 0xFFFF, 7, "배열"),
        variable(std::string(254, 'm'), 0, 0, 0, std::string(255, 'k')),
    };
    const Bytes bytes = encode(records);
    const Bytes longPrefix {0xFF, 0x2C, 0x01};
    EXPECT_EQ(Bytes(bytes.begin() + 23, bytes.begin() + 26), longPrefix);
    const Bytes korean {0x04, 0xBA, 0xAF, 0xBC, 0xF6, 0x04, 0xB9, 0xE8, 0xBF, 0xAD};
    EXPECT_NE(std::search(bytes.begin(), bytes.end(), korean.begin(), korean.end()), bytes.end());
    const Bytes prefix254 {0xFE, 'm'};
    const Bytes prefix255 {0xFF, 0xFF, 0x00, 'k'};
    EXPECT_NE(std::search(bytes.begin(), bytes.end(), prefix254.begin(), prefix254.end()), bytes.end());
    EXPECT_NE(std::search(bytes.begin(), bytes.end(), prefix255.begin(), prefix255.end()), bytes.end());

    const SymbolFileDecoding decoded = decodeSymbolFile(bytes);
    ASSERT_EQ(decoded.status, SymbolFileDecodeStatus::Ok);
    EXPECT_EQ(decoded.records, records);
}

TEST(SymbolFileFormat, CountsFrom0xFFFFUseTheWideFormAndReadBack)
{
    std::vector<CDataObject> records;
    for (std::uint32_t i = 0; i < 0xFFFF; ++i)
        records.push_back(variable("v" + std::to_string(i), i, 4, static_cast<std::uint8_t>(i % 8)));
    const Bytes bytes = encode(records);
    EXPECT_EQ(Bytes(bytes.begin() + 4, bytes.begin() + 10), (Bytes {0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}));
    const SymbolFileDecoding decoded = decodeSymbolFile(bytes);
    ASSERT_EQ(decoded.status, SymbolFileDecodeStatus::Ok);
    EXPECT_EQ(decoded.records, records);
}

TEST(SymbolFileFormat, BytesAfterTheLastRecordAreIgnored)
{
    // One record written over a file that held three leaves the old tail behind in some writers.
    Bytes bytes = encode({kTwoShorts[0]});
    const Bytes three = encode({kTwoShorts[0], kTwoShorts[1], kTwoShorts[1]});
    bytes.insert(bytes.end(), three.begin() + static_cast<std::ptrdiff_t>(bytes.size()), three.end());
    const SymbolFileDecoding decoded = decodeSymbolFile(bytes);
    ASSERT_EQ(decoded.status, SymbolFileDecodeStatus::Ok);
    EXPECT_EQ(decoded.records, std::vector<CDataObject> {kTwoShorts[0]});
}

TEST(SymbolFileFormat, OtherFormatWordsAreUnsupported)
{
    for (const Bytes& bytes : {Bytes {0x00, 0x10, 0x02, 0x10, 0x00, 0x00}, Bytes {0x01, 0x10, 0x01, 0x10, 0x00, 0x00},
             Bytes {0x00, 0x10}, Bytes {}}) {
        const SymbolFileDecoding decoded = decodeSymbolFile(bytes);
        EXPECT_EQ(decoded.status, SymbolFileDecodeStatus::UnsupportedFormat) << bytes.size();
        EXPECT_TRUE(decoded.records.empty());
    }
}

TEST(SymbolFileFormat, EveryDamageRefusesTheWholeFile)
{
    const Bytes good = twoShortsFile();
    std::vector<std::pair<std::string, Bytes>> damaged;
    // Every cut inside the count or a record.
    for (std::size_t length = 4; length < good.size(); ++length)
        damaged.emplace_back("cut at " + std::to_string(length), Bytes(good.begin(), good.begin() + length));
    Bytes wrongClass = good;
    wrongClass[22] = 'X'; // "CDataObjecX"
    damaged.emplace_back("class name", wrongClass);
    Bytes wrongSchema = good;
    wrongSchema[8] = 0x02;
    damaged.emplace_back("schema", wrongSchema);
    Bytes undeclaredClass = good;
    undeclaredClass[33] = 0x02; // 0x8002 names a class never declared
    damaged.emplace_back("class reference", undeclaredClass);
    Bytes objectReference = good;
    objectReference[33] = 0x00;
    objectReference[34] = 0x00; // a back reference to an object, or the null object
    damaged.emplace_back("object reference", objectReference);
    Bytes moreRecords = good;
    moreRecords[4] = 0x03;
    damaged.emplace_back("count above the records", moreRecords);
    Bytes viewType = good;
    viewType.back() = 0x08;
    damaged.emplace_back("view type 8", viewType);

    for (const auto& [what, bytes] : damaged) {
        const SymbolFileDecoding decoded = decodeSymbolFile(bytes);
        EXPECT_EQ(decoded.status, SymbolFileDecodeStatus::Damaged) << what;
        EXPECT_TRUE(decoded.records.empty()) << what;
    }
}

TEST(SymbolFile, SaveThenOpenRebindsAddressesAndKeepsViewTypes)
{
    lumetra::test::ScratchDir dir;
    const std::vector<CDataObject> saved {
        variable("speed", 0x8000, 4, 2, "Array Info : [8]"),
        variable("gone", 0x8100, 5, 3),
        variable("Speed", 0x8200, 4, 7),
    };
    ASSERT_EQ(saveSymbolFile(dir / "list.sym", saved), SymbolFileStatus::Ok);
    EXPECT_EQ(readBytes(dir / "list.sym"), encode(saved));

    // The rebuilt program moved speed; its first symbol of that name gives the new address and type.
    const SymbolList rebuilt(std::vector<CDataObject> {
        variable("speed", 0x9000, 0x000E), variable("speed", 0xA000, 0x0005), variable("other", 0x8100, 5)});
    std::vector<CDataObject> registered {variable("left over", 1, 1)};
    ASSERT_EQ(openSymbolFile(dir / "list.sym", registered, rebuilt), SymbolFileStatus::Ok);
    EXPECT_EQ(registered,
        (std::vector<CDataObject> {variable("speed", 0x9000, 0x000E, 2, "Array Info : [8]"), saved[1], saved[2]}));

    // Without a loaded program the stored addresses stay.
    ASSERT_EQ(openSymbolFile(dir / "list.sym", registered, SymbolList {}), SymbolFileStatus::Ok);
    EXPECT_EQ(registered, saved);
}

TEST(SymbolFile, SavingReplacesTheWholeOldFile)
{
    lumetra::test::ScratchDir dir;
    ASSERT_EQ(saveSymbolFile(dir / "list.sym", std::vector<CDataObject> {kTwoShorts[0], kTwoShorts[1], kTwoShorts[1]}),
        SymbolFileStatus::Ok);
    ASSERT_EQ(saveSymbolFile(dir / "list.sym", std::vector<CDataObject> {kTwoShorts[0]}), SymbolFileStatus::Ok);
    EXPECT_EQ(readBytes(dir / "list.sym"), encode({kTwoShorts[0]}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);

    EXPECT_EQ(saveSymbolFile(dir / "no such folder" / "list.sym", kTwoShorts), SymbolFileStatus::CannotCreate);
}

TEST(SymbolFile, UnreachableFilesLeaveTheListAloneRefusedFilesEmptyIt)
{
    lumetra::test::ScratchDir dir;
    const std::vector<CDataObject> before = kTwoShorts;
    std::vector<CDataObject> registered = before;

    EXPECT_EQ(openSymbolFile(dir / "missing.sym", registered, {}), SymbolFileStatus::PathNotFound);
    EXPECT_EQ(registered, before);
    std::filesystem::create_directory(dir / "folder.sym");
    EXPECT_EQ(openSymbolFile(dir / "folder.sym", registered, {}), SymbolFileStatus::CannotOpen);
    EXPECT_EQ(registered, before);

    writeBytes(dir / "other.sym", Bytes {0x00, 0x10, 0x03, 0x10, 0x00, 0x00});
    EXPECT_EQ(openSymbolFile(dir / "other.sym", registered, {}), SymbolFileStatus::UnsupportedFormat);
    EXPECT_TRUE(registered.empty());

    registered = before;
    Bytes cut = twoShortsFile();
    cut.pop_back();
    writeBytes(dir / "cut.sym", cut);
    EXPECT_EQ(openSymbolFile(dir / "cut.sym", registered, {}), SymbolFileStatus::Damaged);
    EXPECT_TRUE(registered.empty());
}

TEST(SymbolFile, MessagesAndRecentFilePath)
{
    EXPECT_EQ(symbolFileMessage(SymbolFileStatus::Ok), "");
    EXPECT_EQ(symbolFileMessage(SymbolFileStatus::PathNotFound), "지정한 파일 경로가 잘못되었읍니다.");
    EXPECT_EQ(symbolFileMessage(SymbolFileStatus::CannotOpen), "지정한 파일을 여는데 실패했읍니다.");
    EXPECT_EQ(symbolFileMessage(SymbolFileStatus::UnsupportedFormat), "지원하지 않는 파일 포맷입니다.");
    EXPECT_EQ(symbolFileMessage(SymbolFileStatus::CannotCreate), "지정한 파일을 생성하는데 실패했읍니다.");
    EXPECT_FALSE(symbolFileMessage(SymbolFileStatus::Damaged).empty());
    EXPECT_FALSE(symbolFileMessage(SymbolFileStatus::TextNotConvertible).empty());

    EXPECT_EQ(recentSymbolFilePath("/opt/app"), std::filesystem::path("/opt/app/RecentSymFile.sym"));
    EXPECT_EQ(recentSymbolFilePath("/opt/app/"), std::filesystem::path("/opt/app/RecentSymFile.sym"));
}

TEST(DataObject, PlacementDiffersWhenAddressOrTypeDiffers)
{
    const CDataObject base = variable("v", 0x100, 4, 2, "x");
    EXPECT_FALSE(base.placementDiffersFrom(variable("w", 0x100, 4, 7, "y")));
    EXPECT_TRUE(base.placementDiffersFrom(variable("v", 0x102, 4, 2, "x")));
    EXPECT_TRUE(base.placementDiffersFrom(variable("v", 0x100, 5, 2, "x")));
    EXPECT_TRUE(base.placementDiffersFrom(variable("v", 0x102, 5, 2, "x")));
}

TEST(SymbolRebinding, FirstSymbolOfTheExactNameWins)
{
    std::vector<CDataObject> records {variable("x", 1, 4, 5, "Array Info : [2]"), variable("X", 2, 4, 1)};
    rebindToSymbols(records,
        SymbolList(
            std::vector<CDataObject> {variable("x", 0x10, 0x0E, 0, "Array Info : [9]"), variable("x", 0x20, 0x05)}));
    EXPECT_EQ(
        records, (std::vector<CDataObject> {variable("x", 0x10, 0x0E, 5, "Array Info : [2]"), variable("X", 2, 4, 1)}));
}
