#include "core/activity_log.h"

#include <cstdio>

namespace lumetra::core {

std::string activityLine(ClockTime time, std::string_view event)
{
    char stamp[16];
    std::snprintf(stamp, sizeof stamp, "[%02d:%02d:%02d] ", time.hour % 100, time.minute % 100, time.second % 100);
    return stamp + std::string(event);
}

void ActivityLog::attach(Sink sink, Clock clock)
{
    sink_ = std::move(sink);
    clock_ = std::move(clock);
}

void ActivityLog::record(std::string_view event) const
{
    if (sink_ && clock_)
        sink_(activityLine(clock_(), event));
}

} // namespace lumetra::core
