// The rows of the symbol list view: one per symbol, sorted by name without regard to case.
#pragma once

#include "image/symbol_list.h"

#include <cstdint>
#include <string>
#include <vector>

namespace lumetra::image {

struct SymbolRow {
    std::string name; // "Symbol Name"
    std::string address; // "Address": "0x%04X" for target id 0x0092, else "0x%06X"
    std::string dataType; // "Data Type": derived type prefixes and the basic type name
    std::string etc; // "Etc": the array info text
    std::size_t symbolIndex = 0; // the record's index in the symbol list
};

// Rows in ascending case-insensitive name order; equal names keep symbol list order.
std::vector<SymbolRow> buildSymbolRows(const SymbolList& symbols, std::uint16_t targetId);

// Case-insensitive (ASCII) comparison of two names: true when a sorts before b.
bool nameLessIgnoringCase(std::string_view a, std::string_view b);

} // namespace lumetra::image
