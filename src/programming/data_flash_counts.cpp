#include "programming/data_flash_counts.h"

#include "core/device_catalogue.h"

#include <algorithm>

namespace lumetra::programming {

namespace {

constexpr std::uint32_t kSectorBytes = 0x10000;
constexpr std::uint32_t kPageBytes = 0x100;
constexpr std::uint32_t kLastSectorIndex = 63;
constexpr std::uint32_t kLastPageIndex = 0x3FFF;

std::uint32_t sectorsOf(int type)
{
    return core::dataFlashCapacityOf(type) / kSectorBytes;
}

} // namespace

std::uint32_t dataFlashSectorsToErase(std::uint32_t length, int type, bool eraseAll)
{
    if (eraseAll)
        return sectorsOf(type);
    const std::uint32_t last = std::min(((length - 1) >> 16) & 0x7F, kLastSectorIndex);
    return std::min(last, sectorsOf(type) - 1) + 1;
}

std::uint32_t dataFlashPagesToProgram(std::uint32_t length, int type)
{
    const std::uint32_t last = std::min(((length - 1) >> 8) & 0x7FFF, kLastPageIndex);
    return std::min(last, core::dataFlashCapacityOf(type) / kPageBytes - 1) + 1;
}

std::uint8_t dataFlashLastByteIndex(std::uint32_t page, std::uint32_t pages, std::uint32_t length)
{
    return page + 1 == pages ? static_cast<std::uint8_t>((length - 1) & 0xFF) : std::uint8_t {0xFF};
}

} // namespace lumetra::programming
