#include "cli/interrupt_request.h"

#include <csignal>

namespace lumetra::cli {

namespace {

std::atomic<bool> interrupted {false};
static_assert(std::atomic<bool>::is_always_lock_free, "set from a signal handler");

struct sigaction previous {};

extern "C" void onInterrupt(int)
{
    interrupted.store(true);
}

} // namespace

InterruptRequest::InterruptRequest()
{
    interrupted.store(false);
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &previous);
}

InterruptRequest::~InterruptRequest()
{
    sigaction(SIGINT, &previous, nullptr);
}

const std::atomic<bool>& InterruptRequest::flag() const
{
    return interrupted;
}

} // namespace lumetra::cli
