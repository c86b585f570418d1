// Reads the global variables and functions of DWARF debug information (versions 2 to 4) from an object file's
// debug sections. A damaged or unknown section gives status Unreadable with the reason, never a partial result.
#pragma once

#include "image/debug_sections.h"
#include "image/debug_types.h"

namespace lumetra::image {

DebugTypes readDwarfTypes(const DebugSections& sections);

// False in a build without a DWARF reader: there readDwarfTypes reports debug information as Unreadable with
// kNoDebugInfoReaderProblem, and types come from the symbol table alone.
bool debugInfoReaderAvailable();

inline constexpr const char* kNoDebugInfoReaderProblem = "this build has no debug information reader";

} // namespace lumetra::image
