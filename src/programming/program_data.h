// The loaded program as the runs send it: its sections' words in list order with their flash tags, and the
// summary of what goes to flash and to RAM.
#pragma once

#include "image/flash_summary.h"
#include "image/program_image.h"

#include <cstdint>
#include <string>
#include <vector>

namespace lumetra::programming {

struct ProgramSection {
    std::uint32_t address = 0;
    std::vector<std::uint16_t> words; // empty: the image holds no data for it
    bool inFlash = false; // first (or only) bank, OTP included
    bool inSecondBank = false;
    std::string name;
};

struct ProgramData {
    std::vector<ProgramSection> sections;
    image::FlashSummary summary;
    std::uint16_t targetId = 0;
    std::uint64_t totalBytes = 0;
};

ProgramData programDataOf(const image::ProgramImage& image);

} // namespace lumetra::programming
