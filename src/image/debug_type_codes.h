// Maps the types of the debug information onto the data type codes of the COFF type field. Sizes count target
// words (16 bits), as the C2000 debug information does.
#pragma once

#include "image/coff_types.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace lumetra::image {

// Base type encodings of the debug information.
enum class BaseEncoding : std::uint8_t {
    Address = 0x1,
    Boolean = 0x2,
    Float = 0x4,
    Signed = 0x5,
    SignedChar = 0x6,
    Unsigned = 0x7,
    UnsignedChar = 0x8,
};

// The data type code of a base type: char 2, short 3, int 4, long and long long 5, float 6, double 7, long double 11,
// unsigned char and bool 12, unsigned short 13, unsigned int 14, unsigned long and unsigned long long 15. A 16-bit
// type is a short only when its name says so; 64-bit integers keep the long codes (read as their first 32 bits).
// 0 for an encoding without a code.
int baseTypeCode(std::uint64_t encoding, std::uint64_t sizeWords, std::string_view name);

// A pointer is read whole: an unsigned integer of its width (1 word: 14, otherwise 15).
int pointerTargetCode(std::uint64_t sizeWords);

// The words a value of the type field occupies where it is not an aggregate: a pointer 2, long, float and double 2,
// long double 4, every other 1.
std::uint32_t typeWordCount(std::uint16_t type);

inline constexpr int kStructureCode = 8;
inline constexpr int kUnionCode = 9;
inline constexpr int kEnumerationCode = 10;

// A COFF type field from a basic type code and the derivations from the outermost on; derivations past the sixth are
// dropped.
std::uint16_t composeTypeField(int basicCode, std::span<const DerivedType> derivations);

} // namespace lumetra::image
