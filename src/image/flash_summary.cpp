#include "image/flash_summary.h"

#include "image/flash_layout.h"

namespace lumetra::image {

FlashSummary summariseFlash(int row, std::span<const LoadedSection> sections)
{
    FlashSummary summary;
    const bool bothBanks = splitsAcrossBanks(row);
    for (const LoadedSection& section : sections) {
        summary.firstBankData = summary.firstBankData || section.inFlash;
        summary.secondBankData = summary.secondBankData || section.inSecondBank;
        if (section.inFlash) {
            summary.mask = static_cast<std::uint16_t>(summary.mask | section.flashMask);
        } else if (section.inSecondBank && bothBanks) {
            summary.secondBankMask = static_cast<std::uint16_t>(summary.secondBankMask | section.secondBankMask);
        } else {
            ++summary.ramSections;
            summary.ramBytes += section.sizeBytes();
            continue;
        }
        ++summary.flashSections;
        summary.flashBytes += section.sizeBytes();
    }
    return summary;
}

} // namespace lumetra::image
