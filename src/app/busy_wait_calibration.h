// "MicroTime Length": how many rounds of an empty counting loop this PC runs per microsecond, measured once and
// kept in the settings.
#pragma once

#include "app/busy_notice.h"
#include "app/clocks.h"

#include "core/settings_store.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace lumetra::app {

inline constexpr std::string_view kCalibrationTitle = "Micro Time 계산 중...";
inline constexpr std::array<std::string_view, 2> kCalibrationLines {
    "올바른 작동을 위해 지금 사용자 PC의 Micro Time을 계산합니다.",
    "잠시만 기다려주십시요...",
};

// Runs the counting loop `rounds` times; the loop is not optimised away.
void runCountingLoop(std::uint64_t rounds);

// Grows the round count by 100000 until one run takes at least 50 ms, times one more run with the final count and
// answers the loops per microsecond, at least 1. A second run measured as 0 ms falls back to the last timed run
// of the first phase instead of dividing by zero.
std::int32_t measureLoopsPerMicrosecond(TickClock& clock);

// The stored value when it is positive; otherwise measures it under the notice window and stores it at once.
std::int32_t loadOrMeasureMicroTimeLength(core::SettingsStore& store, TickClock& clock, BusyNotice& notice);

} // namespace lumetra::app
