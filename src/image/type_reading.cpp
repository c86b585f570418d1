#include "image/type_reading.h"

namespace lumetra::image {

std::string typeReadingMessage(const TypeReading& reading)
{
    switch (reading.debugInfo) {
    case DebugReadStatus::Read:
        return "Types from the debug information (DWARF " + std::to_string(reading.dwarfVersion) + "): "
            + std::to_string(reading.typedFromDebugInfo) + " of " + std::to_string(reading.listedSymbols) + " symbols";
    case DebugReadStatus::Unreadable:
        return "Debug information not readable (" + reading.problem + "): types from the symbol table";
    case DebugReadStatus::NoDebugInfo:
        break;
    }
    return "No debug information: types from the symbol table";
}

} // namespace lumetra::image
