// Builds small DWARF debug information (.debug_info and .debug_abbrev, versions 2 to 4) for tests and fuzz seeds:
// one compilation unit with base types, typedefs, qualifiers, pointers, enumerations, structures and unions with
// members, arrays, variables with static addresses and functions. Sizes count 16-bit target words.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lumetra::test {

inline constexpr std::uint8_t kEncodingFloat = 0x04;
inline constexpr std::uint8_t kEncodingSigned = 0x05;
inline constexpr std::uint8_t kEncodingSignedChar = 0x06;
inline constexpr std::uint8_t kEncodingUnsigned = 0x07;
inline constexpr std::uint8_t kEncodingUnsignedChar = 0x08;

class DwarfWriter {
public:
    using Ref = int; // a type built earlier

    explicit DwarfWriter(int version = 2);

    Ref baseType(const std::string& name, std::uint8_t encoding, std::uint8_t sizeWords);
    Ref typedefOf(const std::string& name, Ref type);
    Ref volatileOf(Ref type);
    Ref pointerTo(Ref type);
    Ref enumeration(const std::string& name);
    // A structure (or union) whose members follow with member() until the next type or variable.
    Ref structure(const std::string& name, std::uint8_t sizeWords);
    Ref unionType(const std::string& name, std::uint8_t sizeWords);
    void member(const std::string& name, Ref type, std::uint32_t offsetWords);
    // A bit field of `widthBits` bits whose lowest bit is `lowestBit` of the value of `type` (`valueWords` long) at
    // `offsetWords`: DWARF 2 and 3 count its place from the value's top bit, DWARF 4 from the structure's first bit.
    void bitField(const std::string& name, Ref type, std::uint32_t offsetWords, std::uint8_t valueWords,
        std::uint8_t lowestBit, std::uint8_t widthBits);
    // A function type returning nothing, for pointers to functions.
    Ref functionType();
    // An array with one subrange per dimension (element counts, outermost first).
    Ref arrayOf(Ref element, const std::vector<std::uint32_t>& dimensions);
    void variable(const std::string& name, std::uint32_t address, Ref type, bool external = true);
    void function(const std::string& name, std::uint32_t address);
    // An external variable declared here and defined elsewhere: a type, no location.
    void declaration(const std::string& name, Ref type);
    // A reference to a type that points at the given offset in the unit, for damaged files.
    Ref rawReference(std::uint32_t unitOffset);

    std::vector<std::uint8_t> info() const;
    std::vector<std::uint8_t> abbrev() const;

private:
    struct Attribute {
        enum Kind { Text, Byte, Word, Flag, Reference, Address, Location, MemberOffset } kind;
        std::string text;
        std::uint32_t value = 0;
    };
    struct Node {
        std::uint8_t abbrev = 0;
        int parent = -1; // -1: child of the compilation unit
        std::vector<Attribute> attributes;
    };
    Ref add(std::uint8_t abbrev, std::vector<Attribute> attributes, int parent = -1);
    // Writes the unit with references to `offsets` and stores there where each node landed.
    std::vector<std::uint8_t> unitBytes(std::vector<std::uint32_t>& offsets) const;

    int version_;
    std::vector<Node> nodes_;
    int openAggregate_ = -1;
    std::vector<std::uint32_t> rawTargets_; // for rawReference: negative refs index this
};

} // namespace lumetra::test
