#include "monitor/data_types.h"

#include "image/coff_types.h"

#include <array>

namespace lumetra::monitor {

namespace {

struct TypeTraits {
    int wordCount;
    std::optional<ViewType> defaultViewType;
    std::optional<DisplayGroup> displayGroup;
};

constexpr TypeTraits kSingleHex {1, ViewType::Hex16, DisplayGroup::SingleWord};
constexpr TypeTraits kSingleSigned {1, ViewType::Signed16, DisplayGroup::SingleWord};
constexpr TypeTraits kSingleUnsigned {1, ViewType::Unsigned16, DisplayGroup::SingleWord};
constexpr TypeTraits kDoubleHex {2, ViewType::Hex16, DisplayGroup::DoubleWord};
constexpr TypeTraits kFloat {2, ViewType::Float32, DisplayGroup::Float};

constexpr std::array<TypeTraits, kDataTypeCount> kTraits {{
    {0, std::nullopt, std::nullopt}, // 0 Void
    kSingleHex, // 1 Character
    kSingleHex, // 2 Character
    kSingleSigned, // 3 Short
    kSingleSigned, // 4 Integer
    {2, ViewType::Signed32, DisplayGroup::DoubleWord}, // 5 Long
    kFloat, // 6 Floating point
    kFloat, // 7 Double floating point
    kDoubleHex, // 8 Structure
    kDoubleHex, // 9 Union
    kSingleHex, // 10 Enumeration
    kFloat, // 11 Long double floating point
    kSingleHex, // 12 Unsigned character
    kSingleUnsigned, // 13 Unsigned short
    kSingleUnsigned, // 14 Unsigned integer
    {2, ViewType::Unsigned32, DisplayGroup::DoubleWord}, // 15 Unsigned long
}};

constexpr std::uint32_t kVoid = 0;
constexpr std::uint32_t kEnumeration = 10;

std::array<DataTypeInfo, kDataTypeCount> buildTable()
{
    std::array<DataTypeInfo, kDataTypeCount> table {};
    for (std::size_t code = 0; code < table.size(); ++code) {
        const TypeTraits& traits = kTraits[code];
        table[code] = {image::basicTypeName(static_cast<int>(code)), traits.wordCount, traits.defaultViewType,
            traits.displayGroup};
    }
    return table;
}

} // namespace

const DataTypeInfo& dataTypeInfo(std::uint32_t code)
{
    static const std::array<DataTypeInfo, kDataTypeCount> table = buildTable();
    return table[code & 0x0F];
}

namespace {

constexpr std::uint32_t kUnsignedLong = 15;

// A pointer, or an array of them.
bool readsAsPointer(std::uint16_t type)
{
    for (int n = 0; n < image::kMaxDerivations; ++n) {
        const image::DerivedType derived = image::derivationOf(type, n);
        if (derived != image::DerivedType::Array)
            return derived == image::DerivedType::Pointer;
    }
    return false;
}

} // namespace

const DataTypeInfo& dataTypeInfoOfField(std::uint16_t type)
{
    return dataTypeInfo(readsAsPointer(type) ? kUnsignedLong : type);
}

std::string dataTypeTextOf(std::uint16_t type, std::uint8_t bitOffset, std::uint8_t bitWidth)
{
    std::string text = readsAsPointer(type) ? image::dataTypeText(type) : std::string(dataTypeInfo(type).displayName);
    return text + image::bitFieldText(bitOffset, bitWidth);
}

std::optional<ViewType> refreshedViewType(std::uint32_t code)
{
    const std::uint16_t type = static_cast<std::uint16_t>(code);
    const std::uint32_t basic = readsAsPointer(type) ? kUnsignedLong : code & 0x0F;
    if (basic == kVoid || basic == kEnumeration)
        return std::nullopt;
    return dataTypeInfo(basic).defaultViewType;
}

ShortTypeName shortTypeNameOf(std::uint32_t code)
{
    switch (code) {
    case 3:
        return {"short", 1};
    case 4:
        return {"integer", 1};
    case 5:
        return {"long", 2};
    case 6:
    case 7:
    case 11:
        return {"float", 2};
    case 14:
        return {"unsigned integer", 1};
    case 15:
        return {"unsigned long", 2};
    default:
        return {"unsigned short", 1};
    }
}

} // namespace lumetra::monitor
