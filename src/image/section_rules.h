// Which COFF sections go into the program image.
#pragma once

#include "image/coff_headers.h"
#include "image/elf_headers.h"

#include <string_view>

namespace lumetra::image {

// A section with data (size and raw data offset not 0) that is neither dummy, no-load nor copy, is not the stack,
// and is on page 0 for the LF240x rows (0..5); for the other rows, any page, but neither the CSM password
// locations nor a DWARF section. `name` is the section name without its leading '_'.
bool isLoadableSection(const CoffSectionHeader& section, std::string_view name, int deviceRow);

// An ELF section with data in the file that is allocated on the target and is not the stack.
bool isLoadableElfSection(const ElfSection& section);

} // namespace lumetra::image
