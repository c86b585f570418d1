// What the data-flash tests share: a recording dialog port that can press Cancel, an F2834x chip behind an
// in-process POD with its data flash, and images of a given length.
#pragma once

#include "download_fixture.h"

#include "programming/data_flash_command.h"
#include "programming/data_flash_dialog_port.h"
#include "programming/data_flash_run.h"
#include "programming/data_flash_worker.h"
#include "programming/image_manifest.h"

#include <atomic>
#include <optional>
#include <string>
#include <vector>

namespace lumetra::programming::test {

class RecordingDialog : public DataFlashDialogPort {
public:
    void setRange(std::uint64_t total) override
    {
        ranges.push_back(total);
        cancelPoint.rangeStarted();
    }
    void setPosition(std::uint64_t value) override
    {
        position = value;
        if (cancelPoint.positionReached())
            *cancelFlag = true;
    }
    void log(std::string_view line) override { lines.emplace_back(line); }
    void setButtonEnabled(bool enabled) override { buttonStates.push_back(enabled); }
    void finish(DataFlashResult value) override { result = value; }

    // The flag is set once the range of that index has seen that many positions.
    void cancelDuring(std::atomic<bool>& flag, std::size_t rangeIndex, int afterPositions)
    {
        cancelFlag = &flag;
        cancelPoint.set(rangeIndex, afterPositions);
    }

    std::vector<std::uint64_t> ranges;
    std::uint64_t position = 0;
    std::vector<std::string> lines;
    std::vector<bool> buttonStates;
    std::optional<DataFlashResult> result;

private:
    std::atomic<bool>* cancelFlag = nullptr;
    CancelPoint cancelPoint;
};

// Bytes that never read as erased, distinct by offset.
inline image::DataFlashImage imageOfLength(std::size_t length)
{
    std::vector<std::uint8_t> bytes(length);
    for (std::size_t i = 0; i < length; ++i)
        bytes[i] = static_cast<std::uint8_t>((i * 31 + i / 256) % 0xFF);
    return image::DataFlashImage::ofBytes(std::move(bytes));
}

inline TargetImage dataFlashAlgorithmOf(int device)
{
    return *simulationImageSet().find(*dataFlashAlgorithmName(device));
}

// An F2834x chip behind a serial POD, its link open at the data-flash baud.
struct DataFlashTarget {
    explicit DataFlashTarget(int device = 36, std::uint8_t firmware = 21)
        : target(device)
    {
        target.pod.configure([firmware](sim::SimConfig& config) { config.firmwareVersion = firmware; });
    }

    DataFlashJob job(link::DataFlashMode mode, std::size_t length, int type = 1, bool eraseAll = false) const
    {
        return {mode, target.device, type, eraseAll, imageOfLength(length), dataFlashAlgorithmOf(target.device)};
    }

    DataFlashRunPorts ports()
    {
        return {target.link, dialog, cancel, [this](link::Milliseconds wait) { pauses.push_back(wait.count()); }};
    }

    bool run(const DataFlashJob& job)
    {
        target.connect();
        return isDataFlashSuccess(RunDataFlash(ports(), job));
    }

    std::vector<std::string> records(std::string_view type) const { return target.frames(":" + std::string(type)); }

    Target target;
    RecordingDialog dialog;
    std::atomic<bool> cancel {false};
    std::vector<long long> pauses;
};

} // namespace lumetra::programming::test
