// Ports to time: the millisecond tick counter and the local last-write time of a file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

namespace lumetra::app {

class TickClock {
public:
    virtual ~TickClock() = default;
    // Milliseconds since an arbitrary start; never goes backwards.
    virtual std::uint64_t milliseconds() = 0;
};

// A calendar time in the local time zone.
struct LocalDateTime {
    int year = 0;
    int month = 0; // 1..12
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;

    bool operator==(const LocalDateTime&) const = default;
};

class FileTimes {
public:
    virtual ~FileTimes() = default;
    // The file's last-write time in local time; nullopt when it cannot be read.
    virtual std::optional<LocalDateTime> lastWriteLocalTime(const std::filesystem::path& path) = 0;
};

} // namespace lumetra::app
