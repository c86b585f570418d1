#include "image/debug_sections.h"

#include <algorithm>

namespace lumetra::image {

namespace {

constexpr std::string_view kDebugPrefix = ".debug_";

void addSection(DebugSections& found, std::string_view name, ByteView file, std::uint64_t offset, std::uint64_t size)
{
    const std::optional<ByteView> bytes = file.sub(offset, size);
    if (!bytes) {
        found.problem = "section " + std::string(name) + " lies past the end of the file";
        return;
    }
    found.sections.push_back(DebugSection {std::string(name), *bytes});
}

} // namespace

bool DebugSections::hasDebugInfo() const
{
    return std::any_of(sections.begin(), sections.end(), [](const DebugSection& s) { return s.name == ".debug_info"; });
}

DebugSections elfDebugSections(const ElfFile& elf, ByteView file)
{
    DebugSections found;
    for (const ElfSection& section : elf.sections) {
        if (section.name.starts_with(kDebugPrefix))
            addSection(found, section.name, file, section.offset, section.size);
    }
    return found;
}

DebugSections coffDebugSections(const CoffFileHeader& header, const CoffStringTable& strings, ByteView file)
{
    DebugSections found;
    for (std::size_t i = 0; i < header.sectionCount; ++i) {
        const std::optional<CoffSectionHeader> section = parseSectionHeader(header, file, i);
        if (!section)
            break; // the loader reports the cut-short header
        const std::optional<std::string_view> name = decodeNameView(ByteView(section->nameField), strings);
        if (!name || !name->starts_with(kDebugPrefix))
            continue;
        addSection(found, *name, file, section->rawDataOffset, section->sizeWords);
    }
    return found;
}

} // namespace lumetra::image
