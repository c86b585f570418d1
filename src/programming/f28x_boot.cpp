// The F28x boot ROM stream: the header (key value, reserved words, entry point), blocks of words, the RAM
// download and the CSM matching flow.
#include "programming/block_words.h"
#include "programming/boot_timeouts.h"
#include "programming/programming_runs.h"

#include "core/device_catalogue.h"

#include <algorithm>
#include <vector>

namespace lumetra::programming {

namespace {

constexpr std::uint16_t kKeyValue = 0x08AA;
constexpr std::uint16_t kReservedValue = 0x00FF;
constexpr int kReservedWords = 8;
constexpr std::uint64_t kHeaderRange = 11;
constexpr std::uint64_t kMatchingFlowRange = 50;
constexpr int kFallbackTargetBaud = 2; // 38400
constexpr std::uint32_t kF281xEntryPoint = 0x3F8000;
constexpr std::uint64_t kBytesPerWord = 2;

bool autoBaud(const RunContext& run)
{
    run.progress.setStep("Auto Baudrate Checking...");
    return run.link.AutoBaudF28x();
}

// Steps 3 to 6 of the header: from the key value to the entry point.
RunResult sendHeaderFromKey(const RunContext& run, std::uint32_t entryPoint, bool fromZero)
{
    link::CPodLink& link = run.link;
    run.progress.setStep("Initialize SCI Boot Setting...");
    run.progress.setRange(kHeaderRange);
    if (fromZero)
        run.progress.setPosition(0);
    if (!link.SendBootWord('U', kKeyValue, kAckTimeout))
        return RunResult::KeyValue;
    run.progress.setPosition(1);
    for (int i = 0; i < kReservedWords; ++i) {
        if (!link.SendBootWord('U', kReservedValue, kAckTimeout))
            return RunResult::InitialValue;
        run.progress.setPosition(static_cast<std::uint64_t>(2 + i));
    }
    if (!link.SendBoot32(entryPoint, kAckTimeout))
        return RunResult::EntryAddress;
    run.progress.setPosition(kHeaderRange);
    run.progress.setButtonEnabled(true);
    return RunResult::SerialBootCompleted;
}

} // namespace

std::uint32_t bootEntryPoint(int deviceCode)
{
    return core::groupOf(deviceCode) == core::DeviceGroup::F281x ? kF281xEntryPoint : 0;
}

bool runsMatchingFlow(int deviceCode)
{
    return (deviceCode >= 6 && deviceCode <= 13) || (deviceCode >= 27 && deviceCode <= 65);
}

bool takesSecondBankFlash(int deviceCode)
{
    return deviceCode == 67 || deviceCode == 69 || deviceCode == 70;
}

RunResult SendBootHeader(const RunContext& run, std::uint32_t entryPoint)
{
    link::CPodLink& link = run.link;
    if (!link.EnterBootMode())
        return RunResult::TargetReset;
    if (!autoBaud(run)) {
        link.Purge();
        if (!link.SetTargetBaud(kFallbackTargetBaud) || !link.EnterBootMode() || !autoBaud(run))
            return RunResult::AutoBaud;
    }
    return sendHeaderFromKey(run, entryPoint, false);
}

RunResult SendBootBlocks(const RunContext& run, std::span<const ProgramSection* const> sections)
{
    link::CPodLink& link = run.link;
    std::uint64_t total = 0;
    for (const ProgramSection* section : sections)
        total += section->words.size() * kBytesPerWord;
    run.progress.setRange(total);
    std::uint64_t position = 0;
    for (const ProgramSection* section : sections) {
        if (section->words.empty())
            return RunResult::UserProgram;
        for (std::size_t start = 0; start < section->words.size(); start += kBootChunkWords) {
            const std::size_t count = std::min(kBootChunkWords, section->words.size() - start);
            if (!link.SendBootWord('U', static_cast<std::uint16_t>(count), kAckTimeout)
                || !link.SendBoot32(section->address + static_cast<std::uint32_t>(start), kAckTimeout))
                return RunResult::UserProgram;
            const auto words = std::span(section->words).subspan(start, count);
            const BlockOutcome outcome = sendBlockWords(link, words, 'Y', 0, {run.progress, position, kBytesPerWord});
            if (outcome != BlockOutcome::Sent)
                return outcome == BlockOutcome::Canceled ? RunResult::Canceled : RunResult::UserProgram;
        }
    }
    return link.SendBootWord('X', 0, kAckTimeout) ? RunResult::SerialBootCompleted : RunResult::UserProgram;
}

RunResult RunCsmMatchingFlow(const RunContext& run)
{
    run.progress.setStep("CSM Matching Flow Code Downloading...");
    run.progress.setRange(kMatchingFlowRange);
    run.progress.setPosition(0);
    if (!run.images.matchingFlow)
        return RunResult::CsmMatchingFlow;
    std::uint64_t position = 0;
    const BlockOutcome outcome
        = sendImageSegments(run.link, run.images.matchingFlow->segments, 0, {run.progress, position, 1});
    if (outcome != BlockOutcome::Sent)
        return outcome == BlockOutcome::Canceled ? RunResult::Canceled : RunResult::CsmMatchingFlow;
    run.progress.setPosition(kMatchingFlowRange);
    return RunResult::SerialBootCompleted;
}

RunResult UnlockBeforeDownload(const RunContext& run)
{
    if (!run.csmUse || !runsMatchingFlow(run.deviceCode))
        return RunResult::SerialBootCompleted;
    if (const RunResult flow = RunCsmMatchingFlow(run); flow != RunResult::SerialBootCompleted)
        return flow;
    run.link.Purge();
    run.progress.setButtonEnabled(false);
    if (!autoBaud(run))
        return RunResult::AutoBaud;
    return sendHeaderFromKey(run, 0, true);
}

RunResult StartF28xBoot(const RunContext& run)
{
    run.progress.setButtonEnabled(false);
    if (const RunResult header = SendBootHeader(run, bootEntryPoint(run.deviceCode));
        header != RunResult::SerialBootCompleted)
        return header;
    return UnlockBeforeDownload(run);
}

RunResult RunF28xRamDownload(const RunContext& run)
{
    if (const RunResult boot = StartF28xBoot(run); boot != RunResult::SerialBootCompleted)
        return boot;
    const bool secondBankIsFlash = takesSecondBankFlash(run.deviceCode);
    std::vector<const ProgramSection*> ramSections;
    for (const ProgramSection& section : run.program.sections) {
        if (!section.inFlash && !(secondBankIsFlash && section.inSecondBank))
            ramSections.push_back(&section);
    }
    if (const RunResult blocks = SendBootBlocks(run, ramSections); blocks != RunResult::SerialBootCompleted)
        return blocks;
    run.link.Purge();
    return RunResult::SerialBootCompleted;
}

} // namespace lumetra::programming
