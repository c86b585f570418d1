// Port to the time that the link, the simulator and the programming runs wait in: the steady clock of the running
// system, or a simulated clock under which a wait costs nothing and still lasts exactly its length.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace lumetra::core {

class WaitClock {
public:
    using TimePoint = std::chrono::steady_clock::time_point;
    using Duration = std::chrono::steady_clock::duration;

    virtual ~WaitClock() = default;

    virtual TimePoint now() const = 0;
    // Returns once `wake` has come (at once when it has passed).
    virtual void sleepUntil(TimePoint wake) = 0;
    // Waits on `changed` (with `lock` held by the caller) until notified or until `wake`; the caller checks its
    // condition again afterwards, as after any condition wait.
    virtual void waitUntil(std::condition_variable& changed, std::unique_lock<std::mutex>& lock, TimePoint wake) = 0;

    void sleepFor(Duration length) { sleepUntil(now() + length); }
};

// The steady clock, one for the whole process.
WaitClock& steadyWaitClock();

} // namespace lumetra::core
