#include "cli/interrupt_request.h"

#include <csignal>

namespace lumetra::cli {

namespace {

std::atomic<bool> interrupted {false};
static_assert(std::atomic<bool>::is_always_lock_free, "set from a signal handler");

using SignalHandler = void (*)(int);
SignalHandler previous = SIG_DFL;

extern "C" void onInterrupt(int)
{
    interrupted.store(true);
}

} // namespace

InterruptRequest::InterruptRequest()
{
    interrupted.store(false);
    previous = std::signal(SIGINT, onInterrupt);
}

InterruptRequest::~InterruptRequest()
{
    std::signal(SIGINT, previous);
}

const std::atomic<bool>& InterruptRequest::flag() const
{
    return interrupted;
}

} // namespace lumetra::cli
