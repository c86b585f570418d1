// The debug sections (".debug_info", ".debug_abbrev", ...) of an object file, as views into the file's bytes.
#pragma once

#include "image/byte_view.h"
#include "image/coff_headers.h"
#include "image/elf_headers.h"

#include <optional>
#include <string>
#include <vector>

namespace lumetra::image {

struct DebugSection {
    std::string name; // with its leading '.'
    ByteView bytes;
};

struct DebugSections {
    std::vector<DebugSection> sections;
    std::string problem; // set when a debug section's header or data lie outside the file

    bool hasDebugInfo() const;
};

// The COFF sections whose names start with ".debug_"; their sizes count bytes, not words.
DebugSections coffDebugSections(const CoffFileHeader& header, const CoffStringTable& strings, ByteView file);

// The ELF sections whose names start with ".debug_".
DebugSections elfDebugSections(const ElfFile& elf, ByteView file);

} // namespace lumetra::image
