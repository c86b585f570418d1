#include "graph/ui/qt_graph_timer.h"

namespace lumetra::graph::ui {

QtGraphTimer::QtGraphTimer()
{
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        if (handler_)
            handler_();
    });
}

void QtGraphTimer::arm(std::chrono::milliseconds delay)
{
    timer_.start(delay);
}

void QtGraphTimer::kill()
{
    timer_.stop();
}

} // namespace lumetra::graph::ui
