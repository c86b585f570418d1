#include "app/app_test_doubles.h"
#include "app/monitor_panes.h"
#include "app/simulated_run_settings.h"
#include "app/status_texts.h"
#include "core/path_text.h"

#include <gtest/gtest.h>

#include <fstream>

namespace lumetra::app::test {
namespace {

constexpr std::string_view kMain = "Main Configuration";

class MonitorPanesTest : public ::testing::Test {
protected:
    MonitorPanesTest()
    {
        h.store.writeInt(kMain, "CPU TYPE", 26);
        writeTestCoff(h.scratch / "demo.out", 0x8000);
        h.start();
        EXPECT_EQ(h.app->OpenByPath(h.scratch / "demo.out"), image::CoffLoadResult::Loaded);
        panes.emplace(*h.app, h.store, h.prompts);
        panes->variables().setVisibleRows(0, 10);
    }

    std::string linkPane() const { return h.frame.pane(StatusPane::Link); }

    AppHarness h;
    std::optional<MonitorPanes> panes;
};

TEST_F(MonitorPanesTest, AddingASymbolStartsMonitoringAndTicksReadIt)
{
    h.pod.setWord(0x8000, 0x0102);
    const std::vector<std::string> names {"counter", "counter", "nosuchname"};
    panes->addVariables(names);
    ASSERT_EQ(h.app->registeredVariables().size(), 1u);
    EXPECT_TRUE(h.app->linkState().variableMonitoring());
    EXPECT_EQ(linkPane(), linkPaneText(true));

    ASSERT_TRUE(h.timer.tick(h.app->linkState()));
    EXPECT_EQ(panes->variables().rows()[0].value, "258");
    h.pod.setWord(0x8000, 0xFFFF);
    ASSERT_TRUE(h.timer.tick(h.app->linkState()));
    EXPECT_EQ(panes->variables().rows()[0].value, "-1");
    EXPECT_TRUE(h.prompts.messages.empty());
}

TEST_F(MonitorPanesTest, FailedReadMidPassKeepsEarlierRowsAndGoesOffLineWithOneMessage)
{
    monitor::MemoryMonitor& memory = panes->memory();
    ASSERT_EQ(memory.enterStartAddress("0x8000"), std::nullopt);
    memory.setRowsPerPage(5);
    h.app->linkState().ToggleAddressMonitoring();
    ASSERT_TRUE(h.app->linkState().addressMonitoring());
    ASSERT_TRUE(h.timer.tick(h.app->linkState()));
    for (std::uint16_t n = 0; n < 5; ++n)
        h.pod.setWord(0x8000u + n, static_cast<std::uint16_t>(0x1110 + n));

    h.pod.injectFault({.kind = sim::FaultKind::WrongAck, .command = 'r', .skip = 2, .count = -1});
    ASSERT_TRUE(h.timer.tick(h.app->linkState()));

    std::vector<std::string> values;
    for (const monitor::MemoryRow& row : memory.rows())
        values.push_back(row.value);
    EXPECT_EQ(values, (std::vector<std::string> {"0x1110", "0x1111", "0x0000", "0x0000", "0x0000"}));
    EXPECT_EQ(linkPane(), linkPaneText(false));
    EXPECT_FALSE(h.app->linkState().addressMonitoring());
    EXPECT_FALSE(h.timer.armed);
    EXPECT_EQ(h.messageTexts(), std::vector<std::string> {std::string(kCommunicationErrorMessage)});
    EXPECT_FALSE(h.timer.tick(h.app->linkState()));
    EXPECT_EQ(h.prompts.messages.size(), 1u);
}

TEST_F(MonitorPanesTest, FailedVariableReadUpdatesTheRowsBeforeIt)
{
    auto& registered = h.app->registeredVariables();
    registered.push_back(image::CDataObject {"a", 0x8000, 4, "", 0});
    registered.push_back(image::CDataObject {"b", 0x8001, 4, "", 0});
    registered.push_back(image::CDataObject {"c", 0x8002, 4, "", 0});
    panes->variables().rebuildRows();
    h.app->linkState().ToggleVariableMonitoring();
    h.pod.setWord(0x8000, 7);
    h.pod.setWord(0x8001, 8);
    h.pod.setWord(0x8002, 9);
    h.pod.injectFault({.kind = sim::FaultKind::WrongAck, .command = 'R', .skip = 2, .count = -1});
    ASSERT_TRUE(h.timer.tick(h.app->linkState()));

    const auto& rows = panes->variables().rows();
    EXPECT_EQ(rows[0].value, "0x0007");
    EXPECT_EQ(rows[1].value, "0x0008");
    EXPECT_EQ(rows[2].value, "");
    EXPECT_EQ(linkPane(), linkPaneText(false));
    EXPECT_EQ(h.messageTexts(), std::vector<std::string> {std::string(kCommunicationErrorMessage)});
}

TEST_F(MonitorPanesTest, GonePanesTakeTheLinkDownWithoutAMessage)
{
    const std::vector<std::string> names {"counter"};
    panes->addVariables(names);
    panes.reset();
    ASSERT_TRUE(h.timer.tick(h.app->linkState()));
    EXPECT_EQ(linkPane(), linkPaneText(false));
    EXPECT_TRUE(h.prompts.messages.empty());
}

TEST_F(MonitorPanesTest, SymbolFileSaveAndOpenPauseMonitoringAndReplaceTheList)
{
    const std::vector<std::string> names {"counter"};
    panes->addVariables(names);
    panes->variables().setViewType(std::vector<std::size_t> {0}, monitor::ViewType::Binary16);
    const auto file = h.scratch / "saved.sym";
    ASSERT_EQ(panes->saveSymbolFile(file), image::SymbolFileStatus::Ok);
    EXPECT_EQ(storedText(h.store, kMain, "Symbol File Directory"), panes->symbolDialogFolder().string());
    EXPECT_TRUE(h.app->linkState().variableMonitoring());

    panes->variables().setViewType(std::vector<std::size_t> {0}, monitor::ViewType::Hex16);
    ASSERT_EQ(panes->openSymbolFile(file), image::SymbolFileStatus::Ok);
    ASSERT_EQ(panes->variables().rows().size(), 1u);
    EXPECT_EQ(panes->variables().rows()[0].viewTypeText, "binary (16bit)");
    EXPECT_TRUE(h.app->linkState().variableMonitoring());
    EXPECT_TRUE(h.prompts.messages.empty());

    // A file of another format empties the list and the rows; monitoring resumes only with records.
    const auto other = h.scratch / "other.sym";
    std::ofstream(other, std::ios::binary) << "not a symbol file";
    EXPECT_EQ(panes->openSymbolFile(other), image::SymbolFileStatus::UnsupportedFormat);
    EXPECT_TRUE(panes->variables().rows().empty());
    EXPECT_FALSE(h.app->linkState().variableMonitoring());
    EXPECT_EQ(h.messageTexts().front(), image::symbolFileMessage(image::SymbolFileStatus::UnsupportedFormat));
    EXPECT_FALSE(panes->saveSymbolFileEnabled());
}

TEST_F(MonitorPanesTest, VariablesALoadedProgramLacksAreMarkedAndNamedOnTheMessagePage)
{
    std::vector<std::string> lines;
    h.app->activityLog().attach([&lines](std::string_view line) { lines.emplace_back(line); },
        [] { return core::ClockTime {}; });
    const std::vector<std::string> names {"counter"};
    panes->addVariables(names);
    h.app->registeredVariables().push_back(image::CDataObject {"speed", 0x8004, 3, "", 2});
    panes->variables().rebuildRows();
    const auto reload = [&](const std::filesystem::path& coff) {
        lines.clear();
        ASSERT_TRUE(image::isLoadSuccess(h.app->OpenByPath(coff)));
        panes->symbolsRefilled(); // as the window does on every refill of the symbol list
    };
    const std::string unboundLine = "[00:00:00] 로드한 프로그램에 없는 등록 변수가 있읍니다 (이전 프로그램의 주소로 읽음): ";

    reload(h.scratch / "demo.out");
    EXPECT_EQ(lines.back(), unboundLine + "speed");
    EXPECT_EQ(panes->variables().nameText(1), "speed (프로그램에 없음)");
    EXPECT_EQ(panes->variables().nameText(0), "counter");

    // A program without symbols has none of them; the addresses stay.
    writeTestCoff(h.scratch / "bare.out", 0x9000, false);
    reload(h.scratch / "bare.out");
    EXPECT_EQ(lines.back(), unboundLine + "counter, speed");
    EXPECT_EQ(h.app->registeredVariables()[0].address, 0x8000u);

    // A symbol file opened meanwhile is checked against the loaded program too.
    reload(h.scratch / "demo.out");
    const auto file = h.scratch / "both.sym";
    ASSERT_EQ(panes->saveSymbolFile(file), image::SymbolFileStatus::Ok);
    h.app->linkState().StopMonitoring(MonitorKind::Variables); // no link lines in between
    lines.clear();
    ASSERT_EQ(panes->openSymbolFile(file), image::SymbolFileStatus::Ok);
    EXPECT_EQ(lines,
        (std::vector<std::string> {"[00:00:00] 심볼 파일을 열었읍니다: " + core::utf8Of(file) + " (변수 2개)",
            unboundLine + "speed"}));
    EXPECT_EQ(panes->variables().unboundNames(), std::vector<std::string> {"speed"});

    // Nothing lacks, nothing is said.
    panes->variables().removeRows(std::vector<std::size_t> {1});
    reload(h.scratch / "demo.out");
    EXPECT_TRUE(panes->variables().unboundNames().empty());
    EXPECT_EQ(lines.back().find("로드한 프로그램에 없는"), std::string::npos);
}

TEST(SimulatedRunSettingsTest, UsesTheDemoRowAndEveryChangeOnlyForTheRun)
{
    core::MemorySettingsStore stored;
    stored.writeInt(kMain, "CPU TYPE", 3);
    stored.writeText(kMain, "Coff File Path", "/home/user/motor.out");
    EXPECT_TRUE(deviceRowNeedsOverride(stored, 26));
    const std::size_t storedValues = stored.size();
    {
        const std::unique_ptr<core::SettingsOverlay> run = simulatedRunSettings(stored, 26);
        EXPECT_EQ(run->readInt(kMain, "CPU TYPE", 0), 26);
        EXPECT_EQ(run->readText(kMain, "Coff File Path", ""), "/home/user/motor.out");
        run->writeText(kMain, "Coff File Path", "/build/demo.out");
        run->writeInt(kMain, "CPU TYPE", 30);
        EXPECT_EQ(run->readText(kMain, "Coff File Path", ""), "/build/demo.out");
        EXPECT_EQ(run->readInt(kMain, "CPU TYPE", 0), 30);
        EXPECT_TRUE(run->flush());
    }
    EXPECT_EQ(stored.size(), storedValues);
    EXPECT_EQ(storedInt(stored, kMain, "CPU TYPE"), 3);
    EXPECT_EQ(stored.readText(kMain, "Coff File Path", ""), "/home/user/motor.out");

    // A stored row of the demo's family is kept.
    stored.writeInt(kMain, "CPU TYPE", 30);
    EXPECT_FALSE(deviceRowNeedsOverride(stored, 26));
    EXPECT_EQ(simulatedRunSettings(stored, 26)->readInt(kMain, "CPU TYPE", 0), 30);
}

} // namespace
} // namespace lumetra::app::test
