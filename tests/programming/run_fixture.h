// What the programming tests share: a recording progress port, a simulated chip behind an in-process POD, and
// programs built from (address, length) pairs with the flash tags of the device's layout.
#pragma once

#include "programming/program_data.h"
#include "programming/programming_runs.h"
#include "programming/progress_port.h"
#include "programming/run_images.h"
#include "programming/simulation_images.h"

#include "image/flash_layout.h"
#include "image/flash_summary.h"
#include "sim/in_process_transport.h"
#include "sim/simulated_chip.h"
#include "sim/simulated_clock.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace lumetra::programming::test {

// Where a test presses Cancel: once the range of that index has seen that many positions.
class CancelPoint {
public:
    void set(std::size_t rangeIndex, int afterPositions)
    {
        rangeIndex_ = rangeIndex;
        afterPositions_ = afterPositions;
    }
    void rangeStarted()
    {
        ++ranges_;
        positions_ = 0;
    }
    // True when Cancel is pressed at this position.
    bool positionReached()
    {
        ++positions_;
        return rangeIndex_ && ranges_ == *rangeIndex_ + 1 && positions_ >= afterPositions_;
    }

private:
    std::optional<std::size_t> rangeIndex_;
    int afterPositions_ = 0;
    std::size_t ranges_ = 0;
    int positions_ = 0;
};

class RecordingProgress : public ProgressPort {
public:
    void showProgress() override { ++shown; }
    void setStep(std::string_view caption) override { steps.emplace_back(caption); }
    void setRange(std::uint64_t total) override
    {
        ranges.push_back(total);
        cancelPoint.rangeStarted();
    }
    void setPosition(std::uint64_t value) override
    {
        position = value;
        if (cancelPoint.positionReached())
            cancel = true;
    }
    bool cancelRequested() override { return cancel; }
    void setButtonEnabled(bool enabled) override { buttonEnabled = enabled; }
    void beginErase() override { ++erases; }
    void endErase() override { ++eraseEnds; }
    void showResult(RunResult value) override { result = value; }

    void cancelDuring(std::size_t rangeIndex, int afterPositions) { cancelPoint.set(rangeIndex, afterPositions); }

    int shown = 0;
    std::vector<std::string> steps;
    std::vector<std::uint64_t> ranges;
    std::uint64_t position = 0;
    bool cancel = false;
    bool buttonEnabled = true;
    int erases = 0;
    int eraseEnds = 0;
    std::optional<RunResult> result;

private:
    CancelPoint cancelPoint;
};

// A section's words: distinct per address, never the erased value.
inline std::vector<std::uint16_t> sectionWords(std::uint32_t address, std::size_t count)
{
    std::vector<std::uint16_t> words(count);
    for (std::size_t i = 0; i < count; ++i)
        words[i] = static_cast<std::uint16_t>(((address + i) * 7 + 3) & 0x7FFF);
    return words;
}

inline ProgramData programOf(
    int device, const std::vector<std::pair<std::uint32_t, std::size_t>>& sections, std::uint16_t targetId = 0x009D)
{
    ProgramData program;
    program.targetId = targetId;
    std::vector<image::LoadedSection> loaded;
    for (const auto& [address, count] : sections) {
        const image::FlashTag tag = image::tagSection(device, address, static_cast<std::uint32_t>(count));
        image::LoadedSection section;
        section.startAddress = address;
        section.sizeWords = static_cast<std::uint32_t>(count);
        section.inFlash = tag.inFlash;
        section.flashMask = tag.mask;
        section.inSecondBank = tag.inSecondBank;
        section.secondBankMask = tag.secondBankMask;
        loaded.push_back(section);
        const std::string name = ".s" + std::to_string(program.sections.size());
        program.sections.push_back({address, sectionWords(address, count), tag.inFlash, tag.inSecondBank, name});
        program.totalBytes += count * 2;
    }
    program.summary = image::summariseFlash(device, loaded);
    return program;
}

struct CsmSetup {
    bool use = false;
    core::CsmKeys keys {0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF};
};

// A simulated chip of `device` behind a serial POD, connected at the run's target baud; the waits pass on a
// simulated clock.
struct Target {
    explicit Target(int deviceCode, std::optional<std::array<std::uint16_t, 8>> password = std::nullopt)
        : pod(sim::SimConfig {.chip = sim::ChipConfig {deviceCode, password}}, clock)
        , factory(pod)
        , link(factory)
        , device(deviceCode)
    {
    }

    void connect(int baudCode = 4) { link.Connect(1, baudCode, false); }

    RunImages images(const CsmSetup& csm, bool withFlashRoutines) const
    {
        return std::get<RunImages>(PlaceKeys(simulationImageSet(), device, {csm.use, csm.keys}, withFlashRoutines));
    }

    RunResult flash(const ProgramData& program, const CsmSetup& csm = {}, bool eraseAll = false)
    {
        connect();
        const RunImages placed = images(csm, true);
        return RunF28xFlash({link, progress, device, csm.use, eraseAll, placed, program});
    }

    RunResult ram(const ProgramData& program, const CsmSetup& csm = {})
    {
        connect();
        const RunImages placed = images(csm, false);
        return RunF28xRamDownload({link, progress, device, csm.use, false, placed, program});
    }

    RunResult lf240x(const ProgramData& program, const CsmSetup& csm = {})
    {
        connect(2);
        const RunImages placed = images(csm, false);
        return RunLf240xFlash({link, progress, device, csm.use, false, placed, program});
    }

    // The trace frames that start with `prefix`.
    std::vector<std::string> frames(std::string_view prefix) const
    {
        std::vector<std::string> found;
        for (const std::string& frame : pod.trace()) {
            if (frame.starts_with(prefix))
                found.push_back(frame);
        }
        return found;
    }

    // How long the link has waited since the last frame reached the POD.
    link::Milliseconds sinceLastFrame() const
    {
        return std::chrono::duration_cast<link::Milliseconds>(clock.now() - *pod.lastFrameArrival());
    }

    sim::SimulatedClock clock;
    sim::PodSimulator pod;
    sim::InProcessTransportFactory factory;
    link::CPodLink link;
    RecordingProgress progress;
    int device;
};

} // namespace lumetra::programming::test
