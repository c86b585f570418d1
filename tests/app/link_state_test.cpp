#include "app_test_doubles.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace lumetra;
using namespace lumetra::app;
using namespace lumetra::app::test;

namespace {

const core::DialogMessage kNoData {"등록된 데이타가 없읍니다.", MessageIcon::Information};
const core::DialogMessage kCommError {"통신 오류 발생 !", MessageIcon::Error};

class LinkStateTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        app = &harness.start();
        state = &app->linkState();
        state->setVariablePoller(&variables);
        state->setMemoryPoller(&memory);
        harness.pod.clearTrace();
    }

    void registerVariable()
    {
        image::CDataObject record;
        record.name = "counter";
        record.address = 0x8000;
        record.type = 4;
        app->registeredVariables().push_back(record);
    }

    int framesStartingWith(char letter) const
    {
        const auto trace = harness.pod.trace();
        return static_cast<int>(std::count_if(
            trace.begin(), trace.end(), [&](const std::string& f) { return !f.empty() && f[0] == letter; }));
    }

    std::string linkPane() const { return harness.frame.pane(StatusPane::Link); }

    AppHarness harness;
    Application* app = nullptr;
    LinkState* state = nullptr;
    std::vector<std::string> journal;
    ScriptedPoller variables {"variables", journal};
    ScriptedPoller memory {"memory", journal};
};

TEST_F(LinkStateTest, VariableMonitoringWithAnEmptyListStaysOffLineWithoutTouchingThePod)
{
    state->ToggleVariableMonitoring();

    EXPECT_EQ(harness.prompts.messages, std::vector<core::DialogMessage> {kNoData});
    EXPECT_FALSE(state->linkUp());
    EXPECT_FALSE(state->variableMonitoring());
    EXPECT_FALSE(harness.timer.armed);
    EXPECT_EQ(linkPane(), "OFF LINE");
    EXPECT_TRUE(harness.pod.trace().empty());
}

TEST_F(LinkStateTest, OpeningConnectsWithTheConfiguredValuesPingsAndArmsTheTimer)
{
    app->mainFrame().linkConfig().baudCode = 2;
    app->mainFrame().linkConfig().timeIntervalMs = 250;

    state->ToggleAddressMonitoring();

    EXPECT_TRUE(harness.prompts.messages.empty());
    EXPECT_TRUE(state->linkUp());
    EXPECT_TRUE(state->addressMonitoring());
    EXPECT_FALSE(state->variableMonitoring());
    EXPECT_EQ(linkPane(), "ON LINE");
    EXPECT_TRUE(harness.timer.armed);
    EXPECT_EQ(harness.timer.period, std::chrono::milliseconds(250));
    EXPECT_EQ(harness.pod.targetBaudCode(), 2);
    EXPECT_EQ(framesStartingWith('!'), 1);
    EXPECT_EQ(state->addressMonitorCommand(), (CommandState {true, true}));
}

TEST_F(LinkStateTest, AddressThenVariablesThenAddressKeepsTheLinkOpenAndEmptiesTheMemoryList)
{
    registerVariable();
    state->ToggleAddressMonitoring();
    state->ToggleVariableMonitoring();
    state->ToggleAddressMonitoring();

    EXPECT_TRUE(state->linkUp());
    EXPECT_TRUE(state->variableMonitoring());
    EXPECT_FALSE(state->addressMonitoring());
    EXPECT_TRUE(app->mainFrame().link().connected());
    EXPECT_EQ(framesStartingWith('I'), 1) << "the link was opened once";
    EXPECT_EQ(memory.emptied, 1);
    EXPECT_EQ(linkPane(), "ON LINE");

    ASSERT_TRUE(harness.timer.tick(*state));
    EXPECT_EQ(journal, std::vector<std::string> {"variables"});
    EXPECT_TRUE(harness.timer.armed);
}

TEST_F(LinkStateTest, ConnectFailuresShowTheirMessageAndStayOffLine)
{
    struct Case {
        const char* message;
        std::function<void(AppHarness&)> arrange;
    };
    const Case cases[] = {
        {"통신 포트를 여는데 실패했읍니다.",
            [](AppHarness& h) {
                h.app->mainFrame().linkConfig().portType = core::PortType::Serial;
                h.transports.ports().serialPortPresent = false;
            }},
        {"POD를 초기화하는데 실패했읍니다.",
            [](AppHarness& h) {
                sim::Fault hangUp;
                hangUp.kind = sim::FaultKind::HangUp;
                h.pod.injectFault(hangUp);
            }},
        {"POD의 통신 속도를 설정하는데 실패했읍니다.",
            [](AppHarness& h) {
                h.pod.injectFault({sim::FaultKind::WrongAck, 'K'});
            }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        AppHarness h;
        LinkState& s = h.start().linkState();
        c.arrange(h);

        s.StartMonitoring(MonitorKind::Both);

        EXPECT_EQ(h.prompts.messages, (std::vector<core::DialogMessage> {{c.message, MessageIcon::Error}}));
        EXPECT_FALSE(s.linkUp());
        EXPECT_FALSE(s.addressMonitoring());
        EXPECT_FALSE(s.variableMonitoring());
        EXPECT_FALSE(h.timer.armed);
        EXPECT_EQ(h.frame.pane(StatusPane::Link), "OFF LINE");
        EXPECT_FALSE(h.app->mainFrame().link().connected());
    }
}

TEST_F(LinkStateTest, AFailedAliveCheckClosesTheLinkWithTheCommunicationError)
{
    harness.pod.injectFault({sim::FaultKind::WrongAck, '!'});

    state->ToggleAddressMonitoring();

    EXPECT_EQ(harness.prompts.messages, std::vector<core::DialogMessage> {kCommError});
    EXPECT_FALSE(state->linkUp());
    EXPECT_FALSE(state->addressMonitoring());
    EXPECT_FALSE(app->mainFrame().link().connected());
    EXPECT_FALSE(harness.timer.armed);
    EXPECT_EQ(linkPane(), "OFF LINE");
}

TEST_F(LinkStateTest, BothKindsWithAnEmptyListPollOnlyTheAddressBlock)
{
    state->StartMonitoring(MonitorKind::Both);

    EXPECT_EQ(harness.prompts.messages, std::vector<core::DialogMessage> {kNoData});
    EXPECT_TRUE(state->linkUp());
    EXPECT_TRUE(state->addressMonitoring());
    EXPECT_FALSE(state->variableMonitoring());
    EXPECT_EQ(state->runningMonitorKind(), MonitorKind::AddressBlock);
}

TEST_F(LinkStateTest, APassPollsVariablesThenMemoryAndRearmsOnlyAfterBothSucceeded)
{
    registerVariable();
    state->StartMonitoring(MonitorKind::Both);
    harness.timer.armCount = 0;

    ASSERT_TRUE(harness.timer.tick(*state));
    ASSERT_TRUE(harness.timer.tick(*state));

    EXPECT_EQ(journal, (std::vector<std::string> {"variables", "memory", "variables", "memory"}));
    EXPECT_EQ(harness.timer.armCount, 2);
    EXPECT_TRUE(harness.prompts.messages.empty());
}

TEST_F(LinkStateTest, AFailingPollEndsThePassOffLineWithExactlyOneMessage)
{
    struct Case {
        const char* name;
        std::vector<bool> variableResults;
        std::vector<bool> memoryResults;
        std::vector<std::string> polled;
    };
    const Case cases[] = {
        {"variables fail", {false}, {}, {"variables"}},
        {"memory fails", {}, {false}, {"variables", "memory"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AppHarness h;
        Application& a = h.start();
        std::vector<std::string> polled;
        ScriptedPoller vars {"variables", polled};
        ScriptedPoller mem {"memory", polled};
        a.linkState().setVariablePoller(&vars);
        a.linkState().setMemoryPoller(&mem);
        a.registeredVariables().push_back(image::CDataObject {"x", 0x10, 4, "", 2});
        a.linkState().StartMonitoring(MonitorKind::Both);
        vars.results = c.variableResults;
        mem.results = c.memoryResults;

        ASSERT_TRUE(h.timer.tick(a.linkState()));

        EXPECT_EQ(polled, c.polled);
        EXPECT_EQ(h.prompts.messages, std::vector<core::DialogMessage> {kCommError});
        EXPECT_FALSE(a.linkState().linkUp());
        EXPECT_FALSE(a.linkState().variableMonitoring());
        EXPECT_FALSE(a.linkState().addressMonitoring());
        EXPECT_FALSE(h.timer.armed);
        EXPECT_FALSE(a.mainFrame().link().connected());
        EXPECT_EQ(h.frame.pane(StatusPane::Link), "OFF LINE");
        EXPECT_EQ(mem.emptied, 0) << "the rows read before the failure stay";
        EXPECT_FALSE(h.timer.tick(a.linkState()));
    }
}

// A pane that reads its rows through the link, as the monitor panes do.
class ReadingPoller final : public MonitorPoller {
public:
    explicit ReadingPoller(std::vector<std::uint32_t> rowAddresses)
        : addresses(std::move(rowAddresses))
        , values(addresses.size(), 0xDEAD)
    {
    }
    bool poll(link::CPodLink& link) override
    {
        for (std::size_t row = 0; row < addresses.size(); ++row) {
            std::uint32_t value = 0;
            if (!link.ReadWord(addresses[row], 'R', value))
                return false;
            values[row] = value;
        }
        return true;
    }
    std::vector<std::uint32_t> addresses;
    std::vector<std::uint32_t> values;
};

TEST_F(LinkStateTest, AReadFailureOnTheThirdRowKeepsTheRowsBeforeIt)
{
    for (std::uint32_t a = 0; a < 3; ++a)
        harness.pod.setWord(0x100 + a, static_cast<std::uint16_t>(0x1111 * (a + 1)));
    ReadingPoller rows({0x100, 0x101, 0x102});
    state->setVariablePoller(&rows);
    registerVariable();
    state->ToggleVariableMonitoring();
    harness.pod.injectFault({sim::FaultKind::WrongAck, 'R', 2, -1});

    ASSERT_TRUE(harness.timer.tick(*state));

    EXPECT_EQ(rows.values, (std::vector<std::uint32_t> {0x1111, 0x2222, 0xDEAD}));
    EXPECT_EQ(harness.prompts.messages, std::vector<core::DialogMessage> {kCommError});
    EXPECT_EQ(linkPane(), "OFF LINE");
    EXPECT_FALSE(harness.timer.armed);
}

TEST_F(LinkStateTest, APaneThatIsGoneTakesTheLinkDownSilently)
{
    state->ToggleAddressMonitoring();
    state->setMemoryPoller(nullptr);

    ASSERT_TRUE(harness.timer.tick(*state));

    EXPECT_FALSE(state->linkUp());
    EXPECT_FALSE(harness.timer.armed);
    EXPECT_FALSE(app->mainFrame().link().connected());
    EXPECT_TRUE(harness.prompts.messages.empty());
}

TEST_F(LinkStateTest, StoppingOneKindClosesTheLinkOnlyWhenNothingPollsAnyMore)
{
    registerVariable();
    state->StartMonitoring(MonitorKind::Both);

    state->StopMonitoring(MonitorKind::Variables);
    EXPECT_TRUE(state->linkUp());
    EXPECT_TRUE(app->mainFrame().link().connected());
    EXPECT_EQ(memory.emptied, 0);

    state->StopMonitoring(MonitorKind::AddressBlock);
    EXPECT_FALSE(state->linkUp());
    EXPECT_FALSE(app->mainFrame().link().connected());
    EXPECT_FALSE(harness.timer.armed);
    EXPECT_EQ(memory.emptied, 1);
    EXPECT_EQ(linkPane(), "OFF LINE");
}

TEST_F(LinkStateTest, ProgrammingFlagsKeepTheLinkCommandsOut)
{
    registerVariable();
    for (std::atomic<bool>* flag :
        {&app->programmingFlags().programmingBusy, &app->programmingFlags().programmingThreadBusy}) {
        *flag = true;
        state->ToggleVariableMonitoring();
        state->ToggleAddressMonitoring();
        EXPECT_FALSE(state->linkUp());
        EXPECT_FALSE(app->BeginSettingsCommand().has_value());
        *flag = false;
    }
    state->ToggleAddressMonitoring();
    app->programmingFlags().programmingThreadBusy = true;
    state->ClosePort();
    state->ToggleAddressMonitoring();
    EXPECT_TRUE(state->linkUp());
    EXPECT_TRUE(app->mainFrame().link().connected());
}

TEST_F(LinkStateTest, ThePollTimerNeverRunsFasterThanTenMilliseconds)
{
    for (const std::int32_t interval : {0, -5, 9}) {
        app->mainFrame().linkConfig().timeIntervalMs = interval;
        state->StartMonitoring(MonitorKind::AddressBlock);
        EXPECT_EQ(harness.timer.period, std::chrono::milliseconds(10)) << interval;
        harness.timer.tick(*state);
        EXPECT_EQ(harness.timer.period, std::chrono::milliseconds(10)) << interval;
        state->StopMonitoring(MonitorKind::AddressBlock);
    }
    app->mainFrame().linkConfig().timeIntervalMs = 11;
    state->StartMonitoring(MonitorKind::AddressBlock);
    EXPECT_EQ(harness.timer.period, std::chrono::milliseconds(11));
}

TEST_F(LinkStateTest, MonitorCommandsAreEnabledByTheListAndGraphAcquisition)
{
    EXPECT_EQ(state->variableMonitorCommand(), (CommandState {false, false}));
    EXPECT_EQ(state->addressMonitorCommand(), (CommandState {true, false}));
    EXPECT_FALSE(state->closePortEnabled());

    registerVariable();
    state->ToggleVariableMonitoring();
    EXPECT_EQ(state->variableMonitorCommand(), (CommandState {true, true}));
    EXPECT_TRUE(state->closePortEnabled());

    state->setGraphAcquiring(true);
    EXPECT_EQ(state->variableMonitorCommand(), (CommandState {false, true}));
    EXPECT_EQ(state->addressMonitorCommand(), (CommandState {false, false}));
}

TEST_F(LinkStateTest, ClosePortStopsEverythingAndDisconnects)
{
    registerVariable();
    state->StartMonitoring(MonitorKind::Both);

    state->ClosePort();

    EXPECT_FALSE(state->linkUp());
    EXPECT_EQ(state->runningMonitorKind(), std::nullopt);
    EXPECT_EQ(memory.emptied, 1);
    EXPECT_FALSE(state->closePortEnabled());
    EXPECT_EQ(linkPane(), "OFF LINE");
}

TEST_F(LinkStateTest, AResizeStopsTheRunningKindAroundTheLayout)
{
    registerVariable();
    state->StartMonitoring(MonitorKind::Both);
    bool linkUpDuringLayout = true;

    state->Resized([&] { linkUpDuringLayout = state->linkUp(); });

    EXPECT_FALSE(linkUpDuringLayout);
    EXPECT_EQ(state->runningMonitorKind(), MonitorKind::Both);
    EXPECT_TRUE(harness.timer.armed);

    state->StopMonitoring(MonitorKind::Both);
    int layouts = 0;
    state->Resized([&] { ++layouts; });
    EXPECT_EQ(layouts, 1);
    EXPECT_FALSE(state->linkUp());
}

} // namespace
