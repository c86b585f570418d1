#include "image/coff_headers.h"

#include "core/device_catalogue.h"

#include <algorithm>

namespace lumetra::image {

namespace {

constexpr std::uint64_t kStringLengthWordSize = 4;

bool isKnownTargetId(std::uint16_t id)
{
    return id == core::kTargetIdLf240x || id == core::kTargetIdC28x;
}

} // namespace

std::optional<CoffFileHeader> parseFileHeader(ByteView file)
{
    // Every version is read as 22 bytes first, so a shorter file is not COFF.
    if (!file.contains(0, kFileHeaderSizeV12))
        return std::nullopt;
    CoffFileHeader header;
    const std::uint16_t first = *file.u16(0);
    std::uint64_t headerSize = kFileHeaderSizeV12;
    if (isKnownTargetId(first)) {
        header.version = 0;
        header.targetId = first;
        headerSize = kFileHeaderSizeV0;
    } else if (first == kCoffVersion1Id || first == kCoffVersion2Id) {
        header.version = first == kCoffVersion1Id ? 1 : 2;
        header.targetId = *file.u16(20);
    } else {
        return std::nullopt;
    }
    header.sectionCount = *file.u16(2);
    header.symbolTableOffset = *file.u32(8);
    header.symbolCount = *file.u32(12);
    header.optionalHeaderSize = *file.u16(16);
    header.sectionHeaderSize = header.version == 2 ? kSectionHeaderSizeV2 : kSectionHeaderSizeV01;
    header.sectionHeadersOffset = headerSize;
    if (header.optionalHeaderSize != 0) {
        if (!file.contains(headerSize, kOptionalHeaderSize))
            return std::nullopt;
        header.sectionHeadersOffset += kOptionalHeaderSize;
    }
    header.stringTableOffset
        = std::uint64_t {header.symbolTableOffset} + std::uint64_t {header.symbolCount} * kSymbolEntrySize;
    return header;
}

std::optional<std::string_view> CoffStringTable::viewAt(std::uint32_t offset) const
{
    if (offset >= table_.size())
        return std::nullopt;
    const auto rest = table_.bytes().subspan(offset);
    const std::string_view text(reinterpret_cast<const char*>(rest.data()), rest.size());
    return text.substr(0, text.find('\0'));
}

std::optional<CoffStringTable> locateStringTable(const CoffFileHeader& header, ByteView file)
{
    const std::optional<std::uint32_t> length = file.u32(header.stringTableOffset);
    const std::uint64_t tableSize = std::max<std::uint64_t>(length.value_or(0), kStringLengthWordSize);
    const bool present = length.has_value() && file.contains(header.stringTableOffset, tableSize);
    if (header.symbolCount == 0) {
        // A file without symbols need not carry a string table; the header's offset may then be 0.
        if (header.symbolTableOffset == 0 || !present)
            return CoffStringTable();
    }
    if (!present)
        return std::nullopt;
    return CoffStringTable(*file.sub(header.stringTableOffset, tableSize));
}

std::optional<ByteView> symbolTableBytes(const CoffFileHeader& header, ByteView file)
{
    return file.sub(header.symbolTableOffset, std::uint64_t {header.symbolCount} * kSymbolEntrySize);
}

std::optional<std::string_view> decodeNameView(ByteView nameField, const CoffStringTable& strings)
{
    const auto bytes = nameField.bytes().first(std::min(nameField.size(), kNameFieldSize));
    if (bytes.size() == kNameFieldSize && nameField.u32(0) == 0u)
        return strings.viewAt(*nameField.u32(4));
    const auto end = std::find(bytes.begin(), bytes.end(), std::uint8_t {0});
    return std::string_view(reinterpret_cast<const char*>(bytes.data()), static_cast<std::size_t>(end - bytes.begin()));
}

std::optional<CoffSectionHeader> parseSectionHeader(const CoffFileHeader& header, ByteView file, std::size_t index)
{
    const std::uint64_t offset = header.sectionHeadersOffset + std::uint64_t {index} * header.sectionHeaderSize;
    const std::optional<ByteView> raw = file.sub(offset, header.sectionHeaderSize);
    if (!raw)
        return std::nullopt;
    CoffSectionHeader section;
    std::copy_n(raw->bytes().begin(), kNameFieldSize, section.nameField.begin());
    section.startAddress = *raw->u32(12);
    section.sizeWords = *raw->u32(16);
    section.rawDataOffset = *raw->u32(20);
    if (header.version == 2) {
        section.flags = *raw->u32(40);
        section.page = *raw->u16(46);
    } else {
        section.flags = *raw->u16(36);
        section.page = *raw->u8(39);
    }
    return section;
}

std::vector<bool> codeSectionFlags(const CoffFileHeader& header, ByteView file)
{
    std::vector<bool> code(header.sectionCount, false);
    for (std::size_t i = 0; i < code.size(); ++i) {
        const std::optional<CoffSectionHeader> section = parseSectionHeader(header, file, i);
        code[i] = section && (section->flags & kSectionFlagText) != 0;
    }
    return code;
}

} // namespace lumetra::image
