#include "image/object_archive_writer.h"

#include <algorithm>
#include <limits>

namespace lumetra::image {

void ArchiveWriter::writeU8(std::uint8_t value)
{
    bytes_.push_back(value);
}

void ArchiveWriter::writeU16(std::uint16_t value)
{
    writeU8(static_cast<std::uint8_t>(value));
    writeU8(static_cast<std::uint8_t>(value >> 8));
}

void ArchiveWriter::writeU32(std::uint32_t value)
{
    writeU16(static_cast<std::uint16_t>(value));
    writeU16(static_cast<std::uint16_t>(value >> 16));
}

void ArchiveWriter::append(std::string_view bytes)
{
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
}

void ArchiveWriter::writeHeader(std::uint16_t fileKind)
{
    writeU16(kArchiveSignature);
    writeU16(fileKind);
}

void ArchiveWriter::writeCount(std::uint32_t count)
{
    if (count < kArchiveWideCountMarker) {
        writeU16(static_cast<std::uint16_t>(count));
        return;
    }
    writeU16(kArchiveWideCountMarker);
    writeU32(count);
}

void ArchiveWriter::writeString(std::string_view bytes)
{
    const std::size_t length = bytes.size();
    if (length > std::numeric_limits<std::uint32_t>::max()) {
        error_ = ArchiveError::ValueTooLarge;
        return;
    }
    if (length < kArchiveStringWordMarker) {
        writeU8(static_cast<std::uint8_t>(length));
    } else {
        writeU8(kArchiveStringWordMarker);
        if (length < kArchiveWideStringMarker) {
            writeU16(static_cast<std::uint16_t>(length));
        } else {
            writeU16(kArchiveWideCountMarker);
            writeU32(static_cast<std::uint32_t>(length));
        }
    }
    append(bytes);
}

void ArchiveWriter::writeObjectTag(std::string_view className, std::uint16_t schema)
{
    const auto declared
        = std::find_if(classes_.begin(), classes_.end(), [&](const DeclaredClass& c) { return c.name == className; });
    if (declared == classes_.end()) {
        if (className.size() > std::numeric_limits<std::uint16_t>::max()) {
            error_ = ArchiveError::ValueTooLarge;
            return;
        }
        writeU16(kArchiveNewClassTag);
        writeU16(schema);
        writeU16(static_cast<std::uint16_t>(className.size()));
        append(className);
        classes_.push_back({nextNumber_++, std::string(className)});
    } else if (nextNumber_ < kArchiveBigTag && declared->number < kArchiveBigTag) {
        writeU16(static_cast<std::uint16_t>(kArchiveClassTagBit | declared->number));
    } else {
        // Once the object numbers reach 0x7FFF, references take the 32-bit form.
        writeU16(kArchiveBigTag);
        writeU32(kArchiveBigClassTagBit | declared->number);
    }
    ++nextNumber_;
}

} // namespace lumetra::image
