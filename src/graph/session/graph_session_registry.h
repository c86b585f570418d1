// The open graph windows' sessions, for the commands that take the link over and for the main window, which
// greys the monitor commands while a graph acquires. A session enrols when it is built and leaves when it is
// destroyed.
#pragma once

#include <cstddef>
#include <functional>
#include <vector>

namespace lumetra::graph {

class GraphSession;

class GraphSessionRegistry {
public:
    void enrol(GraphSession& session);
    void leave(GraphSession& session);

    // Stops acquisition in every graph window; the link stays open. Then the handler runs (the windows show
    // the change).
    void stopAll();
    void setAfterStopAll(std::function<void()> handler) { afterStopAll_ = std::move(handler); }
    bool anyAcquiring() const;
    std::size_t size() const { return sessions_.size(); }

private:
    std::vector<GraphSession*> sessions_;
    std::function<void()> afterStopAll_;
};

} // namespace lumetra::graph
