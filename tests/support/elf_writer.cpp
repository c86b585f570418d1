#include "support/elf_writer.h"

#include <utility>

namespace lumetra::test {

namespace {

constexpr std::uint32_t kSymtab = 2;
constexpr std::uint32_t kStrtab = 3;

void put16(std::vector<std::uint8_t>& out, std::uint16_t value)
{
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    put16(out, static_cast<std::uint16_t>(value));
    put16(out, static_cast<std::uint16_t>(value >> 16));
}

std::uint32_t addText(std::vector<std::uint8_t>& table, const std::string& text)
{
    const auto offset = static_cast<std::uint32_t>(table.size());
    table.insert(table.end(), text.begin(), text.end());
    table.push_back(0);
    return offset;
}

} // namespace

ElfSectionSpec ElfSectionSpec::words(
    std::string name, std::uint32_t address, const std::vector<std::uint16_t>& words, std::uint32_t flags)
{
    ElfSectionSpec section;
    section.name = std::move(name);
    section.address = address;
    section.flags = flags;
    for (const std::uint16_t word : words) {
        section.data.push_back(static_cast<std::uint8_t>(word));
        section.data.push_back(static_cast<std::uint8_t>(word >> 8));
    }
    return section;
}

ElfSectionSpec ElfSectionSpec::debug(std::string name, std::vector<std::uint8_t> bytes)
{
    ElfSectionSpec section;
    section.name = std::move(name);
    section.flags = 0;
    section.data = std::move(bytes);
    return section;
}

ElfWriter::ElfWriter(std::uint16_t machine)
    : machine_(machine)
{
}

ElfWriter& ElfWriter::addSection(ElfSectionSpec section)
{
    sections_.push_back(std::move(section));
    return *this;
}

ElfWriter& ElfWriter::addSymbol(ElfSymbolSpec symbol)
{
    symbols_.push_back(std::move(symbol));
    return *this;
}

std::vector<std::uint8_t> ElfWriter::build() const
{
    // The added sections, then .symtab, .strtab and .shstrtab; data after the 52-byte header, headers last.
    std::vector<std::uint8_t> strings {0};
    std::vector<std::uint8_t> symtab(16, 0);
    for (const ElfSymbolSpec& symbol : symbols_) {
        put32(symtab, addText(strings, symbol.name));
        put32(symtab, symbol.value);
        put32(symtab, symbol.size);
        symtab.push_back(static_cast<std::uint8_t>(symbol.binding << 4 | symbol.kind));
        symtab.push_back(0);
        put16(symtab, symbol.section);
    }
    std::vector<ElfSectionSpec> all = sections_;
    const auto symtabIndex = static_cast<std::uint32_t>(all.size() + 1);
    all.push_back(ElfSectionSpec {".symtab", kSymtab, 0, 0, symtab, {}});
    all.push_back(ElfSectionSpec {".strtab", kStrtab, 0, 0, strings, {}});
    std::vector<std::uint8_t> names {0};
    std::vector<std::uint32_t> nameOffsets;
    for (const ElfSectionSpec& section : all)
        nameOffsets.push_back(addText(names, section.name));
    nameOffsets.push_back(addText(names, ".shstrtab"));
    all.push_back(ElfSectionSpec {".shstrtab", kStrtab, 0, 0, names, {}});

    std::vector<std::uint8_t> out(52, 0);
    std::vector<std::uint32_t> offsets;
    for (const ElfSectionSpec& section : all) {
        offsets.push_back(static_cast<std::uint32_t>(out.size()));
        out.insert(out.end(), section.data.begin(), section.data.end());
    }
    const auto headersOffset = static_cast<std::uint32_t>(out.size());
    out.insert(out.end(), 40, 0); // the null section
    for (std::size_t i = 0; i < all.size(); ++i) {
        const ElfSectionSpec& section = all[i];
        put32(out, nameOffsets[i]);
        put32(out, section.type);
        put32(out, section.flags);
        put32(out, section.address);
        put32(out, offsets[i]);
        put32(out, section.sizeOverride.value_or(static_cast<std::uint32_t>(section.data.size())));
        put32(out, section.type == kSymtab ? symtabIndex + 1 : 0); // link: the symbol table's strings
        put32(out, 0);
        put32(out, 1);
        put32(out, section.type == kSymtab ? 16 : 0);
    }
    std::vector<std::uint8_t> header {0x7F, 'E', 'L', 'F', 1, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    put16(header, 2); // executable
    put16(header, machine_);
    put32(header, 1);
    put32(header, 0); // entry
    put32(header, 0); // no program headers
    put32(header, headersOffset);
    put32(header, 0);
    put16(header, 52);
    put16(header, 0);
    put16(header, 0);
    put16(header, 40);
    put16(header, static_cast<std::uint16_t>(all.size() + 1));
    put16(header, static_cast<std::uint16_t>(all.size())); // .shstrtab is last
    std::copy(header.begin(), header.end(), out.begin());
    return out;
}

} // namespace lumetra::test
