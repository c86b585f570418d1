// Reads the global variables and functions of DWARF debug information (versions 2 to 4) from an object file's
// debug sections. A damaged or unknown section gives status Unreadable with the reason, never a partial result.
#pragma once

#include "image/debug_info_reader.h"
#include "image/debug_sections.h"
#include "image/debug_types.h"

namespace lumetra::image {

DebugTypes readDwarfTypes(const DebugSections& sections);

} // namespace lumetra::image
