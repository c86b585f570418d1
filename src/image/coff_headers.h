// The headers of a TI COFF file (versions 0, 1 and 2), the string table and name fields, parsed from a
// bounds-checked view of the whole file.
#pragma once

#include "image/byte_view.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumetra::image {

inline constexpr std::uint16_t kCoffVersion1Id = 0x00C1;
inline constexpr std::uint16_t kCoffVersion2Id = 0x00C2;
inline constexpr std::size_t kFileHeaderSizeV0 = 20;
inline constexpr std::size_t kFileHeaderSizeV12 = 22;
inline constexpr std::size_t kOptionalHeaderSize = 28;
inline constexpr std::size_t kSectionHeaderSizeV01 = 40;
inline constexpr std::size_t kSectionHeaderSizeV2 = 48;
inline constexpr std::size_t kSymbolEntrySize = 18;
inline constexpr std::size_t kNameFieldSize = 8;

struct CoffFileHeader {
    int version = 0; // 0, 1 or 2
    std::uint16_t targetId = 0; // 0x0092 (C2xx) or 0x009D (C28x) in a valid file
    std::uint16_t sectionCount = 0;
    std::uint32_t symbolTableOffset = 0; // file offset of the first 18-byte symbol entry
    std::uint32_t symbolCount = 0; // entries, auxiliary entries included
    std::uint16_t optionalHeaderSize = 0; // as stored; 28 bytes follow when it is not 0
    std::uint64_t sectionHeadersOffset = 0;
    std::size_t sectionHeaderSize = 0; // 40 or 48
    std::uint64_t stringTableOffset = 0; // symbolTableOffset + 18 * symbolCount
};

// Reads the file header and, when its size field is not 0, checks that the 28-byte optional header is present.
// Nothing when the file is too short, its first field is unknown or the optional header is cut short. The target
// id of a version 1 or 2 file is returned as stored; callers compare it with the selected family.
std::optional<CoffFileHeader> parseFileHeader(ByteView file);

// The string table: the length word and the whole length lie inside the file. Name offsets count from its start.
class CoffStringTable {
public:
    CoffStringTable() = default;
    explicit CoffStringTable(ByteView table)
        : table_(table)
    {
    }
    bool empty() const { return table_.size() == 0; }
    std::size_t size() const { return table_.size(); }
    std::span<const std::uint8_t> bytes() const { return table_.bytes(); }
    // The NUL-terminated text at the offset (bounded by the table's end) as a view into the file's bytes; nothing
    // when the offset is outside.
    std::optional<std::string_view> viewAt(std::uint32_t offset) const;

private:
    ByteView table_;
};

// Locates the string table after the symbol table. With symbols, a missing or cut-short table gives nothing.
// Without symbols the table is optional: an absent one is returned empty.
std::optional<CoffStringTable> locateStringTable(const CoffFileHeader& header, ByteView file);

// The symbol table bytes (symbolCount * 18), when they lie inside the file.
std::optional<ByteView> symbolTableBytes(const CoffFileHeader& header, ByteView file);

// An 8-byte name field: inline characters up to the first NUL, or (first four bytes zero) a string table offset
// in the last four. Nothing when the offset lies outside the table. The name is a view into the bytes of the name
// field or the string table, valid while the file's bytes are.
std::optional<std::string_view> decodeNameView(ByteView nameField, const CoffStringTable& strings);

// Section and symbol names lose one leading '_'.
constexpr std::string_view withoutLeadingUnderscore(std::string_view name)
{
    return name.starts_with('_') ? name.substr(1) : name;
}

struct CoffSectionHeader {
    std::array<std::uint8_t, kNameFieldSize> nameField {};
    std::uint32_t startAddress = 0; // virtual address, in words
    std::uint32_t sizeWords = 0;
    std::uint32_t rawDataOffset = 0; // bytes
    std::uint32_t flags = 0;
    std::uint16_t page = 0;
};

inline constexpr std::uint32_t kSectionFlagDummy = 0x01;
inline constexpr std::uint32_t kSectionFlagNoLoad = 0x02;
inline constexpr std::uint32_t kSectionFlagCopy = 0x10;
inline constexpr std::uint32_t kSectionFlagText = 0x20; // the section holds code

// Section header `index` (0-based); nothing when it lies outside the file.
std::optional<CoffSectionHeader> parseSectionHeader(const CoffFileHeader& header, ByteView file, std::size_t index);

// For each section, by index (section number - 1), whether it holds code; false for headers outside the file.
std::vector<bool> codeSectionFlags(const CoffFileHeader& header, ByteView file);

} // namespace lumetra::image
