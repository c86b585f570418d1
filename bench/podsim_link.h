// A timed run over a link to lumetra-podsim with wire time, and the wire bytes of a run's frames, for the
// benchmarks that compare the programming runs with their wire limit.
#pragma once

#include "podsim_process.h"

#include "link/pod_link.h"
#include "link/posix_transport_factory.h"

#include <chrono>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumetra::bench {

struct TimedRun {
    bool ok = false;
    double seconds = 0;
};

// Starts the simulator at `baud` with `extra` arguments, connects at target baud code 4 and times `run`. nullopt
// (said on standard output) when the simulator or the link does not come up.
inline std::optional<TimedRun> timeOverPodsim(const std::string& program, int baud,
    const std::vector<std::string>& extra, const std::function<bool(link::CPodLink&)>& run)
{
    Podsim podsim(program, baud, extra);
    if (podsim.device().empty()) {
        std::printf("cannot start %s\n", program.c_str());
        return std::nullopt;
    }
    link::PosixTransportFactory factory({podsim.device(), link::D2xxLibrary::defaultName()});
    link::CPodLink link(factory);
    if (link.Connect(1, 4, false) != link::ConnectCode::Connected) {
        std::printf("cannot connect to %s\n", podsim.device().c_str());
        return std::nullopt;
    }
    const auto start = std::chrono::steady_clock::now();
    const bool ok = run(link);
    return TimedRun {ok, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count()};
}

struct WireBytes {
    std::size_t host = 0; // frames with STX and ETX, and the acknowledgements
    std::size_t targetWords = 0; // words the POD relays over its SCI line
};

// The host bytes of one traced frame (without STX and ETX): streamed words get no acknowledgement.
inline std::size_t hostBytesOf(const std::string& frame)
{
    const bool acknowledged = frame[0] != 'S' && frame[0] != 'J';
    return frame.size() + 2 + (acknowledged ? 1 : 0);
}

inline WireBytes wireBytesOf(const std::vector<std::string>& trace)
{
    WireBytes bytes;
    for (const std::string& frame : trace) {
        bytes.host += hostBytesOf(frame);
        bytes.targetWords += std::string_view("UVXSYZJO").find(frame[0]) != std::string_view::npos;
    }
    return bytes;
}

} // namespace lumetra::bench
