#include "graph/items/graph_files.h"

#include "graph/items/cp949_text.h"

#include "core/atomic_file_write.h"
#include "core/cp949_codec.h"
#include "core/read_whole_file.h"
#include "image/object_archive_reader.h"
#include "image/object_archive_writer.h"

namespace lumetra::graph {

namespace {

constexpr std::uint16_t kItemSchema = 1;

template <typename Item> struct FileFormat;

template <> struct FileFormat<CGraphObject> {
    static constexpr std::string_view fileName = kMemoryGraphFileName;
    static constexpr std::uint16_t kind = kMemoryGraphFileKind;
    static constexpr std::string_view className = "CGraphObject";

    static void writeFields(image::ArchiveWriter& writer, const CGraphObject& item)
    {
        writer.writeU32(item.address);
        writer.writeU32(item.length);
        writer.writeU32(item.type);
        writer.writeU32(item.precision);
    }

    static void readFields(image::ArchiveReader& reader, CGraphObject& item)
    {
        item.address = reader.readU32().value_or(0);
        item.length = reader.readU32().value_or(0);
        item.type = reader.readU32().value_or(0);
        item.precision = reader.readU32().value_or(0);
    }
};

template <> struct FileFormat<CTimeGraphObject> {
    static constexpr std::string_view fileName = kTimeGraphFileName;
    static constexpr std::uint16_t kind = kTimeGraphFileKind;
    static constexpr std::string_view className = "CTimeGraphObject";

    static void writeFields(image::ArchiveWriter& writer, const CTimeGraphObject& item)
    {
        writer.writeU32(item.address);
        writer.writeU32(item.type);
        writer.writeU32(item.precision);
    }

    static void readFields(image::ArchiveReader& reader, CTimeGraphObject& item)
    {
        item.address = reader.readU32().value_or(0);
        item.type = reader.readU32().value_or(0);
        item.precision = reader.readU32().value_or(0);
    }
};

// What damaged a file, in the message page's words.
std::string_view damageText(image::ArchiveError error)
{
    switch (error) {
    case image::ArchiveError::Truncated:
        return "파일이 필드 중간에서 끝납니다";
    case image::ArchiveError::BadObjectTag:
        return "항목 태그가 손상되었읍니다";
    case image::ArchiveError::WrongClass:
        return "다른 클래스의 항목입니다";
    case image::ArchiveError::WrongSchema:
        return "지원하지 않는 클래스 스키마입니다";
    case image::ArchiveError::BadStringLength:
        return "지원하지 않는 문자열 길이 표시입니다";
    case image::ArchiveError::None:
    case image::ArchiveError::NotAnArchive:
    case image::ArchiveError::WrongFileKind:
    case image::ArchiveError::ValueTooLarge:
        break;
    }
    return "파일 형식이 다릅니다";
}

template <typename Item> std::string damagedReport(const image::ArchiveReader& reader)
{
    return std::string(FileFormat<Item>::fileName) + ": 그래프 파일이 손상되어 항목을 읽지 않았읍니다 (위치 "
        + std::to_string(reader.errorOffset()) + ": " + std::string(damageText(reader.error())) + ").";
}

template <typename Item> std::string unreadableReport(core::FileReadError error)
{
    const std::string_view cause
        = error == core::FileReadError::TooLarge ? "파일이 너무 큽니다" : "파일을 열 수 없읍니다";
    return std::string(FileFormat<Item>::fileName) + ": 그래프 파일을 읽지 않았읍니다 (" + std::string(cause) + ").";
}

// A header that fails before its signature is complete, or names another signature or kind, is no file of
// ours: ignored without a report.
bool isForeignFile(const image::ArchiveReader& reader)
{
    switch (reader.error()) {
    case image::ArchiveError::NotAnArchive:
    case image::ArchiveError::WrongFileKind:
        return true;
    case image::ArchiveError::Truncated:
        return reader.errorOffset() < sizeof(std::uint16_t);
    default:
        return false;
    }
}

} // namespace

template <typename Item> std::optional<std::vector<std::uint8_t>> encodeGraphFile(const std::vector<Item>& items)
{
    using Format = FileFormat<Item>;
    image::ArchiveWriter writer;
    writer.writeHeader(Format::kind);
    writer.writeCount(static_cast<std::uint32_t>(items.size()));
    for (const Item& item : items) {
        const std::optional<std::string> label = cp949Text(item.label);
        if (!label)
            return std::nullopt;
        writer.writeObjectTag(Format::className, kItemSchema);
        writer.writeString(*label);
        Format::writeFields(writer, item);
    }
    if (!writer.ok())
        return std::nullopt;
    return writer.bytes();
}

template <typename Item> GraphFileLoad<Item> decodeGraphFile(std::span<const std::uint8_t> bytes)
{
    using Format = FileFormat<Item>;
    image::ArchiveReader reader(bytes);
    if (!reader.readHeader(Format::kind))
        return {{}, false, isForeignFile(reader) ? std::string() : damagedReport<Item>(reader)};
    const std::optional<std::uint32_t> count = reader.readCount();
    GraphFileLoad<Item> load;
    for (std::uint32_t i = 0; count && i < *count && reader.ok(); ++i) {
        if (!reader.readObjectTag(Format::className, kItemSchema))
            break;
        const std::optional<std::string> label = reader.readString();
        Item item;
        Format::readFields(reader, item);
        if (!reader.ok())
            break;
        core::TextConversion utf8 = core::cp949ToUtf8(*label);
        if (!utf8.ok()) {
            load.whole = false;
            load.report = std::string(Format::fileName) + ": 그래프 파일의 문자를 변환할 수 없읍니다.";
            return load;
        }
        item.label = std::move(utf8.text);
        load.items.push_back(std::move(item));
    }
    if (!reader.ok()) {
        load.whole = false;
        load.report = damagedReport<Item>(reader);
    }
    return load;
}

template <typename Item> GraphFileLoad<Item> loadGraphCatalogue(const std::filesystem::path& directory)
{
    const core::FileReadResult file = core::readWholeFile(directory / FileFormat<Item>::fileName, kMaxGraphFileBytes);
    if (file.error == core::FileReadError::NotFound)
        return {};
    if (!file.ok())
        return {{}, false, unreadableReport<Item>(file.error)};
    return decodeGraphFile<Item>(file.bytes);
}

template <typename Item>
GraphFileSaveStatus saveGraphCatalogue(const std::filesystem::path& directory, const std::vector<Item>& items)
{
    const std::optional<std::vector<std::uint8_t>> bytes = encodeGraphFile(items);
    if (!bytes)
        return GraphFileSaveStatus::TextNotConvertible;
    const core::FileWriteResult written = core::writeFileAtomically(directory / FileFormat<Item>::fileName, *bytes);
    return written.ok() ? GraphFileSaveStatus::Ok : GraphFileSaveStatus::WriteFailed;
}

template <typename Item> std::filesystem::path damagedCatalogueBackup(const std::filesystem::path& directory)
{
    return directory / (std::string(FileFormat<Item>::fileName) + ".bad");
}

template <typename Item>
GraphFileSaveStatus saveGraphCatalogueOver(
    const std::filesystem::path& directory, const GraphFileLoad<Item>& loaded, const std::vector<Item>& items)
{
    if (!loaded.whole) {
        if (items == loaded.items)
            return GraphFileSaveStatus::KeptAsItWas;
        const std::filesystem::path file = directory / FileFormat<Item>::fileName;
        std::error_code error;
        if (std::filesystem::exists(std::filesystem::symlink_status(file, error))) {
            std::filesystem::rename(file, damagedCatalogueBackup<Item>(directory), error);
            if (error)
                return GraphFileSaveStatus::BackupFailed;
        }
    }
    return saveGraphCatalogue(directory, items);
}

template std::optional<std::vector<std::uint8_t>> encodeGraphFile(const std::vector<CGraphObject>&);
template std::optional<std::vector<std::uint8_t>> encodeGraphFile(const std::vector<CTimeGraphObject>&);
template GraphFileLoad<CGraphObject> decodeGraphFile<CGraphObject>(std::span<const std::uint8_t>);
template GraphFileLoad<CTimeGraphObject> decodeGraphFile<CTimeGraphObject>(std::span<const std::uint8_t>);
template GraphFileLoad<CGraphObject> loadGraphCatalogue<CGraphObject>(const std::filesystem::path&);
template GraphFileLoad<CTimeGraphObject> loadGraphCatalogue<CTimeGraphObject>(const std::filesystem::path&);
template GraphFileSaveStatus saveGraphCatalogue(const std::filesystem::path&, const std::vector<CGraphObject>&);
template GraphFileSaveStatus saveGraphCatalogue(const std::filesystem::path&, const std::vector<CTimeGraphObject>&);
template std::filesystem::path damagedCatalogueBackup<CGraphObject>(const std::filesystem::path&);
template std::filesystem::path damagedCatalogueBackup<CTimeGraphObject>(const std::filesystem::path&);
template GraphFileSaveStatus saveGraphCatalogueOver(
    const std::filesystem::path&, const GraphFileLoad<CGraphObject>&, const std::vector<CGraphObject>&);
template GraphFileSaveStatus saveGraphCatalogueOver(
    const std::filesystem::path&, const GraphFileLoad<CTimeGraphObject>&, const std::vector<CTimeGraphObject>&);

} // namespace lumetra::graph
