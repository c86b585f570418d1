#include "image/symbol_file_format.h"

#include "core/cp949_codec.h"
#include "image/object_archive_reader.h"
#include "image/object_archive_writer.h"

namespace lumetra::image {

namespace {

SymbolFileDecoding refused(SymbolFileDecodeStatus status, const ArchiveReader& reader)
{
    SymbolFileDecoding decoding;
    decoding.status = status;
    decoding.archiveError = reader.error();
    decoding.errorOffset = reader.errorOffset();
    return decoding;
}

SymbolFileDecoding refusedAt(SymbolFileDecodeStatus status, std::size_t offset)
{
    SymbolFileDecoding decoding;
    decoding.status = status;
    decoding.errorOffset = offset;
    return decoding;
}

} // namespace

std::optional<std::vector<std::uint8_t>> encodeSymbolFile(std::span<const CDataObject> records)
{
    ArchiveWriter writer;
    writer.writeHeader(kSymbolFileKind);
    writer.writeCount(static_cast<std::uint32_t>(records.size()));
    for (const CDataObject& record : records) {
        const core::TextConversion name = core::utf8ToCp949(record.name);
        const core::TextConversion arrayInfo = core::utf8ToCp949(record.arrayInfo);
        if (!name.ok() || !arrayInfo.ok())
            return std::nullopt;
        writer.writeObjectTag(kDataObjectClassName, kDataObjectSchema);
        writer.writeString(name.text);
        writer.writeString(arrayInfo.text);
        writer.writeU32(record.address);
        writer.writeU16(record.type);
        writer.writeU8(record.viewType);
    }
    if (!writer.ok())
        return std::nullopt;
    return writer.bytes();
}

SymbolFileDecoding decodeSymbolFile(std::span<const std::uint8_t> bytes)
{
    ArchiveReader reader(bytes);
    if (!reader.readHeader(kSymbolFileKind))
        return refused(SymbolFileDecodeStatus::UnsupportedFormat, reader);
    const std::optional<std::uint32_t> count = reader.readCount();
    if (!count)
        return refused(SymbolFileDecodeStatus::Damaged, reader);

    std::vector<CDataObject> records;
    for (std::uint32_t i = 0; i < *count; ++i) {
        if (!reader.readObjectTag(kDataObjectClassName, kDataObjectSchema))
            return refused(SymbolFileDecodeStatus::Damaged, reader);
        const std::size_t textsAt = reader.position();
        const std::optional<std::string> name = reader.readString();
        const std::optional<std::string> arrayInfo = reader.readString();
        const std::optional<std::uint32_t> address = reader.readU32();
        const std::optional<std::uint16_t> type = reader.readU16();
        const std::optional<std::uint8_t> viewType = reader.readU8();
        if (!reader.ok())
            return refused(SymbolFileDecodeStatus::Damaged, reader);
        if (*viewType > kLastViewTypeCode)
            return refusedAt(SymbolFileDecodeStatus::Damaged, reader.position() - 1);
        core::TextConversion utf8Name = core::cp949ToUtf8(*name);
        core::TextConversion utf8ArrayInfo = core::cp949ToUtf8(*arrayInfo);
        if (!utf8Name.ok() || !utf8ArrayInfo.ok())
            return refusedAt(SymbolFileDecodeStatus::TextNotConvertible, textsAt);
        CDataObject record;
        record.name = std::move(utf8Name.text);
        record.arrayInfo = std::move(utf8ArrayInfo.text);
        record.address = *address;
        record.type = *type;
        record.viewType = *viewType;
        records.push_back(std::move(record));
    }
    SymbolFileDecoding decoding;
    decoding.records = std::move(records);
    return decoding;
}

} // namespace lumetra::image
