// Ctrl+R: stop what polls, open the link, reset the target through the POD, and start the same monitoring again.
#include "app_test_doubles.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace lumetra;
using namespace lumetra::app;
using namespace lumetra::app::test;

namespace {

class TargetResetTest : public ::testing::Test {
protected:
    void start()
    {
        app = &harness.start();
        state = &app->linkState();
        state->setVariablePoller(&variables);
        state->setMemoryPoller(&memory);
        image::CDataObject record;
        record.name = "counter";
        record.address = 0x8000;
        record.type = 4;
        app->registeredVariables().push_back(record);
    }

    AppHarness harness;
    Application* app = nullptr;
    LinkState* state = nullptr;
    std::vector<std::string> journal;
    ScriptedPoller variables {"variables", journal};
    ScriptedPoller memory {"memory", journal};
};

TEST_F(TargetResetTest, RestartsTheMonitoringThatRan)
{
    start();
    state->StartMonitoring(MonitorKind::Both);
    harness.pod.clearTrace();

    state->ResetTarget();

    EXPECT_EQ(harness.pod.resetCount(), 1);
    EXPECT_TRUE(harness.prompts.messages.empty());
    EXPECT_EQ(memory.emptied, 1); // stopped around the reset
    EXPECT_EQ(state->runningMonitorKind(), MonitorKind::Both);
    EXPECT_TRUE(harness.timer.armed);
    EXPECT_EQ(harness.frame.pane(StatusPane::Link), "ON LINE");
    const auto trace = harness.pod.trace();
    ASSERT_FALSE(trace.empty());
    EXPECT_EQ(std::count(trace.begin(), trace.end(), "N"), 1);
}

TEST_F(TargetResetTest, WithNothingPollingTheLinkIsOpenedAndStaysOpen)
{
    start();
    state->ResetTarget();
    EXPECT_EQ(harness.pod.resetCount(), 1);
    EXPECT_EQ(state->runningMonitorKind(), std::nullopt);
    EXPECT_TRUE(app->mainFrame().link().connected());
    EXPECT_TRUE(state->closePortEnabled());
    EXPECT_EQ(harness.frame.pane(StatusPane::Link), "OFF LINE");

    state->ResetTarget(); // connected already: the same link
    EXPECT_EQ(harness.pod.resetCount(), 2);
    EXPECT_EQ(harness.transports.usbOpenBauds().size(), 1u);
}

TEST_F(TargetResetTest, AUsbPodOfTheSecondKindIsOpenedAgainFirst)
{
    harness.pod.configure([](sim::SimConfig& c) { c.usbDescription = "Korimat USBCOM"; });
    start();
    state->ResetTarget();
    state->ResetTarget();
    EXPECT_EQ(harness.pod.resetCount(), 2);
    EXPECT_EQ(harness.transports.usbOpenBauds(), (std::vector<int> {460800, 460800}));
}

TEST_F(TargetResetTest, AFailedResetShowsItsMessageAndMonitoringStaysStopped)
{
    start();
    state->StartMonitoring(MonitorKind::AddressBlock);
    harness.pod.injectFault({sim::FaultKind::WrongAck, 'N'});

    state->ResetTarget();

    EXPECT_EQ(harness.prompts.messages,
        (std::vector<core::DialogMessage> {{"타겟보드 리셋에 실패했읍니다.", MessageIcon::Error}}));
    EXPECT_EQ(state->runningMonitorKind(), std::nullopt);
    EXPECT_FALSE(harness.timer.armed);
    EXPECT_EQ(harness.frame.pane(StatusPane::Link), "OFF LINE");
}

TEST_F(TargetResetTest, AConnectFailureShowsItsMessageAndSendsNoReset)
{
    start();
    app->mainFrame().linkConfig().portType = core::PortType::Serial;
    harness.transports.ports().serialPortPresent = false;

    state->ResetTarget();

    EXPECT_EQ(harness.prompts.messages,
        (std::vector<core::DialogMessage> {{"통신 포트를 여는데 실패했읍니다.", MessageIcon::Error}}));
    EXPECT_EQ(harness.pod.resetCount(), 0);
}

TEST_F(TargetResetTest, IgnoredWhileProgramming)
{
    start();
    state->StartMonitoring(MonitorKind::AddressBlock);
    app->programmingFlags().programmingThreadBusy = true;
    state->ResetTarget();
    EXPECT_EQ(harness.pod.resetCount(), 0);
    EXPECT_EQ(state->runningMonitorKind(), MonitorKind::AddressBlock);
}

} // namespace
