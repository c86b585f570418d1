// The monitor models as the poll timer reads them.
#pragma once

#include "app/monitor_poller.h"

#include "monitor/memory_monitor.h"
#include "monitor/variable_monitor.h"

namespace lumetra::app {

class VariableMonitorPoller final : public MonitorPoller {
public:
    explicit VariableMonitorPoller(monitor::VariableMonitor& monitor)
        : monitor_(monitor)
    {
    }
    bool poll(link::CPodLink& link) override { return monitor_.poll(link); }

private:
    monitor::VariableMonitor& monitor_;
};

class MemoryMonitorPollerAdapter final : public MemoryMonitorPoller {
public:
    explicit MemoryMonitorPollerAdapter(monitor::MemoryMonitor& monitor)
        : monitor_(monitor)
    {
    }
    bool poll(link::CPodLink& link) override { return monitor_.poll(link); }
    void emptyRows() override { monitor_.emptyRows(); }

private:
    monitor::MemoryMonitor& monitor_;
};

} // namespace lumetra::app
