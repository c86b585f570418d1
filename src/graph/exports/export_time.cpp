#include "graph/exports/export_time.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <string_view>

namespace lumetra::graph {

namespace {

constexpr std::array<std::string_view, 7> kWeekdays {
    "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
constexpr std::array<std::string_view, 12> kMonths {"January", "February", "March", "April", "May", "June", "July",
    "August", "September", "October", "November", "December"};

} // namespace

ExportTime currentExportTime()
{
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local {};
#if defined(_WIN32)
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
}

std::string printDateTitle(const ExportTime& time)
{
    using namespace std::chrono;
    const year_month_day date {
        year {time.year}, month {static_cast<unsigned>(time.month)}, day {static_cast<unsigned>(time.day)}};
    if (!date.ok())
        return {};
    const unsigned weekday = std::chrono::weekday {sys_days {date}}.c_encoding();
    char text[64];
    std::snprintf(text, sizeof text, "%s, %s %02d, %d", kWeekdays[weekday].data(),
        kMonths[static_cast<std::size_t>(time.month - 1)].data(), time.day, time.year);
    return text;
}

} // namespace lumetra::graph
