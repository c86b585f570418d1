#include "image/debug_type_codes.h"

#include <algorithm>

namespace lumetra::image {

namespace {

int signedCode(std::uint64_t sizeWords, std::string_view name)
{
    if (sizeWords >= 2)
        return 5;
    return name.find("short") != std::string_view::npos ? 3 : 4;
}

int unsignedCode(std::uint64_t sizeWords, std::string_view name)
{
    if (sizeWords >= 2)
        return 15;
    return name.find("short") != std::string_view::npos ? 13 : 14;
}

int floatCode(std::uint64_t sizeWords, std::string_view name)
{
    if (sizeWords >= 4)
        return 11;
    return name.find("double") != std::string_view::npos ? 7 : 6;
}

} // namespace

int baseTypeCode(std::uint64_t encoding, std::uint64_t sizeWords, std::string_view name)
{
    switch (static_cast<BaseEncoding>(encoding)) {
    case BaseEncoding::SignedChar:
        return 2;
    case BaseEncoding::UnsignedChar:
    case BaseEncoding::Boolean:
        return 12;
    case BaseEncoding::Signed:
        return signedCode(sizeWords, name);
    case BaseEncoding::Unsigned:
        return unsignedCode(sizeWords, name);
    case BaseEncoding::Float:
        return floatCode(sizeWords, name);
    case BaseEncoding::Address:
        return pointerTargetCode(sizeWords);
    }
    return 0;
}

int pointerTargetCode(std::uint64_t sizeWords)
{
    return sizeWords == 1 ? 14 : 15;
}

std::uint32_t typeWordCount(std::uint16_t type)
{
    if (derivationOf(type, 0) == DerivedType::Pointer)
        return 2;
    switch (basicTypeOf(type)) {
    case 5:
    case 6:
    case 7:
    case 15:
        return 2;
    case 11:
        return 4;
    default:
        return 1;
    }
}

std::uint16_t composeTypeField(int basicCode, std::span<const DerivedType> derivations)
{
    auto field = static_cast<std::uint16_t>(basicCode & 0x0F);
    const std::size_t kept = std::min<std::size_t>(derivations.size(), kMaxDerivations);
    for (std::size_t n = 0; n < kept; ++n)
        field = static_cast<std::uint16_t>(field | static_cast<unsigned>(derivations[n]) << (4 + 2 * n));
    return field;
}

} // namespace lumetra::image
