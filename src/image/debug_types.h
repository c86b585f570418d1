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

// A member of a structure or union; a bit field stands for the word that holds it.
struct DebugMember {
    std::string name;
    std::uint32_t offset = 0; // words from the start of the structure
    std::uint16_t type = 0; // a COFF type field
    std::vector<std::uint32_t> dimensions;
    int aggregate = -1; // the members of a structure or union member (index into DebugTypes::aggregates)
};

struct DebugAggregate {
    std::vector<DebugMember> members; // in declaration order; unnamed and untyped members left out
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
    std::unordered_set<std::string, NameHash, std::equal_to<>> functions;
    std::vector<DebugAggregate> aggregates; // shared by every variable and member of the same type

    const DebugVariable* variable(std::string_view name) const
    {
        const auto found = variables.find(name);
        return found == variables.end() ? nullptr : &found->second;
    }
    bool isFunction(std::string_view name) const { return functions.contains(name); }
};

} // namespace lumetra::image
