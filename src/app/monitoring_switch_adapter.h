// The monitor panes' switch over the main frame's link state: kind 1 for the variables, kind 2 for the address
// block.
#pragma once

#include "app/link_state.h"

#include "monitor/monitoring_switch.h"

namespace lumetra::app {

class LinkMonitoringSwitch final : public monitor::MonitoringSwitch {
public:
    explicit LinkMonitoringSwitch(LinkState& link)
        : link_(link)
    {
    }

    bool variableMonitoring() const override { return link_.variableMonitoring(); }
    bool addressMonitoring() const override { return link_.addressMonitoring(); }
    bool graphAcquiring() const override { return link_.graphAcquiring(); }

    void startVariableMonitoring() override { link_.StartMonitoring(MonitorKind::Variables); }
    void stopVariableMonitoring() override { link_.StopMonitoring(MonitorKind::Variables); }
    void startAddressMonitoring() override { link_.StartMonitoring(MonitorKind::AddressBlock); }
    void stopAddressMonitoring() override { link_.StopMonitoring(MonitorKind::AddressBlock); }

private:
    LinkState& link_;
};

} // namespace lumetra::app
