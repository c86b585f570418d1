// The download command over a simulated chip, with recording ports.
#pragma once

#include "run_fixture.h"

#include "programming/download_command.h"

#include "support/test_paths.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <utility>
#include <vector>

namespace lumetra::programming::test {

struct RecordingPrompts : core::UserPrompts {
    void showMessage(core::MessageIcon icon, std::string_view text) override { messages.emplace_back(icon, text); }
    std::vector<std::pair<core::MessageIcon, std::string>> messages;
};

struct FakeTakeover : LinkTakeover {
    void stopGraphAcquisition() override { events.push_back("graphs stopped"); }
    std::optional<int> suspendMonitoring() override
    {
        events.push_back(busy && *busy ? "monitoring suspended while busy" : "monitoring suspended");
        return running;
    }
    void resumeMonitoring(std::optional<int> kind) override
    {
        events.push_back("monitoring resumed " + (kind ? std::to_string(*kind) : std::string("none")));
    }
    std::optional<int> running;
    const std::atomic<bool>* busy = nullptr;
    std::vector<std::string> events;
};

struct CountingNotice : FlashNotice {
    void show() override { ++shown; }
    int shown = 0;
};

struct CommandBench {
    explicit CommandBench(int device, std::optional<std::array<std::uint16_t, 8>> password = std::nullopt)
        : target(device, password)
    {
        request.link.portType = core::PortType::Serial;
        request.link.baudCode = 6;
        request.device.deviceIndex = device;
        request.images = {scratch / "TargetImages", LUMETRA_SIMULATION_IMAGES, true};
        takeover.busy = &busy;
    }

    DownloadPorts ports()
    {
        return {target.link, target.progress, prompts, takeover, notice, busy, dataFlashBusy,
            [this](link::Milliseconds wait) { pauses.push_back(wait.count()); }};
    }

    DownloadOutcome run(const ProgramData& program)
    {
        const DownloadPorts p = ports();
        return DownloadCommand(p, request, program);
    }

    lumetra::test::ScratchDir scratch;
    Target target;
    RecordingPrompts prompts;
    FakeTakeover takeover;
    CountingNotice notice;
    std::atomic<bool> busy {false};
    std::atomic<bool> dataFlashBusy {false};
    std::vector<long long> pauses;
    DownloadRequest request;
};

// Index of the frame to fault (the skip-th one of command) in the trace of a clean run, and the bytes sent
// before it.
inline std::pair<std::size_t, std::size_t> locate(const std::vector<std::string>& trace, char command, int skip)
{
    std::size_t bytes = 0;
    int seen = 0;
    for (std::size_t i = 0; i < trace.size(); ++i) {
        if (trace[i][0] == command && seen++ == skip)
            return {i, bytes};
        bytes += trace[i].size() + 2;
    }
    ADD_FAILURE() << "no frame " << command << " #" << skip;
    return {trace.size(), bytes};
}

} // namespace lumetra::programming::test
