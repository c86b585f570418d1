// The LF240x run: the kernel with the keys, the clear, erase and flash-program routines, then the user program
// in chunks that the kernel writes into flash.
#include "programming/block_words.h"
#include "programming/boot_timeouts.h"
#include "programming/programming_runs.h"

#include <algorithm>

namespace lumetra::programming {

namespace {

constexpr std::uint16_t kContinuation = 1;
constexpr std::uint16_t kProgramEnd = 0;
constexpr std::uint64_t kBytesPerWord = 2;

struct Routine {
    const char* caption;
    RunResult failure;
};

constexpr Routine kRoutines[kLf240xRoutineCount] = {
    {"Kernel Code Downloading...", RunResult::KernelCode},
    {"Clear Code Downloading...", RunResult::ClearCode},
    {"Erase Code Downloading...", RunResult::EraseCode},
    {"Flash Program Code Downloading...", RunResult::FlashProgramCode},
};

bool sendRoutine(const RunContext& run, const TargetImage& image, const char* caption, bool programRoutine)
{
    const std::vector<std::uint16_t>& words = image.segments.front().words;
    run.progress.setStep(caption);
    run.progress.setRange(words.size() - 1);
    for (std::size_t i = 0; i < words.size(); ++i) {
        run.progress.setPosition(i);
        const bool last = i + 1 == words.size();
        const bool sent = last ? run.link.SendBootWord(programRoutine ? 'Y' : 'Z', words[i], kBlockEndTimeout)
                               : run.link.SendBootWord('S', words[i], run.link.replyTimeout());
        if (!sent)
            return false;
    }
    return true;
}

// 0, 7 or 18.
RunResult sendUserProgram(const RunContext& run)
{
    link::CPodLink& link = run.link;
    run.progress.setStep("User Program Code Writing...");
    run.progress.setRange(run.program.totalBytes);
    std::uint64_t position = 0;
    bool first = true;
    for (const ProgramSection& section : run.program.sections) {
        if (section.words.empty())
            return RunResult::UserProgram;
        for (std::size_t start = 0; start < section.words.size(); start += kBootChunkWords) {
            const std::size_t count = std::min(kBootChunkWords, section.words.size() - start);
            if (!first && !link.SendBootWord('U', kContinuation, kAckTimeout))
                return RunResult::UserProgram;
            first = false;
            const auto address = static_cast<std::uint16_t>(section.address + start);
            if (!link.SendBootWord('U', address, kAckTimeout)
                || !link.SendBootWord('U', static_cast<std::uint16_t>(count - 1), kAckTimeout))
                return RunResult::UserProgram;
            const auto words = std::span(section.words).subspan(start, count);
            const BlockOutcome outcome = sendBlockWords(link, words, 'Z', 0, {run.progress, position, kBytesPerWord});
            if (outcome != BlockOutcome::Sent)
                return outcome == BlockOutcome::Canceled ? RunResult::Canceled : RunResult::UserProgram;
        }
    }
    return link.SendBootWord('U', kProgramEnd, kAckTimeout) ? RunResult::SerialBootCompleted : RunResult::UserProgram;
}

} // namespace

RunResult RunLf240xFlash(const RunContext& run)
{
    run.progress.setButtonEnabled(false);
    if (!run.link.EnterBootMode())
        return RunResult::BootSignal;
    run.progress.setStep("Auto Baudrate Checking...");
    if (!run.link.AutoBaudLf240x())
        return RunResult::AutoBaud;
    for (std::size_t r = 0; r < kLf240xRoutineCount; ++r) {
        const TargetImage& image = run.images.lf240xRoutines[r];
        if (image.segments.empty() || image.segments.front().words.empty()
            || !sendRoutine(run, image, kRoutines[r].caption, r + 1 == kLf240xRoutineCount))
            return kRoutines[r].failure;
    }
    run.progress.setButtonEnabled(true);
    if (const RunResult result = sendUserProgram(run); result != RunResult::SerialBootCompleted)
        return result;
    return run.link.ResetTarget() ? RunResult::SerialBootCompleted : RunResult::TargetReset;
}

} // namespace lumetra::programming
