// Serves the POD simulator on the master end of a pseudo-terminal: host bytes go in as they arrive, reply
// bytes go out the moment the simulator has them due.
#pragma once

#ifndef _WIN32

#include "sim/pod_simulator.h"
#include "sim/pseudo_terminal.h"

namespace lumetra::sim {

class PtyServer {
public:
    PtyServer(PseudoTerminal& terminal, PodSimulator& simulator) : terminal_(terminal), simulator_(simulator) {}

    // Runs until stopFd becomes readable, or watchFd (when not -1) reaches end of file. False when the
    // terminal failed.
    bool run(int stopFd, int watchFd = -1);

private:
    bool readHostBytes();
    bool writeReplyBytes();

    PseudoTerminal& terminal_;
    PodSimulator& simulator_;
    std::vector<std::uint8_t> outgoing_;
};

} // namespace lumetra::sim

#endif
