// How the types of a loaded program's symbols were read: from the debug information, or from the symbol table
// because the file has none or it could not be read.
#pragma once

#include "image/debug_types.h"

#include <cstddef>
#include <string>

namespace lumetra::image {

struct TypeReading {
    DebugReadStatus debugInfo = DebugReadStatus::NoDebugInfo;
    std::string problem; // why the debug information could not be read
    int dwarfVersion = 0;
    std::size_t listedSymbols = 0;
    std::size_t typedFromDebugInfo = 0;
};

// The command line's report of a load with symbols:
// "Types from the debug information (DWARF 3): 70 of 79 symbols",
// "No debug information: types from the symbol table", or
// "Debug information not readable (<problem>): types from the symbol table".
std::string typeReadingMessage(const TypeReading& reading);

} // namespace lumetra::image
