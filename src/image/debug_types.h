// What a program's debug information says about its global variables and functions, in the terms of the symbol
// list: COFF type fields (basic type code and derivations) and array dimensions.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace lumetra::image {

// A member of a structure or union. A bit field lies in the value of its type (one or two words) at `offset`.
struct DebugMember {
    std::string name;
    std::uint32_t offset = 0; // words from the start of the structure
    std::uint16_t type = 0; // a COFF type field
    std::vector<std::uint32_t> dimensions;
    int aggregate = -1; // the members of a structure or union member (index into DebugTypes::aggregates)
    std::uint8_t bitOffset = 0; // a bit field's lowest bit in that value
    std::uint8_t bitWidth = 0; // 0: not a bit field
};

// A structure or union with its members, or an array of them with its elements instead.
struct DebugAggregate {
    std::vector<DebugMember> members; // in declaration order; unnamed and untyped members left out
    std::uint32_t sizeWords = 0; // of a structure or union; 0 when the debug information does not say
    int element = -1; // an array's element structure or union (index into DebugTypes::aggregates), else -1
    std::uint16_t elementType = 0; // an array's element type field
    std::vector<std::uint32_t> dimensions; // an array's, outermost first
};

struct DebugVariable {
    std::uint32_t address = 0; // word address of its static location
    std::uint16_t type = 0; // a COFF type field: basic type code and derivations
    std::vector<std::uint32_t> dimensions; // of an array, outermost first; empty otherwise
    int aggregate = -1; // the members of a structure or union variable
};

enum class DebugReadStatus {
    NoDebugInfo, // the file carries no .debug_info section
    Read,
    Unreadable, // the debug sections are damaged or of a kind the reader does not know
};

// Lets the maps be searched by a view of a name without making a string.
struct NameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view name) const { return std::hash<std::string_view> {}(name); }
};

struct DebugTypes {
    DebugReadStatus status = DebugReadStatus::NoDebugInfo;
    std::string problem; // why the debug information could not be read (Unreadable only)
    int dwarfVersion = 0; // of the first compilation unit
    // External variables with a static address, by name as the file spells it (no leading "_").
    std::unordered_map<std::string, DebugVariable, NameHash, std::equal_to<>> variables;
    // Types of external variables that are only declared (no address), for definitions that carry none.
    std::unordered_map<std::string, DebugVariable, NameHash, std::equal_to<>> declarations;
    std::unordered_set<std::string, NameHash, std::equal_to<>> functions;
    std::vector<DebugAggregate> aggregates; // shared by every variable and member of the same type

    // The variable's definition, else its declaration; the address is the definition's (0 from a declaration).
    const DebugVariable* variable(std::string_view name) const
    {
        if (const auto found = variables.find(name); found != variables.end())
            return &found->second;
        const auto declared = declarations.find(name);
        return declared == declarations.end() ? nullptr : &declared->second;
    }
    bool isFunction(std::string_view name) const { return functions.contains(name); }
};

} // namespace lumetra::image
