#include "app_test_doubles.h"

#include "app/busy_wait_calibration.h"
#include "app/system_clocks.h"
#include "app/window_title.h"
#include "image/symbol_file.h"

#include <gtest/gtest.h>

using namespace lumetra;
using namespace lumetra::app;
using namespace lumetra::app::test;

namespace {

constexpr std::string_view kMain = "Main Configuration";

TEST(ApplicationStartup, AnEmptyRegistryGivesTheDefaultPanesAndTitle)
{
    AppHarness h;
    ASSERT_EQ(h.make().Start(), StartResult::Started);

    EXPECT_EQ(h.frame.title, "Vestral Lumetra V2.2 for TI C2000 DSP");
    EXPECT_EQ(h.frame.pane(StatusPane::Port), "USB");
    EXPECT_EQ(h.frame.pane(StatusPane::Speed), "BPS : 115200");
    EXPECT_EQ(h.frame.pane(StatusPane::Link), "OFF LINE");
    EXPECT_EQ(h.frame.pane(StatusPane::Size), "Size : 0x000000");
    EXPECT_EQ(h.frame.pane(StatusPane::Device), "F2812-150HMz(30MHz*5)");
    EXPECT_EQ(h.frame.pane(StatusPane::DataFlash), "");
    EXPECT_TRUE(h.prompts.messages.empty());
    EXPECT_EQ(h.app->deviceConfig(), core::DeviceConfig {});
    EXPECT_EQ(h.app->applicationDirectory().string().back(), std::filesystem::path::preferred_separator);
}

TEST(ApplicationStartup, UsbWithoutAPodFallsBackSilentlyToTheComPortAndStoresIt)
{
    for (const bool driverPresent : {false, true}) {
        SCOPED_TRACE(driverPresent);
        AppHarness h;
        h.transports.ports().usbDriverPresent = driverPresent;
        h.transports.ports().usbPodAttached = false;
        h.start();

        EXPECT_EQ(h.frame.pane(StatusPane::Port), "COM1");
        EXPECT_EQ(h.app->mainFrame().linkConfig().portType, core::PortType::Serial);
        EXPECT_TRUE(h.prompts.messages.empty());
        h.app->Exit();
        EXPECT_EQ(storedInt(h.store, kMain, "Port Type"), 0);
    }
}

TEST(ApplicationStartup, ADeviceIndexWithoutARowIsShownAsTheDefaultAndWrittenBackAtOnce)
{
    AppHarness h;
    h.store.writeInt(kMain, "CPU TYPE", 200);
    h.start();

    EXPECT_EQ(h.frame.pane(StatusPane::Device), "F2812-150MHz(30MHz*5)");
    EXPECT_EQ(storedInt(h.store, kMain, "CPU TYPE"), 26);
    EXPECT_EQ(h.app->deviceConfig().deviceIndex, 26);
}

TEST(ApplicationStartup, TheDataFlashPaneNamesTheTypeOnDataFlashDevices)
{
    AppHarness h;
    h.store.writeInt(kMain, "CPU TYPE", 38);
    h.store.writeInt(kMain, "EEPROM TYPE", 9);
    h.start();

    EXPECT_EQ(h.frame.pane(StatusPane::DataFlash), core::dataFlashNameOf(5));
    EXPECT_EQ(h.app->deviceConfig().dataFlashType, 5);
}

TEST(ApplicationStartup, ASecondInstanceEndsSilentlyAndWritesNothing)
{
    AppHarness first;
    AppHarness second;
    LockOnMachine sameMachine(first.machine);
    first.start();
    const ApplicationPorts ports {second.store, second.transports, second.prompts, second.timer, second.cursor,
        sameMachine, second.frame, second.notice, second.ticks, second.fileTimes};
    Application other(ports, second.scratch.path());
    const std::size_t storedBefore = second.store.size();

    EXPECT_EQ(other.Start(), StartResult::AnotherInstanceRuns);
    other.Exit();

    EXPECT_TRUE(second.prompts.messages.empty());
    EXPECT_EQ(second.frame.title, "<unset>");
    EXPECT_EQ(second.store.size(), storedBefore);
    EXPECT_FALSE(std::filesystem::exists(image::recentSymbolFilePath(second.scratch.path())));
}

TEST(ApplicationStartup, TheLastCoffFileAndTheRecentSymbolFileAreRestored)
{
    AppHarness h;
    const auto coff = h.scratch / "prog.out";
    writeTestCoff(coff, 0x8000);
    const image::CDataObject stale {"counter", 0x1234, 3, "", 2};
    ASSERT_EQ(image::saveSymbolFile(image::recentSymbolFilePath(h.scratch.path()), std::vector {stale}),
        image::SymbolFileStatus::Ok);
    h.store.writeText(kMain, "Coff File Path", coff.string());

    h.start();

    EXPECT_FALSE(h.app->image().empty());
    ASSERT_EQ(h.app->registeredVariables().size(), 1u);
    EXPECT_EQ(h.app->registeredVariables()[0].address, 0x8000u);
    EXPECT_EQ(h.app->registeredVariables()[0].viewType, 2);
    EXPECT_EQ(h.frame.title, loadedFileTitle(coff.string(), "2024/03/05  07:08:09"));
    EXPECT_FALSE(h.app->loadingAtStartup());
}

TEST(ApplicationStartup, TheRecentSymbolFileWaitsForARecordedCoffPath)
{
    for (const bool coffPathRecorded : {false, true}) {
        SCOPED_TRACE(coffPathRecorded);
        AppHarness h;
        ASSERT_EQ(image::saveSymbolFile(image::recentSymbolFilePath(h.scratch.path()),
                      std::vector {image::CDataObject {"a", 1, 4, "", 2}}),
            image::SymbolFileStatus::Ok);
        if (coffPathRecorded)
            h.store.writeText(kMain, "Coff File Path", (h.scratch / "gone.out").string());

        h.start();

        EXPECT_EQ(h.app->registeredVariables().size(), coffPathRecorded ? 1u : 0u);
        EXPECT_TRUE(h.prompts.messages.empty()) << "a missing last COFF file is skipped without a message";
    }
}

TEST(ApplicationStartup, ExitWritesTheApplicationValuesTheRecentSymbolFileAndTheColours)
{
    AppHarness h;
    h.store.writeInt(kMain, "Baud Rate", 5);
    h.start();
    h.app->graphs().settings().time.colours[3] = 0x123456;
    h.app->takeOverSymbolFilePath(h.scratch / "vars.sym");
    EXPECT_EQ(storedText(h.store, kMain, "Symbol File Directory"), (h.scratch.path() / "").string());

    h.app->Exit();

    EXPECT_EQ(storedText(h.store, kMain, "Coff File Path"), "");
    EXPECT_EQ(storedText(h.store, kMain, "Symbol File Path"), (h.scratch / "vars.sym").string());
    EXPECT_EQ(storedInt(h.store, kMain, "CPU TYPE"), 26);
    EXPECT_EQ(storedInt(h.store, kMain, "PW KEY7"), 0xFFFF);
    EXPECT_EQ(storedInt(h.store, "Graph Color", "TG Ch4 Color"), 0x123456);
    EXPECT_EQ(storedInt(h.store, "Graph Color", "MG Ch1 Color"), 0xB5FFE7);
    EXPECT_EQ(storedInt(h.store, kMain, "Baud Rate"), 4);
    EXPECT_EQ(storedInt(h.store, kMain, "FirstSetup"), 1);
    EXPECT_EQ(storedText(h.store, "Graph Env", "Max Graph Value"), "10");
    const image::SymbolFileRead recent = image::readSymbolFile(image::recentSymbolFilePath(h.scratch.path()));
    EXPECT_EQ(recent.status, image::SymbolFileStatus::Ok) << "written also when the list is empty";
    EXPECT_TRUE(recent.records.empty());
}

TEST(ApplicationStartup, ExitTakesTheLinkOffLine)
{
    AppHarness h;
    h.start().linkState().ToggleAddressMonitoring();
    ASSERT_TRUE(h.app->linkState().linkUp());

    h.app->Exit();

    EXPECT_FALSE(h.app->linkState().linkUp());
    EXPECT_FALSE(h.app->mainFrame().link().connected());
    EXPECT_FALSE(h.timer.armed);
}

TEST(BusyWaitCalibration, AnUnmeasuredValueIsMeasuredUnderTheNoticeAndStoredAtOnce)
{
    core::MemorySettingsStore store;
    RecordingNotice notice;
    SteadyTickClock ticks;

    const std::int32_t measured = loadOrMeasureMicroTimeLength(store, ticks, notice);

    EXPECT_GT(measured, 0);
    EXPECT_EQ(storedInt(store, kMain, "MicroTime Length"), measured);
    EXPECT_EQ(notice.title, "Micro Time 계산 중...");
    EXPECT_EQ(notice.lines,
        (std::vector<std::string> {
            "올바른 작동을 위해 지금 사용자 PC의 Micro Time을 계산합니다.", "잠시만 기다려주십시요..."}));
    EXPECT_EQ(notice.shows, 1);
    EXPECT_EQ(notice.closes, 1);

    EXPECT_EQ(loadOrMeasureMicroTimeLength(store, ticks, notice), measured);
    EXPECT_EQ(notice.shows, 1) << "a stored value is used as it is";
}

TEST(BusyWaitCalibration, RoundsGrowUntilFiftyMillisecondsAndTheFinalRunDecides)
{
    // 100000 rounds in 10 ms, 200000 in 60 ms; the final 300000 rounds take 30 ms: 10000 per ms.
    ScriptedTicks normal({0, 10, 100, 160, 500, 530});
    EXPECT_EQ(measureLoopsPerMicrosecond(normal), 10);

    // The same, but the final run reads 0 ms: the 200000 rounds in 60 ms decide instead.
    ScriptedTicks zero({0, 10, 100, 160, 500, 500});
    EXPECT_EQ(measureLoopsPerMicrosecond(zero), 3);

    // Under one loop per microsecond the value stays measured: 1, never the "not measured" 0.
    ScriptedTicks slow({0, 5000, 5000, 10000});
    EXPECT_EQ(measureLoopsPerMicrosecond(slow), 1);
}

} // namespace
