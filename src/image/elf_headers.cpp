#include "image/elf_headers.h"

namespace lumetra::image {

namespace {

constexpr std::size_t kElfHeaderSize = 52;
constexpr std::size_t kSectionHeaderSize = 40;
constexpr std::size_t kSymbolSize = 16;
constexpr std::uint8_t kClass32 = 1;
constexpr std::uint8_t kLittleEndian = 1;

// The NUL-terminated text at `offset` of a string table section; nothing when it lies outside.
std::optional<std::string_view> textAt(ByteView table, std::uint32_t offset)
{
    if (offset >= table.size())
        return std::nullopt;
    const auto rest = table.bytes().subspan(offset);
    const std::string_view text(reinterpret_cast<const char*>(rest.data()), rest.size());
    return text.substr(0, text.find('\0'));
}

} // namespace

bool isElfFile(ByteView file)
{
    return file.size() >= 4 && file.bytes()[0] == 0x7F && file.bytes()[1] == 'E' && file.bytes()[2] == 'L'
        && file.bytes()[3] == 'F';
}

std::optional<ElfFile> parseElfFile(ByteView file)
{
    if (!isElfFile(file) || !file.contains(0, kElfHeaderSize) || *file.u8(4) != kClass32
        || *file.u8(5) != kLittleEndian)
        return std::nullopt;
    ElfFile elf;
    elf.machine = *file.u16(18);
    const std::uint32_t headersOffset = *file.u32(32);
    const std::uint16_t headerSize = *file.u16(46);
    const std::uint16_t count = *file.u16(48);
    const std::uint16_t namesIndex = *file.u16(50);
    if (count == 0)
        return elf;
    if (headerSize < kSectionHeaderSize || !file.contains(headersOffset, std::uint64_t {headerSize} * count))
        return std::nullopt;
    elf.sections.reserve(count);
    std::vector<std::uint32_t> nameOffsets;
    for (std::size_t i = 0; i < count; ++i) {
        const ByteView header = *file.sub(headersOffset + std::uint64_t {headerSize} * i, kSectionHeaderSize);
        ElfSection section;
        nameOffsets.push_back(*header.u32(0));
        section.type = *header.u32(4);
        section.flags = *header.u32(8);
        section.address = *header.u32(12);
        section.offset = *header.u32(16);
        section.size = *header.u32(20);
        section.link = *header.u32(24);
        section.entrySize = *header.u32(36);
        elf.sections.push_back(section);
    }
    if (namesIndex >= count)
        return std::nullopt;
    const ElfSection& names = elf.sections[namesIndex];
    const std::optional<ByteView> table = file.sub(names.offset, names.size);
    if (!table)
        return std::nullopt;
    for (std::size_t i = 0; i < count; ++i) {
        const std::optional<std::string_view> name = textAt(*table, nameOffsets[i]);
        if (!name)
            return std::nullopt;
        elf.sections[i].name = *name;
    }
    return elf;
}

std::optional<std::vector<ElfSymbol>> elfSymbols(const ElfFile& elf, ByteView file)
{
    std::vector<ElfSymbol> symbols;
    for (const ElfSection& section : elf.sections) {
        if (section.type != kElfSectionSymtab)
            continue;
        const std::optional<ByteView> table = file.sub(section.offset, section.size);
        if (!table || section.link >= elf.sections.size())
            return std::nullopt;
        const ElfSection& stringSection = elf.sections[section.link];
        const std::optional<ByteView> strings = file.sub(stringSection.offset, stringSection.size);
        if (!strings)
            return std::nullopt;
        const std::size_t count = table->size() / kSymbolSize;
        symbols.reserve(count);
        for (std::size_t i = 1; i < count; ++i) { // entry 0 is the null symbol
            const ByteView entry = *table->sub(i * kSymbolSize, kSymbolSize);
            const std::optional<std::string_view> name = textAt(*strings, *entry.u32(0));
            if (!name)
                return std::nullopt;
            const std::uint8_t info = *entry.u8(12);
            symbols.push_back(ElfSymbol {*name, *entry.u32(4), *entry.u32(8), static_cast<std::uint8_t>(info >> 4),
                static_cast<std::uint8_t>(info & 0x0F), *entry.u16(14)});
        }
        return symbols;
    }
    return symbols;
}

} // namespace lumetra::image
