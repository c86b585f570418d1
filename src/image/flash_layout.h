// The on-chip flash of the C28x device rows: flash and OTP windows, sector layouts, the two-bank rows, and the
// tagging of a loaded section with the sectors it covers.
#pragma once

#include <cstdint>
#include <span>

namespace lumetra::image {

struct FlashRange {
    std::uint32_t first = 0;
    std::uint32_t last = 0; // inclusive
    constexpr bool contains(std::uint64_t address) const { return address >= first && address <= last; }
};

inline constexpr std::uint16_t kOtpSectorMask = 0x0400;
inline constexpr std::uint32_t kBank0Base = 0x080000;
inline constexpr std::uint32_t kBank1Base = 0x0C0000;
inline constexpr std::uint32_t kBankWords = 0x040000;

struct FlashTag {
    bool inFlash = false; // first (or only) bank, or OTP
    std::uint16_t mask = 0;
    bool inSecondBank = false;
    std::uint16_t secondBankMask = 0;
};

// Rows whose sections are tagged: the C28x rows except the F2834x (36..41), which have no internal flash.
bool hasFlashTagging(int row);
// The F2837xS rows 66..70.
bool isDualBank(int row);
// Rows 67, 69 and 70, where a section running from bank 0 into bank 1 is split and both banks take flash data.
bool splitsAcrossBanks(int row);

// Sector ranges of the row's layout, bit i = sector i; for the two-bank rows those of bank 0. Empty when the row
// has no flash.
std::span<const FlashRange> flashSectorsOf(int row);

// The tag of a section of `sizeWords` (>= 1) words at `start` on `row`; all clear for rows without tagging.
FlashTag tagSection(int row, std::uint32_t start, std::uint32_t sizeWords);

} // namespace lumetra::image
