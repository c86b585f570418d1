// Runs a graph session without an event loop: a one-shot timer that only notes its deadline, and a loop that
// sleeps until that deadline on the steady clock and fires the session's tick.
#pragma once

#include "graph/session/graph_ports.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>

namespace lumetra::graph {

class GraphSession;

class LoopGraphTimer final : public GraphTimer {
public:
    using Clock = std::chrono::steady_clock;

    void arm(std::chrono::milliseconds delay) override;
    void kill() override { armed_ = false; }

    bool armed() const { return armed_; }
    Clock::time_point deadline() const { return deadline_; }

private:
    bool armed_ = false;
    Clock::time_point deadline_ {};
};

struct GraphRunLimits {
    // Stop once the session's sample counter reaches this; 0 runs until the session stops by itself.
    std::uint32_t sampleLimit = 0;
    // Set from elsewhere (a signal handler): stop before the next tick. Checked at least every kStopCheckPeriod.
    const std::atomic<bool>* stopRequest = nullptr;
    // Stop when the steady clock reaches this.
    LoopGraphTimer::Clock::time_point until = LoopGraphTimer::Clock::time_point::max();
    // Called with the time each tick fires, just before it runs.
    std::function<void(LoopGraphTimer::Clock::time_point)> onTick;
};

inline constexpr std::chrono::milliseconds kStopCheckPeriod {20};

enum class GraphRunEnd {
    SessionStopped, // the session no longer acquires: a memory graph at its end, or a failed read
    SampleLimit,
    StopRequested,
    TimeUp,
};

// Fires the session's ticks on `timer`, which must be the session's timer, while the session acquires. Ending on
// a limit, a stop request or the time stops the session's acquisition; the points so far stay on its panes.
GraphRunEnd runGraphSession(GraphSession& session, LoopGraphTimer& timer, const GraphRunLimits& limits = {});

} // namespace lumetra::graph
