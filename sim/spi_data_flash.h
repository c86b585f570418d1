// The external SPI data flash of an F2834x board as the POD's data-flash algorithm sees it: 64 KB sectors
// erased to 0xFF, 256-byte pages programmed by clearing bits, and page verification.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace lumetra::sim {

class SpiDataFlash {
public:
    static constexpr std::uint32_t kSectorBytes = 0x10000;
    static constexpr std::uint32_t kPageBytes = 256;

    // Chooses the memory type (0..5); false for an unknown one. The content starts erased.
    bool initialise(int type);
    int type() const { return type_; }
    bool eraseSector(std::uint32_t sector);
    // Bytes 0..lastByteIndex of the page.
    bool programPage(std::uint32_t page, std::uint8_t lastByteIndex, std::span<const std::uint8_t> data);
    bool verifyPage(std::uint32_t page, std::uint8_t lastByteIndex, std::span<const std::uint8_t> data) const;

    std::vector<std::uint8_t> read(std::uint32_t offset, std::uint32_t count) const;
    const std::vector<std::uint32_t>& erasedSectors() const { return erasedSectors_; }

private:
    bool pageFits(std::uint32_t page, std::span<const std::uint8_t> data) const;

    int type_ = -1;
    std::vector<std::uint8_t> bytes_;
    std::vector<std::uint32_t> erasedSectors_;
};

} // namespace lumetra::sim
