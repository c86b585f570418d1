#include "sim/simulated_clock.h"

#include <algorithm>

namespace lumetra::sim {

core::WaitClock::TimePoint SimulatedClock::now() const
{
    std::lock_guard lock(mutex_);
    return now_;
}

void SimulatedClock::sleepUntil(TimePoint wake)
{
    std::lock_guard lock(mutex_);
    now_ = std::max(now_, wake);
}

void SimulatedClock::waitUntil(
    std::condition_variable& /*changed*/, std::unique_lock<std::mutex>& /*lock*/, TimePoint wake)
{
    sleepUntil(wake);
}

void SimulatedClock::advance(Duration length)
{
    std::lock_guard lock(mutex_);
    now_ += length;
}

} // namespace lumetra::sim
