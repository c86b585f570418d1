// Reads the COFF symbol table into the symbol list: the global variables that can be monitored.
#pragma once

#include "image/coff_headers.h"
#include "image/debug_types.h"
#include "image/shared_bytes.h"
#include "image/symbol_list.h"

namespace lumetra::image {

enum class SymbolReadStatus {
    Ok,
    ReadPastEnd, // the table, an auxiliary entry, the string table or a name lies outside the file
    OutOfMemory, // also a file of 4 GiB or more, whose names 32-bit offsets cannot reach
};

// What the debug information adds to the reading: the variables' real types, and which symbols are functions.
struct DebugTyping {
    const DebugTypes& types;
    std::vector<bool> codeSections; // by section number - 1: the sections that hold code

    bool inCodeSection(std::int16_t sectionNumber) const
    {
        return sectionNumber >= 1 && static_cast<std::size_t>(sectionNumber) <= codeSections.size()
            && codeSections[static_cast<std::size_t>(sectionNumber - 1)];
    }
};

// Reads header.symbolCount entries at header.symbolTableOffset of `file`, names from the string table after them.
// Keeps an entry only if it is an external, non-zero, typed, non-pointer, non-function variable of one of the
// file's sections whose name is no compiler or linker name, outside the peripheral frames of device rows 36..41
// and 66..70. Every auxiliary entry is skipped; the first one gives an array its "Array Info" text. `symbols` is
// emptied first, keeping its capacity, and keeps a share of `file`; it stays empty unless the status is Ok.
// With `typing`, the type rules give way to the debug information: a symbol it knows as a variable takes its type
// and dimensions (pointers included), one it knows as a function or that lies in a code section is left out, and
// only the others are kept or left out by their symbol table types.
SymbolReadStatus readSymbolTable(const SharedBytes& file, const CoffFileHeader& header, int deviceRow,
    SymbolList& symbols, const DebugTyping* typing = nullptr);

} // namespace lumetra::image
