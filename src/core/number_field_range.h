// The messages of a dialog's number field: the refusal of a text that is not a number, and the notice of a
// number outside the field's range, which the field takes as the nearest end of its range.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lumetra::core {

struct FieldRange {
    std::int64_t lowest = 0;
    std::int64_t highest = 0;
};

struct RangedNumber {
    std::int64_t value = 0;
    std::string notice; // empty when the number was inside the range

    bool operator==(const RangedNumber&) const = default;
};

// `subject` names the field as its messages do: its label followed by "값" ("타임 아웃 값", "최대값").
// "<subject>이 숫자가 아닙니다."
std::string notNumberText(std::string_view subject);

// The number, or the nearest end of the range with the notice
// "<subject>이 허용 범위를 벗어나 <value>(으)로 적용되었읍니다.".
RangedNumber keepInRange(std::int64_t number, FieldRange range, std::string_view subject);

} // namespace lumetra::core
