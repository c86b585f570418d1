// A fault on one read of a pass, at the first, a middle or the last word: the monitors show the values of an
// undisturbed pass, or the pass fails; never a value of another address. On the simulated clock an undisturbed
// pass takes no time and a faulted one exactly its waits.
#include "monitor/memory_monitor.h"
#include "monitor/variable_monitor.h"

#include "simulated_link.h"

#include "core/memory_settings_store.h"
#include "core/settings_schema.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lumetra::monitor {
namespace {

using namespace std::chrono_literals;
using sim::FaultKind;
using test::RecordingMonitoring;
using test::SimulatedLink;

constexpr int kRows = 8;
constexpr std::uint32_t kStart = 0x3F8000;

enum class Position { First, Middle, Last };

struct RetryCase {
    FaultKind kind;
    char mode;
    Position position;
};

std::string caseName(const ::testing::TestParamInfo<RetryCase>& info)
{
    static constexpr const char* kinds[] = {"NoReply", "WrongAck", "ShortReply", "Delay", "Stall", "StrayByte"};
    static constexpr const char* positions[] = {"First", "Middle", "Last"};
    return std::string(kinds[static_cast<int>(info.param.kind)]) + "_" + info.param.mode + "_"
        + positions[static_cast<int>(info.param.position)];
}

int faultedIndex(Position position)
{
    switch (position) {
    case Position::First:
        return 0;
    case Position::Middle:
        return kRows / 2;
    case Position::Last:
        break;
    }
    return kRows - 1;
}

// A delay beyond the longest wait for a read reply; the others are one lost, cut, wrong or extra reply.
sim::Fault faultFor(const RetryCase& c)
{
    sim::Fault fault {.kind = c.kind, .command = c.mode, .skip = faultedIndex(c.position), .count = 1};
    if (c.kind == FaultKind::Delay)
        fault.delay = 2500ms;
    return fault;
}

std::vector<RetryCase> casesFor(char narrow, char wide)
{
    std::vector<RetryCase> cases;
    for (const FaultKind kind :
        {FaultKind::NoReply, FaultKind::WrongAck, FaultKind::ShortReply, FaultKind::Delay, FaultKind::StrayByte})
        for (const char mode : {narrow, wide})
            for (const Position position : {Position::First, Position::Middle, Position::Last})
                cases.push_back({kind, mode, position});
    return cases;
}

// How long the faulted pass lasts: the failed attempt's wait (the reply time-out of 200 ms on top of the read's
// 2000 ms before the first byte, or of the inter-byte 100 ms after it), then the 30 ms settle of `I` before the retry.
// A late reply fails the retry when it arrives; a stray byte fails the read after it (the next pass's, after the
// last word).
link::Milliseconds faultedPassLength(const RetryCase& c)
{
    switch (c.kind) {
    case FaultKind::NoReply:
        return 2230ms;
    case FaultKind::ShortReply:
        return 330ms;
    case FaultKind::Delay:
        return 2500ms;
    case FaultKind::StrayByte:
        return c.position == Position::Last ? 0ms : 30ms;
    default:
        return 30ms;
    }
}

// One fault is absorbed by the retry, except a reply so late that it still arrives after the retry began:
// then the retry reads it instead of its acknowledgement and the pass fails.
bool retryMustSucceed(FaultKind kind)
{
    return kind != FaultKind::Delay;
}

// The faulted pass shows the undisturbed values; a failed one only the rows read before the failure (the rest
// keep what they showed, empty or the earlier pass's value).
void expectUndisturbedOrFailed(
    FaultKind kind, bool ok, const std::vector<std::string>& faulted, const std::vector<std::string>& undisturbed)
{
    if (retryMustSucceed(kind)) {
        EXPECT_TRUE(ok);
    }
    ASSERT_EQ(faulted.size(), undisturbed.size());
    if (ok) {
        EXPECT_EQ(faulted, undisturbed);
        return;
    }
    for (std::size_t i = 0; i < faulted.size(); ++i) {
        EXPECT_TRUE(faulted[i].empty() || faulted[i] == undisturbed[i]) << "row " << i << ": " << faulted[i];
    }
}

class MemoryMonitorRetry : public ::testing::TestWithParam<RetryCase> {
protected:
    MemoryMonitorRetry()
    {
        for (std::uint32_t i = 0; i < 2 * kRows; ++i)
            sim.pod.setWord(kStart + i, static_cast<std::uint16_t>(0x0100 + i));
        core::writeSetting(store, core::SettingId::CpuType, 26);
        core::writeSetting(store, core::SettingId::StartDataAddress, static_cast<std::int32_t>(kStart));
        core::writeSetting(store, core::SettingId::StartViewType,
            viewTypeCode(GetParam().mode == 'l' ? ViewType::Hex32 : ViewType::Hex16));
    }

    std::vector<std::string> poll(bool& ok)
    {
        MemoryMonitor memory(store, monitoring);
        memory.setRowsPerPage(kRows);
        const auto start = sim.clock.now();
        ok = memory.poll(sim.link);
        took = sim.clock.now() - start;
        std::vector<std::string> values;
        for (const MemoryRow& row : memory.rows())
            values.push_back(row.value);
        return values;
    }

    core::MemorySettingsStore store;
    RecordingMonitoring monitoring;
    SimulatedLink sim;
    sim::Clock::duration took {};
};

TEST_P(MemoryMonitorRetry, ShowsTheUndisturbedValuesOrFails)
{
    bool ok = false;
    const std::vector<std::string> undisturbed = poll(ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(took, 0ms);
    ASSERT_EQ(undisturbed.size(), static_cast<std::size_t>(kRows));
    EXPECT_EQ(undisturbed[3], GetParam().mode == 'l' ? "0x01070106" : "0x0103");

    sim.pod.injectFault(faultFor(GetParam()));
    const std::vector<std::string> faulted = poll(ok);
    expectUndisturbedOrFailed(GetParam().kind, ok, faulted, undisturbed);
    EXPECT_EQ(took, faultedPassLength(GetParam()));

    // A stray byte after the last reply, or a late one, is met by the next pass.
    const std::vector<std::string> after = poll(ok);
    if (ok) {
        EXPECT_EQ(after, undisturbed);
    }
    EXPECT_EQ(poll(ok), undisturbed);
    EXPECT_TRUE(ok);
}

INSTANTIATE_TEST_SUITE_P(AllFaults, MemoryMonitorRetry, ::testing::ValuesIn(casesFor('r', 'l')), caseName);

class VariableMonitorRetry : public ::testing::TestWithParam<RetryCase> {
protected:
    VariableMonitorRetry()
    {
        constexpr std::uint16_t kInt = 4;
        constexpr std::uint16_t kLong = 5;
        const std::uint16_t type = GetParam().mode == 'L' ? kLong : kInt;
        std::vector<image::CDataObject> records;
        for (int i = 0; i < kRows; ++i) {
            const std::uint32_t address = kStart + 4 * static_cast<std::uint32_t>(i);
            sim.pod.setWord(address, static_cast<std::uint16_t>(0x0100 + i));
            sim.pod.setWord(address + 1, static_cast<std::uint16_t>(0x0A00 + i));
            records.push_back({"v" + std::to_string(i), address, type, {}, 0});
        }
        symbols = image::SymbolList(records);
        monitor.setVisibleRows(0, kRows);
        for (int i = 0; i < kRows; ++i)
            EXPECT_TRUE(monitor.addVariable("v" + std::to_string(i), symbols));
    }

    std::vector<std::string> poll(bool& ok)
    {
        const auto start = sim.clock.now();
        ok = monitor.poll(sim.link);
        took = sim.clock.now() - start;
        std::vector<std::string> values;
        for (const VariableRow& row : monitor.rows())
            values.push_back(row.value);
        return values;
    }

    image::SymbolList symbols;
    std::vector<image::CDataObject> registered;
    RecordingMonitoring monitoring;
    SimulatedLink sim;
    VariableMonitor monitor {registered, monitoring};
    sim::Clock::duration took {};
};

TEST_P(VariableMonitorRetry, ShowsTheUndisturbedValuesOrFails)
{
    bool ok = false;
    const std::vector<std::string> undisturbed = poll(ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(took, 0ms);
    EXPECT_EQ(undisturbed[3], GetParam().mode == 'L' ? "167969027" : "259"); // 0x0A030103, 0x0103

    sim.pod.injectFault(faultFor(GetParam()));
    const std::vector<std::string> faulted = poll(ok);
    expectUndisturbedOrFailed(GetParam().kind, ok, faulted, undisturbed);
    EXPECT_EQ(took, faultedPassLength(GetParam()));

    poll(ok);
    EXPECT_EQ(poll(ok), undisturbed);
    EXPECT_TRUE(ok);
}

INSTANTIATE_TEST_SUITE_P(AllFaults, VariableMonitorRetry, ::testing::ValuesIn(casesFor('R', 'L')), caseName);

} // namespace
} // namespace lumetra::monitor
