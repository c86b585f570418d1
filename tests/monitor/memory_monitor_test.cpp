// The memory monitor model over the in-process POD simulator: settings, rows and their reads, gaps, failures,
// scrolling, start address entry, view type and data changes, and the context menu.
#include "monitor/memory_monitor.h"

#include "simulated_link.h"

#include "core/memory_settings_store.h"
#include "core/settings_schema.h"

#include <gtest/gtest.h>

#include <memory>

namespace lumetra::monitor {
namespace {

using core::SettingId;
using test::RecordingMonitoring;
using test::SimulatedLink;
using Frames = std::vector<std::string>;

class MemoryMonitorTest : public ::testing::Test {
protected:
    MemoryMonitor& create(int deviceIndex, std::int32_t start = 0, ViewType view = ViewType::Hex16, int rows = 8)
    {
        core::writeSetting(store, SettingId::CpuType, deviceIndex);
        core::writeSetting(store, SettingId::StartDataAddress, start);
        core::writeSetting(store, SettingId::StartViewType, viewTypeCode(view));
        monitor = std::make_unique<MemoryMonitor>(store, monitoring);
        monitor->setRowsPerPage(rows);
        return *monitor;
    }

    std::vector<std::string> column(std::string MemoryRow::*field) const
    {
        std::vector<std::string> texts;
        for (const MemoryRow& row : monitor->rows())
            texts.push_back(row.*field);
        return texts;
    }

    core::MemorySettingsStore store;
    RecordingMonitoring monitoring;
    SimulatedLink sim;
    std::unique_ptr<MemoryMonitor> monitor;
};

TEST_F(MemoryMonitorTest, SettingsReadAtCreationAndWrittenBackAtDestruction)
{
    MemoryMonitor& lf = create(3, 0xFFFF, ViewType::Hex32);
    EXPECT_EQ(lf.range(), 0x10000u);
    EXPECT_EQ(lf.startAddress(), 0xFFFEu);
    EXPECT_EQ(lf.viewType(), ViewType::Hex32);
    EXPECT_EQ(lf.startAddressText(), "0xFFFE");
    monitor.reset();
    EXPECT_EQ(core::readSetting(store, SettingId::StartDataAddress), 0xFFFE);

    MemoryMonitor& f28 = create(6, -5, ViewType::Binary16);
    EXPECT_EQ(f28.range(), 0x400000u);
    EXPECT_EQ(f28.startAddress(), 0u);
    f28.setViewType(ViewType::Float32);
    EXPECT_EQ(f28.enterStartAddress("0x3F8001"), std::nullopt);
    monitor.reset();
    EXPECT_EQ(core::readSetting(store, SettingId::StartDataAddress), 0x3F8000);
    EXPECT_EQ(core::readSetting(store, SettingId::StartViewType), 6);

    core::writeSetting(store, SettingId::StartViewType, 9);
    EXPECT_EQ(MemoryMonitor(store, monitoring).viewType(), ViewType::Hex16);
}

TEST_F(MemoryMonitorTest, RowsReadTheFirstByAddressAndTheRestAsTheNextWords)
{
    MemoryMonitor& memory = create(26, 0x3F8000, ViewType::Hex16, 3);
    sim.pod.setWord(0x3F8000, 0x4142);
    sim.pod.setWord(0x3F8001, 0xFFFF);
    sim.pod.setWord(0x3F8002, 0x0031);
    ASSERT_TRUE(memory.poll(sim.link));
    EXPECT_EQ(sim.takeTrace(), (Frames {"@3F8000\r", "r", "r", "r"}));
    EXPECT_EQ(column(&MemoryRow::addressText), (Frames {"0x3F8000", "0x3F8001", "0x3F8002"}));
    EXPECT_EQ(column(&MemoryRow::value), (Frames {"0x4142", "0xFFFF", "0x0031"}));
    EXPECT_EQ(column(&MemoryRow::ascii), (Frames {"BA", "..", "1."}));

    memory.setViewType(ViewType::Signed32);
    ASSERT_TRUE(memory.poll(sim.link));
    EXPECT_EQ(sim.takeTrace(), (Frames {"@3F8000\r", "l", "l", "l"}));
    EXPECT_EQ(column(&MemoryRow::addressText), (Frames {"0x3F8000", "0x3F8002", "0x3F8004"}));
    EXPECT_EQ(memory.rows()[0].value, "-48830"); // 0xFFFF4142
}

TEST_F(MemoryMonitorTest, GapsShowQuestionMarksAndTheNextReadableRowSendsItsAddress)
{
    MemoryMonitor& memory = create(0, 0x7C, ViewType::Hex16, 6);
    sim.pod.setWord(0x7F, 0x1234);
    ASSERT_TRUE(memory.poll(sim.link));
    EXPECT_EQ(sim.takeTrace(), (Frames {"@00007C\r", "r", "r", "r", "r"}));
    EXPECT_EQ(column(&MemoryRow::value), (Frames {"0x0000", "0x0000", "0x0000", "0x1234", "???", "???"}));
    EXPECT_EQ(column(&MemoryRow::ascii)[5], "???");
    EXPECT_EQ(column(&MemoryRow::addressText)[4], "0x0080");

    ASSERT_EQ(memory.enterStartAddress("0x7FE"), std::nullopt);
    ASSERT_TRUE(memory.poll(sim.link));
    EXPECT_EQ(sim.takeTrace(), (Frames {"@000800\r", "r", "r", "r", "r"}));
    EXPECT_EQ(column(&MemoryRow::value)[1], "???");
}

TEST_F(MemoryMonitorTest, ReadFailureKeepsEarlierRowsNewAndLaterRowsOld)
{
    MemoryMonitor& memory = create(26, 0x8000, ViewType::Hex16, 5);
    ASSERT_TRUE(memory.poll(sim.link));
    for (std::uint32_t n = 0; n < 5; ++n)
        sim.pod.setWord(0x8000 + n, static_cast<std::uint16_t>(0x1110 + n));
    sim.pod.injectFault({.kind = sim::FaultKind::WrongAck, .command = 'r', .skip = 2, .count = -1});
    EXPECT_FALSE(memory.poll(sim.link));
    EXPECT_EQ(column(&MemoryRow::value), (Frames {"0x1110", "0x1111", "0x0000", "0x0000", "0x0000"}));
    EXPECT_TRUE(monitoring.calls.empty());
}

TEST_F(MemoryMonitorTest, ValuesLeftByAFailedPassAreStaleUntilReadAgain)
{
    MemoryMonitor& memory = create(0, 0x7E, ViewType::Hex16, 4);
    monitoring.address = true;
    ASSERT_TRUE(memory.poll(sim.link));
    for (std::size_t row = 0; row < 4; ++row)
        EXPECT_FALSE(memory.valueStale(row)) << row; // rows 2 and 3 are a gap, shown as "???"

    sim.pod.injectFault({.kind = sim::FaultKind::WrongAck, .command = 'r', .skip = 1, .count = -1});
    EXPECT_FALSE(memory.poll(sim.link));
    sim.pod.clearFaults();
    EXPECT_FALSE(memory.valueStale(0)); // read by the failed pass
    EXPECT_TRUE(memory.valueStale(1)); // not read by it
    monitoring.address = false;
    EXPECT_TRUE(memory.valueStale(0));
    monitoring.address = true;
    EXPECT_TRUE(memory.valueStale(0));
    ASSERT_TRUE(memory.poll(sim.link));
    EXPECT_FALSE(memory.valueStale(0));
    EXPECT_TRUE(memory.valueStale(4));
}

TEST_F(MemoryMonitorTest, ColumnsFitTheWidestAddressAndValueOfTheViewType)
{
    MemoryMonitor& memory = create(26, 0x8000, ViewType::Hex16, 2);
    const auto widest = [&](int column) {
        std::string wide;
        for (const std::string& text : memory.columnTexts(column))
            wide = text.size() > wide.size() ? text : wide;
        return wide;
    };
    EXPECT_EQ(widest(0), "0x3FFFFF");
    EXPECT_EQ(widest(1), "0xFFFF");
    memory.setViewType(ViewType::Signed32);
    EXPECT_EQ(widest(1), "-2147483648");
    memory.setViewType(ViewType::Binary16);
    EXPECT_EQ(widest(1), std::string(16, '1'));
    memory.setViewType(ViewType::Unsigned32);
    EXPECT_EQ(widest(1), "4294967295");

    // Floats have no widest text of their own: the rows read decide.
    memory.setViewType(ViewType::Float32);
    EXPECT_EQ(widest(1), "-2147483648.000000");
    sim.pod.setWord(0x8000, 0x6B2A);
    sim.pod.setWord(0x8001, 0x42A2);
    ASSERT_TRUE(memory.poll(sim.link));
    EXPECT_EQ(memory.rows()[0].value, "81.209305");
    sim.pod.setWord(0x8001, 0x7F00);
    ASSERT_TRUE(memory.poll(sim.link));
    EXPECT_EQ(widest(1), memory.rows()[0].value);
    EXPECT_GT(widest(1).size(), 30u);

    memory.setProgramTargetId(0x0092);
    ASSERT_TRUE(memory.poll(sim.link));
    EXPECT_EQ(widest(0), "0x8000"); // as wide as 0xFFFF
}

TEST_F(MemoryMonitorTest, AddressWidthFollowsTheLoadedProgram)
{
    MemoryMonitor& memory = create(26, 0x3F8000, ViewType::Hex16, 2);
    ASSERT_TRUE(memory.poll(sim.link));
    memory.setProgramTargetId(0x0092);
    EXPECT_EQ(memory.range(), 0x10000u);
    EXPECT_EQ(memory.startAddress(), 0xFFFFu);
    ASSERT_TRUE(memory.poll(sim.link));
    EXPECT_EQ(column(&MemoryRow::addressText), (Frames {"0xFFFF"}));
    memory.setProgramTargetId(0x009D);
    EXPECT_EQ(memory.scrollBar().maximum, 0x3FFFFFu);

    // Without a program the device row decides.
    memory.setProgramTargetId(std::nullopt);
    EXPECT_EQ(memory.range(), 0x400000u);
    memory.setDeviceIndex(4);
    EXPECT_EQ(memory.range(), 0x10000u);
}

TEST_F(MemoryMonitorTest, ScrollingMovesTheStartAndRestartsAddressMonitoring)
{
    MemoryMonitor& memory = create(26, 0x100, ViewType::Hex32, 10);
    monitoring.address = true;
    ASSERT_TRUE(memory.poll(sim.link));
    memory.scroll(ScrollAction::PageDown);
    EXPECT_EQ(memory.startAddress(), 0x100u + 20);
    EXPECT_EQ(monitoring.calls, (Frames {"stop address", "start address"}));
    ASSERT_TRUE(memory.poll(sim.link));
    EXPECT_EQ(memory.rows()[0].address, 0x114u);

    monitoring.calls.clear();
    memory.scroll(ScrollAction::EndScroll);
    memory.scroll(ScrollAction::ThumbTrack, 0x8A);
    EXPECT_TRUE(monitoring.calls.empty());
    memory.scroll(ScrollAction::Bottom);
    EXPECT_EQ(memory.startAddress(), 0x400000u - 20);
}

TEST_F(MemoryMonitorTest, StartAddressEntry)
{
    MemoryMonitor& memory = create(26, 0x200, ViewType::Hex16, 30);
    monitoring.address = true;
    EXPECT_EQ(memory.enterStartAddress(" "), "주소값을 입력하십시요.");
    EXPECT_EQ(memory.enterStartAddress("abc"), "주소 입력이 잘못되었읍니다.");
    EXPECT_EQ(memory.startAddress(), 0x200u);
    EXPECT_EQ(memory.enterStartAddress("0x200"), std::nullopt);
    EXPECT_TRUE(monitoring.calls.empty());
    EXPECT_EQ(memory.enterStartAddress("100"), std::nullopt);
    EXPECT_EQ(memory.startAddress(), 0x64u);
    EXPECT_EQ(memory.scrollBar().position, 0x64u);
    EXPECT_EQ(monitoring.calls, (Frames {"stop address", "start address"}));
    EXPECT_EQ(memory.enterStartAddress("0x3FFFFF"), std::nullopt);
    EXPECT_EQ(memory.startAddress(), 0x3FFFE1u);
    memory.setViewType(ViewType::Unsigned32);
    EXPECT_EQ(memory.enterStartAddress("0x3FFFFF"), std::nullopt);
    EXPECT_EQ(memory.startAddress(), 0x3FFFC2u);
}

TEST_F(MemoryMonitorTest, ViewTypeChangeRerangesTheScrollBarAndEvensTheStart)
{
    MemoryMonitor& memory = create(2, 0xFFFF, ViewType::Hex16, 0);
    memory.setViewType(ViewType::Hex32);
    EXPECT_EQ(memory.startAddress(), 0xFFFEu);
    EXPECT_EQ(memory.scrollBar(), (ScrollBarState {0, 0x7FFF, 0x7FFF, 0}));
    memory.setViewType(ViewType::Binary16);
    EXPECT_EQ(memory.scrollBar(), (ScrollBarState {0, 0xFFFF, 0xFFFE, 0}));
    EXPECT_TRUE(monitoring.calls.empty());
}

TEST_F(MemoryMonitorTest, DataChangeWritesTheRowsWidthOnlyWhileMonitoring)
{
    MemoryMonitor& memory = create(26, 0x8000, ViewType::Hex16, 2);
    ASSERT_TRUE(memory.poll(sim.link));
    EXPECT_EQ(memory.dataChangeDialog(1), std::nullopt);
    EXPECT_EQ(memory.changeData(sim.link, 1, "5").status, DataChangeStatus::NotAvailable);

    monitoring.address = true;
    const auto dialog = memory.dataChangeDialog(1);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->addressText, "0x008001");
    EXPECT_EQ(dialog->viewTypeName, "hex decimal (16bit)");
    EXPECT_EQ(dialog->valueText, "0x0000");
    EXPECT_EQ(memory.dataChangeDialog(2), std::nullopt);

    EXPECT_EQ(memory.changeData(sim.link, 1, "-1"), (DataChangeResult {DataChangeStatus::Written, {}}));
    EXPECT_EQ(sim.pod.word(0x8001), 0xFFFF);
    EXPECT_EQ(sim.pod.word(0x8002), 0x0000);
    EXPECT_EQ(memory.changeData(sim.link, 1, ""),
        (DataChangeResult {DataChangeStatus::EntryRefused, "데이타를 입력하십시요."}));
    for (const char* text : {"abc", "12abc"}) {
        EXPECT_EQ(memory.changeData(sim.link, 1, text).status, DataChangeStatus::EntryRefused) << text;
        EXPECT_EQ(sim.pod.word(0x8001), 0xFFFF) << text << " wrote";
    }

    memory.setViewType(ViewType::Hex32);
    ASSERT_TRUE(memory.poll(sim.link));
    EXPECT_EQ(memory.changeData(sim.link, 1, "0x12345678").status, DataChangeStatus::Written);
    EXPECT_EQ(sim.pod.words(0x8002, 2), (std::vector<std::uint16_t> {0x5678, 0x1234}));

    sim.pod.injectFault({.kind = sim::FaultKind::WrongAck, .command = 'W'});
    EXPECT_EQ(
        memory.changeData(sim.link, 0, "1"), (DataChangeResult {DataChangeStatus::WriteFailed, "데이타 쓰기 오류 !"}));
}

TEST_F(MemoryMonitorTest, ContextMenuFollowsMonitoringSelectionAndGraphs)
{
    MemoryMonitor& memory = create(26, 0, ViewType::Hex16, 2);
    EXPECT_EQ(memory.menuState(true), (MemoryMenuState {"주소 모니터링 시작", true, true, false, false}));
    monitoring.address = true;
    EXPECT_EQ(memory.menuState(true), (MemoryMenuState {"주소 모니터링 중지", true, true, false, true}));
    ASSERT_TRUE(memory.poll(sim.link));
    EXPECT_EQ(memory.menuState(true), (MemoryMenuState {"주소 모니터링 중지", true, true, true, true}));
    EXPECT_EQ(memory.menuState(false), (MemoryMenuState {"주소 모니터링 중지", true, true, false, true}));
    monitoring.graph = true;
    EXPECT_FALSE(memory.menuState(true).monitoringEnabled);
}

TEST_F(MemoryMonitorTest, ResizeAndEmptyingRebuildTheRows)
{
    MemoryMonitor& memory = create(26, 0x3FFFFD, ViewType::Hex16, 8);
    ASSERT_TRUE(memory.poll(sim.link));
    EXPECT_EQ(memory.rows().size(), 3u); // only addresses below the range
    memory.emptyRows();
    EXPECT_TRUE(memory.rows().empty());
    memory.setRowsPerPage(2);
    EXPECT_FALSE(memory.rowsValid());
    ASSERT_TRUE(memory.poll(sim.link));
    EXPECT_EQ(memory.rows().size(), 2u);
    EXPECT_TRUE(memory.rowsValid());
}

} // namespace
} // namespace lumetra::monitor
