// The clocks of the running system: the steady clock and the file system's times in the local time zone.
#pragma once

#include "app/clocks.h"

namespace lumetra::app {

class SteadyTickClock final : public TickClock {
public:
    std::uint64_t milliseconds() override;
};

class SystemFileTimes final : public FileTimes {
public:
    std::optional<LocalDateTime> lastWriteLocalTime(const std::filesystem::path& path) override;
};

} // namespace lumetra::app
