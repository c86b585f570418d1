// Ports through which a graph window's logic reaches the outside: its one-shot acquisition timer and the main
// window (monitors, the application-wide acquiring flag, opening the link with the configured port).
#pragma once

#include "link/pod_link.h"

#include <chrono>

namespace lumetra::graph {

inline constexpr int kGraphTimerId = 2003;

// One-shot: fires once `delay` after arm(); arming a pending timer restarts it.
class GraphTimer {
public:
    virtual ~GraphTimer() = default;
    virtual void arm(std::chrono::milliseconds delay) = 0;
    virtual void kill() = 0;
};

enum class MonitorStopKind { Variables = 1, AddressBlock = 2, Both = 3 };

class GraphHost {
public:
    virtual ~GraphHost() = default;
    virtual bool variableMonitoring() const = 0;
    virtual bool addressMonitoring() const = 0;
    // Both (3) also closes the link and shows "OFF LINE".
    virtual void StopMonitoring(MonitorStopKind kind) = 0;
    // Set while any graph window acquires.
    virtual bool graphAcquiring() const = 0;
    virtual void setGraphAcquiring(bool acquiring) = 0;
    // Connect with the configured `COM Port` + 1, `Baud Rate` code and `Port Type`.
    virtual link::ConnectCode connectLink() = 0;
};

} // namespace lumetra::graph
