// Reads the COFF symbol table into the symbol list: the global variables that can be monitored.
#pragma once

#include "image/byte_view.h"
#include "image/coff_headers.h"
#include "image/symbol_list.h"

namespace lumetra::image {

enum class SymbolReadStatus {
    Ok,
    ReadPastEnd, // the table, an auxiliary entry, the string table or a name lies outside the file
    OutOfMemory,
};

struct SymbolReadResult {
    SymbolReadStatus status = SymbolReadStatus::Ok;
    SymbolList symbols; // empty unless status is Ok
};

// Reads header.symbolCount entries at header.symbolTableOffset of `file`, names from the string table after them.
// Keeps an entry only if it is an external, non-zero, typed, non-pointer, non-function variable of one of the
// file's sections whose name is no compiler or linker name, outside the peripheral frames of device rows 36..41
// and 66..70. Every auxiliary entry is skipped; the first one gives an array its "Array Info" text.
SymbolReadResult readSymbolTable(ByteView file, const CoffFileHeader& header, int deviceRow);

} // namespace lumetra::image
