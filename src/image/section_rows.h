// The rows of the section list: name, start, end and size of each loaded section, as the list shows them.
#pragma once

#include "image/loaded_section.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace lumetra::image {

struct SectionRow {
    std::string name;
    std::string start; // "0x%04X" for target id 0x0092, else "0x%06X"
    std::string end; // start + size - 1, same format
    std::string size; // "0x%X Words"
};

std::vector<SectionRow> buildSectionRows(std::span<const LoadedSection> sections, std::uint16_t targetId);

} // namespace lumetra::image
