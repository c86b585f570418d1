#include "graph/items/item_dialog_logic.h"

#include <gtest/gtest.h>

using namespace lumetra::graph;
using lumetra::core::DialogMessage;
using lumetra::image::CDataObject;

namespace {

CDataObject symbol(std::string name, std::uint32_t address, std::uint16_t type, std::string arrayInfo = {})
{
    CDataObject s;
    s.name = std::move(name);
    s.address = address;
    s.type = type;
    s.arrayInfo = std::move(arrayInfo);
    return s;
}

const std::vector<CDataObject> kSymbols {symbol("Counter", 0x8000, 14), symbol("Wave", 0x8100, 6, "Array Info : [64]")};

GraphChannel row(std::string label, std::uint32_t length = 2, std::uint32_t precision = 0)
{
    return {std::move(label), 0x9000, length, 13, precision};
}

ItemDialogSetup setup(GraphKind kind, std::vector<GraphChannel> rows)
{
    ItemDialogSetup s;
    s.kind = kind;
    s.targetId = 0x009D;
    s.rows = std::move(rows);
    s.settings = {"10", "-10", ScaleMode::Automatic, true, {1, 2, 3, 4}};
    s.interval = 25;
    return s;
}

std::string messageOf(const ItemDialogStep& step)
{
    const auto* message = std::get_if<DialogMessage>(&step);
    return message == nullptr ? std::string() : message->text;
}

ItemDialogState stateOf(const ItemDialogStep& step)
{
    EXPECT_TRUE(std::holds_alternative<ItemDialogState>(step)) << messageOf(step);
    return std::holds_alternative<ItemDialogState>(step) ? std::get<ItemDialogState>(step) : ItemDialogState {};
}

std::vector<std::string> labelsOf(const std::vector<GraphChannel>& rows)
{
    std::vector<std::string> labels;
    for (const GraphChannel& r : rows)
        labels.push_back(r.label);
    return labels;
}

ItemDialogResult accepted(const ItemDialogState& state, AcceptKind kind = AcceptKind::Ok)
{
    const ItemDialogAccept outcome = acceptItemDialog(state, GraphEnvironment {}, setup(state.kind, {}).settings, kind);
    EXPECT_TRUE(std::holds_alternative<ItemDialogResult>(outcome));
    return std::holds_alternative<ItemDialogResult>(outcome) ? std::get<ItemDialogResult>(outcome)
                                                             : ItemDialogResult {};
}

std::string acceptMessage(const ItemDialogState& state)
{
    const ItemDialogAccept outcome = acceptItemDialog(state, GraphEnvironment {}, GraphKindSettings {}, AcceptKind::Ok);
    const auto* message = std::get_if<DialogMessage>(&outcome);
    return message == nullptr ? std::string() : message->text;
}

ItemDialogState manual(std::string maxText, std::string minText)
{
    ItemDialogState state = openItemDialog(setup(GraphKind::Memory, {row("a")}), {});
    chooseScaleMode(state, ScaleMode::Manual);
    state.maxText = std::move(maxText);
    state.minText = std::move(minText);
    return state;
}

} // namespace

TEST(ItemDialogOpening, TheLastRowIsSelectedAndLoadedWhenItNamesASymbol)
{
    const ItemDialogState state = openItemDialog(setup(GraphKind::Memory, {row("a"), row("Wave", 8, 0)}), kSymbols);
    EXPECT_EQ(state.selectedRows, std::vector {1});
    EXPECT_EQ(state.symbolIndex, 1);
    EXPECT_EQ(state.editor.length, "0x8"); // the row, not the symbol's dimension
    EXPECT_EQ(state.colours, (ChannelColours {1, 2, 3, 4}));
    EXPECT_TRUE(state.separateGraphs);
    EXPECT_FALSE(state.boundsWritable());
    EXPECT_EQ(state.intervalText, "");
}

TEST(ItemDialogOpening, OtherwiseTheFirstSymbolOrElseTheLastRow)
{
    const ItemDialogState bySymbol = openItemDialog(setup(GraphKind::Time, {row("a"), row("b")}), kSymbols);
    EXPECT_EQ(bySymbol.symbolIndex, 0);
    EXPECT_EQ(bySymbol.editor.label, "Counter");
    EXPECT_EQ(bySymbol.editor.typeIndex, 3); // "unsigned integer"
    EXPECT_EQ(bySymbol.intervalText, "25");

    const ItemDialogState byRow = openItemDialog(setup(GraphKind::Time, {row("a"), row("b")}), {});
    EXPECT_EQ(byRow.symbolIndex, -1);
    EXPECT_EQ(byRow.editor.label, "b");

    const ItemDialogState empty = openItemDialog(setup(GraphKind::Memory, {}), {});
    EXPECT_TRUE(empty.selectedRows.empty());
    EXPECT_EQ(empty.editor, ItemEditor {});
}

TEST(ItemDialogRows, CellsFollowTheTargetAddressFormat)
{
    EXPECT_EQ(rowCells(GraphKind::Memory, lumetra::core::Family::Lf240x, GraphChannel {"v", 0x300, 0x1F, 15, 2}),
        (std::vector<std::string> {"v", "0x0300", "0x1F", "unsigned long", "2"}));
    EXPECT_EQ(rowCells(GraphKind::Time, lumetra::core::Family::F28x, GraphChannel {"v", 0x300, 0, 7, 4}),
        (std::vector<std::string> {"v", "0x000300", "float", "4"}));
    EXPECT_EQ(itemColumns(GraphKind::Memory).size(), 5u);
    EXPECT_EQ(itemColumns(GraphKind::Time)[0].title, "Lable");
    EXPECT_EQ(itemColumns(GraphKind::Time)[0].width, 130);
}

TEST(ItemDialogButtons, AddAppendsAndSelectsTheNewRowUnlessTheLabelIsTaken)
{
    ItemDialogState state = openItemDialog(setup(GraphKind::Memory, {row("a")}), kSymbols);
    chooseSymbol(state, kSymbols, 1);
    ItemDialogState added = stateOf(addItem(state));
    ASSERT_EQ(labelsOf(added.rows), (std::vector<std::string> {"a", "Wave"}));
    EXPECT_EQ(added.rows[1], (GraphChannel {"Wave", 0x8100, 64, 6, 3}));
    EXPECT_EQ(added.selectedRows, std::vector {1});

    EXPECT_EQ(messageOf(addItem(added)), "같은 이름의 항목이 이미 등록 되었읍니다.");
    added.editor.label = "wave"; // labels compare case-sensitively
    added.editor.address = "";
    EXPECT_EQ(messageOf(addItem(added)), "주소 값을 입력하십시요.");
}

TEST(ItemDialogButtons, TheRowsAddedSinceOpeningAreSelectedUntilRowsArePickedByHand)
{
    ItemDialogState state = openItemDialog(setup(GraphKind::Time, {row("old")}), {});
    const auto add = [&](std::string label) {
        state.editor = {std::move(label), "0x9000", "", 1, "0", false};
        state = stateOf(addItem(state));
    };
    for (const char* label : {"a", "b", "c"})
        add(label);
    EXPECT_EQ(state.selectedRows, (std::vector {1, 2, 3}));
    EXPECT_EQ(labelsOf(accepted(state).selection), (std::vector<std::string> {"a", "b", "c"}));

    // Deleting renumbers the added rows; five added give the newest four.
    selectRows(state, {0, 2});
    state = stateOf(deleteItems(state));
    EXPECT_EQ(state.addedRows, (std::vector {0, 1}));
    for (const char* label : {"d", "e", "f"})
        add(label);
    EXPECT_EQ(labelsOf(accepted(state).selection), (std::vector<std::string> {"c", "d", "e", "f"}));

    // A hand-picked selection is the channels as it stands; the next add selects the added rows again.
    selectRows(state, {4, 0});
    EXPECT_EQ(labelsOf(accepted(state).selection), (std::vector<std::string> {"a", "f"}));
    selectRows(state, {});
    EXPECT_EQ(accepted(state).selection.size(), 4u) << "nothing selected: the first four rows";
}

TEST(ItemDialogButtons, ReplaceNeedsExactlyOneSelectedRowAndAFreeLabel)
{
    ItemDialogState state = openItemDialog(setup(GraphKind::Memory, {row("a"), row("b")}), {});
    selectRows(state, {});
    EXPECT_EQ(messageOf(replaceItem(state)), "대체할 그래프 아이템 항목을 선택하십시요.");
    selectRows(state, {1, 0});
    EXPECT_EQ(messageOf(replaceItem(state)), "대체할 그래프 아이템 항목을 하나만 선택하십시요.");

    selectRows(state, {0});
    clickRow(state, 0);
    state.editor.label = "b";
    EXPECT_EQ(messageOf(replaceItem(state)), "같은 이름의 항목이 이미 등록 되었읍니다.");
    state.editor.label = "a"; // its own label may stay
    state.editor.length = "0x20";
    const ItemDialogState replaced = stateOf(replaceItem(state));
    EXPECT_EQ(labelsOf(replaced.rows), (std::vector<std::string> {"a", "b"}));
    EXPECT_EQ(replaced.rows[0].length, 32u);
}

TEST(ItemDialogButtons, DeleteRemovesEverySelectedRow)
{
    ItemDialogState state = openItemDialog(setup(GraphKind::Time, {row("a"), row("b"), row("c"), row("d")}), {});
    selectRows(state, {});
    EXPECT_EQ(messageOf(deleteItems(state)), "삭제할 그래프 아이템 항목을 선택하십시요.");
    selectRows(state, {3, 1, 7, 1});
    EXPECT_EQ(state.selectedRows, (std::vector {1, 3}));
    const ItemDialogState deleted = stateOf(deleteItems(state));
    EXPECT_EQ(labelsOf(deleted.rows), (std::vector<std::string> {"a", "c"}));
    EXPECT_TRUE(deleted.selectedRows.empty());

    EXPECT_TRUE(actsAsDelete(46));
    EXPECT_FALSE(actsAsDelete(8));
}

TEST(ItemDialogAccepting, ChannelsAreTheFirstFourSelectedRowsOrElseTheFirstFourRows)
{
    ItemDialogState state
        = openItemDialog(setup(GraphKind::Memory, {row("a"), row("b"), row("c"), row("d"), row("e"), row("f")}), {});
    selectRows(state, {5, 4, 3, 2, 1, 0});
    EXPECT_EQ(labelsOf(accepted(state).selection), (std::vector<std::string> {"a", "b", "c", "d"}));
    selectRows(state, {5, 1});
    EXPECT_EQ(labelsOf(accepted(state).selection), (std::vector<std::string> {"b", "f"}));
    selectRows(state, {});
    EXPECT_EQ(labelsOf(accepted(state).selection), (std::vector<std::string> {"a", "b", "c", "d"}));
    EXPECT_TRUE(accepted(openItemDialog(setup(GraphKind::Memory, {}), {})).selection.empty());
}

TEST(ItemDialogAccepting, LengthIsTheLongestChannelAtLeastTwoAndDecimalsAreCappedAtNine)
{
    ItemDialogState state = openItemDialog(setup(GraphKind::Memory, {row("a", 0x40, 2), row("b", 0x100, 12)}), {});
    selectRows(state, {});
    const ItemDialogResult both = accepted(state);
    EXPECT_EQ(both.environment.length, 0x100u);
    EXPECT_EQ(both.environment.decimals, 9u);
    EXPECT_EQ(both.environment.kind, GraphKind::Memory);
    EXPECT_EQ(both.environment.interval, 0); // untouched by the memory graph

    const ItemDialogResult none = accepted(openItemDialog(setup(GraphKind::Memory, {}), {}));
    EXPECT_EQ(none.environment.length, 2u);
    EXPECT_EQ(none.environment.decimals, 0u);
}

TEST(ItemDialogAccepting, ManualBoundsAreCheckedReadAndExchanged)
{
    EXPECT_EQ(acceptMessage(manual(" ", "1")), "최대값을 입력하십시요.");
    EXPECT_EQ(acceptMessage(manual("1", "")), "최소값을 입력하십시요.");
    EXPECT_EQ(acceptMessage(manual("0x10", "16")), "최대, 최소값을 다르게 입력하십시요.");

    const ItemDialogResult fraction = accepted(manual("5", "-5.5"));
    EXPECT_EQ(fraction.environment.maximum, 5.0);
    EXPECT_EQ(fraction.environment.minimum, -5.5);
    EXPECT_EQ(fraction.environment.decimals, 3u);
    EXPECT_EQ(fraction.environment.scaleMode, ScaleMode::Manual);
    EXPECT_EQ(fraction.settings.scaleMode, ScaleMode::Manual);
    EXPECT_EQ(fraction.settings.minText, "-5.5");

    const ItemDialogResult exchanged = accepted(manual("3", "7"));
    EXPECT_EQ(exchanged.environment.maximum, 7.0);
    EXPECT_EQ(exchanged.environment.minimum, 3.0);
    EXPECT_EQ(exchanged.environment.decimals, 0u);
    EXPECT_EQ(exchanged.settings.maxText, "3");

    const ItemDialogResult negative = accepted(manual("-10", "-20H"));
    EXPECT_EQ(negative.environment.maximum, -10.0);
    EXPECT_EQ(negative.environment.minimum, -32.0);

    EXPECT_EQ(acceptMessage(manual("abc", "1")), "Max 값이 숫자가 아닙니다.");
    EXPECT_EQ(acceptMessage(manual("5", "1.5abc")), "Min 값이 숫자가 아닙니다.");
}

TEST(ItemDialogAccepting, AutomaticScaleKeepsTheStoredBoundsAndTheRecordsBounds)
{
    ItemDialogState state = manual("", "");
    chooseScaleMode(state, ScaleMode::Automatic);
    GraphEnvironment before;
    before.maximum = 4.0;
    before.minimum = 1.0;
    const GraphKindSettings stored {"8", "2", ScaleMode::Manual, false, {}};
    const auto outcome = acceptItemDialog(state, before, stored, AcceptKind::Ok);
    ASSERT_TRUE(std::holds_alternative<ItemDialogResult>(outcome));
    const ItemDialogResult& result = std::get<ItemDialogResult>(outcome);
    EXPECT_EQ(result.environment.scaleMode, ScaleMode::Automatic);
    EXPECT_EQ(result.environment.maximum, 4.0);
    EXPECT_EQ(result.settings, (GraphKindSettings {"8", "2", ScaleMode::Automatic, true, {1, 2, 3, 4}}));
}

TEST(ItemDialogAccepting, TheTimeGraphReadsItsIntervalAndADoubleClickStoresNoColours)
{
    ItemDialogState state = openItemDialog(setup(GraphKind::Time, {row("a")}), {});
    state.intervalText = "";
    state.colours = {9, 9, 9, 9};
    state.separateGraphs = false;
    GraphEnvironment before;
    before.length = 77;
    const GraphKindSettings stored = setup(GraphKind::Time, {}).settings;

    const auto ok = acceptItemDialog(state, before, stored, AcceptKind::Ok);
    ASSERT_TRUE(std::holds_alternative<ItemDialogResult>(ok));
    EXPECT_EQ(std::get<ItemDialogResult>(ok).environment.interval, 0);
    EXPECT_EQ(std::get<ItemDialogResult>(ok).environment.length, 77u); // untouched by the time graph
    EXPECT_EQ(std::get<ItemDialogResult>(ok).environment.kind, GraphKind::Time);
    EXPECT_EQ(std::get<ItemDialogResult>(ok).settings.colours, (ChannelColours {9, 9, 9, 9}));

    state.intervalText = "0x64";
    const auto doubleClick = acceptItemDialog(state, before, stored, AcceptKind::DoubleClick);
    ASSERT_TRUE(std::holds_alternative<ItemDialogResult>(doubleClick));
    EXPECT_EQ(std::get<ItemDialogResult>(doubleClick).environment.interval, 100);
    EXPECT_EQ(std::get<ItemDialogResult>(doubleClick).settings.colours, stored.colours);
    EXPECT_TRUE(std::get<ItemDialogResult>(doubleClick).settings.separateGraphs);
    EXPECT_EQ(labelsOf(std::get<ItemDialogResult>(doubleClick).selection), std::vector<std::string> {"a"});
}

TEST(ItemDialogAccepting, TheTimeGraphIntervalMustBeANumberAndAClampIsSaid)
{
    ItemDialogState state = openItemDialog(setup(GraphKind::Time, {row("a")}), {});
    for (const char* text : {"abc", "10ms", "0x1G"}) {
        state.intervalText = text;
        EXPECT_EQ(acceptMessage(state), "시간 간격 값이 숫자가 아닙니다.") << text;
    }
    state.intervalText = "40";
    EXPECT_EQ(accepted(state).notice, "");
    state.intervalText = "-5";
    const ItemDialogResult negative = accepted(state);
    EXPECT_EQ(negative.environment.interval, 0);
    EXPECT_EQ(negative.notice, "시간 간격 값이 허용 범위를 벗어나 0(으)로 적용되었읍니다.");
    state.intervalText = "99999999999";
    EXPECT_EQ(accepted(state).environment.interval, 2147483647);
}
