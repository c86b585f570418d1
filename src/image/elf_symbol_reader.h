// Reads the symbol table of an ELF (EABI) file into the symbol list: the global data symbols that can be
// monitored, typed from the debug information where it describes them.
#pragma once

#include "image/debug_types.h"
#include "image/elf_headers.h"
#include "image/shared_bytes.h"
#include "image/symbol_list.h"
#include "image/symbol_reader.h"

namespace lumetra::image {

// Keeps a global object (or untyped) symbol with a non-zero value in a section that holds no code, outside the
// peripheral frames of the device row, whose name is no compiler or linker name (it starts with neither "." nor
// "_" and holds no "$") and that the debug information does not name as a function. A variable the debug
// information describes takes its type, dimensions and members; any other is an Integer, as the C2000 tools type
// their symbols. `symbols` is emptied first and stays empty unless the status is Ok.
SymbolReadStatus readElfSymbols(const SharedBytes& file, const ElfFile& elf, const std::vector<ElfSymbol>& table,
    int deviceRow, const DebugTypes* types, SymbolList& symbols);

} // namespace lumetra::image
