#include "monitor/bit_field_value.h"

#include "monitor/data_types.h"

#include "image/coff_types.h"

namespace lumetra::monitor {

namespace {

std::uint32_t lowBits(int count)
{
    return count >= 32 ? 0xFFFFFFFFu : (std::uint32_t {1} << count) - 1;
}

// Character, short, integer and long (codes 1 to 5) are signed.
bool isSignedType(std::uint16_t type)
{
    const int basic = image::basicTypeOf(type);
    return basic >= 1 && basic <= 5;
}

int valueBits(const image::CDataObject& record)
{
    return dataTypeInfoOfField(record.type).wordCount == 1 ? 16 : 32;
}

// The field's bits extended to the type's width by their top bit.
std::uint32_t signExtended(const image::CDataObject& record, std::uint32_t bits)
{
    const std::uint32_t field = lowBits(record.bitWidth);
    if (record.bitWidth == 0 || (bits & (std::uint32_t {1} << (record.bitWidth - 1))) == 0)
        return bits;
    return (bits | ~field) & lowBits(valueBits(record));
}

} // namespace

std::uint32_t bitFieldValue(const image::CDataObject& record, std::uint32_t held)
{
    if (record.bitWidth == 0)
        return held;
    const std::uint32_t bits = (held >> record.bitOffset) & lowBits(record.bitWidth);
    return isSignedType(record.type) ? signExtended(record, bits) : bits;
}

std::optional<std::uint32_t> withBitField(const image::CDataObject& record, std::uint32_t held, std::uint32_t value)
{
    if (record.bitWidth == 0)
        return value;
    const std::uint32_t field = lowBits(record.bitWidth);
    const std::uint32_t bits = value & field;
    const bool fits = isSignedType(record.type) ? signExtended(record, bits) == value : bits == value;
    if (!fits)
        return std::nullopt;
    const std::uint32_t place = field << record.bitOffset;
    return (held & ~place) | (bits << record.bitOffset);
}

} // namespace lumetra::monitor
