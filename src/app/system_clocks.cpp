#include "app/system_clocks.h"

#include <chrono>
#include <ctime>
#include <system_error>

namespace lumetra::app {

std::uint64_t SteadyTickClock::milliseconds()
{
    const auto sinceStart = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(sinceStart).count());
}

std::optional<LocalDateTime> SystemFileTimes::lastWriteLocalTime(const std::filesystem::path& path)
{
    std::error_code error;
    const auto written = std::filesystem::last_write_time(path, error);
    if (error)
        return std::nullopt;
    const auto systemTime = std::chrono::file_clock::to_sys(written);
    const std::time_t seconds = std::chrono::system_clock::to_time_t(
        std::chrono::time_point_cast<std::chrono::system_clock::duration>(systemTime));
    // Called on the user interface thread only; std::localtime's shared buffer is not raced.
    const std::tm* local = std::localtime(&seconds);
    if (!local)
        return std::nullopt;
    return LocalDateTime {
        local->tm_year + 1900, local->tm_mon + 1, local->tm_mday, local->tm_hour, local->tm_min, local->tm_sec};
}

} // namespace lumetra::app
