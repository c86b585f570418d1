// A timer port over a QTimer with millisecond precision: each time it fires it calls the owner's tick handler.
// `Port` declares arm(delay) and kill(); a single-shot timer fires once per arm, a periodic one until killed.
#pragma once

#include <QTimer>

#include <chrono>
#include <functional>

namespace lumetra::core::ui {

enum class TimerShots { Single, Periodic };

template <typename Port> class QtCallbackTimer final : public Port {
public:
    explicit QtCallbackTimer(TimerShots shots)
    {
        timer_.setSingleShot(shots == TimerShots::Single);
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (handler_)
                handler_();
        });
    }

    void setTickHandler(std::function<void()> handler) { handler_ = std::move(handler); }

    void arm(std::chrono::milliseconds delay) override { timer_.start(delay); }
    void kill() override { timer_.stop(); }
    bool active() const { return timer_.isActive(); }

private:
    QTimer timer_;
    std::function<void()> handler_;
};

} // namespace lumetra::core::ui
