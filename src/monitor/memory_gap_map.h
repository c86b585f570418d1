// Addresses without memory on the LF240xA rows, which the memory monitor never reads.
#pragma once

#include <cstdint>

namespace lumetra::monitor {

// Rows 0..3: 0x0080-0x00FF, 0x0500-0x07FF, 0x1000-0x6FFF and 0x8000-0xFFFF; rows 4 and 5 the first three of these;
// every other row none. With a step of 2 words each gap begins one word lower, so a two-word read never touches one.
bool inMemoryGap(int deviceIndex, std::uint32_t address, int step);

} // namespace lumetra::monitor
