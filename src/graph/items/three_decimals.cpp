#include "graph/items/three_decimals.h"

#include <array>
#include <charconv>

namespace lumetra::graph {

std::string threeDecimals(double value)
{
    std::array<char, 400> buffer {};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed, 3);
    return std::string(buffer.data(), result.ptr);
}

} // namespace lumetra::graph
