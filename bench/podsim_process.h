// lumetra-podsim as a child process with wire-time emulation at a given baud, for the benchmarks that measure
// the link against it. Its standard input is a pipe whose closing ends it.
#pragma once

#include <cstdio>
#include <optional>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace lumetra::bench {

class Podsim {
public:
    // `extra`: further arguments of the simulator.
    Podsim(const std::string& program, int baud, const std::vector<std::string>& extra = {})
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
        std::vector<char*> argv {const_cast<char*>(program.c_str()), const_cast<char*>("--wire-time"),
            const_cast<char*>("--wire-baud"), const_cast<char*>(baudText.c_str())};
        for (const std::string& argument : extra)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        const bool spawned = ::posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ) == 0;
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

    Podsim(const Podsim&) = delete;
    Podsim& operator=(const Podsim&) = delete;

    // The pseudo-terminal it serves; empty when it could not be started.
    const std::string& device() const { return device_; }

private:
    pid_t pid_ = -1;
    int stdin_ = -1;
    std::string device_;
};

// The simulator program: the first argument, else the one built with the benchmark. nullopt (with the usage
// printed) when neither is there.
inline std::optional<std::string> podsimProgram(int argc, char** argv)
{
    if (argc > 1)
        return argv[1];
#ifdef LUMETRA_PODSIM_PATH
    return LUMETRA_PODSIM_PATH;
#else
    std::printf("usage: %s path-to-lumetra-podsim\n", argc > 0 ? argv[0] : "bench");
    return std::nullopt;
#endif
}

} // namespace lumetra::bench
