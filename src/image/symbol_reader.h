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

// Reads header.symbolCount entries at header.symbolTableOffset of `file`, names from the string table after them.
// Keeps an entry only if it is an external, non-zero, typed, non-pointer, non-function variable of one of the
// file's sections that holds no code, whose name is no compiler or linker name, outside the peripheral frames of
// device rows 36..41 and 66..70. Every auxiliary entry is skipped; the first one gives an array its "Array Info" text. `symbols` is
// emptied first, keeping its capacity, and keeps a share of `file`; it stays empty unless the status is Ok.
// With `types`, the type rules give way to the debug information: a symbol it knows as a variable (defined or
// declared) takes its type and dimensions (pointers included), one it knows as a function is left out, and only
// the others are kept or left out by their symbol table types.
SymbolReadStatus readSymbolTable(const SharedBytes& file, const CoffFileHeader& header, int deviceRow,
    SymbolList& symbols, const DebugTypes* types = nullptr);

} // namespace lumetra::image
