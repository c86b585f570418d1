// The fixed settling pauses of the POD protocol (not used for waiting on replies).
#pragma once

#include "link/transport.h"

#include <thread>

namespace lumetra::link {

inline void pause(Milliseconds duration)
{
    std::this_thread::sleep_for(duration);
}

} // namespace lumetra::link
