// The local calendar time an export or print is stamped with.
#pragma once

#include <string>

namespace lumetra::graph {

struct ExportTime {
    int year = 0;
    int month = 0; // 1..12
    int day = 0; // 1..31
    int hour = 0; // 0..23
    int minute = 0;
    int second = 0;

    bool operator==(const ExportTime&) const = default;
};

// The current local time of the system clock.
ExportTime currentExportTime();

// "%A, %B %d, %Y" with English names whatever the locale: "Monday, December 07, 2026".
std::string printDateTitle(const ExportTime& time);

} // namespace lumetra::graph
