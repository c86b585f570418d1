// The monitor panes as the poll timer sees them.
#pragma once

#include "link/pod_link.h"

namespace lumetra::app {

class MonitorPoller {
public:
    virtual ~MonitorPoller() = default;
    // Reads the rows the pane shows through the open link and updates them. Stops at the first failed read and
    // answers false: the rows read before it keep their new values, the others stay as they were. Shows no
    // message and leaves the link alone; the link state takes the link off line and tells the user.
    virtual bool poll(link::CPodLink& link) = 0;
};

// The memory monitor also loses its rows whenever address monitoring is stopped by a command.
class MemoryMonitorPoller : public MonitorPoller {
public:
    virtual void emptyRows() = 0;
};

} // namespace lumetra::app
