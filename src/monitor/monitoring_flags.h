// A monitoring switch that only keeps the flags: for front ends that hold the link open themselves for their
// whole run (the command line, benchmarks), where starting and stopping a kind opens and closes nothing.
#pragma once

#include "monitor/monitoring_switch.h"

namespace lumetra::monitor {

class MonitoringFlags : public MonitoringSwitch {
public:
    bool variableMonitoring() const override { return variables_; }
    bool addressMonitoring() const override { return address_; }
    bool graphAcquiring() const override { return false; }
    void startVariableMonitoring() override { variables_ = true; }
    void stopVariableMonitoring() override { variables_ = false; }
    void startAddressMonitoring() override { address_ = true; }
    void stopAddressMonitoring() override { address_ = false; }

private:
    bool variables_ = false;
    bool address_ = false;
};

} // namespace lumetra::monitor
