#include "graph/session/graph_run_loop.h"

#include "graph/session/graph_session.h"

#include <algorithm>
#include <optional>
#include <thread>

namespace lumetra::graph {

namespace {

using Clock = LoopGraphTimer::Clock;

std::optional<GraphRunEnd> limitReached(const GraphSession& session, const GraphRunLimits& limits, Clock::time_point now)
{
    if (limits.sampleLimit > 0 && session.sampleCounter() >= limits.sampleLimit) {
        return GraphRunEnd::SampleLimit;
    }
    if (limits.stopRequest && limits.stopRequest->load()) {
        return GraphRunEnd::StopRequested;
    }
    if (now >= limits.until) {
        return GraphRunEnd::TimeUp;
    }
    return std::nullopt;
}

} // namespace

void LoopGraphTimer::arm(std::chrono::milliseconds delay)
{
    deadline_ = Clock::now() + std::max(delay, std::chrono::milliseconds {0});
    armed_ = true;
}

GraphRunEnd runGraphSession(GraphSession& session, LoopGraphTimer& timer, const GraphRunLimits& limits)
{
    while (session.acquiring() && timer.armed()) {
        const Clock::time_point now = Clock::now();
        if (const auto end = limitReached(session, limits, now)) {
            session.stop();
            return *end;
        }
        if (now < timer.deadline()) {
            Clock::time_point wake = std::min(timer.deadline(), limits.until);
            if (limits.stopRequest) {
                wake = std::min(wake, now + kStopCheckPeriod);
            }
            std::this_thread::sleep_until(wake);
            continue;
        }
        if (limits.onTick) {
            limits.onTick(now);
        }
        session.onTimer(kGraphTimerId);
    }
    return GraphRunEnd::SessionStopped;
}

} // namespace lumetra::graph
