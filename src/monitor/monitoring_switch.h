// Port to the main frame's link state as the monitor panes drive it: the two monitoring flags, the graph
// acquisition flag, and starting and stopping each kind (which opens and closes the link as needed).
#pragma once

namespace lumetra::monitor {

class MonitoringSwitch {
public:
    virtual ~MonitoringSwitch() = default;

    virtual bool variableMonitoring() const = 0;
    virtual bool addressMonitoring() const = 0;
    virtual bool graphAcquiring() const = 0;

    // Monitor kind 1.
    virtual void startVariableMonitoring() = 0;
    virtual void stopVariableMonitoring() = 0;
    // Monitor kind 2; stopping it also empties the memory monitor's rows.
    virtual void startAddressMonitoring() = 0;
    virtual void stopAddressMonitoring() = 0;
};

} // namespace lumetra::monitor
