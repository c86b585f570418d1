// The data-flash run on a simulated F2834x chip: the image in the SPI flash byte for byte, the sector and page
// records at the edges of the counts, the algorithm of each clock group, and every step ending on a fault or on
// Cancel with its line and the link closed.
#include "data_flash_fixture.h"

#include "sim/spi_data_flash.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

namespace lumetra::programming::test {
namespace {

using link::DataFlashMode;
using namespace std::chrono_literals;

const std::vector<std::string> kWriteVerifyLines {"[INFO]: SCI BOOT Staring...", "[INFO]: Algorithm Code Downloading..",
    "[INFO]: Algorithm Code Init-Action is starting..", "[INFO]: Data Flash Erasing is starting..",
    "[INFO]: Data Flash Programing is starting..", "[INFO]: Data Flash Verifying is starting.."};

std::string lastByteField(const std::string& record)
{
    return record.substr(7, 2); // ":73" + page (4) + last-byte index (2)
}

TEST(DataFlashRun, WriteAndVerifyLeavesExactlyTheImageInTheErasedSectors)
{
    DataFlashTarget bench;
    const DataFlashJob job = bench.job(DataFlashMode::WriteVerify, 0x10001);
    EXPECT_TRUE(bench.run(job));
    EXPECT_EQ(bench.dialog.result, DataFlashResult::ProgrammingVerifyingOk);
    EXPECT_EQ(bench.dialog.lines, kWriteVerifyLines);
    EXPECT_EQ(bench.dialog.ranges, (std::vector<std::uint64_t> {2644, 2, 257, 257}));
    EXPECT_FALSE(bench.target.link.connected());
    EXPECT_EQ(bench.pauses, (std::vector<long long> {10, 1}));
    // Cancel is offered while words and records stream, not while the algorithm starts.
    EXPECT_EQ(bench.dialog.buttonStates, (std::vector<bool> {true, false, true}));

    const auto image = job.image.bytes();
    EXPECT_EQ(bench.target.pod.dataFlash(0, 0x10001), std::vector<std::uint8_t>(image.begin(), image.end()));
    const auto rest = bench.target.pod.dataFlash(0x10001, 0x20000 - 0x10001);
    EXPECT_TRUE(std::all_of(rest.begin(), rest.end(), [](std::uint8_t b) { return b == 0xFF; }));
    EXPECT_EQ(bench.target.pod.dataFlash(0x20000, 1).at(0), sim::SpiDataFlash::oldContentByte(0x20000));

    EXPECT_EQ(bench.records("71"), std::vector<std::string> {":7101C9\r"});
    EXPECT_EQ(bench.records("72").size(), 2u);
    const auto programs = bench.records("73");
    ASSERT_EQ(programs.size(), 257u);
    EXPECT_EQ(programs.back().substr(3, 4), "0100");
    EXPECT_EQ(lastByteField(programs.back()), "00");
    EXPECT_EQ(lastByteField(programs[255]), "FF");
    EXPECT_EQ(bench.records("74").size(), 257u);
}

TEST(DataFlashRun, ExactlyOneSectorOfImageErasesOneAndProgramsTwoHundredFiftySixPages)
{
    DataFlashTarget bench;
    EXPECT_TRUE(bench.run(bench.job(DataFlashMode::Write, 0x10000)));
    EXPECT_EQ(bench.dialog.result, DataFlashResult::ProgrammingOk);
    EXPECT_EQ(bench.dialog.ranges, (std::vector<std::uint64_t> {2644, 1, 256}));
    const auto programs = bench.records("73");
    ASSERT_EQ(programs.size(), 256u);
    EXPECT_EQ(lastByteField(programs.back()), "FF");
    EXPECT_TRUE(bench.records("74").empty());
}

TEST(DataFlashRun, EraseAllOnTheLargestChipSendsSixtyFourEraseRecordsAndNothingElse)
{
    DataFlashTarget bench;
    EXPECT_TRUE(bench.run(bench.job(DataFlashMode::Erase, 0x100, 4, true)));
    EXPECT_EQ(bench.dialog.result, DataFlashResult::ErasingOk);
    const auto erases = bench.records("72");
    ASSERT_EQ(erases.size(), 64u);
    EXPECT_EQ(erases.back().substr(3, 4), "003F");
    EXPECT_TRUE(bench.records("73").empty());
    const auto flash = bench.target.pod.dataFlash(0, 0x400000);
    EXPECT_TRUE(std::all_of(flash.begin(), flash.end(), [](std::uint8_t b) { return b == 0xFF; }));
}

TEST(DataFlashRun, AlgorithmOfEachClockGroupClosesEveryTwoHundredthAndLastWord)
{
    for (const int device : {36, 37}) {
        SCOPED_TRACE(device);
        DataFlashTarget bench(device);
        EXPECT_TRUE(bench.run(bench.job(DataFlashMode::Erase, 0x100)));
        const std::uint64_t total = device == 36 ? 2644 : 2645;
        EXPECT_EQ(bench.dialog.ranges.front(), total);
        // 2 + 4 + 2302/2303 + 80 + 256 words: one closing word for the first two, 12, 1 and 2.
        EXPECT_EQ(bench.target.frames("Y").size(), 17u);
        EXPECT_EQ(bench.target.frames("S").size(), total - 17);
        EXPECT_EQ(bench.target.frames("X").size(), 1u);
    }
}

TEST(DataFlashRun, TheOtherClockGroupsAlgorithmDoesNotRunAndInitialisationFails)
{
    DataFlashTarget bench(37);
    DataFlashJob job = bench.job(DataFlashMode::Erase, 0x100);
    job.algorithm = dataFlashAlgorithmOf(36);
    EXPECT_FALSE(bench.run(job));
    EXPECT_EQ(bench.dialog.result, DataFlashResult::AlgorithmInitFailed);
    EXPECT_TRUE(bench.records("72").empty());
}

TEST(DataFlashRun, AutoBaudFailureRetriesAt38400)
{
    DataFlashTarget bench;
    bench.target.connect();
    bench.target.pod.injectFault({.kind = sim::FaultKind::WrongAck, .command = 'P'});
    EXPECT_TRUE(isDataFlashSuccess(RunDataFlash(bench.ports(), bench.job(DataFlashMode::Erase, 0x100))));
    EXPECT_EQ(bench.target.frames("K2").size(), 1u);
    EXPECT_EQ(bench.target.frames("M").size(), 2u);
}

struct StepFault {
    const char* name;
    char command; // the faulted frame: the (skip+1)-th frame of this letter after the connect
    int skip;
    DataFlashResult result;
    std::size_t lastLine; // index in kWriteVerifyLines
    link::Milliseconds timeout; // of the faulted frame's reply
};

// Two sectors and 257 pages: record 71 is the first ':' frame, the erases the next two, then the pages.
const StepFault kStepFaults[] = {
    {"BootMode", 'M', 0, DataFlashResult::SciBootFailed, 0, 600ms},
    {"KeyValue", 'U', 0, DataFlashResult::SciBootFailed, 0, 3000ms},
    {"AlgorithmBlock", 'Y', 2, DataFlashResult::AlgorithmDownloadFailed, 1, 4000ms},
    {"AlgorithmEnd", 'X', 0, DataFlashResult::AlgorithmDownloadFailed, 1, 3000ms},
    {"RecordBaud", 'K', 0, DataFlashResult::AlgorithmInitFailed, 2, 50ms},
    {"Init", ':', 0, DataFlashResult::AlgorithmInitFailed, 2, 2000ms},
    {"Erase", ':', 2, DataFlashResult::ErasingFailed, 3, 5000ms},
    {"Program", ':', 3 + 100, DataFlashResult::ProgrammingFailed, 4, 2000ms},
    {"Verify", ':', 3 + 257 + 256, DataFlashResult::VerifyingFailed, 5, 2000ms},
};

class DataFlashFaults : public ::testing::TestWithParam<std::tuple<StepFault, sim::FaultKind>> { };

TEST_P(DataFlashFaults, EndWithTheStepsLineAndTheLinkClosed)
{
    const auto& [step, kind] = GetParam();
    DataFlashTarget clean;
    clean.target.connect();
    clean.target.pod.clearTrace();
    ASSERT_TRUE(isDataFlashSuccess(RunDataFlash(clean.ports(), clean.job(DataFlashMode::WriteVerify, 0x10001))));
    const auto [index, bytesBefore] = locate(clean.target.pod.trace(), step.command, step.skip);

    DataFlashTarget bench;
    bench.target.connect();
    bench.target.pod.clearTrace();
    bench.target.link.setReplyTimeout(50ms);
    sim::Fault fault {.kind = kind, .command = step.command, .skip = step.skip};
    if (kind == sim::FaultKind::Stall)
        fault.delay = step.timeout + 400ms;
    if (kind == sim::FaultKind::HangUp)
        fault.afterBytes = bytesBefore + 1;
    bench.target.pod.injectFault(fault);
    EXPECT_FALSE(isDataFlashSuccess(RunDataFlash(bench.ports(), bench.job(DataFlashMode::WriteVerify, 0x10001))));
    EXPECT_EQ(bench.dialog.result, step.result);
    ASSERT_EQ(bench.dialog.lines.size(), step.lastLine + 1);
    EXPECT_EQ(bench.dialog.lines.back(), kWriteVerifyLines[step.lastLine]);
    EXPECT_FALSE(bench.target.link.connected());
    EXPECT_EQ(bench.pauses.back(), 1);
    EXPECT_EQ(bench.target.pod.trace().size(), kind == sim::FaultKind::HangUp ? index : index + 1);
    if (kind != sim::FaultKind::HangUp) {
        EXPECT_EQ(bench.target.sinceLastFrame(), kind == sim::FaultKind::WrongAck ? 0ms : 50ms + step.timeout);
    }
}

std::vector<std::tuple<StepFault, sim::FaultKind>> stepFaults()
{
    std::vector<std::tuple<StepFault, sim::FaultKind>> all;
    for (const StepFault& step : kStepFaults) {
        for (const sim::FaultKind kind :
            {sim::FaultKind::NoReply, sim::FaultKind::WrongAck, sim::FaultKind::Stall, sim::FaultKind::HangUp})
            all.emplace_back(step, kind);
    }
    return all;
}

std::string stepFaultName(const ::testing::TestParamInfo<std::tuple<StepFault, sim::FaultKind>>& info)
{
    static const char* const kinds[] = {"NoReply", "WrongAck", "ShortReply", "Delay", "Stall", "StrayByte", "HangUp"};
    return std::string(std::get<0>(info.param).name) + kinds[static_cast<int>(std::get<1>(info.param))];
}

INSTANTIATE_TEST_SUITE_P(Steps, DataFlashFaults, ::testing::ValuesIn(stepFaults()), stepFaultName);

TEST(DataFlashRun, CancelInEachStreamedStep)
{
    // The ranges of the algorithm download, the erase, the programming and the verify, and their lines.
    const std::size_t stepLines[] = {1, 3, 4, 5};
    for (std::size_t range = 0; range < 4; ++range) {
        SCOPED_TRACE(range);
        DataFlashTarget bench;
        bench.dialog.cancelDuring(bench.cancel, range, 1);
        EXPECT_FALSE(bench.run(bench.job(DataFlashMode::WriteVerify, 0x10001)));
        EXPECT_EQ(bench.dialog.result, DataFlashResult::Canceled);
        EXPECT_EQ(bench.dialog.lines.back(), kWriteVerifyLines[stepLines[range]]);
        EXPECT_EQ(bench.dialog.ranges.size(), range + 1);
        EXPECT_FALSE(bench.target.link.connected());
    }
}

TEST(DataFlashRun, AByteCorruptedWhileProgrammingFailsTheVerify)
{
    DataFlashTarget bench;
    bench.target.connect();
    bench.target.pod.injectFault({.kind = sim::FaultKind::CorruptPage, .skip = 5});
    EXPECT_FALSE(isDataFlashSuccess(RunDataFlash(bench.ports(), bench.job(DataFlashMode::WriteVerify, 0x10001))));
    EXPECT_EQ(bench.dialog.result, DataFlashResult::VerifyingFailed);
    EXPECT_EQ(bench.records("73").size(), 257u);
    EXPECT_EQ(bench.records("74").size(), 6u);
}

} // namespace
} // namespace lumetra::programming::test
