// Data types: the COFF basic type code of a variable with its name, word count, default view type and the
// display group that decides how the variable monitor renders it.
#pragma once

#include "monitor/view_types.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lumetra::monitor {

inline constexpr int kDataTypeCount = 16;

// How the variable monitor renders a value of the type (Void has none: it is never read).
enum class DisplayGroup { SingleWord, DoubleWord, Float };

struct DataTypeInfo {
    std::string_view displayName; // "Void", "Character", ... "Unsigned long"
    int wordCount; // words one read or write moves: 0, 1 or 2
    std::optional<ViewType> defaultViewType; // given when the variable is added; none for Void
    std::optional<DisplayGroup> displayGroup; // none for Void
};

// Only the low 4 bits of code are used, as only the low 4 bits of a COFF type field are the basic type.
const DataTypeInfo& dataTypeInfo(std::uint32_t code);

// What a variable of the whole type field reads as: a pointer (also an array's element pointer, whatever it points
// to) as the 32-bit Unsigned long it holds, every other type as its basic type.
const DataTypeInfo& dataTypeInfoOfField(std::uint16_t type);
// "Data Type" of a variable: a pointer's whole data type text ("Pointer to Structure"), else the basic type's
// display name; a bit field's bits after it.
std::string dataTypeTextOf(std::uint16_t type, std::uint8_t bitOffset, std::uint8_t bitWidth);

// The view type a monitored variable takes when its symbol is refreshed after a reload: the default view
// type of what the type field reads as, except nullopt for Void and Enumeration, whose row then stores view type 0
// and shows no view type text.
std::optional<ViewType> refreshedViewType(std::uint32_t code);

// The short naming used by the graph item dialogs: "short", "integer", "long", "float", "unsigned integer",
// "unsigned long", and "unsigned short" for every other code (any 32-bit value).
struct ShortTypeName {
    std::string_view name;
    int wordCount;
};
ShortTypeName shortTypeNameOf(std::uint32_t code);

} // namespace lumetra::monitor
