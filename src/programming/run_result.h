// The result of a programming run, 0 to 20, each with the line the progress dialog shows.
#pragma once

#include <cstdint>
#include <string_view>

namespace lumetra::programming {

enum class RunResult : std::uint16_t {
    SerialBootCompleted = 0,
    FlashWritingCompleted = 1,
    AutoBaud = 2,
    KernelCode = 3,
    ClearCode = 4,
    EraseCode = 5,
    FlashProgramCode = 6,
    UserProgram = 7,
    BootSignal = 8,
    TargetReset = 9,
    KeyValue = 10,
    InitialValue = 11,
    EntryAddress = 12,
    FlashAlgorithm = 13,
    CsmUnlock = 14,
    FlashErasing = 15,
    FlashWriting = 16,
    FlashVerifying = 17,
    Canceled = 18,
    CsmMatchingFlow = 19,
    BaudChange = 20,
};

inline constexpr int kLastRunResult = 20;

// " [ Serial Boot Completed ]" ...; empty for a code above 20.
std::string_view resultLine(int code);
inline std::string_view resultLine(RunResult result)
{
    return resultLine(static_cast<int>(result));
}

// Codes 0 and 1: the run put the program into the target.
inline bool isSuccess(RunResult result)
{
    return result == RunResult::SerialBootCompleted || result == RunResult::FlashWritingCompleted;
}

} // namespace lumetra::programming
