#include "image/section_rows.h"

#include "core/device_catalogue.h"

#include <cstdio>

namespace lumetra::image {

std::vector<SectionRow> buildSectionRows(std::span<const LoadedSection> sections, std::uint16_t targetId)
{
    const core::Family family = targetId == core::kTargetIdLf240x ? core::Family::Lf240x : core::Family::F28x;
    std::vector<SectionRow> rows;
    rows.reserve(sections.size());
    for (const LoadedSection& section : sections) {
        char size[32];
        std::snprintf(size, sizeof size, "0x%X Words", static_cast<unsigned>(section.sizeWords));
        rows.push_back(SectionRow {section.name, core::formatAddress(family, section.startAddress),
            core::formatAddress(family, section.endAddress()), size});
    }
    return rows;
}

} // namespace lumetra::image
