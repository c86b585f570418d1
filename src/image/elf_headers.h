// The headers of a 32-bit little-endian ELF object file (the EABI output of the C2000 tools): file header, section
// headers with their names, and the symbol table, parsed from a bounds-checked view of the whole file.
#pragma once

#include "image/byte_view.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace lumetra::image {

inline constexpr std::uint16_t kElfMachineC2000 = 141;

inline constexpr std::uint32_t kElfSectionProgbits = 1;
inline constexpr std::uint32_t kElfSectionSymtab = 2;
inline constexpr std::uint32_t kElfSectionNobits = 8;
inline constexpr std::uint32_t kElfFlagAlloc = 0x2;
inline constexpr std::uint32_t kElfFlagExecutable = 0x4;

// True when the file starts with the ELF magic bytes.
bool isElfFile(ByteView file);

struct ElfSection {
    std::string_view name; // from the section name table; a view into the file
    std::uint32_t type = 0;
    std::uint32_t flags = 0;
    std::uint32_t address = 0; // the target address, in words
    std::uint32_t offset = 0; // of the data in the file
    std::uint32_t size = 0; // bytes
    std::uint32_t link = 0;
    std::uint32_t entrySize = 0;
};

struct ElfFile {
    std::uint16_t machine = 0;
    std::vector<ElfSection> sections; // by index; index 0 is the null section
};

// The file header and every section header with its name; nothing when the file is no 32-bit little-endian ELF
// file or a header or the name table lies outside it.
std::optional<ElfFile> parseElfFile(ByteView file);

struct ElfSymbol {
    std::string_view name;
    std::uint32_t value = 0;
    std::uint32_t size = 0;
    std::uint8_t binding = 0; // 1 global
    std::uint8_t kind = 0; // 0 no type, 1 object, 2 function
    std::uint16_t sectionIndex = 0;
};

inline constexpr std::uint8_t kElfBindingGlobal = 1;
inline constexpr std::uint8_t kElfSymbolNoType = 0;
inline constexpr std::uint8_t kElfSymbolObject = 1;

// The entries of the first symbol table, names from its string table; nothing when the table or its names lie
// outside the file. A file without a symbol table gives an empty list.
std::optional<std::vector<ElfSymbol>> elfSymbols(const ElfFile& elf, ByteView file);

} // namespace lumetra::image
