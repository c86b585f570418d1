// Round trips of the monitor reads over the serial transport against lumetra-podsim with wire-time
// emulation, as the ratio of measured time to the time the bytes need on the wire (10 bits each).
// Usage: bench_link [path-to-lumetra-podsim]
#include "link/pod_link.h"
#include "link/posix_transport_factory.h"

#include <chrono>
#include <cstdio>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

using namespace lumetra::link;
using Clock = std::chrono::steady_clock;

// Bytes on the wire per operation: frame with STX and ETX, then the reply.
constexpr int kReadNextBytes = 3 + 5;          // r, then 4 hex digits + CR
constexpr int kReadWordBytes = 10 + 1 + 3 + 5; // @ + 6 hex digits + CR, '!', then as ReadNext
constexpr int kReadNextCount = 1000;
constexpr int kReadWordCount = 200;

// lumetra-podsim as a child: its standard input is a pipe whose closing ends it.
class Podsim {
public:
    Podsim(const std::string& program, int baud)
    {
        int in[2];
        int out[2];
        if (::pipe(in) != 0 || ::pipe(out) != 0)
            return;
        posix_spawn_file_actions_t actions;
        ::posix_spawn_file_actions_init(&actions);
        ::posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
        ::posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        ::posix_spawn_file_actions_addclose(&actions, in[1]);
        ::posix_spawn_file_actions_addclose(&actions, out[0]);
        const std::string baudText = std::to_string(baud);
        char* argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>("--wire-time"),
                        const_cast<char*>("--wire-baud"), const_cast<char*>(baudText.c_str()), nullptr};
        const bool spawned = ::posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv, environ) == 0;
        ::posix_spawn_file_actions_destroy(&actions);
        ::close(in[0]);
        ::close(out[1]);
        stdin_ = in[1];
        if (spawned) {
            char c = 0;
            while (::read(out[0], &c, 1) == 1 && c != '\n')
                device_ += c;
        } else {
            pid_ = -1;
        }
        ::close(out[0]);
    }

    ~Podsim()
    {
        if (stdin_ >= 0)
            ::close(stdin_);
        if (pid_ > 0)
            ::waitpid(pid_, nullptr, 0);
    }

    const std::string& device() const { return device_; }

private:
    pid_t pid_ = -1;
    int stdin_ = -1;
    std::string device_;
};

template <typename Operation>
bool measure(const char* name, int baud, int count, int bytes, Operation operation)
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
        && measure("ReadWord", baud, kReadWordCount, kReadWordBytes,
                   [&] { return link.ReadWord(0x8000, 'r', value); });
    link.Disconnect();
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
#ifdef LUMETRA_PODSIM_PATH
    const std::string program = argc > 1 ? argv[1] : LUMETRA_PODSIM_PATH;
#else
    if (argc < 2) {
        std::printf("usage: bench_link path-to-lumetra-podsim\n");
        return 2;
    }
    const std::string program = argv[1];
#endif
    const bool ok = run(program, 115200) && run(program, 921600);
    return ok ? 0 : 1;
}
