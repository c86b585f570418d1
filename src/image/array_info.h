// The informative dimension text of an array symbol, from its auxiliary entry or its debug information.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace lumetra::image {

// "Array Info : [d0]" up to "Array Info : [d0][d1][d2][d3]": trailing zero dimensions are left out, d0 always shown.
std::string arrayInfoText(const std::array<std::uint16_t, 4>& dimensions);

// The same text for the dimensions of the debug information, outermost first: the first four, zeros included (an
// array of unknown size); empty for no dimensions.
std::string arrayInfoText(std::span<const std::uint32_t> dimensions);

} // namespace lumetra::image
