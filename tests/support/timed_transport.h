// Transport reads and writes with the time they took on a clock (the steady one unless given), and a check that a
// real time lies where a time-out puts it.
#pragma once

#include "link/pod_frames.h"
#include "link/transport.h"

#include "core/wait_clock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

namespace lumetra::test {

using SteadyClock = std::chrono::steady_clock;

// What a busy shared machine may add to a wait.
inline constexpr std::chrono::milliseconds kSchedulingSlack{150};

struct TimedResult {
    bool ok = false;
    std::string bytes;  // the read's buffer: what arrived before a failure, zeros after it
    SteadyClock::duration took{};
};

inline TimedResult timedRead(link::Transport& transport, std::size_t count, link::Milliseconds firstByteTimeout,
                             link::Milliseconds interByteTimeout,
                             const core::WaitClock& clock = core::steadyWaitClock())
{
    TimedResult result;
    result.bytes.assign(count, '\0');
    const auto start = clock.now();
    result.ok = transport.read(reinterpret_cast<std::uint8_t*>(result.bytes.data()), count, firstByteTimeout,
                               interByteTimeout);
    result.took = clock.now() - start;
    return result;
}

// Writes STX + body + ETX.
inline TimedResult timedSend(link::Transport& transport, std::string_view body,
                             link::Milliseconds drainTimeout = link::Milliseconds{200},
                             const core::WaitClock& clock = core::steadyWaitClock())
{
    TimedResult result;
    result.bytes = link::frame(body);
    const auto start = clock.now();
    result.ok = transport.write(reinterpret_cast<const std::uint8_t*>(result.bytes.data()), result.bytes.size(),
                                drainTimeout);
    result.took = clock.now() - start;
    return result;
}

// `took` is at least `expected` and less than `expected` plus the scheduling slack.
inline ::testing::AssertionResult lastedAbout(SteadyClock::duration took, SteadyClock::duration expected)
{
    using Ms = std::chrono::duration<double, std::milli>;
    if (took >= expected && took < expected + kSchedulingSlack)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "took " << Ms(took).count() << " ms, expected " << Ms(expected).count()
                                         << " ms to " << Ms(expected + kSchedulingSlack).count() << " ms";
}

} // namespace lumetra::test
