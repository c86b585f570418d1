// Recording and manual implementations of the application core's ports, and a harness that runs the
// application object against the in-process POD simulator.
#pragma once

#include "app/application.h"

#include "core/memory_settings_store.h"
#include "sim/in_process_transport.h"
#include "sim/pod_simulator.h"
#include "sim/simulated_clock.h"
#include "support/coff_writer.h"
#include "support/test_paths.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace lumetra::app::test {

class RecordingPrompts final : public UserPrompts {
public:
    void showMessage(MessageIcon icon, std::string_view text) override
    {
        messages.push_back({std::string(text), icon});
        if (onMessage)
            onMessage();
    }
    std::vector<core::DialogMessage> messages;
    std::function<void()> onMessage;
};

class ManualTimer final : public PollTimer {
public:
    void arm(std::chrono::milliseconds newPeriod) override
    {
        armed = true;
        period = newPeriod;
        ++armCount;
    }
    void kill() override { armed = false; }
    // Fires the timer when it runs.
    bool tick(LinkState& state)
    {
        if (!armed)
            return false;
        state.OnPollTimer();
        return true;
    }
    bool armed = false;
    std::chrono::milliseconds period {-1};
    int armCount = 0;
};

class RecordingFrame final : public FrameView {
public:
    void setTitle(std::string_view text) override { title = text; }
    void setStatusPane(StatusPane pane, std::string_view text) override { panes[pane] = std::string(text); }
    void showSectionPage() override { ++sectionPageShown; }
    void symbolListChanged() override { ++symbolListRefreshes; }
    void registeredVariablesChanged() override { ++registeredRefreshes; }
    std::string pane(StatusPane id) const
    {
        const auto found = panes.find(id);
        return found == panes.end() ? std::string("<unset>") : found->second;
    }
    std::string title = "<unset>";
    std::map<StatusPane, std::string> panes;
    int sectionPageShown = 0;
    int symbolListRefreshes = 0;
    int registeredRefreshes = 0;
};

class CountingWaitCursor final : public WaitCursor {
public:
    void show() override { ++shown; }
    void restore() override { ++restored; }
    int shown = 0;
    int restored = 0;
};

// Instance locks of one simulated machine: a name is held by the first instance that takes it.
class InstanceLocks {
public:
    bool take(std::string_view name) { return held_.insert(std::string(name)).second; }

private:
    std::set<std::string> held_;
};

class LockOnMachine final : public SingleInstance {
public:
    explicit LockOnMachine(InstanceLocks& locks)
        : locks_(locks)
    {
    }
    bool acquire(std::string_view name) override { return locks_.take(name); }

private:
    InstanceLocks& locks_;
};

// A single-instance lock that every start gets (for fronts that take it twice).
class AlwaysFirstInstance final : public SingleInstance {
public:
    bool acquire(std::string_view) override { return true; }
};

class RecordingNotice final : public BusyNotice {
public:
    void show(std::string_view shownTitle, std::span<const std::string_view> shownLines) override
    {
        title = shownTitle;
        lines.assign(shownLines.begin(), shownLines.end());
        ++shows;
    }
    void close() override { ++closes; }
    std::string title;
    std::vector<std::string> lines;
    int shows = 0;
    int closes = 0;
};

// A tick counter that answers the scripted values in turn, then keeps the last one.
class ScriptedTicks final : public TickClock {
public:
    explicit ScriptedTicks(std::vector<std::uint64_t> values)
        : values_(std::move(values))
    {
    }
    std::uint64_t milliseconds() override
    {
        const std::uint64_t value = values_[std::min(next_, values_.size() - 1)];
        ++next_;
        return value;
    }

private:
    std::vector<std::uint64_t> values_;
    std::size_t next_ = 0;
};

class FixedFileTimes final : public FileTimes {
public:
    std::optional<LocalDateTime> lastWriteLocalTime(const std::filesystem::path&) override { return time; }
    std::optional<LocalDateTime> time = LocalDateTime {2024, 3, 5, 7, 8, 9};
};

class RecordingSciBoot final : public SciBootCommand {
public:
    void run() override
    {
        ++runs;
        if (onRun)
            onRun();
    }
    int runs = 0;
    std::function<void()> onRun;
};

// A monitor pane whose passes answer a script (true once the script is used up); records each poll.
class ScriptedPoller : public MemoryMonitorPoller {
public:
    ScriptedPoller(std::string name, std::vector<std::string>& journal)
        : name_(std::move(name))
        , journal_(journal)
    {
    }
    bool poll(link::CPodLink&) override
    {
        journal_.push_back(name_);
        if (results.empty())
            return true;
        const bool result = results.front();
        results.erase(results.begin());
        return result;
    }
    void emptyRows() override { ++emptied; }
    std::vector<bool> results;
    int emptied = 0;

private:
    std::string name_;
    std::vector<std::string>& journal_;
};

inline std::int32_t storedInt(const core::MemorySettingsStore& store, std::string_view section, std::string_view name)
{
    const auto value = store.stored(section, name);
    return value ? std::get<std::int32_t>(*value) : -99999;
}

inline std::string storedText(const core::MemorySettingsStore& store, std::string_view section, std::string_view name)
{
    const auto value = store.stored(section, name);
    return value ? std::get<std::string>(*value) : "<absent>";
}

// A C28x program of two words at 0x3F4000 with the variable "counter" (Integer) at `counterAddress`; without
// symbols when `withSymbols` is false.
inline void writeTestCoff(const std::filesystem::path& path, std::uint32_t counterAddress, bool withSymbols = true)
{
    lumetra::test::CoffSection text;
    text.name = ".text";
    text.startAddress = 0x3F4000;
    text.words = {0x1111, 0x2222};
    lumetra::test::CoffWriter writer(2, lumetra::test::kTargetC28x);
    writer.addSection(text);
    if (withSymbols) {
        lumetra::test::CoffSymbol counter;
        counter.name = "_counter";
        counter.value = counterAddress;
        counter.type = lumetra::test::coffType(4);
        writer.addSymbol(counter);
    }
    writer.writeTo(path);
}

// The pieces around one application object: store, simulator, ports and a scratch application directory.
struct AppHarness {
    AppHarness()
    {
        // A measured busy-wait value, so that start-up does not calibrate unless a test asks for it.
        store.writeInt("Main Configuration", "MicroTime Length", 7);
    }

    Application& make()
    {
        const ApplicationPorts ports {
            store, transports, prompts, timer, cursor, instance, frame, notice, ticks, fileTimes};
        app.emplace(ports, scratch.path());
        return *app;
    }

    Application& start()
    {
        make().Start();
        return *app;
    }

    std::vector<std::string> messageTexts() const
    {
        std::vector<std::string> texts;
        for (const auto& message : prompts.messages)
            texts.push_back(message.text);
        return texts;
    }

    lumetra::test::ScratchDir scratch;
    core::MemorySettingsStore store;
    sim::SimulatedClock linkClock;
    sim::PodSimulator pod {{}, linkClock};
    sim::InProcessTransportFactory transports {pod};
    RecordingPrompts prompts;
    ManualTimer timer;
    CountingWaitCursor cursor;
    InstanceLocks machine;
    LockOnMachine instance {machine};
    RecordingFrame frame;
    RecordingNotice notice;
    ScriptedTicks ticks {{0}};
    FixedFileTimes fileTimes;
    std::optional<Application> app;
};

} // namespace lumetra::app::test
