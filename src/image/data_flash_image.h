// The SPI boot table of a program in 8-bit form, as the F2834x boot from their external data flash.
#pragma once

#include "image/loaded_section.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace lumetra::image {

inline constexpr std::size_t kDataFlashImageCapacity = 0x400000;
inline constexpr std::size_t kDataFlashPageSize = 256;
inline constexpr std::uint16_t kDataFlashKey = 0x08AA;
inline constexpr std::uint16_t kDataFlashClockWord = 0x0202;
inline constexpr std::uint32_t kDataFlashBlockWords = 0xFFFF;

class DataFlashImage {
public:
    // Key, clock word, seven reserved words 0x00FF, entry point 0, each section as blocks of at most 65535 words
    // (count, address high word, address low word, data), a final count 0. Bytes past the 4 MiB capacity are not
    // kept; complete() then tells that the table was cut.
    static DataFlashImage build(std::span<const LoadedSection> sections, std::span<const std::uint8_t> imageBuffer);
    // An image of the given bytes (at most the capacity; more are dropped and the image is then incomplete).
    static DataFlashImage ofBytes(std::vector<std::uint8_t> bytes);

    std::span<const std::uint8_t> bytes() const { return bytes_; }
    std::size_t length() const { return bytes_.size(); }
    bool empty() const { return bytes_.empty(); }
    // False when the boot table needed more than the capacity and its end was dropped.
    bool complete() const { return complete_; }
    // 256 bytes from offset 256 * index; bytes past the length read as 0xFF.
    std::array<std::uint8_t, kDataFlashPageSize> page(std::size_t index) const;

private:
    std::vector<std::uint8_t> bytes_;
    bool complete_ = true;
};

} // namespace lumetra::image
