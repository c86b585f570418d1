#include "monitor/memory_gap_map.h"

#include <array>

namespace lumetra::monitor {

namespace {

struct Gap {
    std::uint32_t first;
    std::uint32_t last;
};

constexpr std::array<Gap, 4> kGaps {{{0x0080, 0x00FF}, {0x0500, 0x07FF}, {0x1000, 0x6FFF}, {0x8000, 0xFFFF}}};

constexpr int kLastRowWithExternalSpaceGap = 3;
constexpr int kLastLf2407aRow = 5;

} // namespace

bool inMemoryGap(int deviceIndex, std::uint32_t address, int step)
{
    if (deviceIndex < 0 || deviceIndex > kLastLf2407aRow)
        return false;
    const std::size_t gapCount = deviceIndex <= kLastRowWithExternalSpaceGap ? kGaps.size() : kGaps.size() - 1;
    const std::uint32_t lowering = step == 2 ? 1 : 0;
    for (std::size_t n = 0; n < gapCount; ++n) {
        if (address >= kGaps[n].first - lowering && address <= kGaps[n].last)
            return true;
    }
    return false;
}

} // namespace lumetra::monitor
