// Builds small 32-bit little-endian ELF files as the C2000 EABI tools write them, for tests and fuzz seeds:
// sections with data (addresses in words, sizes in bytes), a symbol table with its string table, and the section
// name table.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lumetra::test {

inline constexpr std::uint16_t kElfMachineC2000 = 141;
inline constexpr std::uint32_t kElfProgbits = 1;
inline constexpr std::uint32_t kElfNobits = 8;
inline constexpr std::uint32_t kElfAlloc = 0x2;
inline constexpr std::uint32_t kElfExecutable = 0x4;

struct ElfSectionSpec {
    std::string name;
    std::uint32_t type = kElfProgbits;
    std::uint32_t flags = kElfAlloc;
    std::uint32_t address = 0; // words
    std::vector<std::uint8_t> data;
    std::optional<std::uint32_t> sizeOverride; // stored instead of data.size(), for damaged files

    // Allocated data from 16-bit words, low byte first.
    static ElfSectionSpec words(std::string name, std::uint32_t address, const std::vector<std::uint16_t>& words,
        std::uint32_t flags = kElfAlloc);
    // A debug section (not allocated).
    static ElfSectionSpec debug(std::string name, std::vector<std::uint8_t> bytes);
};

struct ElfSymbolSpec {
    std::string name;
    std::uint32_t value = 0;
    std::uint16_t section = 1; // index: 1 is the first section added
    std::uint8_t binding = 1; // global
    std::uint8_t kind = 1; // object; 2 function
    std::uint32_t size = 1;
};

class ElfWriter {
public:
    explicit ElfWriter(std::uint16_t machine = kElfMachineC2000);
    ElfWriter& addSection(ElfSectionSpec section);
    ElfWriter& addSymbol(ElfSymbolSpec symbol);
    std::vector<std::uint8_t> build() const;

private:
    std::uint16_t machine_;
    std::vector<ElfSectionSpec> sections_;
    std::vector<ElfSymbolSpec> symbols_;
};

} // namespace lumetra::test
