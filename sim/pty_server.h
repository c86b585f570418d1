// Serves the POD simulator on the master end of a pseudo-terminal: host bytes go in as they arrive, reply
// bytes go out when the simulator has them due. Bytes of one reply leave together when its last byte is
// due (held at most 1 ms), so the host is woken once per reply rather than once per byte.
#pragma once

#ifndef _WIN32

#include "sim/pod_simulator.h"
#include "sim/pseudo_terminal.h"

namespace lumetra::sim {

class PtyServer {
public:
    PtyServer(PseudoTerminal& terminal, PodSimulator& simulator) : terminal_(terminal), simulator_(simulator) {}

    // Runs until stopFd becomes readable, or watchFd (when not -1) reaches end of file. False when the
    // terminal failed. When the simulated POD hangs up, the terminal is hung up for good and the server
    // waits for the stop.
    bool run(int stopFd, int watchFd = -1);

private:
    bool readHostBytes();
    bool writeReplyBytes();
    void hangUp();
    std::optional<Clock::time_point> nextWake() const;

    PseudoTerminal& terminal_;
    PodSimulator& simulator_;
    std::vector<std::uint8_t> outgoing_;
    Clock::time_point heldSince_{};
    bool writeBlocked_ = false;
};

} // namespace lumetra::sim

#endif
