// The main frame's link state as a graph window sees it.
#pragma once

#include "app/link_state.h"
#include "graph/session/graph_ports.h"

namespace lumetra::app {

static_assert(static_cast<int>(graph::MonitorStopKind::Variables) == static_cast<int>(MonitorKind::Variables));
static_assert(static_cast<int>(graph::MonitorStopKind::AddressBlock) == static_cast<int>(MonitorKind::AddressBlock));
static_assert(static_cast<int>(graph::MonitorStopKind::Both) == static_cast<int>(MonitorKind::Both));

class GraphHostAdapter final : public graph::GraphHost {
public:
    explicit GraphHostAdapter(LinkState& state)
        : state_(state)
    {
    }

    bool variableMonitoring() const override { return state_.variableMonitoring(); }
    bool addressMonitoring() const override { return state_.addressMonitoring(); }
    void StopMonitoring(graph::MonitorStopKind kind) override
    {
        state_.StopMonitoring(static_cast<MonitorKind>(kind));
    }
    bool graphAcquiring() const override { return state_.graphAcquiring(); }
    void setGraphAcquiring(bool acquiring) override { state_.setGraphAcquiring(acquiring); }
    link::ConnectCode connectLink() override { return state_.ConnectForGraph(); }

private:
    LinkState& state_;
};

} // namespace lumetra::app
