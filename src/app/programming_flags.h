// The two process-wide flags of a running programming operation. While either is set, the commands that touch
// the link (monitoring, settings, close port) do nothing.
#pragma once

#include <atomic>

namespace lumetra::app {

struct ProgrammingFlags {
    std::atomic<bool> programmingBusy {false}; // a programming run on the user interface thread
    std::atomic<bool> programmingThreadBusy {false}; // a background programming thread

    bool active() const { return programmingBusy.load() || programmingThreadBusy.load(); }
};

} // namespace lumetra::app
