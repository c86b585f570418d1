// The data-flash commands: their checks in order, refusals before anything is sent, the firmware gate, the link
// retuned, the worker's flags, and the completion after a successful run.
#include "data_flash_fixture.h"

#include "programming/image_set_choice.h"
#include "programming/image_set_file.h"
#include "programming/simulation_images.h"

#include <fstream>

#include <gtest/gtest.h>

namespace lumetra::programming::test {
namespace {

using link::DataFlashMode;
using namespace std::chrono_literals;

DataFlashProgram programOfLength(std::size_t length, std::uint16_t targetId = core::kTargetIdC28x)
{
    return {true, targetId, imageOfLength(length)};
}

// Runs the dialog's worker at once and waits for it.
struct WorkerDialogHost : DataFlashDialogHost {
    WorkerDialogHost(link::CPodLink& podLink, RecordingDialog& recording, std::vector<long long>& pauseLog)
        : link(podLink)
        , dialog(recording)
        , pauses(pauseLog)
    {
    }
    void runModal(std::string_view title, DataFlashJob job) override
    {
        titles.emplace_back(title);
        // The run's own pauses (the last one before the link closes) see whether the flag is up while it runs.
        const DataFlashWorkerPorts ports {link, dialog, threadBusy, cancel,
            [this](link::Milliseconds wait) {
                pauses.push_back(wait.count());
                busyWhileRunning = busyWhileRunning || threadBusy.load();
            },
            [this] { ++successes; }, {}};
        worker.start(ports, std::move(job));
        worker.join();
    }

    link::CPodLink& link;
    RecordingDialog& dialog;
    std::vector<long long>& pauses;
    std::atomic<bool> threadBusy {false};
    std::atomic<bool> cancel {false};
    bool busyWhileRunning = false;
    int successes = 0;
    std::vector<std::string> titles;
    DataFlashWorker worker;
};

struct DataFlashCommandBench {
    explicit DataFlashCommandBench(std::uint8_t firmware = 21)
        : flash(36, firmware)
        , host(flash.target.link, flash.dialog, flash.pauses)
    {
        request.link.portType = core::PortType::Serial;
        request.link.baudCode = 6;
        request.device.deviceIndex = 36;
        request.device.dataFlashType = 1;
        request.device.dataFlashEraseAll = false;
        request.images = {scratch.path() / "TargetImages", LUMETRA_SIMULATION_IMAGES, true};
    }

    DataFlashOutcome run(DataFlashMode mode, const DataFlashProgram& program)
    {
        request.mode = mode;
        const DataFlashPorts ports {
            flash.target.link, prompts, takeover, host, programmingBusy, host.threadBusy, state};
        return DataFlashCommand(ports, request, program);
    }

    void complete(DataFlashRunState& runState, bool resetFlag)
    {
        const DataFlashCompletionPorts ports {flash.target.link, prompts, takeover,
            [this](link::Milliseconds wait) { flash.pauses.push_back(wait.count()); }};
        CompleteDataFlash(ports, request.link, resetFlag, runState);
    }

    lumetra::test::ScratchDir scratch;
    DataFlashTarget flash;
    WorkerDialogHost host;
    RecordingPrompts prompts;
    FakeTakeover takeover;
    std::atomic<bool> programmingBusy {false};
    DataFlashRunState state;
    DataFlashRequest request;
};

TEST(DataFlashChecks, MessagesInOrder)
{
    const DataFlashProgram none;
    EXPECT_EQ(checkDataFlash(DataFlashMode::Erase, none, 1), "");
    EXPECT_EQ(checkDataFlash(DataFlashMode::Write, none, 1), "데이터 플래시 Write할 프로그램 데이터가 없읍니다.");
    EXPECT_EQ(checkDataFlash(DataFlashMode::WriteVerify, none, 1),
        "데이터 플래시 Write & Verify할 프로그램 데이터가 없읍니다.");
    EXPECT_EQ(checkDataFlash(DataFlashMode::Write, programOfLength(0x100, core::kTargetIdLf240x), 1),
        "현재 선택한 COFF 파일은 TMS320F28x용이 아닙니다.");
    EXPECT_EQ(checkDataFlash(DataFlashMode::Write, programOfLength(0x80000), 1), "");
    EXPECT_EQ(checkDataFlash(DataFlashMode::Write, programOfLength(0x80001), 1),
        "데이터 플래시 Write할 프로그램 데이터 크기가 선택한 데이터 플래시 크기보다 큽니다.");
    EXPECT_EQ(checkDataFlash(DataFlashMode::WriteVerify, programOfLength(0x40001), 0),
        "데이터 플래시 Write & Verify할 프로그램 데이터 크기가 선택한 데이터 플래시 크기보다 큽니다.");
    // A boot table cut at 4 MiB fits the largest chip but is never written cut.
    const DataFlashProgram cut = programOfLength(0x400001);
    ASSERT_FALSE(cut.image.complete());
    EXPECT_NE(checkDataFlash(DataFlashMode::Write, cut, 4).find("4 MiB"), std::string::npos);
}

TEST(DataFlashChecks, TitlesAndMenuEnablement)
{
    EXPECT_EQ(dataFlashTitle(DataFlashMode::Erase), "DSP2834x 데이터 플래시 Erase");
    EXPECT_EQ(dataFlashTitle(DataFlashMode::Write), "DSP2834x 데이터 플래시 Write");
    EXPECT_EQ(dataFlashTitle(DataFlashMode::WriteVerify), "DSP2834x 데이터 플래시 Write & Verify");
    EXPECT_FALSE(dataFlashCommandsEnabled(true, 35));
    EXPECT_TRUE(dataFlashCommandsEnabled(true, 36));
    EXPECT_TRUE(dataFlashCommandsEnabled(true, 41));
    EXPECT_FALSE(dataFlashCommandsEnabled(true, 42));
    EXPECT_FALSE(dataFlashCommandsEnabled(false, 38));
}

TEST(DataFlashCommand, ImageLargerThanTheChipIsRefusedBeforeAnythingIsSent)
{
    DataFlashCommandBench bench;
    const DataFlashOutcome outcome = bench.run(DataFlashMode::Write, programOfLength(0x80001));
    EXPECT_FALSE(outcome.started);
    ASSERT_EQ(bench.prompts.messages.size(), 1u);
    EXPECT_EQ(bench.prompts.messages[0].first, core::MessageIcon::Information);
    EXPECT_TRUE(bench.flash.target.pod.trace().empty());
    EXPECT_TRUE(bench.takeover.events.empty());
    EXPECT_TRUE(bench.host.titles.empty());
}

TEST(DataFlashCommand, AnOlderImageSetWithoutTheAlgorithmNamesItAndSendsNothing)
{
    DataFlashCommandBench bench;
    ImageSet older = simulationImageSet();
    older.images.erase("data-flash-algorithm-200mhz");
    std::filesystem::create_directories(bench.request.images.userFolder);
    std::ofstream(bench.request.images.userFolder / kImageSetFileName) << formatImageSet(older);

    const DataFlashOutcome outcome = bench.run(DataFlashMode::Write, programOfLength(0x100));
    EXPECT_FALSE(outcome.started);
    ASSERT_EQ(bench.prompts.messages.size(), 1u);
    EXPECT_EQ(bench.prompts.messages[0].second, missingImageMessage("data-flash-algorithm-200mhz"));
    EXPECT_TRUE(bench.flash.target.pod.trace().empty());
    EXPECT_TRUE(bench.host.titles.empty());
}

TEST(DataFlashCommand, FirmwareEighteenIsRefusedWithTheCommandsMessage)
{
    DataFlashCommandBench bench(18);
    const DataFlashOutcome outcome = bench.run(DataFlashMode::Erase, programOfLength(0x100));
    EXPECT_FALSE(outcome.started);
    EXPECT_EQ(outcome.message, "DSP2834x 데이터 플래시 Erase 기능은 POD Firmware 버전 1.9이상만 지원됩니다.");
    EXPECT_EQ(bench.prompts.messages.back().first, core::MessageIcon::Information);
    EXPECT_FALSE(bench.flash.target.link.connected());
    EXPECT_EQ(bench.flash.target.frames("Q").size(), 1u);
    EXPECT_TRUE(bench.flash.target.frames("M").empty());
}

TEST(DataFlashCommand, WriteRunsTheWorkerAtTargetBaudFourAndRemembersMonitoring)
{
    DataFlashCommandBench bench;
    bench.takeover.running = 3;
    const DataFlashOutcome outcome = bench.run(DataFlashMode::WriteVerify, programOfLength(0x300));
    ASSERT_TRUE(outcome.started);
    EXPECT_EQ(bench.host.titles, std::vector<std::string> {"DSP2834x 데이터 플래시 Write & Verify"});
    EXPECT_EQ(bench.state.mode, DataFlashMode::WriteVerify);
    EXPECT_EQ(bench.state.restoreMonitoring, 3);
    EXPECT_EQ(bench.takeover.events, (std::vector<std::string> {"graphs stopped", "monitoring suspended"}));
    EXPECT_TRUE(bench.host.busyWhileRunning);
    EXPECT_FALSE(bench.host.threadBusy);
    EXPECT_EQ(bench.host.successes, 1);
    EXPECT_EQ(bench.flash.pauses.back(), 1100);
    EXPECT_EQ(bench.flash.dialog.result, DataFlashResult::ProgrammingVerifyingOk);
    EXPECT_EQ(bench.flash.target.pod.trace().front(), "I3"); // connected at code 4 by the command
    EXPECT_EQ(bench.flash.target.frames("K4").size(), 2u); // the connect and the records
    EXPECT_TRUE(bench.prompts.messages.empty());
}

TEST(DataFlashCommand, EraseRemembersNoMonitoringAndAFailedRunDoesNotNotify)
{
    DataFlashCommandBench bench;
    bench.takeover.running = 1;
    bench.flash.target.pod.injectFault({.kind = sim::FaultKind::WrongAck, .command = ':', .skip = 1});
    const DataFlashOutcome outcome = bench.run(DataFlashMode::Erase, programOfLength(0x100));
    ASSERT_TRUE(outcome.started);
    EXPECT_FALSE(bench.state.restoreMonitoring);
    EXPECT_EQ(bench.flash.dialog.result, DataFlashResult::ErasingFailed);
    EXPECT_EQ(bench.host.successes, 0);
    EXPECT_FALSE(bench.host.threadBusy);
}

TEST(DataFlashCommand, OpenLinkIsRetunedAndARefusedBaudClosesIt)
{
    DataFlashCommandBench bench;
    bench.flash.target.connect(6);
    bench.flash.target.pod.clearTrace();
    ASSERT_TRUE(bench.run(DataFlashMode::Erase, programOfLength(0x100)).started);
    const auto trace = bench.flash.target.pod.trace();
    ASSERT_GE(trace.size(), 2u);
    EXPECT_EQ(trace[0], "Q");
    EXPECT_EQ(trace[1], "K4");

    bench.flash.target.connect(6);
    bench.flash.target.pod.injectFault({.kind = sim::FaultKind::WrongAck, .command = 'K'});
    const DataFlashOutcome refused = bench.run(DataFlashMode::Erase, programOfLength(0x100));
    EXPECT_FALSE(refused.started);
    EXPECT_EQ(refused.message, kBaudChangeFailedMessage);
    EXPECT_FALSE(bench.flash.target.link.connected());
}

TEST(DataFlashCommand, NothingWhileARunIsBusyOrOnARowWithoutDataFlash)
{
    DataFlashCommandBench bench;
    bench.request.device.deviceIndex = 35;
    EXPECT_FALSE(bench.run(DataFlashMode::Erase, programOfLength(0x100)).started);
    bench.request.device.deviceIndex = 36;
    bench.host.threadBusy = true;
    EXPECT_FALSE(bench.run(DataFlashMode::Erase, programOfLength(0x100)).started);
    bench.host.threadBusy = false;
    bench.programmingBusy = true;
    EXPECT_FALSE(bench.run(DataFlashMode::Erase, programOfLength(0x100)).started);
    EXPECT_TRUE(bench.prompts.messages.empty());
    EXPECT_TRUE(bench.flash.target.pod.trace().empty());
}

TEST(DataFlashCompletion, SuccessMessagesByModeAndTheModeCleared)
{
    DataFlashCommandBench bench;
    for (const DataFlashMode mode : {DataFlashMode::Erase, DataFlashMode::Write, DataFlashMode::WriteVerify}) {
        DataFlashRunState state {mode, std::nullopt};
        bench.complete(state, true);
        EXPECT_FALSE(state.mode);
        EXPECT_EQ(bench.prompts.messages.back().second, dataFlashSuccessMessage(mode));
    }
    EXPECT_EQ(bench.prompts.messages[1].second,
        "데이터 플래시 Write 동작을 성공적으로 마쳤읍니다.\r\n\r\n사용자께서는 타겟보드를 SPI 부트로 놓고 리셋하시길 "
        "바랍니다.");
    EXPECT_TRUE(bench.flash.target.pod.trace().empty());
}

TEST(DataFlashCompletion, ResetFlagResetsTheTargetAndRestartsMonitoring)
{
    DataFlashCommandBench bench;
    DataFlashRunState state {DataFlashMode::Write, 2};
    bench.complete(state, true);
    EXPECT_TRUE(bench.prompts.messages.empty());
    EXPECT_EQ(bench.flash.target.pod.resetCount(), 1);
    EXPECT_EQ(bench.flash.target.pod.targetBaudCode(), 6);
    EXPECT_EQ(bench.takeover.events, std::vector<std::string> {"monitoring resumed 2"});
    EXPECT_EQ(bench.flash.pauses, (std::vector<long long> {1, 100}));
    EXPECT_FALSE(state.mode);

    DataFlashRunState again {DataFlashMode::WriteVerify, 1};
    bench.flash.target.pod.injectFault({.kind = sim::FaultKind::WrongAck, .command = 'N'});
    bench.complete(again, true);
    ASSERT_EQ(bench.prompts.messages.size(), 1u);
    EXPECT_EQ(bench.prompts.messages[0], std::pair(core::MessageIcon::Error, std::string(kTargetResetFailedMessage)));
    EXPECT_EQ(bench.takeover.events.size(), 1u);
}

} // namespace
} // namespace lumetra::programming::test
