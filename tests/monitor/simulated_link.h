// A CPodLink connected to an in-process POD simulator on a simulated clock, and a monitoring switch that keeps the two
// flags and records every start and stop, for the monitor tests.
#pragma once

#include "monitor/monitoring_switch.h"

#include "link/pod_link.h"
#include "sim/in_process_transport.h"
#include "sim/simulated_clock.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lumetra::monitor::test {

struct SimulatedLink {
    SimulatedLink()
        : pod({}, clock)
        , factory(pod)
        , link(factory)
    {
        EXPECT_EQ(link.Connect(1, 4, false), link::ConnectCode::Connected);
        pod.clearTrace();
    }

    // The frames the POD received since the last call, without STX and ETX.
    std::vector<std::string> takeTrace()
    {
        std::vector<std::string> frames = pod.trace();
        pod.clearTrace();
        return frames;
    }

    sim::SimulatedClock clock;
    sim::PodSimulator pod;
    sim::InProcessTransportFactory factory;
    link::CPodLink link;
};

class RecordingMonitoring : public MonitoringSwitch {
public:
    bool variableMonitoring() const override { return variables; }
    bool addressMonitoring() const override { return address; }
    bool graphAcquiring() const override { return graph; }
    void startVariableMonitoring() override
    {
        calls.push_back("start variables");
        variables = true;
    }
    void stopVariableMonitoring() override
    {
        calls.push_back("stop variables");
        variables = false;
    }
    void startAddressMonitoring() override
    {
        calls.push_back("start address");
        address = true;
    }
    void stopAddressMonitoring() override
    {
        calls.push_back("stop address");
        address = false;
    }

    bool variables = false;
    bool address = false;
    bool graph = false;
    std::vector<std::string> calls;
};

} // namespace lumetra::monitor::test
