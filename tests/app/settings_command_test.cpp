#include "app_test_doubles.h"

#include "sim/demo_target.h"

#include <gtest/gtest.h>

using namespace lumetra;
using namespace lumetra::app;
using namespace lumetra::app::test;

namespace {

core::SettingsDialogValues accept(Application& app, const core::SettingsDialogState& state)
{
    const auto outcome = core::acceptSettingsDialog(state, app.usbAccess());
    EXPECT_TRUE(std::holds_alternative<core::SettingsDialogValues>(outcome));
    return std::get<core::SettingsDialogValues>(outcome);
}

TEST(SettingsCommand, TheRunningKindStopsWhileTheDialogIsOpenAndRestartsOnCancel)
{
    AppHarness h;
    Application& app = h.start();
    app.linkState().ToggleAddressMonitoring();

    const auto session = app.BeginSettingsCommand();
    ASSERT_TRUE(session.has_value());
    EXPECT_FALSE(app.linkState().linkUp());
    EXPECT_EQ(session->dialog.speedText, "115200");

    app.FinishSettingsCommand(*session, std::nullopt);
    EXPECT_EQ(app.linkState().runningMonitorKind(), MonitorKind::AddressBlock);
    EXPECT_EQ(h.frame.pane(StatusPane::Link), "ON LINE");
}

TEST(SettingsCommand, NewLinkValuesReopenTheLinkWithThemAndRefreshThePanes)
{
    AppHarness h;
    Application& app = h.start();
    app.linkState().ToggleAddressMonitoring();
    ASSERT_EQ(h.pod.targetBaudCode(), 4);

    auto session = app.BeginSettingsCommand();
    ASSERT_TRUE(session.has_value());
    core::SettingsDialogState dialog = session->dialog;
    dialog.speedText = "9600";
    dialog.timeOutText = "10";
    dialog.port = core::PortType::Serial;
    dialog.comPortPosition = 2;
    app.FinishSettingsCommand(*session, accept(app, dialog));

    EXPECT_EQ(h.pod.targetBaudCode(), 0);
    EXPECT_TRUE(app.linkState().linkUp());
    EXPECT_EQ(app.mainFrame().link().replyTimeout(), std::chrono::milliseconds(50));
    EXPECT_EQ(h.frame.pane(StatusPane::Speed), "BPS : 9600");
    EXPECT_EQ(h.frame.pane(StatusPane::Port), "COM3");
}

TEST(SettingsCommand, ChangingTheDeviceReloadsTheLoadedImageAgainstIt)
{
    AppHarness h;
    Application& app = h.start();
    const auto path = h.scratch / "prog.out";
    writeTestCoff(path, 0x8000);
    ASSERT_EQ(app.OpenCoffChosenByUser(path), image::CoffLoadResult::Loaded);

    auto session = app.BeginSettingsCommand();
    ASSERT_TRUE(session.has_value());
    core::SettingsDialogState dialog = session->dialog;
    core::chooseTarget(dialog, 4); // an LF2407A: the C28x program no longer matches
    app.FinishSettingsCommand(*session, accept(app, dialog));

    EXPECT_EQ(h.prompts.messages,
        (std::vector<core::DialogMessage> {{"COFF 파일이 선택한 CPU 타입과 일치하지 않읍니다.", MessageIcon::Error}}));
    EXPECT_TRUE(app.image().empty());
    EXPECT_EQ(h.frame.pane(StatusPane::Size), "Size : 0x000000");
    EXPECT_EQ(h.frame.pane(StatusPane::Device), core::statusNameOf(4));
    EXPECT_EQ(app.deviceConfig().deviceIndex, 4);
}

TEST(SettingsCommand, TheSimulatedChipFollowsTheSelectedDevice)
{
    AppHarness h;
    h.store.writeInt("Main Configuration", "CPU TYPE", 35);
    h.make().setDeviceFollower([&h](int row) { sim::followDeviceRow(h.pod, row); });
    Application& app = *h.app;
    app.Start();
    ASSERT_EQ(h.pod.config().chip, (sim::ChipConfig {35}));

    auto session = app.BeginSettingsCommand();
    ASSERT_TRUE(session.has_value());
    core::SettingsDialogState dialog = session->dialog;
    core::chooseTarget(dialog, 36);
    app.FinishSettingsCommand(*session, accept(app, dialog));
    EXPECT_EQ(h.pod.config().chip, (sim::ChipConfig {36}));
}

} // namespace
