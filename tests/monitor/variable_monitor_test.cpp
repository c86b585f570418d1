// The variable monitor model over the in-process POD simulator: adding, polling the visible rows, view types,
// data changes, removal, and following a reloaded program's symbols.
#include "monitor/variable_monitor.h"

#include "simulated_link.h"

#include "image/symbol_rebinding.h"

#include <gtest/gtest.h>

#include <array>

namespace lumetra::monitor {
namespace {

using image::CDataObject;
using test::RecordingMonitoring;
using test::SimulatedLink;
using Frames = std::vector<std::string>;

constexpr std::uint16_t kVoid = 0;
constexpr std::uint16_t kShort = 3;
constexpr std::uint16_t kLong = 5;
constexpr std::uint16_t kFloat = 6;
constexpr std::uint16_t kEnumeration = 10;
constexpr std::uint16_t kUnsignedInt = 14;

CDataObject symbol(std::string name, std::uint32_t address, std::uint16_t type)
{
    return {std::move(name), address, type, {}, 0};
}

class VariableMonitorTest : public ::testing::Test {
protected:
    VariableMonitorTest() { monitor.setVisibleRows(0, 10); }

    void add(std::initializer_list<std::string_view> names)
    {
        for (const std::string_view name : names)
            ASSERT_TRUE(monitor.addVariable(name, symbols));
    }

    image::SymbolList symbols {{symbol("counter", 0x8000, kLong), symbol("speed", 0x8002, kShort),
        symbol("nothing", 0x8004, kVoid), symbol("gain", 0x8006, kFloat), symbol("mode", 0x8008, kEnumeration),
        symbol("limit", 0x800A, kUnsignedInt), symbol("speed", 0x9000, kLong)}};
    std::vector<CDataObject> registered;
    RecordingMonitoring monitoring;
    SimulatedLink sim;
    VariableMonitor monitor {registered, monitoring};
};

TEST_F(VariableMonitorTest, AddingTakesTheFirstSymbolWithItsDefaultViewTypeAndStartsMonitoring)
{
    add({"speed"});
    EXPECT_EQ(monitoring.calls, (Frames {"start variables"}));
    add({"counter", "nothing", "gain"});
    EXPECT_EQ(monitoring.calls.size(), 1u);
    EXPECT_FALSE(monitor.addVariable("missing", symbols));
    ASSERT_EQ(registered.size(), 4u);
    EXPECT_EQ(registered[0].address, 0x8002u);
    EXPECT_EQ(registered[0].viewType, 2);
    EXPECT_EQ(monitor.rows()[0], (VariableRow {"", "signed integer (16bit)", "Short", ""}));
    EXPECT_EQ(monitor.rows()[1].viewTypeText, "signed integer (32bit)");
    EXPECT_EQ(monitor.rows()[2], (VariableRow {"", "", "Void", ""}));
    EXPECT_EQ(monitor.rows()[3], (VariableRow {"", "float (32bit)", "Floating point", ""}));
}

TEST_F(VariableMonitorTest, EachRowReadsByItsAddressWithTheDataTypesWidthVoidNever)
{
    add({"counter", "speed", "nothing", "gain"});
    sim.pod.setWord(0x8000, 0x8000);
    sim.pod.setWord(0x8001, 0x0001);
    sim.pod.setWord(0x8002, 0xFFFE);
    sim.pod.setWord(0x8006, 0x0000);
    sim.pod.setWord(0x8007, 0x3FC0);
    ASSERT_TRUE(monitor.poll(sim.link));
    EXPECT_EQ(sim.takeTrace(), (Frames {"@008000\r", "L", "@008002\r", "R", "@008006\r", "L"}));
    EXPECT_EQ(monitor.rows()[0].value, "98304");
    EXPECT_EQ(monitor.rows()[1].value, "-2");
    EXPECT_EQ(monitor.rows()[2], (VariableRow {"", "", "Void", ""}));
    EXPECT_EQ(monitor.rows()[3].value, "1.500000");
    EXPECT_EQ(monitor.rows()[3].ascii, "...?");
}

TEST_F(VariableMonitorTest, OnlyTheVisibleRowsAndOneMoreAreRead)
{
    for (std::uint32_t n = 0; n < 40; ++n)
        registered.push_back(symbol("v" + std::to_string(n), 0x9000 + n, kShort));
    monitor.rebuildRows();
    monitor.setVisibleRows(25, 10);
    ASSERT_TRUE(monitor.poll(sim.link));
    Frames expected;
    for (std::uint32_t n = 25; n <= 35; ++n) {
        char frame[16];
        std::snprintf(frame, sizeof frame, "@%06X\r", 0x9000 + n);
        expected.insert(expected.end(), {frame, "R"});
    }
    EXPECT_EQ(sim.takeTrace(), expected);

    monitor.setVisibleRows(35, 10);
    ASSERT_TRUE(monitor.poll(sim.link));
    EXPECT_EQ(sim.takeTrace().size(), 10u); // rows 35..39
}

TEST_F(VariableMonitorTest, ReadFailureKeepsEarlierRowsNewAndLaterRowsOld)
{
    add({"speed", "limit", "counter"});
    ASSERT_TRUE(monitor.poll(sim.link));
    sim.pod.setWord(0x8002, 7);
    sim.pod.setWord(0x800A, 8);
    sim.pod.setWord(0x8000, 9);
    sim.pod.injectFault({.kind = sim::FaultKind::WrongAck, .command = 'L', .count = -1});
    EXPECT_FALSE(monitor.poll(sim.link));
    EXPECT_EQ(monitor.rows()[0].value, "7");
    EXPECT_EQ(monitor.rows()[1].value, "8");
    EXPECT_EQ(monitor.rows()[2].value, "0");
    EXPECT_EQ(monitoring.calls, (Frames {"start variables"}));
}

TEST_F(VariableMonitorTest, ValuesShownUnpolledStayStaleUntilTheyAreReadAgain)
{
    add({"speed", "limit", "counter"});
    monitor.setVisibleRows(0, 1); // rows 0 and 1 are read, row 2 is below the page
    EXPECT_TRUE(monitor.valueStale(0)); // never read
    ASSERT_TRUE(monitor.poll(sim.link));
    EXPECT_FALSE(monitor.valueStale(0));
    EXPECT_FALSE(monitor.valueStale(1));
    EXPECT_TRUE(monitor.valueStale(2));

    // A failed read: the link goes off line and every value shown is stale, the ones just read too.
    sim.pod.injectFault({.kind = sim::FaultKind::WrongAck, .command = 'R', .count = -1});
    EXPECT_FALSE(monitor.poll(sim.link));
    sim.pod.clearFaults();
    monitoring.variables = false;
    EXPECT_TRUE(monitor.valueStale(0));
    EXPECT_TRUE(monitor.valueStale(1));

    // Back on line they stay stale until the next pass has read them.
    monitoring.variables = true;
    EXPECT_TRUE(monitor.valueStale(0));
    monitor.setVisibleRows(0, 0);
    ASSERT_TRUE(monitor.poll(sim.link));
    EXPECT_FALSE(monitor.valueStale(0));
    EXPECT_TRUE(monitor.valueStale(1));
    EXPECT_TRUE(monitor.valueStale(9));
}

TEST_F(VariableMonitorTest, ColumnsFitTheWidestTextOfEachRowsViewAndDataType)
{
    add({"speed", "limit", "nothing", "gain"});
    const auto widest = [&](int column) {
        std::string wide;
        for (const std::string& text : monitor.columnTexts(column))
            wide = text.size() > wide.size() ? text : wide;
        return wide;
    };
    EXPECT_EQ(widest(0), "nothing");
    EXPECT_EQ(widest(1), "-2147483648.000000"); // the float row's
    const std::array<std::size_t, 1> gain {3};
    monitor.setViewType(gain, ViewType::Hex16);
    EXPECT_EQ(widest(1), "0xFFFFFFFF");
    monitor.setViewType(gain, ViewType::Binary16);
    EXPECT_EQ(widest(1), std::string(32, '1'));
    EXPECT_EQ(widest(2), "unsigned integer (16bit)");
    EXPECT_EQ(widest(3), "Unsigned integer");

    sim.pod.setWord(0x8006, 0x0000);
    sim.pod.setWord(0x8007, 0x7F00);
    monitor.setViewType(gain, ViewType::Float32);
    ASSERT_TRUE(monitor.poll(sim.link));
    EXPECT_EQ(widest(1), monitor.rows()[3].value);
    EXPECT_GT(widest(1).size(), 30u);
}

TEST_F(VariableMonitorTest, ViewTypeMenuChecksTheTypeTheSelectedRowsShare)
{
    add({"counter", "speed", "nothing", "limit"});
    const std::array<std::size_t, 1> counter {0};
    EXPECT_EQ(monitor.selectedViewType(counter), ViewType::Signed32);
    const std::array<std::size_t, 3> mixed {0, 1, 2};
    EXPECT_EQ(monitor.selectedViewType(mixed), std::nullopt);
    monitor.setViewType(mixed, ViewType::Hex16);
    // The Void row shows no view type of its own until one is chosen for it.
    EXPECT_EQ(monitor.selectedViewType(mixed), ViewType::Hex16);
    const std::array<std::size_t, 2> voidAndMissing {2, 12};
    add({"nothing"});
    const std::array<std::size_t, 1> freshVoid {4};
    EXPECT_EQ(monitor.selectedViewType(freshVoid), std::nullopt);
    EXPECT_EQ(monitor.selectedViewType(voidAndMissing), ViewType::Hex16);
    EXPECT_EQ(monitor.selectedViewType({}), std::nullopt);
}

TEST_F(VariableMonitorTest, ViewTypeChangeOfSelectedRowsKeepsTheDataTypesWidth)
{
    add({"counter", "speed", "limit"});
    sim.pod.setWord(0x8000, 0x0001);
    sim.pod.setWord(0x8001, 0x8000);
    monitoring.calls.clear();
    const std::array<std::size_t, 2> selected {0, 7};
    monitor.setViewType(selected, ViewType::Binary16);
    EXPECT_EQ(registered[0].viewType, 7);
    EXPECT_EQ(monitor.rows()[0].viewTypeText, "binary (16bit)");
    EXPECT_EQ(monitor.rows()[1].viewTypeText, "signed integer (16bit)");
    ASSERT_TRUE(monitor.poll(sim.link));
    EXPECT_EQ(monitor.rows()[0].value, "10000000000000000000000000000001");
    EXPECT_TRUE(monitoring.calls.empty());
}

TEST_F(VariableMonitorTest, DataChangeParsesByTheRowAndWritesItsWidth)
{
    add({"counter", "speed", "gain"});
    const auto dialog = monitor.dataChangeDialog(1, 0x009D);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->name, "speed");
    EXPECT_EQ(dialog->addressText, "0x008002");
    EXPECT_EQ(dialog->dataTypeText, "Short");
    EXPECT_EQ(monitor.dataChangeDialog(1, 0x0092)->addressText, "0x8002");
    EXPECT_EQ(monitor.dataChangeDialog(3, 0x0092), std::nullopt);

    EXPECT_EQ(monitor.changeData(sim.link, 1, "-1").status, DataChangeStatus::Written);
    EXPECT_EQ(sim.pod.words(0x8002, 2), (std::vector<std::uint16_t> {0xFFFF, 0x0000}));
    EXPECT_EQ(monitor.changeData(sim.link, 0, "0x12345678").status, DataChangeStatus::Written);
    EXPECT_EQ(sim.pod.words(0x8000, 2), (std::vector<std::uint16_t> {0x5678, 0x1234}));
    EXPECT_EQ(monitor.changeData(sim.link, 2, "1.5").status, DataChangeStatus::Written);
    EXPECT_EQ(sim.pod.words(0x8006, 2), (std::vector<std::uint16_t> {0x0000, 0x3FC0}));

    const std::array<std::size_t, 1> first {0};
    monitor.setViewType(first, ViewType::Binary16);
    EXPECT_EQ(monitor.changeData(sim.link, 0, "12"),
        (DataChangeResult {DataChangeStatus::EntryRefused, "Binary Data Type으로 값을 입력하십시요."}));
    sim.pod.injectFault({.kind = sim::FaultKind::WrongAck, .command = 'W'});
    EXPECT_EQ(
        monitor.changeData(sim.link, 1, "3"), (DataChangeResult {DataChangeStatus::WriteFailed, "데이타 쓰기 오류 !"}));
    EXPECT_EQ(monitor.changeData(sim.link, 9, "3").status, DataChangeStatus::NotAvailable);
}

TEST_F(VariableMonitorTest, DoubleClickChangesDataWhileMonitoringElseStartsMonitoring)
{
    add({"counter", "speed"});
    monitoring.calls.clear();
    EXPECT_TRUE(monitor.doubleClickRow(1));
    EXPECT_TRUE(monitoring.calls.empty());

    // Rows loaded from a symbol file are not monitored yet: a double click starts it, as adding does.
    monitoring.variables = false;
    EXPECT_FALSE(monitor.doubleClickRow(0));
    EXPECT_EQ(monitoring.calls, (Frames {"start variables"}));
    monitoring.variables = false;
    EXPECT_FALSE(monitor.doubleClickRow(2));
    EXPECT_EQ(monitoring.calls.size(), 1u);
}

TEST_F(VariableMonitorTest, RemovingTheLastRowStopsOnlyVariableMonitoring)
{
    add({"counter", "speed", "gain", "limit"});
    monitoring.address = true;
    monitoring.calls.clear();
    const std::array<std::size_t, 4> selected {1, 3, 1, 12};
    monitor.removeRows(selected);
    ASSERT_EQ(registered.size(), 2u);
    EXPECT_EQ(registered[0].name, "counter");
    EXPECT_EQ(registered[1].name, "gain");
    EXPECT_EQ(monitor.rows()[1].dataTypeText, "Floating point");
    EXPECT_TRUE(monitoring.calls.empty());

    const std::array<std::size_t, 2> rest {0, 1};
    monitor.removeRows(rest);
    EXPECT_TRUE(registered.empty());
    EXPECT_TRUE(monitor.rows().empty());
    EXPECT_EQ(monitoring.calls, (Frames {"stop variables"}));
    EXPECT_TRUE(monitoring.address);
}

TEST_F(VariableMonitorTest, RemoveAllStopsVariableMonitoringFirst)
{
    add({"counter", "speed"});
    monitor.removeAll();
    EXPECT_TRUE(registered.empty());
    EXPECT_TRUE(monitor.rows().empty());
    EXPECT_EQ(monitoring.calls, (Frames {"start variables", "stop variables"}));
    monitor.removeAll();
    EXPECT_EQ(monitoring.calls.size(), 2u);
}

TEST_F(VariableMonitorTest, MovedVariableIsReadAtItsNewAddressAfterReload)
{
    add({"counter"});
    const image::SymbolList rebuilt {{symbol("counter", 0x8100, kLong)}};
    monitor.refreshAgainstSymbols(rebuilt);
    image::rebindToSymbols(registered, rebuilt);
    sim.takeTrace();
    ASSERT_TRUE(monitor.poll(sim.link));
    EXPECT_EQ(sim.takeTrace(), (Frames {"@008100\r", "L"}));
}

TEST_F(VariableMonitorTest, RowsTheLoadedProgramLacksAreMarkedStillReadAndClearedWhenBoundAgain)
{
    add({"counter", "speed"});
    monitor.setProgramSymbols(&symbols);
    EXPECT_TRUE(monitor.unboundNames().empty());

    const image::SymbolList other {{symbol("speed", 0x8100, kShort)}};
    monitor.setProgramSymbols(&other);
    image::rebindToSymbols(registered, other);
    EXPECT_EQ(monitor.unboundNames(), (std::vector<std::string> {"counter"}));
    EXPECT_EQ(monitor.nameText(0), "counter (프로그램에 없음)");
    EXPECT_EQ(monitor.nameText(1), "speed");
    EXPECT_EQ(monitor.columnTexts(0), (std::vector<std::string> {"counter (프로그램에 없음)", "speed"}));
    // The marked row is still read at the address it had.
    sim.takeTrace();
    ASSERT_TRUE(monitor.poll(sim.link));
    EXPECT_EQ(sim.takeTrace(), (Frames {"@008000\r", "L", "@008100\r", "R"}));
    // ...but no value is written there: the address may hold one of the new program's variables.
    EXPECT_EQ(monitor.changeData(sim.link, 0, "5"),
        (DataChangeResult {DataChangeStatus::EntryRefused, kUnboundWriteRefusedText}));
    EXPECT_TRUE(sim.takeTrace().empty());

    // The mark outlives a rebuild of the rows, and goes with a row that moves up.
    monitor.rebuildRows();
    EXPECT_EQ(monitor.unboundNames(), (std::vector<std::string> {"counter"}));
    registered.insert(registered.begin(), symbol("gone", 0x7000, kShort));
    monitor.rebuildRows();
    const std::array<std::size_t, 1> firstRow {0};
    monitor.removeRows(firstRow);
    EXPECT_EQ(monitor.unboundNames(), (std::vector<std::string> {"counter"}));

    // Registered again from the program's symbols: no mark.
    const std::array<std::size_t, 1> counterRow {0};
    monitor.removeRows(counterRow);
    const image::SymbolList withCounter {{symbol("speed", 0x8100, kShort), symbol("counter", 0x8200, kLong)}};
    monitor.setProgramSymbols(&withCounter);
    ASSERT_TRUE(monitor.addVariable("counter", withCounter));
    EXPECT_TRUE(monitor.unboundNames().empty());

    // A later program that has the name again clears the mark; without a program nothing is marked.
    monitor.setProgramSymbols(&other);
    EXPECT_EQ(monitor.unboundNames(), (std::vector<std::string> {"counter"}));
    monitor.setProgramSymbols(&withCounter);
    EXPECT_TRUE(monitor.unboundNames().empty());
    monitor.setProgramSymbols(&other);
    monitor.setProgramSymbols(nullptr);
    EXPECT_TRUE(monitor.unboundNames().empty());
    EXPECT_EQ(monitor.nameText(1), "counter");
}

TEST_F(VariableMonitorTest, SymbolRefreshTakesOverRecordsWhoseAddressAndTypeBothChanged)
{
    add({"counter", "speed", "limit"});
    const std::array<std::size_t, 1> first {0};
    monitor.setViewType(first, ViewType::Hex32);
    monitoring.calls.clear();
    const image::SymbolList reloaded {{{"counter", 0x8000, kShort, {}, 0}, {"speed", 0x8200, kEnumeration, "x", 0},
        {"limit", 0x8300, kUnsignedInt, {}, 0}}};
    monitor.refreshAgainstSymbols(reloaded);
    EXPECT_EQ(monitoring.calls, (Frames {"stop variables", "start variables"}));
    // Only the address or only the type differs: the record stays as it was.
    EXPECT_EQ(registered[0].type, kLong);
    EXPECT_EQ(registered[0].viewType, 1);
    EXPECT_EQ(registered[2].address, 0x800Au);
    EXPECT_EQ(registered[1], (CDataObject {"speed", 0x8200, kEnumeration, "x", 0}));
    EXPECT_EQ(monitor.rows()[1], (VariableRow {"", "", "Enumeration", ""}));

    const image::SymbolList moved {{{"limit", 0x8400, kFloat, {}, 0}}};
    monitor.refreshAgainstSymbols(moved);
    EXPECT_EQ(registered[2].viewType, 6);
    EXPECT_EQ(monitor.rows()[2], (VariableRow {"", "float (32bit)", "Floating point", ""}));

    monitor.refreshAgainstSymbols(image::SymbolList {});
    EXPECT_EQ(registered[2].address, 0x8400u);
}

TEST_F(VariableMonitorTest, RowsFollowAReplacedListWithTheRecordsOwnViewTypes)
{
    add({"counter"});
    registered = {{"a", 0x10, kVoid, {}, 0}, {"b", 0x11, kShort, {}, 7}};
    monitor.rebuildRows();
    EXPECT_EQ(monitor.rows()[0], (VariableRow {"", "hex decimal (16bit)", "Void", ""}));
    EXPECT_EQ(monitor.rows()[1], (VariableRow {"", "binary (16bit)", "Short", ""}));
    registered.clear();
    monitor.rebuildRows();
    EXPECT_TRUE(monitor.rows().empty());

    // A list replaced without a rebuild is followed at the next poll.
    registered = {{"c", 0x12, kShort, {}, 2}};
    ASSERT_TRUE(monitor.poll(sim.link));
    ASSERT_EQ(monitor.rows().size(), 1u);
    EXPECT_EQ(monitor.rows()[0].value, "0");
}

TEST_F(VariableMonitorTest, ContextMenuFollowsRowsSelectionAndGraphs)
{
    EXPECT_EQ(monitor.menuState(true),
        (VariableMenuState {"변수 모니터링 시작", false, true, false, false, false, false, false}));
    add({"speed"});
    EXPECT_EQ(monitor.menuState(false),
        (VariableMenuState {"변수 모니터링 중지", true, true, true, true, false, false, false}));
    EXPECT_EQ(
        monitor.menuState(true), (VariableMenuState {"변수 모니터링 중지", true, true, true, true, true, true, true}));
    monitoring.graph = true;
    EXPECT_FALSE(monitor.menuState(true).monitoringEnabled);
}


// Programs whose debug information gives structures, bit fields and pointers.
using VariableMonitorMembers = VariableMonitorTest;

// A register structure of the debug information: its members are added by dotted name and read at their own
// addresses with their own widths.
TEST_F(VariableMonitorMembers, MembersAreAddedByDottedNameAndReadAtTheirOwnAddress)
{
    auto aggregates = std::make_shared<std::vector<image::DebugAggregate>>(1);
    (*aggregates)[0].members = {{"CTRL", 0, kUnsignedInt, {}, -1}, {"PERIOD", 2, 15, {}, -1}};
    symbols = image::SymbolList {};
    symbols.appendTypedFromDebugInfo("TimerRegs", 0x0C00, 8, "", 0);
    symbols.useAggregates(aggregates);
    ASSERT_TRUE(monitor.addVariable("TimerRegs.PERIOD", symbols));
    ASSERT_TRUE(monitor.addVariable("TimerRegs.CTRL", symbols));
    EXPECT_FALSE(monitor.addVariable("TimerRegs.NONE", symbols));
    ASSERT_EQ(registered.size(), 2u);
    EXPECT_EQ(registered[0].viewType, 5); // unsigned 32-bit, the default of Unsigned long
    sim.pod.setWord(0x0C02, 0xFFFF);
    sim.pod.setWord(0x0C03, 0x0000);
    sim.pod.setWord(0x0C00, 0x0010);
    ASSERT_TRUE(monitor.poll(sim.link));
    EXPECT_EQ(sim.takeTrace(), (Frames {"@000C02\r", "L", "@000C00\r", "R"}));
    EXPECT_EQ(monitor.rows()[0].value, "65535");
    EXPECT_EQ(monitor.rows()[1].value, "16");
}

TEST_F(VariableMonitorMembers, BitFieldsShowTheirOwnBitsAndAreWrittenIntoTheirWord)
{
    auto aggregates = std::make_shared<std::vector<image::DebugAggregate>>(1);
    (*aggregates)[0].members
        = {{"SEQ_CNTR", 0, kUnsignedInt, {}, -1, 4, 4}, {"OFFSET", 0, kShort, {}, -1, 9, 5}, {"all", 0, kUnsignedInt, {}, -1}};
    symbols = image::SymbolList {};
    symbols.appendTypedFromDebugInfo("AdcRegs", 0x7100, 8, "", 0);
    symbols.useAggregates(aggregates);
    for (const char* name : {"AdcRegs.SEQ_CNTR", "AdcRegs.OFFSET", "AdcRegs.all"})
        ASSERT_TRUE(monitor.addVariable(name, symbols));
    EXPECT_EQ(monitor.rows()[0].dataTypeText, "Unsigned integer (bit 4, width 4)");
    EXPECT_EQ(monitor.dataChangeDialog(1, 0x009D)->dataTypeText, "Short (bit 9, width 5)");

    sim.pod.setWord(0x7100, 0xA << 4 | 0x1D << 9 | 0x8001); // SEQ_CNTR 10, OFFSET -3, two other bits
    ASSERT_TRUE(monitor.poll(sim.link));
    EXPECT_EQ(sim.takeTrace(), (Frames {"@007100\r", "R", "@007100\r", "R", "@007100\r", "R"}));
    EXPECT_EQ(monitor.rows()[0].value, "10");
    EXPECT_EQ(monitor.rows()[1].value, "-3");
    EXPECT_EQ(monitor.rows()[2].value, "47777"); // 0xBAA1

    // A write reads the word and changes only the field's bits.
    EXPECT_EQ(monitor.changeData(sim.link, 0, "5").status, DataChangeStatus::Written);
    EXPECT_EQ(sim.pod.words(0x7100, 1)[0], 0x5 << 4 | 0x1D << 9 | 0x8001);
    EXPECT_EQ(monitor.changeData(sim.link, 1, "-16").status, DataChangeStatus::Written);
    EXPECT_EQ(sim.pod.words(0x7100, 1)[0], 0x5 << 4 | 0x10 << 9 | 0x8001);
    const std::uint16_t before = sim.pod.words(0x7100, 1)[0];
    for (const auto& [row, entry] : std::vector<std::pair<std::size_t, const char*>> {{0, "16"}, {1, "16"}, {1, "-17"}})
        EXPECT_EQ(monitor.changeData(sim.link, row, entry),
            (DataChangeResult {DataChangeStatus::EntryRefused, kBitFieldRangeText}))
            << entry;
    EXPECT_EQ(sim.pod.words(0x7100, 1)[0], before);
}

TEST_F(VariableMonitorMembers, PointersAreReadAsThe32BitValueTheyHold)
{
    constexpr std::uint16_t kPointerToStructure = 0x18;
    constexpr std::uint16_t kPointerToCharacter = 0x12;
    symbols = image::SymbolList {
        {symbol("Current", 0x8800, kPointerToStructure), symbol("Text", 0x8802, kPointerToCharacter)}};
    ASSERT_TRUE(monitor.addVariable("Current", symbols));
    ASSERT_TRUE(monitor.addVariable("Text", symbols));
    EXPECT_EQ(monitor.rows()[0].dataTypeText, "Pointer to Structure");
    EXPECT_EQ(monitor.rows()[1].dataTypeText, "Pointer to Character");
    sim.pod.setWord(0x8802, 0x0123);
    sim.pod.setWord(0x8803, 0x0033);
    ASSERT_TRUE(monitor.poll(sim.link));
    EXPECT_EQ(sim.takeTrace(), (Frames {"@008800\r", "L", "@008802\r", "L"}));
    EXPECT_EQ(monitor.rows()[1].value, "3342627"); // 0x00330123
    EXPECT_EQ(monitor.changeData(sim.link, 1, "0x3F8000").status, DataChangeStatus::Written);
    EXPECT_EQ(sim.pod.words(0x8802, 2), (std::vector<std::uint16_t> {0x8000, 0x003F}));
}

} // namespace
} // namespace lumetra::monitor
