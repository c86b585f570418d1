// A bit field's value within the word (or two) that holds it, and a new value put into that word.
#pragma once

#include "image/data_object.h"

#include <cstdint>
#include <optional>

namespace lumetra::monitor {

// The field's bits of `held` (the value of the record's type at its address) shifted down, a signed type's field
// sign-extended to the type's width; `held` itself for a record that is no bit field.
std::uint32_t bitFieldValue(const image::CDataObject& record, std::uint32_t held);

// `held` with the field's bits replaced by `value`: for a record that is no bit field, `value`. Nothing when
// `value` (of the type's width) is not a number of the field's range: 0 to 2^width - 1, or for a signed type
// -2^(width-1) to 2^(width-1) - 1, as a read of the field shows them.
std::optional<std::uint32_t> withBitField(const image::CDataObject& record, std::uint32_t held, std::uint32_t value);

} // namespace lumetra::monitor
