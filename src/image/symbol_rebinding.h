// Points registered variables at the symbols of the loaded program with the same names.
#pragma once

#include "image/data_object.h"
#include "image/symbol_list.h"

#include <vector>

namespace lumetra::image {

// Every record whose name is exactly that of a symbol takes the address, type and bit field of the first such symbol;
// its view type and array text stay. Records without a symbol of their name are left as they are.
void rebindToSymbols(std::vector<CDataObject>& records, const SymbolList& symbols);

// True when no symbol has the record's name: re-binding leaves the record at an earlier program's address.
bool lacksSymbol(const CDataObject& record, const SymbolList& symbols);

} // namespace lumetra::image
