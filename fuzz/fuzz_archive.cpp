// Reads arbitrary bytes as an object archive holding symbol records or graph items, then writes what was
// read and reads it back: the reader must never crash or over-allocate, and the two must agree. Every text
// read must also come back byte for byte through its UTF-8 form.
#include "core/cp949_codec.h"
#include "image/object_archive_reader.h"
#include "image/object_archive_writer.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

namespace {

using lumetra::image::ArchiveReader;
using lumetra::image::ArchiveWriter;

// The item shapes of the three archive files: texts, then 32-bit, 16-bit and 8-bit fields.
struct ItemShape {
    const char* className;
    int texts;
    int u32s;
    int u16s;
    int u8s;
};

constexpr ItemShape kShapes[] = {
    {"CDataObject", 2, 1, 1, 1},
    {"CGraphObject", 1, 4, 0, 0},
    {"CTimeGraphObject", 1, 3, 0, 0},
};

struct Item {
    std::vector<std::string> texts;
    std::vector<std::uint32_t> numbers;
    bool operator==(const Item&) const = default;
};

struct Archive {
    std::uint16_t kind = 0;
    std::vector<Item> items;
};

// Symbol files (kind 0x1001) hold records, time graph files (0x1003) time graph items, any other kind is read
// as a memory graph file.
const ItemShape& shapeOf(std::uint16_t kind)
{
    if (kind == 0x1001)
        return kShapes[0];
    if (kind == 0x1003)
        return kShapes[2];
    return kShapes[1];
}

bool readItem(ArchiveReader& reader, const ItemShape& shape, Item& item)
{
    if (!reader.readObjectTag(shape.className, 1))
        return false;
    for (int i = 0; i < shape.texts; ++i) {
        const auto text = reader.readString();
        if (!text)
            return false;
        const auto utf8 = lumetra::core::cp949ToUtf8(*text);
        if (!utf8.ok() || lumetra::core::utf8ToCp949(utf8.text).text != *text)
            std::abort();
        item.texts.push_back(*text);
    }
    for (int i = 0; i < shape.u32s; ++i)
        item.numbers.push_back(reader.readU32().value_or(0));
    for (int i = 0; i < shape.u16s; ++i)
        item.numbers.push_back(reader.readU16().value_or(0));
    for (int i = 0; i < shape.u8s; ++i)
        item.numbers.push_back(reader.readU8().value_or(0));
    return reader.ok();
}

bool readArchive(std::span<const std::uint8_t> bytes, Archive& archive)
{
    ArchiveReader reader(bytes);
    const auto signature = reader.readU16();
    const auto kind = reader.readU16();
    if (!kind)
        return false;
    ArchiveReader headerCheck(bytes);
    if (headerCheck.readHeader(*kind) != (*signature == 0x1000))
        std::abort();
    archive.kind = *kind;
    const auto count = reader.readCount();
    if (!count)
        return false;
    for (std::uint32_t i = 0; i < *count; ++i) {
        Item item;
        if (!readItem(reader, shapeOf(archive.kind), item))
            return false;
        archive.items.push_back(std::move(item));
    }
    return true;
}

std::vector<std::uint8_t> writeArchive(const Archive& archive)
{
    const ItemShape& shape = shapeOf(archive.kind);
    ArchiveWriter writer;
    writer.writeHeader(archive.kind);
    writer.writeCount(static_cast<std::uint32_t>(archive.items.size()));
    for (const Item& item : archive.items) {
        writer.writeObjectTag(shape.className, 1);
        for (const std::string& text : item.texts)
            writer.writeString(text);
        std::size_t n = 0;
        for (int i = 0; i < shape.u32s; ++i)
            writer.writeU32(item.numbers[n++]);
        for (int i = 0; i < shape.u16s; ++i)
            writer.writeU16(static_cast<std::uint16_t>(item.numbers[n++]));
        for (int i = 0; i < shape.u8s; ++i)
            writer.writeU8(static_cast<std::uint8_t>(item.numbers[n++]));
    }
    if (!writer.ok())
        std::abort();
    return writer.bytes();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Archive archive;
    if (!readArchive(std::span<const std::uint8_t>(data, size), archive))
        return 0;
    const std::vector<std::uint8_t> written = writeArchive(archive);
    Archive reread;
    if (!readArchive(written, reread) || reread.kind != archive.kind || reread.items != archive.items)
        std::abort();
    return 0;
}
