// The external SPI data flash of an F2834x board as the POD's data-flash algorithm sees it: 64 KB sectors
// erased to 0xFF, 256-byte pages programmed only over erased bytes, and page verification. A fresh chip holds an
// old boot table, so that only an erase makes room for a new one.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace lumetra::sim {

class SpiDataFlash {
public:
    static constexpr std::uint32_t kSectorBytes = 0x10000;
    static constexpr std::uint32_t kPageBytes = 256;

    // Chooses the memory type (0..5) and with it the size; false for an unknown one. The content stays from one
    // choice to the next.
    bool initialise(int type);
    int type() const { return type_; }
    std::uint32_t size() const { return size_; }
    bool eraseSector(std::uint32_t sector);
    // Bytes 0..lastByteIndex of the page; false when one of them is not erased or the page lies past the chip.
    bool programPage(std::uint32_t page, std::uint8_t lastByteIndex, std::span<const std::uint8_t> data);
    bool verifyPage(std::uint32_t page, std::uint8_t lastByteIndex, std::span<const std::uint8_t> data) const;
    // A programming fault: one byte of the page (its last programmed one) keeps a wrong value.
    void corruptPage(std::uint32_t page, std::uint8_t lastByteIndex);

    // The content of the chosen type's size (nothing before a type is chosen).
    std::vector<std::uint8_t> read(std::uint32_t offset, std::uint32_t count) const;
    const std::vector<std::uint32_t>& erasedSectors() const { return erasedSectors_; }
    // The byte a fresh chip holds at the offset.
    static std::uint8_t oldContentByte(std::uint32_t offset);

private:
    bool pageFits(std::uint32_t page, std::span<const std::uint8_t> data) const;

    int type_ = -1;
    std::uint32_t size_ = 0;
    std::vector<std::uint8_t> bytes_;
    std::vector<std::uint32_t> erasedSectors_;
};

} // namespace lumetra::sim
