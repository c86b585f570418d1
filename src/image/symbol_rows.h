// The rows of the symbol list view: one per symbol, sorted by name without regard to case, each expanded structure
// or union followed by its members.
#pragma once

#include "image/symbol_list.h"

#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace lumetra::image {

struct SymbolRow {
    std::string name; // the symbol's name, a member's dotted name ("AdcRegs.ADCTRL1"), or empty on a note row
    std::string address; // "Address": "0x%04X" for target id 0x0092, else "0x%06X"
    std::string dataType; // "Data Type": derived type prefixes, the basic type name, a bit field's bits
    std::string etc; // "Etc": the array info text
    std::size_t symbolIndex = 0; // the record's index in the symbol list (of the symbol a member belongs to)
    std::string label; // "Symbol Name": the name, indented by member depth, after "+ " or "- " when it has members
    std::string note; // on a note row: the elements of a huge array left out (the label shows it)
    int depth = 0; // 0 for a symbol, 1 for its members, ...
    bool expandable = false;
    bool expanded = false;
    bool typedFromDebugInfo = false;
};

// Rows in ascending case-insensitive name order (equal names keep symbol list order); after each row whose name
// is in `expanded` (every row with members, with `expandAll`), its members in declaration order, or an array's
// elements in index order and a note row for those past kMaxListedElements.
std::vector<SymbolRow> buildSymbolRows(const SymbolList& symbols, std::uint16_t targetId,
    const std::set<std::string>& expanded = {}, bool expandAll = false);

// The characters of a row's label up to and including its "+ " or "- " (a click there opens or closes the row);
// 0 for a row without members.
std::size_t expanderLength(const SymbolRow& row);

// The texts of `column` (0 "Symbol Name" labels, 1 "Address", 2 "Data Type", 3 "Etc") that a column fitting them
// all must measure: the `count` longest, longest first.
std::vector<std::string> longestColumnTexts(const std::vector<SymbolRow>& rows, int column, std::size_t count);

// Case-insensitive (ASCII) comparison of two names: true when a sorts before b.
bool nameLessIgnoringCase(std::string_view a, std::string_view b);

} // namespace lumetra::image
