// The informative dimension text of an array symbol, from its auxiliary entry.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace lumetra::image {

// "Array Info : [d0]" up to "Array Info : [d0][d1][d2][d3]": trailing zero dimensions are left out, d0 always shown.
std::string arrayInfoText(const std::array<std::uint16_t, 4>& dimensions);

} // namespace lumetra::image
