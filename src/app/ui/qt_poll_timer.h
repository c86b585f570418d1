// The poll timer over a QTimer: each time it fires it calls the given tick handler.
#pragma once

#include "app/poll_timer.h"

#include <QTimer>

#include <functional>

namespace lumetra::app::ui {

class QtPollTimer final : public PollTimer {
public:
    QtPollTimer();

    // The link state's tick handler; set once the link state exists.
    void setTickHandler(std::function<void()> handler) { handler_ = std::move(handler); }

    void arm(std::chrono::milliseconds period) override;
    void kill() override;
    bool running() const { return timer_.isActive(); }

private:
    QTimer timer_;
    std::function<void()> handler_;
};

} // namespace lumetra::app::ui
