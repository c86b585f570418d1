// A clock that moves only when its waiter would block, and then jumps to the wake time. The link and the in-process
// simulator run on it in tests: a time-out of seconds takes microseconds and still lasts exactly its length.
// It serves one waiting thread at a time whose events the simulator schedules: a wait does not look for
// notifications from other threads, it ends at its wake time.
#pragma once

#include "core/wait_clock.h"

namespace lumetra::sim {

class SimulatedClock final : public core::WaitClock {
public:
    TimePoint now() const override;
    void sleepUntil(TimePoint wake) override;
    void waitUntil(std::condition_variable& changed, std::unique_lock<std::mutex>& lock, TimePoint wake) override;

    // Time passing outside any wait, as between two steps of a test.
    void advance(Duration length);

private:
    mutable std::mutex mutex_;
    // An arbitrary start well after the clock's epoch.
    TimePoint now_ {std::chrono::hours(1)};
};

} // namespace lumetra::sim
