// The download command: its checks and messages in order, the image set, the link prepared and restored around
// the run, the notice after a flash download.
#include "download_fixture.h"

#include "core/device_catalogue.h"

#include <gtest/gtest.h>

namespace lumetra::programming::test {
namespace {

using core::MessageIcon;

TEST(DownloadChecks, MessagesInOrder)
{
    const struct {
        int device;
        ProgramData program;
        std::string_view message;
        std::optional<DownloadPath> path;
    } cases[] = {
        {26, ProgramData {}, kNoProgramDataMessage, std::nullopt},
        {4, programOf(4, {{0, 4}}, 0x009D), kNotLf240xCoffMessage, std::nullopt},
        {4, programOf(4, {{0, 4}}, 0x0092), {}, DownloadPath::Lf240x},
        {26, programOf(26, {{0x8000, 4}}, 0x0092), kNotF28xCoffMessage, std::nullopt},
        {26, programOf(26, {{0x3F6000, 4}, {0x8000, 4}}), {}, DownloadPath::F28xFlash},
        {26, programOf(26, {{0x8000, 4}}), {}, DownloadPath::F28xRam},
        {67, programOf(67, {{0x0C0000, 4}}), {}, DownloadPath::F28xFlash},
        {66, programOf(66, {{0x0C0000, 4}}), {}, DownloadPath::F28xRam}, // the second bank counts as RAM here
    };
    for (const auto& c : cases) {
        const DownloadCheck check = checkDownload(c.program, c.device);
        EXPECT_EQ(check.message, c.message) << c.device;
        EXPECT_EQ(check.path, c.path) << c.device;
    }
    ProgramData noFlashBytes = programOf(26, {{0x3F6000, 4}});
    noFlashBytes.summary.flashBytes = 0;
    EXPECT_EQ(checkDownload(noFlashBytes, 26).message, kNoFlashDataMessage);
    ProgramData noRamBytes = programOf(26, {{0x8000, 4}});
    noRamBytes.summary.ramSections = 0;
    EXPECT_EQ(checkDownload(noRamBytes, 26).message, kNoRamDataMessage);
}

TEST(DownloadChecks, SectionOutsideTheDeviceMemoryIsRefusedInEveryGroup)
{
    // One row per group of the catalogue: a section just beyond its memory, one inside.
    const struct {
        int device;
        std::uint32_t outside;
        std::uint32_t inside;
    } cases[] = {
        {0, 0x2000, 0x1FFC}, // LF2401A: 8 K words of flash
        {6, 0x3F3FFE, 0x3F4000}, // F2801: its flash starts at 0x3F4000
        {18, 0x3E7FFE, 0x3E8000}, // F2810
        {28, 0x00BFFE, 0x3F4000}, // F28016: nothing after H0
        {33, 0x32FFFE, 0x330000}, // F28332
        {36, 0x300000, 0x03FFFC}, // F28341: no flash
        {44, 0x3EFFFE, 0x3F0000}, // F28023
        {52, 0x00A000, 0x009FFC}, // F28030: L3 ends at 0x9FFF
        {58, 0x3E7FFE, 0x3E8000}, // F28062
        {66, 0x300000, 0x0C0000}, // F28374S
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.device);
        const std::uint16_t id = c.device < 6 ? 0x0092 : 0x009D;
        const DownloadCheck refused = checkDownload(programOf(c.device, {{c.inside, 4}, {c.outside, 4}}, id), c.device);
        EXPECT_FALSE(refused.path);
        EXPECT_TRUE(refused.message.starts_with("'.s1' 섹션(")) << refused.message;
        EXPECT_TRUE(refused.message.ends_with(
            "은 선택한 DSP(" + std::string(core::listNameOf(c.device)) + ")의 메모리 영역 밖에 있읍니다."));
        EXPECT_TRUE(checkDownload(programOf(c.device, {{c.inside, 4}}, id), c.device).path);
    }
    EXPECT_EQ(checkDownload(programOf(26, {{0x33FFF0, 8}}), 26).message,
        "'.s0' 섹션(0x33FFF0~0x33FFF7)은 선택한 DSP(F2812 - 150MHz(30MHz * 5))의 메모리 영역 밖에 있읍니다.");
    EXPECT_EQ(checkDownload(programOf(0, {{0x1FFE, 4}}, 0x0092), 0).message,
        "'.s0' 섹션(0x1FFE~0x2001)은 선택한 DSP(LF2401A - 30MHz(7.5MHz * 4))의 메모리 영역 밖에 있읍니다.");
    // The family's own message comes first.
    EXPECT_EQ(checkDownload(programOf(26, {{0x33FFF0, 8}}, 0x0092), 26).message, kNotF28xCoffMessage);
}

TEST(DownloadChecks, SamplesFitTheirOwnDeviceOnly)
{
    const auto samples = lumetra::test::coffSamplesDir();
    if (!samples)
        GTEST_SKIP() << "no COFF samples";
    // pm_sincos is built for the F2837x: its constants lie in GS RAM at 0x011000.
    const std::pair<const char*, int> own[]
        = {{"c24x_sine", 4}, {"flash28333_api", 35}, {"flash2803x_api", 57}, {"pm_sincos", 69}, {"f2837x_bootrom_cpu01", 69}};
    for (const auto& [name, device] : own) {
        SCOPED_TRACE(name);
        image::ProgramImage image;
        ASSERT_EQ(image.load(*samples / (std::string(name) + ".out"), device), image::CoffLoadResult::Loaded);
        const DownloadCheck check = checkDownload(programDataOf(image), device);
        EXPECT_TRUE(check.path) << check.message;
    }
    image::ProgramImage f28335;
    ASSERT_EQ(f28335.load(*samples / "flash28333_api.out", 26), image::CoffLoadResult::Loaded);
    const DownloadCheck onF2812 = checkDownload(programDataOf(f28335), 26);
    EXPECT_FALSE(onF2812.path);
    EXPECT_TRUE(onF2812.message.ends_with("선택한 DSP(F2812 - 150MHz(30MHz * 5))의 메모리 영역 밖에 있읍니다."))
        << onF2812.message;
}

TEST(DownloadCommand, FailedCheckShowsItsMessageAndTouchesNothing)
{
    CommandBench bench(26);
    const DownloadOutcome outcome = bench.run(programOf(26, {{0x8000, 4}}, 0x0092));
    EXPECT_FALSE(outcome.result);
    ASSERT_EQ(bench.prompts.messages.size(), 1u);
    EXPECT_EQ(bench.prompts.messages[0], (std::pair {MessageIcon::Information, std::string(kNotF28xCoffMessage)}));
    EXPECT_TRUE(bench.takeover.events.empty());
    EXPECT_TRUE(bench.target.pod.trace().empty());
}

TEST(DownloadCommand, NothingWhileAnotherRunIsBusy)
{
    CommandBench bench(26);
    bench.dataFlashBusy = true;
    EXPECT_FALSE(bench.run(programOf(26, {{0x8000, 4}})).result);
    bench.dataFlashBusy = false;
    bench.busy = true;
    EXPECT_FALSE(bench.run(programOf(26, {{0x8000, 4}})).result);
    EXPECT_TRUE(bench.prompts.messages.empty());
    EXPECT_TRUE(bench.target.pod.trace().empty());
}

TEST(DownloadCommand, FlashDownloadRestoresTheMonitoringBaudShowsTheNoticeAndResumesMonitoring)
{
    CommandBench bench(33);
    bench.takeover.running = 3;
    const DownloadOutcome outcome = bench.run(programOf(33, {{0x338000, 64}}));
    ASSERT_EQ(outcome.result, RunResult::FlashWritingCompleted);
    EXPECT_EQ(bench.target.progress.result, RunResult::FlashWritingCompleted);
    EXPECT_EQ(bench.target.progress.shown, 1);
    EXPECT_EQ(bench.target.pod.targetBaudCode(), 6);
    EXPECT_TRUE(bench.target.link.connected());
    EXPECT_EQ(bench.notice.shown, 1);
    EXPECT_EQ(bench.pauses, (std::vector<long long> {500}));
    EXPECT_EQ(bench.takeover.events,
        (std::vector<std::string> {"graphs stopped", "monitoring suspended while busy", "monitoring resumed 3"}));
    EXPECT_FALSE(bench.busy);
    EXPECT_TRUE(bench.prompts.messages.empty());
    // Connected at the run's target baud: K4 first.
    EXPECT_EQ(bench.target.frames("K").front(), "K4");
}

TEST(DownloadCommand, RamDownloadAndF2837xSBaudWithoutNotice)
{
    CommandBench bench(66);
    const DownloadOutcome outcome = bench.run(programOf(66, {{0x9000, 4}}));
    ASSERT_EQ(outcome.result, RunResult::SerialBootCompleted);
    EXPECT_EQ(bench.notice.shown, 0);
    EXPECT_TRUE(bench.pauses.empty());
    const auto bauds = bench.target.frames("K");
    EXPECT_EQ(bauds.front(), "K3");
    EXPECT_EQ(bauds.back(), "K6");
    // The firmware gate of the F2837xS rows asked the version.
    EXPECT_EQ(bench.target.frames("Q").size(), 1u);
}

TEST(DownloadCommand, FirmwareGateStopsBeforeTheRun)
{
    CommandBench bench(66);
    bench.target.pod.configure([](sim::SimConfig& c) { c.firmwareVersion = 20; });
    const DownloadOutcome outcome = bench.run(programOf(66, {{0x9000, 4}}));
    EXPECT_FALSE(outcome.result);
    EXPECT_EQ(outcome.message, "선택한 DSP는 POD Firmware 버전 2.1이상에서만 지원됩니다.");
    EXPECT_FALSE(bench.target.link.connected());
    EXPECT_TRUE(bench.target.frames("M").empty());

    CommandBench older(27);
    older.target.pod.configure([](sim::SimConfig& c) { c.firmwareVersion = 15; });
    EXPECT_EQ(
        older.run(programOf(27, {{0x9000, 4}})).message, "선택한 DSP는 POD Firmware 버전 1.6이상에서만 지원됩니다.");
    // A query without a version is no old firmware.
    CommandBench lost(27);
    lost.target.pod.injectFault({.kind = sim::FaultKind::WrongAck, .command = 'Q', .count = -1});
    EXPECT_EQ(lost.run(programOf(27, {{0x9000, 4}})).message, "POD의 Firmware Version을 얻는데 실패했읍니다.");
    EXPECT_FALSE(lost.target.link.connected());
    // Below code 27 nothing is asked.
    CommandBench plain(26);
    plain.target.pod.configure([](sim::SimConfig& c) { c.firmwareVersion = 10; });
    EXPECT_EQ(plain.run(programOf(26, {{0x9000, 4}})).result, RunResult::SerialBootCompleted);
    EXPECT_TRUE(plain.target.frames("Q").empty());
}

TEST(DownloadCommand, OpenLinkIsRetunedOrReopened)
{
    {
        CommandBench bench(26);
        bench.target.link.Connect(1, 6, false);
        bench.target.pod.clearTrace();
        EXPECT_EQ(bench.run(programOf(26, {{0x9000, 4}})).result, RunResult::SerialBootCompleted);
        EXPECT_TRUE(bench.target.frames("I").empty()); // not reopened
        EXPECT_EQ(bench.target.frames("K").front(), "K4");
    }
    {
        CommandBench bench(26);
        bench.target.link.Connect(1, 6, false);
        bench.target.pod.injectFault({.kind = sim::FaultKind::WrongAck, .command = 'K'});
        const DownloadOutcome outcome = bench.run(programOf(26, {{0x9000, 4}}));
        EXPECT_FALSE(outcome.result);
        EXPECT_EQ(outcome.message, kBaudChangeFailedMessage);
        EXPECT_EQ(bench.prompts.messages.back().first, MessageIcon::Error);
        EXPECT_FALSE(bench.target.link.connected());
    }
    {
        CommandBench bench(26);
        bench.target.pod.configure([](sim::SimConfig& c) { c.usbDescription = "Korimat USBCOM"; });
        bench.request.link.portType = core::PortType::Usb;
        ASSERT_TRUE(bench.target.link.LoadDriver());
        ASSERT_TRUE(bench.target.link.FindUsbPod());
        ASSERT_EQ(bench.target.link.Connect(1, 6, true), link::ConnectCode::Connected);
        bench.target.pod.clearTrace();
        EXPECT_EQ(bench.run(programOf(26, {{0x9000, 4}})).result, RunResult::SerialBootCompleted);
        EXPECT_EQ(bench.target.frames("I").size(), 1u); // disconnected and connected again
        EXPECT_EQ(bench.target.factory.usbOpenBauds().size(), 2u);
    }
}

TEST(DownloadCommand, BaudRestoreFailureAfterSuccessClosesTheLink)
{
    CommandBench bench(26);
    bench.takeover.running = 1;
    bench.target.pod.injectFault({.kind = sim::FaultKind::WrongAck, .command = 'K', .skip = 1});
    const DownloadOutcome outcome = bench.run(programOf(26, {{0x9000, 4}}));
    EXPECT_EQ(outcome.result, RunResult::SerialBootCompleted);
    EXPECT_TRUE(outcome.baudRestoreFailed);
    EXPECT_EQ(outcome.message, kBaudChangeFailedMessage);
    EXPECT_FALSE(bench.target.link.connected());
    EXPECT_EQ(bench.takeover.events.back(), "monitoring suspended while busy");
}

TEST(DownloadCommand, SimulationImagesAreRefusedOnARealPodBeforeAnythingIsSent)
{
    CommandBench bench(33);
    bench.request.images.simulatedPod = false;
    const DownloadOutcome outcome = bench.run(programOf(33, {{0x338000, 4}}));
    EXPECT_FALSE(outcome.result);
    EXPECT_EQ(bench.prompts.messages.size(), 1u);
    EXPECT_EQ(bench.prompts.messages[0].first, MessageIcon::Error);
    EXPECT_NE(outcome.message.find((bench.scratch / "TargetImages").string()), std::string::npos);
    EXPECT_TRUE(bench.target.pod.trace().empty());
    EXPECT_TRUE(bench.takeover.events.empty());

    // A RAM download without the CSM option sends no target code and needs no image set.
    EXPECT_EQ(bench.run(programOf(33, {{0x9000, 4}})).result, RunResult::SerialBootCompleted);
    bench.request.device.csmUse = true;
    EXPECT_FALSE(bench.run(programOf(33, {{0x9000, 4}})).result);
}

TEST(DownloadCommand, ConnectFailureShowsItsMessage)
{
    CommandBench bench(26);
    bench.target.factory.ports().serialPortPresent = false;
    const DownloadOutcome outcome = bench.run(programOf(26, {{0x9000, 4}}));
    EXPECT_FALSE(outcome.result);
    EXPECT_EQ(outcome.message, link::connectMessage(link::ConnectCode::PortNotOpened));
}

} // namespace
} // namespace lumetra::programming::test
