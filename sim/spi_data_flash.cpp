#include "sim/spi_data_flash.h"

#include "core/device_catalogue.h"

#include <algorithm>

namespace lumetra::sim {

bool SpiDataFlash::initialise(int type)
{
    if (type < 0 || type >= core::kDataFlashTypeCount) {
        return false;
    }
    type_ = type;
    bytes_.assign(core::dataFlashCapacityOf(type), 0xFF);
    erasedSectors_.clear();
    return true;
}

bool SpiDataFlash::eraseSector(std::uint32_t sector)
{
    const std::uint64_t first = static_cast<std::uint64_t>(sector) * kSectorBytes;
    if (first + kSectorBytes > bytes_.size()) {
        return false;
    }
    std::fill_n(bytes_.begin() + static_cast<std::ptrdiff_t>(first), kSectorBytes, std::uint8_t{0xFF});
    erasedSectors_.push_back(sector);
    return true;
}

bool SpiDataFlash::pageFits(std::uint32_t page, std::span<const std::uint8_t> data) const
{
    return data.size() == kPageBytes && (static_cast<std::uint64_t>(page) + 1) * kPageBytes <= bytes_.size();
}

bool SpiDataFlash::programPage(std::uint32_t page, std::uint8_t lastByteIndex, std::span<const std::uint8_t> data)
{
    if (!pageFits(page, data)) {
        return false;
    }
    std::uint8_t* target = bytes_.data() + static_cast<std::size_t>(page) * kPageBytes;
    for (std::size_t i = 0; i <= lastByteIndex; ++i) {
        target[i] &= data[i];
    }
    return true;
}

bool SpiDataFlash::verifyPage(std::uint32_t page, std::uint8_t lastByteIndex, std::span<const std::uint8_t> data) const
{
    if (!pageFits(page, data)) {
        return false;
    }
    const std::uint8_t* stored = bytes_.data() + static_cast<std::size_t>(page) * kPageBytes;
    return std::equal(data.begin(), data.begin() + lastByteIndex + 1, stored);
}

std::vector<std::uint8_t> SpiDataFlash::read(std::uint32_t offset, std::uint32_t count) const
{
    if (offset >= bytes_.size()) {
        return {};
    }
    const std::size_t end = std::min<std::size_t>(bytes_.size(), static_cast<std::size_t>(offset) + count);
    return {bytes_.begin() + offset, bytes_.begin() + static_cast<std::ptrdiff_t>(end)};
}

} // namespace lumetra::sim
