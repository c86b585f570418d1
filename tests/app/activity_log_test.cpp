// The message page's log: each connect, disconnect, load, write and failure is one time-stamped line, with the
// cause the link knows.
#include "app_test_doubles.h"

#include "app/application_link_takeover.h"
#include "app/graph_host_adapter.h"

#include "core/activity_log.h"
#include "core/path_text.h"
#include "support/debug_info_reader.h"
#include "support/test_paths.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace lumetra;
using namespace lumetra::app;
using namespace lumetra::app::test;

namespace {

TEST(ActivityLine, StampsTheTimeOfDay)
{
    EXPECT_EQ(core::activityLine({9, 5, 7}, "Connected"), "[09:05:07] Connected");
    core::ActivityLog detached;
    detached.record("nothing happens without a page");
}

// Reads one word through the link on every pass.
class ReadingPoller final : public MemoryMonitorPoller {
public:
    bool poll(link::CPodLink& link) override
    {
        std::uint32_t value = 0;
        return link.ReadWord(0x8000, 'r', value);
    }
    void emptyRows() override { }
};

class ActivityLogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        app = &harness.start();
        app->activityLog().attach([this](std::string_view line) { lines.emplace_back(line); },
            [] {
                return core::ClockTime {12, 34, 56};
            });
        app->mainFrame().linkConfig().portType = core::PortType::Serial;
        app->linkState().setMemoryPoller(&memory);
    }

    AppHarness harness;
    Application* app = nullptr;
    ReadingPoller memory;
    std::vector<std::string> lines;
};

TEST_F(ActivityLogTest, ConnectAndDisconnectNameThePort)
{
    app->linkState().StartMonitoring(MonitorKind::AddressBlock);
    app->linkState().ClosePort();
    EXPECT_EQ(lines,
        (std::vector<std::string> {"[12:34:56] POD에 연결했읍니다 (COM1)", "[12:34:56] POD 연결을 끊었읍니다 (COM1)"}));
}

TEST_F(ActivityLogTest, FailuresCarryTheLinksCause)
{
    harness.transports.ports().serialPortPresent = false;
    app->linkState().StartMonitoring(MonitorKind::AddressBlock);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "[12:34:56] POD 연결에 실패했읍니다 (COM1): COM1 포트를 열지 못했읍니다");

    lines.clear();
    harness.transports.ports().serialPortPresent = true;
    app->mainFrame().link().setReplyTimeout(std::chrono::milliseconds(20));
    harness.pod.injectFault({sim::FaultKind::NoReply, '!'});
    app->linkState().StartMonitoring(MonitorKind::AddressBlock);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1],
        "[12:34:56] POD 연결 확인에 실패했읍니다 (COM1): COM1의 POD가 2020 ms 안에 응답하지 않았읍니다");
    EXPECT_EQ(lines[2], "[12:34:56] POD 연결을 끊었읍니다 (COM1)");
}

TEST_F(ActivityLogTest, AFailedPassAndValueWritesAreRecorded)
{
    app->linkState().StartMonitoring(MonitorKind::AddressBlock);
    ASSERT_TRUE(app->mainFrame().link().WriteWord(1, 0x3F8000, 0x12345));
    harness.pod.injectFault({sim::FaultKind::WrongAck, 'W'});
    ASSERT_FALSE(app->mainFrame().link().WriteWord(2, 0x8000, 0xDEADBEEF));
    app->mainFrame().link().setReplyTimeout(std::chrono::milliseconds(20));
    harness.pod.injectFault({.kind = sim::FaultKind::ShortReply, .command = 'r', .count = 2});
    harness.timer.tick(app->linkState());
    EXPECT_EQ(lines,
        (std::vector<std::string> {"[12:34:56] POD에 연결했읍니다 (COM1)",
            "[12:34:56] 0x3F8000에 0x2345 데이타를 썼읍니다",
            "[12:34:56] 0x008000에 0xDEADBEEF 데이타를 쓰는데 실패했읍니다: COM1의 POD 응답이 '!'가 아니라 0x3F입니다",
            "[12:34:56] 통신 오류로 모니터링을 중지했읍니다: COM1의 POD 응답이 5 바이트 중 4 바이트에서 끊어졌읍니다",
            "[12:34:56] POD 연결을 끊었읍니다 (COM1)"}));
}

TEST_F(ActivityLogTest, AGraphThatStopsAcquiringClosesTheLinkItOpened)
{
    GraphHostAdapter host(app->linkState());
    ASSERT_EQ(host.connectLink(), link::ConnectCode::Connected);
    host.setGraphAcquiring(true);
    host.setGraphAcquiring(false); // the time graph's "데이타 수집 중지"
    EXPECT_EQ(lines,
        (std::vector<std::string> {"[12:34:56] POD에 연결했읍니다 (COM1)", "[12:34:56] POD 연결을 끊었읍니다 (COM1)"}));
    EXPECT_FALSE(app->linkState().closePortEnabled());
    EXPECT_EQ(harness.frame.pane(StatusPane::Link), "OFF LINE");
}

TEST_F(ActivityLogTest, AProgrammingRunWithNothingToResumeClosesItsLink)
{
    ApplicationLinkTakeover takeover(*app);
    ASSERT_EQ(app->linkState().ConnectForGraph(), link::ConnectCode::Connected);
    takeover.resumeMonitoring(std::nullopt);
    EXPECT_FALSE(app->linkState().closePortEnabled());
    EXPECT_EQ(lines.back(), "[12:34:56] POD 연결을 끊었읍니다 (COM1)");

    // Monitoring that ran before the run goes on over the link.
    ASSERT_EQ(app->linkState().ConnectForGraph(), link::ConnectCode::Connected);
    lines.clear();
    takeover.resumeMonitoring(static_cast<int>(MonitorKind::AddressBlock));
    EXPECT_TRUE(lines.empty());
    EXPECT_TRUE(app->linkState().closePortEnabled());
    EXPECT_EQ(harness.frame.pane(StatusPane::Link), "ON LINE");
}

TEST_F(ActivityLogTest, CoffLoadsAreRecorded)
{
    writeTestCoff(harness.scratch.path() / "prog.out", 0x8000);
    app->OpenByPath(harness.scratch.path() / "prog.out");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0],
        "[12:34:56] COFF 파일을 로드했읍니다: " + core::utf8Of(harness.scratch.path() / "prog.out") + " (2 워드)");
    // The second line says how the symbols' types were read.
    EXPECT_EQ(lines[1], "[12:34:56] 디버그 정보가 없어 데이타 타입을 심볼 테이블에서 읽었읍니다");
    lines.clear();

    app->OpenByPath(harness.scratch.path() / "missing.out");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0],
        "[12:34:56] COFF 파일을 여는데 실패했읍니다: " + core::utf8Of(harness.scratch.path() / "missing.out"));
    lines.clear();

    // A failed load keeps the reader's own message as its cause.
    const std::filesystem::path text = harness.scratch.path() / "notes.out";
    std::ofstream(text) << "not a COFF file";
    app->OpenByPath(text);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "[12:34:56] COFF 파일을 로드하는데 실패했읍니다: " + core::utf8Of(text) + " (COFF 파일 포맷이 아닙니다.)");
}

TEST_F(ActivityLogTest, ALoadWithDebugInformationSaysTheTypesCameFromIt)
{
    LUMETRA_SKIP_WITHOUT_DEBUG_INFO_READER();
    const auto samples = lumetra::test::coffSamplesDir();
    if (!samples)
        GTEST_SKIP() << "COFF samples are not present";
    app->OpenByPath(*samples / "flash28333_api.out");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1], "[12:34:56] 데이타 타입을 디버그 정보(DWARF 2)에서 읽었읍니다: 심볼 12개 중 10개");
}

} // namespace
