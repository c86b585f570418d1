#include "sim/spi_data_flash.h"

#include "core/device_catalogue.h"

#include <algorithm>

namespace lumetra::sim {

namespace {

constexpr std::uint8_t kErased = 0xFF;
constexpr std::uint32_t kLargestChip = 0x400000;

} // namespace

std::uint8_t SpiDataFlash::oldContentByte(std::uint32_t offset)
{
    return static_cast<std::uint8_t>(((offset * 0x9Du) ^ (offset >> 8)) & 0x7F);
}

bool SpiDataFlash::initialise(int type)
{
    if (type < 0 || type >= core::kDataFlashTypeCount) {
        return false;
    }
    if (bytes_.empty()) {
        bytes_.resize(kLargestChip);
        for (std::uint32_t i = 0; i < kLargestChip; ++i) {
            bytes_[i] = oldContentByte(i);
        }
    }
    type_ = type;
    size_ = core::dataFlashCapacityOf(type);
    erasedSectors_.clear();
    return true;
}

bool SpiDataFlash::eraseSector(std::uint32_t sector)
{
    const std::uint64_t first = static_cast<std::uint64_t>(sector) * kSectorBytes;
    if (first + kSectorBytes > size_) {
        return false;
    }
    std::fill_n(bytes_.begin() + static_cast<std::ptrdiff_t>(first), kSectorBytes, kErased);
    erasedSectors_.push_back(sector);
    return true;
}

bool SpiDataFlash::pageFits(std::uint32_t page, std::span<const std::uint8_t> data) const
{
    return data.size() == kPageBytes && (static_cast<std::uint64_t>(page) + 1) * kPageBytes <= size_;
}

bool SpiDataFlash::programPage(std::uint32_t page, std::uint8_t lastByteIndex, std::span<const std::uint8_t> data)
{
    if (!pageFits(page, data)) {
        return false;
    }
    std::uint8_t* target = bytes_.data() + static_cast<std::size_t>(page) * kPageBytes;
    if (!std::all_of(target, target + lastByteIndex + 1, [](std::uint8_t b) { return b == kErased; })) {
        return false;
    }
    std::copy_n(data.begin(), lastByteIndex + 1, target);
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

void SpiDataFlash::corruptPage(std::uint32_t page, std::uint8_t lastByteIndex)
{
    const std::uint64_t at = static_cast<std::uint64_t>(page) * kPageBytes + lastByteIndex;
    if (at < size_) {
        bytes_[at] ^= 0x10;
    }
}

std::vector<std::uint8_t> SpiDataFlash::read(std::uint32_t offset, std::uint32_t count) const
{
    if (offset >= size_) {
        return {};
    }
    const std::size_t end = std::min<std::size_t>(size_, static_cast<std::size_t>(offset) + count);
    return {bytes_.begin() + offset, bytes_.begin() + static_cast<std::ptrdiff_t>(end)};
}

} // namespace lumetra::sim
