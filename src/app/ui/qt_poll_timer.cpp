#include "app/ui/qt_poll_timer.h"

namespace lumetra::app::ui {

QtPollTimer::QtPollTimer()
{
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        if (handler_)
            handler_();
    });
}

void QtPollTimer::arm(std::chrono::milliseconds period)
{
    timer_.start(period);
}

void QtPollTimer::kill()
{
    timer_.stop();
}

} // namespace lumetra::app::ui
