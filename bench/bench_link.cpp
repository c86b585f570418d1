// Round trips of the monitor reads over the serial transport against lumetra-podsim with wire-time
// emulation, as the ratio of measured time to the time the bytes need on the wire (10 bits each).
// Usage: bench_link [path-to-lumetra-podsim]
#include "podsim_process.h"

#include "link/pod_link.h"
#include "link/posix_transport_factory.h"

#include <chrono>
#include <cstdio>
#include <string>

namespace {

using namespace lumetra::link;
using lumetra::bench::Podsim;
using Clock = std::chrono::steady_clock;

// Bytes on the wire per operation: frame with STX and ETX, then the reply.
constexpr int kReadNextBytes = 3 + 5; // r, then 4 hex digits + CR
constexpr int kReadWordBytes = 10 + 1 + 3 + 5; // @ + 6 hex digits + CR, '!', then as ReadNext
constexpr int kReadNextCount = 1000;
constexpr int kReadWordCount = 200;

template <typename Operation> bool measure(const char* name, int baud, int count, int bytes, Operation operation)
{
    const auto start = Clock::now();
    for (int n = 0; n < count; ++n) {
        if (!operation()) {
            std::printf("%-9s at %6d baud: failed at round trip %d\n", name, baud, n);
            return false;
        }
    }
    const double measured = std::chrono::duration<double>(Clock::now() - start).count();
    const double wire = static_cast<double>(count) * bytes * 10.0 / baud;
    std::printf("%-9s at %6d baud: %5d round trips, %8.2f ms measured, %8.2f ms wire time, ratio %.2f\n", name, baud,
        count, measured * 1e3, wire * 1e3, measured / wire);
    return true;
}

bool run(const std::string& program, int baud)
{
    Podsim podsim(program, baud);
    if (podsim.device().empty()) {
        std::printf("cannot start %s\n", program.c_str());
        return false;
    }
    PosixTransportFactory factory({podsim.device(), D2xxLibrary::defaultName()});
    CPodLink link(factory);
    if (link.Connect(1, 4, false) != ConnectCode::Connected) {
        std::printf("cannot connect to %s\n", podsim.device().c_str());
        return false;
    }
    std::uint32_t value = 0;
    const bool ok = link.ReadWord(0x8000, 'r', value)
        && measure("ReadNext", baud, kReadNextCount, kReadNextBytes, [&] { return link.ReadNext('r', value); })
        && measure("ReadWord", baud, kReadWordCount, kReadWordBytes, [&] { return link.ReadWord(0x8000, 'r', value); });
    link.Disconnect();
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    const auto program = lumetra::bench::podsimProgram(argc, argv);
    if (!program)
        return 2;
    const bool ok = run(*program, 115200) && run(*program, 921600);
    return ok ? 0 : 1;
}
