// Builds TI COFF files (versions 0, 1 and 2) for tests, fuzz seeds and generated demo programs: sections with
// inline or string-table names, flags and pages; symbols with storage classes, types and auxiliary entries; the
// string table; and the offsets of every header boundary, for truncating a file where a reader must notice.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace lumetra::test {

inline constexpr std::uint16_t kTargetC2xx = 0x0092;
inline constexpr std::uint16_t kTargetC28x = 0x009D;

// Section flags as the linker writes them.
inline constexpr std::uint32_t kSectionDummy = 0x01;
inline constexpr std::uint32_t kSectionNoLoad = 0x02;
inline constexpr std::uint32_t kSectionCopy = 0x10;
inline constexpr std::uint32_t kSectionText = 0x20;
inline constexpr std::uint32_t kSectionData = 0x40;
inline constexpr std::uint32_t kSectionBss = 0x80;

// Symbol storage classes.
inline constexpr std::uint8_t kStorageExternal = 2;
inline constexpr std::uint8_t kStorageStatic = 3;

// A type field: basic type in bits 0-3, derivations (1 pointer, 2 function, 3 array) from bit 4, first first.
std::uint16_t coffType(int basicType, std::initializer_list<int> derivations = {});

struct CoffSection {
    std::string name;
    bool nameInStringTable = false; // names longer than 8 characters always go there
    std::uint32_t startAddress = 0;
    std::vector<std::uint16_t> words; // raw data, written low byte first
    std::uint32_t flags = kSectionData; // symbols of a text section are code labels, never listed
    std::uint16_t page = 0;
    // Stored instead of words.size() / the real raw data offset (0 = no raw data), for malformed files.
    std::optional<std::uint32_t> sizeWordsOverride;
    std::optional<std::uint32_t> rawDataOffsetOverride;

    // A data section with its data.
    static CoffSection withData(std::string name, std::uint32_t startAddress, std::vector<std::uint16_t> words);
    // A copy section of debug information, whose size counts bytes (a last odd byte is padded in the file).
    static CoffSection debugSection(std::string name, const std::vector<std::uint8_t>& bytes);
};

// One 18-byte auxiliary entry.
struct CoffAuxEntry {
    std::array<std::uint8_t, 18> bytes {};
    // The dimensions of an array symbol at offsets 8, 10, 12 and 14.
    static CoffAuxEntry arrayDimensions(
        std::uint16_t d0, std::uint16_t d1 = 0, std::uint16_t d2 = 0, std::uint16_t d3 = 0);
};

struct CoffSymbol {
    std::string name; // as stored, leading '_' included
    bool nameInStringTable = false;
    std::uint32_t value = 0;
    std::int16_t sectionNumber = 1;
    std::uint16_t type = 0;
    std::uint8_t storageClass = kStorageExternal;
    std::vector<CoffAuxEntry> aux; // the stored auxiliary count is aux.size() unless overridden
    std::optional<std::uint8_t> auxCountOverride;
};

// Byte offsets in the built file where each part ends (or starts), in file order.
struct CoffLayout {
    std::size_t fileHeaderEnd = 0;
    std::size_t optionalHeaderEnd = 0;
    std::vector<std::size_t> sectionHeaderEnds;
    std::vector<std::size_t> rawDataOffsets; // 0 for sections written without data
    std::size_t symbolTableOffset = 0;
    std::size_t stringTableOffset = 0;
    std::size_t fileSize = 0;
};

class CoffWriter {
public:
    // version 0 puts the target id in the first field and has a 20-byte header; 1 and 2 have 22 bytes, and 2 has
    // 48-byte section headers.
    explicit CoffWriter(int version = 2, std::uint16_t targetId = kTargetC28x);

    CoffWriter& withOptionalHeader(bool present = true);
    CoffWriter& addSection(CoffSection section);
    CoffWriter& addSymbol(CoffSymbol symbol);

    // Overrides of stored header fields, for malformed files.
    CoffWriter& firstField(std::uint16_t value);
    CoffWriter& sectionCount(std::uint16_t value);
    CoffWriter& symbolTableOffset(std::uint32_t value);
    CoffWriter& symbolCount(std::uint32_t value);
    CoffWriter& stringTableLength(std::uint32_t value);
    // Writes no string table at all (not even its length word).
    CoffWriter& withoutStringTable();

    std::vector<std::uint8_t> build() const;
    CoffLayout layout() const;
    void writeTo(const std::filesystem::path& path) const;

private:
    std::vector<std::uint8_t> buildWithLayout(CoffLayout& layout) const;

    int version_;
    std::uint16_t targetId_;
    bool optionalHeader_ = false;
    std::vector<CoffSection> sections_;
    std::vector<CoffSymbol> symbols_;
    std::optional<std::uint16_t> firstField_;
    std::optional<std::uint16_t> sectionCount_;
    std::optional<std::uint32_t> symbolTableOffset_;
    std::optional<std::uint32_t> symbolCount_;
    std::optional<std::uint32_t> stringTableLength_;
    bool stringTable_ = true;
};

} // namespace lumetra::test
