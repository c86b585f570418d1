#include "image/object_archive_reader.h"

#include <algorithm>

namespace lumetra::image {

bool ArchiveReader::fail(ArchiveError error, std::size_t offset)
{
    if (ok()) {
        error_ = error;
        errorOffset_ = offset;
    }
    return false;
}

std::optional<std::span<const std::uint8_t>> ArchiveReader::take(std::size_t count)
{
    if (!ok())
        return std::nullopt;
    if (count > remaining()) {
        fail(ArchiveError::Truncated, position_);
        return std::nullopt;
    }
    const auto field = bytes_.subspan(position_, count);
    position_ += count;
    return field;
}

std::optional<std::uint8_t> ArchiveReader::readU8()
{
    const auto field = take(1);
    if (!field)
        return std::nullopt;
    return (*field)[0];
}

std::optional<std::uint16_t> ArchiveReader::readU16()
{
    const auto field = take(2);
    if (!field)
        return std::nullopt;
    return static_cast<std::uint16_t>((*field)[0] | (*field)[1] << 8);
}

std::optional<std::uint32_t> ArchiveReader::readU32()
{
    const auto field = take(4);
    if (!field)
        return std::nullopt;
    const auto& b = *field;
    return static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8
        | static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24;
}

bool ArchiveReader::readHeader(std::uint16_t fileKind)
{
    const std::size_t start = position_;
    const auto signature = readU16();
    if (!signature)
        return false;
    if (*signature != kArchiveSignature)
        return fail(ArchiveError::NotAnArchive, start);
    const auto kind = readU16();
    if (!kind)
        return false;
    if (*kind != fileKind)
        return fail(ArchiveError::WrongFileKind, start + 2);
    return true;
}

std::optional<std::uint32_t> ArchiveReader::readCount()
{
    const auto shortCount = readU16();
    if (!shortCount)
        return std::nullopt;
    if (*shortCount != kArchiveWideCountMarker)
        return *shortCount;
    return readU32();
}

std::optional<std::string> ArchiveReader::readString()
{
    const std::size_t start = position_;
    const auto byteLength = readU8();
    if (!byteLength)
        return std::nullopt;
    std::uint32_t length = *byteLength;
    if (*byteLength == kArchiveStringWordMarker) {
        const auto wordLength = readU16();
        if (!wordLength)
            return std::nullopt;
        if (*wordLength == kArchiveWideStringMarker) {
            fail(ArchiveError::BadStringLength, start);
            return std::nullopt;
        }
        length = *wordLength;
        if (*wordLength == kArchiveWideCountMarker) {
            const auto longLength = readU32();
            if (!longLength)
                return std::nullopt;
            length = *longLength;
        }
    }
    const auto text = take(length);
    if (!text)
        return std::nullopt;
    return std::string(text->begin(), text->end());
}

bool ArchiveReader::readClassDeclaration(std::string_view className, std::uint16_t schema)
{
    const std::size_t start = position_;
    const auto declaredSchema = readU16();
    const auto nameLength = readU16();
    if (!declaredSchema || !nameLength)
        return false;
    const auto name = take(*nameLength);
    if (!name)
        return false;
    const std::string_view declaredName(reinterpret_cast<const char*>(name->data()), name->size());
    if (declaredName != className)
        return fail(ArchiveError::WrongClass, start);
    if (*declaredSchema != schema)
        return fail(ArchiveError::WrongSchema, start);
    classes_.push_back({nextNumber_++, std::string(declaredName), *declaredSchema});
    return true;
}

std::optional<std::uint32_t> ArchiveReader::readClassReference(std::uint16_t tag)
{
    if (tag != kArchiveBigTag) {
        // A word without the class bit refers back to an object already read (or is the null object).
        if ((tag & kArchiveClassTagBit) == 0)
            return std::nullopt;
        return static_cast<std::uint32_t>(tag & ~kArchiveClassTagBit);
    }
    const auto bigTag = readU32();
    if (!bigTag || (*bigTag & kArchiveBigClassTagBit) == 0)
        return std::nullopt;
    return *bigTag & ~kArchiveBigClassTagBit;
}

bool ArchiveReader::readObjectTag(std::string_view className, std::uint16_t schema)
{
    const std::size_t start = position_;
    const auto tag = readU16();
    if (!tag)
        return false;
    if (*tag == kArchiveNewClassTag) {
        if (!readClassDeclaration(className, schema))
            return false;
    } else {
        const auto number = readClassReference(*tag);
        if (!ok())
            return false;
        const auto declared = std::find_if(
            classes_.begin(), classes_.end(), [&](const DeclaredClass& c) { return number && c.number == *number; });
        if (declared == classes_.end())
            return fail(ArchiveError::BadObjectTag, start);
        if (declared->name != className || declared->schema != schema)
            return fail(ArchiveError::WrongClass, start);
    }
    ++nextNumber_;
    return true;
}

} // namespace lumetra::image
