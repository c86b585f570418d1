// The programming runs over an open link: the LF240x kernel run, the F28x boot header and blocks, the RAM and
// flash downloads and the CSM matching flow. Each returns the run's result code; none touches the link's
// connection itself (the download command prepares and restores it).
#pragma once

#include "programming/program_data.h"
#include "programming/progress_port.h"
#include "programming/run_images.h"
#include "programming/run_result.h"

#include "link/pod_link.h"

#include <span>

namespace lumetra::programming {

struct RunContext {
    link::CPodLink& link;
    ProgressPort& progress;
    int deviceCode = 0;
    bool csmUse = false;
    bool eraseAll = false;
    const RunImages& images;
    const ProgramData& program;
};

// Device facts the runs decide by.
std::uint32_t bootEntryPoint(int deviceCode); // 0x3F8000 for the F281x group, else 0
bool runsMatchingFlow(int deviceCode); // 6..13, 27..65
bool takesSecondBankFlash(int deviceCode); // 67, 69, 70

RunResult RunLf240xFlash(const RunContext& run);

RunResult SendBootHeader(const RunContext& run, std::uint32_t entryPoint);
// The blocks of the given sections in chunks of at most 200 words, then the end marker: 0, 7 or 18.
RunResult SendBootBlocks(const RunContext& run, std::span<const ProgramSection* const> sections);
RunResult RunF28xRamDownload(const RunContext& run);
// Sends the matching-flow image and ends the boot stream: 0, 18 or 19.
RunResult RunCsmMatchingFlow(const RunContext& run);
// When the option is on and the device runs one: the matching flow, then auto-baud and the boot header again
// from the key value with entry point 0. 0 when there is nothing to do.
RunResult UnlockBeforeDownload(const RunContext& run);
// The button disabled, the boot header with the device's entry point, then UnlockBeforeDownload.
RunResult StartF28xBoot(const RunContext& run);

RunResult RunF28xFlash(const RunContext& run);
// Steps of the flash run.
RunResult DownloadFlashAlgorithm(const RunContext& run);
bool EraseFlash(const RunContext& run);
RunResult ProgramFlash(const RunContext& run);

} // namespace lumetra::programming
