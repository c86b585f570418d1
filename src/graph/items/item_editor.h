// The editor group of an item dialog: what choosing a symbol, a type or a list row puts into it, and the
// validation that turns its texts into an item.
#pragma once

#include "core/settings_dialog_logic.h"
#include "graph/items/item_dialog_state.h"
#include "image/data_object.h"

#include <variant>

namespace lumetra::graph {

// Choosing a type: "float" makes the precision writable and sets it to "3"; every other type makes it
// read-only and sets it to "0".
void chooseEditorType(ItemEditor& editor, int typeIndex);

// Choosing a symbol: its name, its address, the last array dimension as the length (memory graph; left as it
// was when the symbol is no array) and the type of its basic type, with the float rule.
void loadSymbolIntoEditor(ItemEditor& editor, GraphKind kind, core::Family family, const image::CDataObject& symbol);

// Clicking a row: the row's cell texts; the precision is writable for "float".
void loadRowIntoEditor(ItemEditor& editor, GraphKind kind, core::Family family, const GraphChannel& row);

// The item the editor describes, or the message of the first rule it breaks (memory graph: address, length
// and label present, address and length hexadecimal digits that are a number of their radix, address and the
// whole block inside the address space, length above 1; time graph: address, label, digits, address; then a
// float's precision a decimal number). The time graph item has length 0.
std::variant<core::DialogMessage, GraphChannel> validateEditor(
    GraphKind kind, core::Family family, const ItemEditor& editor);

} // namespace lumetra::graph
