// A pseudo-terminal pair: the master end stays here, the slave end is the device a serial client opens.
#pragma once

#ifndef _WIN32

#include <memory>
#include <string>

namespace lumetra::sim {

class PseudoTerminal {
public:
    // Creates the pair in raw mode; nullptr when the system refuses.
    static std::unique_ptr<PseudoTerminal> open();

    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    // The master end, -1 after a hang-up.
    int masterFd() const { return masterFd_; }
    // Closes both ends kept here: a client's reads and writes on the slave end fail from now on, and the
    // device is gone for later opens.
    void hangUp();
    const std::string& slavePath() const { return slavePath_; }

private:
    PseudoTerminal(int masterFd, int slaveFd, std::string slavePath);

    int masterFd_;
    // Held open so that the master end never sees a hang-up between two clients.
    int slaveFd_;
    std::string slavePath_;
};

} // namespace lumetra::sim

#endif
