#include "app/busy_wait_calibration.h"

#include "core/settings_schema.h"

#include <algorithm>
#include <limits>

namespace lumetra::app {

namespace {

constexpr std::uint64_t kRoundStep = 100000;
constexpr std::uint64_t kMinimumMeasureMs = 50;

std::uint64_t timeLoop(TickClock& clock, std::uint64_t rounds)
{
    const std::uint64_t start = clock.milliseconds();
    runCountingLoop(rounds);
    return clock.milliseconds() - start;
}

std::int32_t perMicrosecond(std::uint64_t rounds, std::uint64_t elapsedMs)
{
    const std::uint64_t perMs = rounds / elapsedMs;
    const std::uint64_t perUs = perMs / 1000;
    return static_cast<std::int32_t>(
        std::clamp<std::uint64_t>(perUs, 1, static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max())));
}

} // namespace

void runCountingLoop(std::uint64_t rounds)
{
    volatile std::uint64_t counter = 0;
    while (counter < rounds)
        counter = counter + 1;
}

std::int32_t measureLoopsPerMicrosecond(TickClock& clock)
{
    std::uint64_t rounds = kRoundStep;
    std::uint64_t timedRounds = 0;
    std::uint64_t timedMs = 0;
    do {
        timedRounds = rounds;
        timedMs = timeLoop(clock, rounds);
        rounds += kRoundStep;
    } while (timedMs < kMinimumMeasureMs);

    const std::uint64_t finalMs = timeLoop(clock, rounds);
    if (finalMs == 0)
        return perMicrosecond(timedRounds, timedMs);
    return perMicrosecond(rounds, finalMs);
}

std::int32_t loadOrMeasureMicroTimeLength(core::SettingsStore& store, TickClock& clock, BusyNotice& notice)
{
    const std::int32_t stored = core::readSetting(store, core::SettingId::MicroTimeLength);
    if (stored > 0)
        return stored;
    notice.show(kCalibrationTitle, kCalibrationLines);
    const std::int32_t measured = measureLoopsPerMicrosecond(clock);
    core::writeSetting(store, core::SettingId::MicroTimeLength, measured);
    notice.close();
    return measured;
}

} // namespace lumetra::app
