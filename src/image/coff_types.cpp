#include "image/coff_types.h"

#include <array>

namespace lumetra::image {

namespace {

constexpr std::array<std::string_view, 16> kBasicTypeNames {
    "Void",
    "Character",
    "Character",
    "Short",
    "Integer",
    "Long",
    "Floating point",
    "Double floating point",
    "Structure",
    "Union",
    "Enumeration",
    "Long double floating point",
    "Unsigned character",
    "Unsigned short",
    "Unsigned integer",
    "Unsigned long",
};

} // namespace

std::string_view basicTypeName(int code)
{
    if (code < 0 || code >= static_cast<int>(kBasicTypeNames.size()))
        return {};
    return kBasicTypeNames[static_cast<std::size_t>(code)];
}

std::string_view derivedTypePrefix(DerivedType derived)
{
    switch (derived) {
    case DerivedType::Pointer:
        return "Pointer to ";
    case DerivedType::Function:
        return "Function of ";
    case DerivedType::Array:
        return "Array of ";
    case DerivedType::None:
        break;
    }
    return {};
}

std::string dataTypeText(std::uint16_t type)
{
    std::string text;
    for (int n = 0; n < kMaxDerivations; ++n) {
        const DerivedType derived = derivationOf(type, n);
        if (derived == DerivedType::None)
            break;
        text += derivedTypePrefix(derived);
    }
    text += basicTypeName(basicTypeOf(type));
    return text;
}

std::string bitFieldText(std::uint8_t bitOffset, std::uint8_t bitWidth)
{
    if (bitWidth == 0)
        return {};
    return " (bit " + std::to_string(bitOffset) + ", width " + std::to_string(bitWidth) + ")";
}

} // namespace lumetra::image
