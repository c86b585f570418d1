// Manual and recording implementations of a graph session's ports, and a harness that runs sessions against
// the in-process POD simulator.
#pragma once

#include "recording_strip_chart.h"

#include "graph/session/graph_session.h"
#include "graph/session/graph_session_registry.h"

#include "link/pod_link.h"
#include "sim/in_process_transport.h"
#include "sim/pod_simulator.h"
#include "sim/simulated_clock.h"

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace lumetra::graph::test {

class ManualGraphTimer final : public GraphTimer {
public:
    void arm(std::chrono::milliseconds period) override
    {
        armed = true;
        delay = period;
        ++armCount;
    }
    void kill() override { armed = false; }
    bool armed = false;
    std::chrono::milliseconds delay {-1};
    int armCount = 0;
};

class FakeGraphHost final : public GraphHost {
public:
    explicit FakeGraphHost(link::CPodLink& link)
        : link_(link)
    {
    }
    bool variableMonitoring() const override { return variables; }
    bool addressMonitoring() const override { return address; }
    void StopMonitoring(MonitorStopKind kind) override
    {
        stops.push_back(static_cast<int>(kind));
        if (kind != MonitorStopKind::AddressBlock)
            variables = false;
        if (kind != MonitorStopKind::Variables)
            address = false;
        if (kind == MonitorStopKind::Both)
            link_.Disconnect();
    }
    bool graphAcquiring() const override { return acquiringFlag; }
    void setGraphAcquiring(bool acquiring) override { acquiringFlag = acquiring; }
    link::ConnectCode connectLink() override
    {
        ++connects;
        if (connectResult)
            return *connectResult;
        return link_.Connect(1, 4, false);
    }

    bool variables = false;
    bool address = false;
    bool acquiringFlag = false;
    std::optional<link::ConnectCode> connectResult;
    std::vector<int> stops;
    int connects = 0;

private:
    link::CPodLink& link_;
};

struct ShownMessage {
    core::MessageIcon icon;
    std::string text;
    bool operator==(const ShownMessage&) const = default;
};

class RecordingGraphPrompts final : public core::UserPrompts {
public:
    void showMessage(core::MessageIcon icon, std::string_view text) override
    {
        messages.push_back({icon, std::string(text)});
    }
    std::vector<std::string> texts() const
    {
        std::vector<std::string> all;
        for (const ShownMessage& message : messages)
            all.push_back(message.text);
        return all;
    }
    std::vector<ShownMessage> messages;
};

class RecordingStatusView final : public GraphStatusView {
public:
    void showMessage(std::string_view text) override { message = text; }
    void showScaleText(std::string_view text) override { scale = text; }
    void showDecimalsText(std::string_view text) override { decimals = text; }
    void showChannelText(std::string_view text) override { channel = text; }
    void showProgress(std::uint32_t samples, std::uint32_t length) override
    {
        progress = {samples, length};
        ++progressUpdates;
    }
    void clearProgress() override
    {
        progress.reset();
        ++progressClears;
    }
    void showAcquisitionRunning(bool on) override { running = on; }
    void showLagText(std::string_view text) override { lag = text; }

    std::string message = "<unset>";
    std::string scale = "<unset>";
    std::string decimals = "<unset>";
    std::string channel = "<unset>";
    std::optional<std::pair<std::uint32_t, std::uint32_t>> progress;
    int progressUpdates = 0;
    int progressClears = 0;
    std::optional<bool> running;
    std::string lag = "<unset>";
};

// Answers each dialog with the next scripted entry (nullopt: Cancel) and notes what it was shown and whether
// the timer ran while it was open.
class ScriptedDialogs final : public GraphDialogs {
public:
    explicit ScriptedDialogs(const ManualGraphTimer& timer)
        : timer_(timer)
    {
    }
    std::optional<ScaleBounds> askScaleBounds(const ScaleBoundTexts& prefill) override
    {
        boundsPrefill = prefill;
        return answer(bounds);
    }
    std::optional<std::uint32_t> askDecimals(std::string_view prefill) override
    {
        shownPrefill = prefill;
        return answer(decimals);
    }
    std::optional<std::int32_t> askInterval(std::string_view prefill) override
    {
        shownPrefill = prefill;
        return answer(interval);
    }

    std::optional<ScaleBounds> bounds;
    std::optional<std::uint32_t> decimals;
    std::optional<std::int32_t> interval;
    ScaleBoundTexts boundsPrefill;
    std::string shownPrefill;
    int shown = 0;
    bool timerArmedWhileShown = false;

private:
    template <typename T> std::optional<T> answer(const std::optional<T>& scripted)
    {
        ++shown;
        timerArmedWhileShown = timerArmedWhileShown || timer_.armed;
        return scripted;
    }
    const ManualGraphTimer& timer_;
};

class ManualClock final : public GraphClock {
public:
    TimePoint now() override
    {
        const TimePoint current = time;
        time += step;
        return current;
    }
    TimePoint time {};
    // Added after each reading, as the time a read takes.
    std::chrono::microseconds step {0};
};

inline GraphChannel channel(std::string label, std::uint32_t address, std::uint32_t length, std::uint32_t type = 13)
{
    return {std::move(label), address, length, type, 0};
}

inline GraphEnvironment memoryEnvironment(std::uint32_t length, ScaleMode scale = ScaleMode::Automatic)
{
    return {GraphKind::Memory, scale, 10, length, 3, 5.0, -5.0};
}

inline GraphEnvironment timeEnvironment(std::int32_t interval, ScaleMode scale = ScaleMode::Automatic)
{
    return {GraphKind::Time, scale, interval, 0, 3, 5.0, -5.0};
}

inline constexpr ChannelColours kColours {0xB5FFE7, 0xDEFF94, 0xFF69FF, 0xD6D7D6};

// One simulated POD (its link waiting on a simulated clock) and main window, and the ports of the graph windows
// opened on them.
struct GraphHarness {
    GraphHarness()
        : pod({}, linkClock)
        , factory(pod)
        , link(factory)
        , host(link)
        , dialogs(timer)
    {
    }

    // A session on this harness's ports; `timerOf` and `statusOf` give a second window its own.
    std::unique_ptr<GraphSession> session(GraphSessionSetup setup, ManualGraphTimer* ownTimer = nullptr,
        RecordingStatusView* ownStatus = nullptr, std::array<RecordingStripChart, 4>* ownCharts = nullptr)
    {
        auto& usedCharts = ownCharts ? *ownCharts : charts;
        GraphSessionPorts ports {link, ownTimer ? *ownTimer : timer, host, prompts, ownStatus ? *ownStatus : status,
            dialogs, clock, {&usedCharts[0], &usedCharts[1], &usedCharts[2], &usedCharts[3]}, &registry};
        return std::make_unique<GraphSession>(std::move(setup), ports);
    }

    // Fires the armed timer until the session stops re-arming it or `limit` ticks have run.
    int run(GraphSession& session, int limit = 100000, ManualGraphTimer* ownTimer = nullptr)
    {
        ManualGraphTimer& used = ownTimer ? *ownTimer : timer;
        int ticks = 0;
        while (used.armed && ticks < limit) {
            session.onTimer(kGraphTimerId);
            ++ticks;
        }
        return ticks;
    }

    // Words 0x100 + i from `address` on.
    void fillWords(std::uint32_t address, std::uint32_t count)
    {
        for (std::uint32_t i = 0; i < count; ++i)
            pod.setWord(address + i, static_cast<std::uint16_t>(0x100 + i));
    }

    sim::SimulatedClock linkClock;
    sim::PodSimulator pod;
    sim::InProcessTransportFactory factory;
    link::CPodLink link;
    ManualGraphTimer timer;
    FakeGraphHost host;
    RecordingGraphPrompts prompts;
    RecordingStatusView status;
    ScriptedDialogs dialogs;
    ManualClock clock;
    std::array<RecordingStripChart, 4> charts;
    GraphSessionRegistry registry;
};

} // namespace lumetra::graph::test
