// Whether this build reads DWARF debug information.
#pragma once

namespace lumetra::image {

// False in a build without a DWARF reader: there readDwarfTypes reports debug information as Unreadable with
// kNoDebugInfoReaderProblem, and types come from the symbol table alone.
bool debugInfoReaderAvailable();

inline constexpr const char* kNoDebugInfoReaderProblem = "this build has no debug information reader";

} // namespace lumetra::image
