// The time-stamped lines the core writes to the message page: connects, loads, writes and their failures.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace lumetra::core {

struct ClockTime {
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// "[HH:MM:SS] event"
std::string activityLine(ClockTime time, std::string_view event);

class ActivityLog {
public:
    // Where the lines go and the local time of day; without them nothing is recorded.
    using Sink = std::function<void(std::string_view line)>;
    using Clock = std::function<ClockTime()>;

    void attach(Sink sink, Clock clock);
    void record(std::string_view event) const;

private:
    Sink sink_;
    Clock clock_;
};

} // namespace lumetra::core
