#include "core/number_field_range.h"

#include <algorithm>

namespace lumetra::core {

std::string notNumberText(std::string_view subject)
{
    return std::string(subject) + "이 숫자가 아닙니다.";
}

RangedNumber keepInRange(std::int64_t number, FieldRange range, std::string_view subject)
{
    const std::int64_t value = std::clamp(number, range.lowest, range.highest);
    if (value == number)
        return {value, {}};
    return {value, std::string(subject) + "이 허용 범위를 벗어나 " + std::to_string(value) + "(으)로 적용되었읍니다."};
}

} // namespace lumetra::core
