#include "core/wait_clock.h"

#include <thread>

namespace lumetra::core {

namespace {

class SteadyWaitClock final : public WaitClock {
public:
    TimePoint now() const override { return std::chrono::steady_clock::now(); }
    void sleepUntil(TimePoint wake) override { std::this_thread::sleep_until(wake); }
    void waitUntil(std::condition_variable& changed, std::unique_lock<std::mutex>& lock, TimePoint wake) override
    {
        changed.wait_until(lock, wake);
    }
};

} // namespace

WaitClock& steadyWaitClock()
{
    static SteadyWaitClock clock;
    return clock;
}

} // namespace lumetra::core
