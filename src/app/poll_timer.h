// Port to the window timer that drives the monitor polls. The owner of the real timer calls the link state's
// tick handler each time it fires.
#pragma once

#include <chrono>

namespace lumetra::app {

class PollTimer {
public:
    virtual ~PollTimer() = default;
    // Fires every `period` from now on until killed; arming a running timer restarts it with the new period.
    virtual void arm(std::chrono::milliseconds period) = 0;
    virtual void kill() = 0;
};

} // namespace lumetra::app
