// The COFF symbol type field: its basic type code and derived types, and their display names.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lumetra::image {

// Basic type in bits 0-3; up to six derived types of two bits each from bit 4, first derivation first.
inline constexpr int kMaxDerivations = 6;

enum class DerivedType : std::uint8_t { None = 0, Pointer = 1, Function = 2, Array = 3 };

constexpr int basicTypeOf(std::uint16_t type)
{
    return type & 0x0F;
}

// Derivation n (0 = first, up to kMaxDerivations - 1).
constexpr DerivedType derivationOf(std::uint16_t type, int n)
{
    return static_cast<DerivedType>((type >> (4 + 2 * n)) & 0x3);
}

// Display name of a basic type code 0..15 ("Void", "Character", ..., "Unsigned long"); empty outside.
std::string_view basicTypeName(int code);

// "Pointer to ", "Function of ", "Array of "; empty for None.
std::string_view derivedTypePrefix(DerivedType derived);

// The data type text of a whole type field: the prefixes of the non-zero derivations from the first on,
// up to the first zero one, then the basic type's name ("Array of Integer").
std::string dataTypeText(std::uint16_t type);

// What follows the data type text of a bit field: " (bit 4, width 3)"; empty for a width of 0 (no bit field).
std::string bitFieldText(std::uint8_t bitOffset, std::uint8_t bitWidth);

} // namespace lumetra::image
