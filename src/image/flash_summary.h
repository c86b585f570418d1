// What the loaded program puts into on-chip flash, per bank, and what goes to RAM.
#pragma once

#include "image/loaded_section.h"

#include <cstdint>
#include <span>

namespace lumetra::image {

struct FlashSummary {
    std::uint16_t mask = 0; // sectors of the first (or only) bank, OTP bit 0x0400 included
    std::uint16_t secondBankMask = 0;
    int flashSections = 0;
    std::uint64_t flashBytes = 0;
    int ramSections = 0;
    std::uint64_t ramBytes = 0;
    bool firstBankData = false; // any section tagged for the first bank
    bool secondBankData = false; // any section tagged for the second bank, whether the row takes it or not

    bool operator==(const FlashSummary&) const = default;
};

// Second-bank sections count as flash only on the rows that take flash data in both banks; elsewhere as RAM.
FlashSummary summariseFlash(int row, std::span<const LoadedSection> sections);

} // namespace lumetra::image
