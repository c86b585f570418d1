// The data-flash commands on a console: the lines a write prints, the interrupt as Cancel, exit codes and the
// JSON result.
#include "data_flash_fixture.h"

#include "programming/data_flash_console.h"

#include <gtest/gtest.h>

namespace lumetra::programming::test {
namespace {

using link::DataFlashMode;

struct ConsoleBench {
    DataFlashConsoleReport run(DataFlashMode mode, std::size_t length)
    {
        DataFlashRequest request;
        request.mode = mode;
        request.link.portType = core::PortType::Serial;
        request.device.deviceIndex = 36;
        request.device.dataFlashEraseAll = false;
        request.images = {scratch.path() / "TargetImages", LUMETRA_SIMULATION_IMAGES, true};
        const DataFlashConsolePorts ports {flash.target.link, interrupted,
            [this](std::string_view line) { lines.emplace_back(line); },
            [this](std::string_view line) { errors.emplace_back(line); }};
        return RunDataFlashOnConsole(ports, request, {true, core::kTargetIdC28x, imageOfLength(length)});
    }

    lumetra::test::ScratchDir scratch;
    DataFlashTarget flash;
    std::atomic<bool> interrupted {false};
    std::vector<std::string> lines;
    std::vector<std::string> errors;
};

TEST(DataFlashConsole, WritePrintsTheLogTenthsAndTheSuccessMessage)
{
    ConsoleBench bench;
    const DataFlashConsoleReport report = bench.run(DataFlashMode::Write, 0x10001);
    EXPECT_EQ(report.result, DataFlashResult::ProgrammingOk);
    EXPECT_EQ(report.imageBytes, 0x10001u);
    EXPECT_EQ(report.message, dataFlashSuccessMessage(DataFlashMode::Write));
    ASSERT_GE(bench.lines.size(), 3u);
    EXPECT_EQ(bench.lines[0], "DSP2834x 데이터 플래시 Write");
    EXPECT_EQ(bench.lines[1], "[INFO]: SCI BOOT Staring...");
    const auto programming
        = std::find(bench.lines.begin(), bench.lines.end(), "[INFO]: Data Flash Programing is starting..");
    ASSERT_NE(programming, bench.lines.end());
    // Ten tenths of the 257 pages, then the result line and the message.
    const std::vector<std::string> tail(programming + 1, bench.lines.end());
    ASSERT_EQ(tail.size(), 12u);
    EXPECT_EQ(tail.front(), "10 %");
    EXPECT_EQ(tail[9], "100 %");
    EXPECT_EQ(tail[10], "[INFO]: Data Flash Programing is OK");
    EXPECT_EQ(tail[11], report.message);
    EXPECT_TRUE(bench.errors.empty());
    EXPECT_EQ(dataFlashExitCode(report.result), 0);
}

TEST(DataFlashConsole, InterruptCancelsAndARefusalRunsNothing)
{
    ConsoleBench bench;
    bench.interrupted = true;
    const DataFlashConsoleReport canceled = bench.run(DataFlashMode::Erase, 0x100);
    EXPECT_EQ(canceled.result, DataFlashResult::Canceled);
    EXPECT_EQ(bench.lines.back(), "[INFO]: Selected Action is canceled");
    EXPECT_EQ(dataFlashExitCode(canceled.result), 28);

    const DataFlashConsoleReport refused = bench.run(DataFlashMode::Write, 0x80001);
    EXPECT_FALSE(refused.result);
    ASSERT_EQ(bench.errors.size(), 1u);
    EXPECT_EQ(refused.message, bench.errors[0]);
    EXPECT_EQ(dataFlashExitCode(refused.result), 1);
}

TEST(DataFlashConsole, ExitCodesModeWordsAndJson)
{
    EXPECT_EQ(dataFlashExitCode(DataFlashResult::SciBootFailed), 10);
    EXPECT_EQ(dataFlashExitCode(DataFlashResult::VerifyingFailed), 15);
    EXPECT_EQ(dataFlashExitCode(DataFlashResult::ProgrammingVerifyingOk), 0);
    EXPECT_EQ(dataFlashModeOf("verify"), DataFlashMode::WriteVerify);
    EXPECT_FALSE(dataFlashModeOf("Write"));
    EXPECT_EQ(dataFlashModeWord(DataFlashMode::Erase), "erase");

    const DataFlashConsoleReport report {
        DataFlashMode::Write, DataFlashResult::ProgrammingOk, "a \"quoted\"\r\nline\\", 300, 1.5};
    EXPECT_EQ(dataFlashReportJson(report),
        "{\"mode\": \"write\", \"result\": 7, \"line\": \"[INFO]: Data Flash Programing is OK\", \"ok\": true, "
        "\"message\": \"a \\\"quoted\\\"\\r\\nline\\\\\", \"imageBytes\": 300, \"seconds\": 1.500, \"exitCode\": 0}");
    const DataFlashConsoleReport refused {DataFlashMode::Erase, std::nullopt, "no", 0, 0};
    EXPECT_NE(dataFlashReportJson(refused).find("\"result\": null, \"line\": \"\", \"ok\": false"), std::string::npos);
}

} // namespace
} // namespace lumetra::programming::test
