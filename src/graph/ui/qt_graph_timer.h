// A graph window's one-shot acquisition timer over a single-shot QTimer with millisecond precision.
#pragma once

#include "graph/graph_ports.h"

#include <QTimer>

#include <functional>

namespace lumetra::graph::ui {

class QtGraphTimer final : public GraphTimer {
public:
    QtGraphTimer();

    // The window's tick handler, called once per arm when the delay has passed.
    void setTickHandler(std::function<void()> handler) { handler_ = std::move(handler); }

    void arm(std::chrono::milliseconds delay) override;
    void kill() override;
    bool pending() const { return timer_.isActive(); }

private:
    QTimer timer_;
    std::function<void()> handler_;
};

} // namespace lumetra::graph::ui
