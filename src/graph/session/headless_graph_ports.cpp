#include "graph/session/headless_graph_ports.h"

namespace lumetra::graph {

void LinkGraphHost::StopMonitoring(MonitorStopKind kind)
{
    if (kind == MonitorStopKind::Both) {
        link_.Disconnect();
    }
}

link::ConnectCode LinkGraphHost::connectLink()
{
    return link_.Connect(connection_.comPort, connection_.baudCode, connection_.usb);
}

} // namespace lumetra::graph
