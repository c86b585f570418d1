// Ctrl+C (SIGINT) as a request to stop: while an InterruptRequest lives, the signal sets its flag instead of ending
// the program.
#pragma once

#include <atomic>

namespace lumetra::cli {

class InterruptRequest {
public:
    InterruptRequest();
    // Puts back the handler that was there before.
    ~InterruptRequest();
    InterruptRequest(const InterruptRequest&) = delete;
    InterruptRequest& operator=(const InterruptRequest&) = delete;

    const std::atomic<bool>& flag() const;
};

} // namespace lumetra::cli
