// Every phase of every run under every fault kind: the run ends with that phase's code, the link is closed,
// nothing after the faulted frame is sent, no fault ever ends in a success code, and a silence ends the run
// exactly when the faulted frame's time-out runs out (on the simulated clock).
#include "download_fixture.h"

#include <gtest/gtest.h>

#include <tuple>

namespace lumetra::programming::test {
namespace {

using namespace std::chrono_literals;

enum class Path { Flash, FlashWithCsm, Ram, Lf240x };

struct Phase {
    const char* name;
    Path path;
    char command; // the faulted frame: the (skip+1)-th frame of this letter
    int skip;
    RunResult code;
    link::Milliseconds timeout; // of the faulted frame's reply
};

const Phase kPhases[] = {
    {"Header", Path::Flash, 'U', 0, RunResult::KeyValue, 3000ms},
    {"MatchingFlow", Path::FlashWithCsm, 'Y', 0, RunResult::CsmMatchingFlow, 4000ms},
    {"Algorithm", Path::Flash, 'Y', 3, RunResult::FlashAlgorithm, 4000ms},
    {"Unlock", Path::Flash, 'O', 0, RunResult::CsmUnlock, 2000ms},
    {"Erase", Path::Flash, 'O', 1, RunResult::FlashErasing, 100000ms},
    {"Program", Path::Flash, 'O', 2, RunResult::FlashWriting, 3000ms},
    {"Reset", Path::Flash, 'N', 0, RunResult::TargetReset, 600ms},
    {"RamBlocks", Path::Ram, 'Y', 1, RunResult::UserProgram, 4000ms},
    {"Kernel", Path::Lf240x, 'Z', 0, RunResult::KernelCode, 4000ms},
    {"ClearRoutine", Path::Lf240x, 'Z', 1, RunResult::ClearCode, 4000ms},
    {"EraseRoutine", Path::Lf240x, 'Z', 2, RunResult::EraseCode, 4000ms},
    {"ProgramRoutine", Path::Lf240x, 'Y', 0, RunResult::FlashProgramCode, 4000ms},
    {"UserProgram", Path::Lf240x, 'Z', 4, RunResult::UserProgram, 4000ms},
};

constexpr std::array<std::uint16_t, 8> kPassword {1, 2, 3, 4, 5, 6, 7, 8};

std::unique_ptr<CommandBench> benchFor(Path path)
{
    const int device = path == Path::Lf240x ? 4 : 33;
    auto bench
        = std::make_unique<CommandBench>(device, path == Path::FlashWithCsm ? std::optional(kPassword) : std::nullopt);
    if (path == Path::FlashWithCsm) {
        bench->request.device.csmUse = true;
        bench->request.device.csmKeys = kPassword;
    }
    return bench;
}

ProgramData programFor(Path path)
{
    switch (path) {
    case Path::Ram:
        return programOf(33, {{0x9000, 250}});
    case Path::Lf240x:
        return programOf(4, {{0x0000, 250}}, 0x0092);
    default:
        return programOf(33, {{0x338000, 100}});
    }
}

class FaultMatrix : public ::testing::TestWithParam<std::tuple<Phase, sim::FaultKind>> { };

TEST_P(FaultMatrix, EndsWithThePhasesCodeAndClosesTheLink)
{
    const auto& [phase, kind] = GetParam();
    const ProgramData program = programFor(phase.path);

    auto clean = benchFor(phase.path);
    ASSERT_TRUE(isSuccess(*clean->run(program).result));
    const auto [index, bytesBefore] = locate(clean->target.pod.trace(), phase.command, phase.skip);

    auto bench = benchFor(phase.path);
    bench->target.link.setReplyTimeout(50ms);
    sim::Fault fault {.kind = kind, .command = phase.command, .skip = phase.skip};
    if (kind == sim::FaultKind::Stall)
        fault.delay = phase.timeout + 400ms;
    if (kind == sim::FaultKind::HangUp)
        fault.afterBytes = bytesBefore + 1;
    bench->target.pod.injectFault(fault);
    const DownloadOutcome outcome = bench->run(program);

    ASSERT_TRUE(outcome.result);
    EXPECT_EQ(*outcome.result, phase.code) << resultLine(*outcome.result);
    EXPECT_FALSE(isSuccess(*outcome.result));
    EXPECT_EQ(bench->target.progress.result, phase.code);
    EXPECT_FALSE(bench->target.link.connected());
    EXPECT_EQ(bench->notice.shown, 0);
    const std::size_t framesSent = bench->target.pod.trace().size();
    EXPECT_EQ(framesSent, kind == sim::FaultKind::HangUp ? index : index + 1);
    if (kind != sim::FaultKind::HangUp) {
        EXPECT_EQ(bench->target.sinceLastFrame(), kind == sim::FaultKind::WrongAck ? 0ms : 50ms + phase.timeout);
    }
}

std::vector<std::tuple<Phase, sim::FaultKind>> combinations()
{
    std::vector<std::tuple<Phase, sim::FaultKind>> all;
    for (const Phase& phase : kPhases) {
        for (const sim::FaultKind kind :
            {sim::FaultKind::NoReply, sim::FaultKind::WrongAck, sim::FaultKind::Stall, sim::FaultKind::HangUp})
            all.emplace_back(phase, kind);
    }
    return all;
}

std::string caseName(const ::testing::TestParamInfo<std::tuple<Phase, sim::FaultKind>>& info)
{
    static const char* const kinds[] = {"NoReply", "WrongAck", "ShortReply", "Delay", "Stall", "StrayByte", "HangUp"};
    return std::string(std::get<0>(info.param).name) + kinds[static_cast<int>(std::get<1>(info.param))];
}

INSTANTIATE_TEST_SUITE_P(Phases, FaultMatrix, ::testing::ValuesIn(combinations()), caseName);

} // namespace
} // namespace lumetra::programming::test
