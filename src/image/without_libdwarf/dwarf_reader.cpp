// The DWARF reader of a build without libdwarf: a file's debug information is reported as unreadable, with the
// reason, so that its types come from the symbol table and the user is told why.
#include "image/dwarf_reader.h"

namespace lumetra::image {

bool debugInfoReaderAvailable()
{
    return false;
}

DebugTypes readDwarfTypes(const DebugSections& sections)
{
    DebugTypes result;
    if (!sections.problem.empty()) {
        result.status = DebugReadStatus::Unreadable;
        result.problem = sections.problem;
    } else if (sections.hasDebugInfo()) {
        result.status = DebugReadStatus::Unreadable;
        result.problem = kNoDebugInfoReaderProblem;
    }
    return result;
}

} // namespace lumetra::image
