// The F28x flash run: the flash algorithm through the boot ROM, the unlock check, the erase and the programming
// of the flash sections through the algorithm's `O` operations.
#include "programming/block_words.h"
#include "programming/boot_timeouts.h"
#include "programming/programming_runs.h"

#include <algorithm>

namespace lumetra::programming {

namespace {

constexpr int kFlashRunTargetBaud = 4; // 115200
constexpr link::Milliseconds kAlgorithmSettle {10};
constexpr std::uint64_t kBytesPerWord = 2;
constexpr std::uint16_t kSecondBankSector = 0x8000;
constexpr std::uint16_t kDualBankSectors = 0x3FFF;
constexpr int kDualBankSectorCount = 14;

bool isF2834x(int code)
{
    return code >= 36 && code <= 41;
}

bool isDualBank(int code)
{
    return code >= 66;
}

// The sectors of bank 1 the erase may touch on the single-bank devices; nullopt where the mask goes unchanged.
std::optional<std::uint16_t> sectorLimit(int code)
{
    if ((code >= 6 && code <= 15) || (code >= 27 && code <= 30) || code == 33 || (code >= 42 && code <= 46)
        || code == 52)
        return 0x000F;
    if (code == 16 || code == 17 || code == 31 || code == 32 || code == 34 || code == 35 || (code >= 53 && code <= 65))
        return 0x00FF;
    if (code >= 18 && code <= 20)
        return 0x001F;
    if (code >= 21 && code <= 26)
        return 0x03FF;
    return std::nullopt;
}

bool eraseBank(link::CPodLink& link, int code, link::FlashOp select, std::uint16_t sectors, std::uint16_t bankBit)
{
    if (sectors == 0)
        return true;
    if (!link.FlashCommand(select, code))
        return false;
    for (int i = 0; i < kDualBankSectorCount; ++i) {
        if ((sectors & (1u << i)) == 0)
            continue;
        if (!link.FlashCommand(link::FlashOp::Erase, code, {.sectors = static_cast<std::uint16_t>(i + bankBit)}))
            return false;
    }
    return true;
}

// 0, 16 or 18.
RunResult programSection(const RunContext& run, const ProgramSection& section, std::uint64_t& position)
{
    if (section.words.empty())
        return RunResult::FlashWriting;
    for (std::size_t start = 0; start < section.words.size(); start += kFlashChunkWords) {
        const std::size_t count = std::min(kFlashChunkWords, section.words.size() - start);
        for (std::size_t i = 0; i < count; ++i) {
            if (!run.link.SendStreamWord(section.words[start + i], i + 1 == count))
                return RunResult::FlashWriting;
            position += kBytesPerWord;
            run.progress.setPosition(position);
            if (run.progress.cancelRequested())
                return RunResult::Canceled;
        }
        const link::FlashFields fields {
            .address = section.address + static_cast<std::uint32_t>(start), .count = static_cast<std::uint16_t>(count)};
        if (!run.link.FlashCommand(link::FlashOp::Program, run.deviceCode, fields))
            return RunResult::FlashWriting;
    }
    return RunResult::SerialBootCompleted;
}

RunResult programSections(const RunContext& run, bool secondBank, std::uint64_t& position)
{
    for (const ProgramSection& section : run.program.sections) {
        const bool selected = secondBank ? section.inSecondBank : section.inFlash;
        if (!selected)
            continue;
        if (const RunResult result = programSection(run, section, position); result != RunResult::SerialBootCompleted)
            return result;
    }
    return RunResult::SerialBootCompleted;
}

} // namespace

RunResult DownloadFlashAlgorithm(const RunContext& run)
{
    link::CPodLink& link = run.link;
    if (!run.images.flashAlgorithm)
        return RunResult::FlashAlgorithm;
    const std::vector<ImageSegment>& segments = run.images.flashAlgorithm->segments;
    const std::size_t sent = std::min(segments.size(), flashAlgorithmSegmentsSent(run.deviceCode));
    std::uint64_t total = 0;
    for (std::size_t s = 0; s < sent; ++s)
        total += segments[s].words.size();
    run.progress.setStep("Flash Algorithm Code Downloading...");
    run.progress.setRange(total);
    run.progress.setPosition(0);
    std::uint64_t position = 0;
    const BlockOutcome outcome
        = sendImageSegments(link, std::span(segments).first(sent), kBootChunkWords, {run.progress, position, 1});
    if (outcome == BlockOutcome::Canceled)
        return RunResult::Canceled;
    return outcome == BlockOutcome::Sent ? RunResult::SerialBootCompleted : RunResult::FlashAlgorithm;
}

bool EraseFlash(const RunContext& run)
{
    link::CPodLink& link = run.link;
    const int code = run.deviceCode;
    const image::FlashSummary& summary = run.program.summary;
    if (!isDualBank(code)) {
        std::uint16_t mask = summary.mask;
        if (const auto limit = sectorLimit(code))
            mask = run.eraseAll ? *limit : static_cast<std::uint16_t>(mask & *limit);
        return link.FlashCommand(link::FlashOp::Erase, code, {.sectors = mask});
    }
    const auto bank = [&](std::uint16_t used) {
        return run.eraseAll ? kDualBankSectors : static_cast<std::uint16_t>(used & kDualBankSectors);
    };
    if (!eraseBank(link, code, link::FlashOp::SelectBank1, bank(summary.mask), 0))
        return false;
    if (!takesSecondBankFlash(code))
        return true;
    return eraseBank(link, code, link::FlashOp::SelectBank2, bank(summary.secondBankMask), kSecondBankSector);
}

RunResult ProgramFlash(const RunContext& run)
{
    link::CPodLink& link = run.link;
    const int code = run.deviceCode;
    run.progress.setStep("Flash Writing...");
    run.progress.setRange(run.program.summary.flashBytes);
    run.progress.setPosition(0);
    std::uint64_t position = 0;
    if (!isDualBank(code))
        return programSections(run, false, position);
    const bool bothBanks = takesSecondBankFlash(code);
    if (!bothBanks || run.program.summary.firstBankData) {
        if (!link.FlashCommand(link::FlashOp::SelectBank1, code))
            return RunResult::FlashWriting;
        if (const RunResult result = programSections(run, false, position); result != RunResult::SerialBootCompleted)
            return result;
    }
    if (bothBanks && run.program.summary.secondBankData) {
        if (!link.FlashCommand(link::FlashOp::SelectBank2, code))
            return RunResult::FlashWriting;
        return programSections(run, true, position);
    }
    return RunResult::SerialBootCompleted;
}

RunResult RunF28xFlash(const RunContext& run)
{
    link::CPodLink& link = run.link;
    if (isF2834x(run.deviceCode))
        return RunResult::FlashAlgorithm;
    if (const RunResult boot = StartF28xBoot(run); boot != RunResult::SerialBootCompleted)
        return boot;
    if (const RunResult algorithm = DownloadFlashAlgorithm(run); algorithm != RunResult::SerialBootCompleted)
        return algorithm;
    link.pause(kAlgorithmSettle);
    link.Purge();
    run.progress.setButtonEnabled(false);
    if (!link.SetTargetBaud(kFlashRunTargetBaud))
        return RunResult::FlashAlgorithm;
    if (!link.FlashCommand(link::FlashOp::CheckUnlocked, run.deviceCode))
        return RunResult::CsmUnlock;
    run.progress.beginErase();
    const bool erased = EraseFlash(run);
    run.progress.endErase();
    if (!erased)
        return RunResult::FlashErasing;
    if (const RunResult program = ProgramFlash(run); program != RunResult::SerialBootCompleted)
        return program;
    if (!link.ResetTarget())
        return RunResult::TargetReset;
    link.Purge();
    return RunResult::FlashWritingCompleted;
}

} // namespace lumetra::programming
