#include "graph/items/item_dialog_logic.h"

#include "core/number_field_range.h"
#include "graph/items/graph_bound_entry.h"
#include "graph/items/graph_dialog_entries.h"
#include "graph/items/item_editor.h"
#include "monitor/address_width.h"
#include "monitor/number_entry.h"

#include <algorithm>

namespace lumetra::graph {

namespace {

constexpr std::uint32_t kFractionDecimals = 3;
constexpr std::uint32_t kShortestMemoryGraph = 2;
constexpr int kDeleteCode = 46;

core::DialogMessage information(std::string text)
{
    return {std::move(text), core::MessageIcon::Information};
}

const core::DialogMessage kDuplicateLabel = information(std::string(kDuplicateLabelText));

// Another row than `except` (-1: any row) carries the label.
bool labelTaken(const ItemDialogState& state, const std::string& label, int except)
{
    for (std::size_t row = 0; row < state.rows.size(); ++row) {
        if (static_cast<int>(row) != except && state.rows[row].label == label)
            return true;
    }
    return false;
}

// Puts the validated item at `row` (a new row at the end when row is the row count).
ItemDialogStep storeEditorItem(const ItemDialogState& state, std::size_t row)
{
    std::variant<core::DialogMessage, GraphChannel> item
        = validateEditor(state.kind, state.addressFamily, state.editor);
    if (auto* message = std::get_if<core::DialogMessage>(&item))
        return *message;
    ItemDialogState next = state;
    GraphChannel& valid = std::get<GraphChannel>(item);
    next.editor.precision = std::to_string(valid.precision);
    if (row == next.rows.size())
        next.rows.push_back(std::move(valid));
    else
        next.rows[row] = std::move(valid);
    return next;
}

std::vector<int> channelRows(const ItemDialogState& state)
{
    std::vector<int> rows = state.selectedRows;
    if (rows.empty()) {
        for (std::size_t row = 0; row < state.rows.size(); ++row)
            rows.push_back(static_cast<int>(row));
    }
    if (rows.size() > static_cast<std::size_t>(kMaxChannels))
        rows.resize(static_cast<std::size_t>(kMaxChannels));
    return rows;
}

// A bound text by boundEntryValue; a fraction raises the decimals to at least 3.
std::optional<double> boundValue(const std::string& text, std::uint32_t& decimals)
{
    if (monitor::isFractionEntry(text))
        decimals = std::max(decimals, kFractionDecimals);
    return boundEntryValue(text);
}

} // namespace

ItemDialogState openItemDialog(const ItemDialogSetup& setup, std::span<const image::CDataObject> symbols)
{
    ItemDialogState state;
    state.kind = setup.kind;
    state.addressFamily = monitor::addressFamilyOfTargetId(setup.targetId);
    state.rows = setup.rows;
    if (!state.rows.empty())
        state.selectedRows = {static_cast<int>(state.rows.size()) - 1};

    const GraphChannel* last = state.rows.empty() ? nullptr : &state.rows.back();
    const auto named = last == nullptr
        ? symbols.end()
        : std::find_if(symbols.begin(), symbols.end(),
            [&](const image::CDataObject& symbol) { return symbol.name == last->label; });
    if (named != symbols.end()) {
        state.symbolIndex = static_cast<int>(named - symbols.begin());
        loadRowIntoEditor(state.editor, state.kind, state.addressFamily, *last);
    } else if (!symbols.empty()) {
        chooseSymbol(state, symbols, 0);
    } else if (last != nullptr) {
        loadRowIntoEditor(state.editor, state.kind, state.addressFamily, *last);
    }

    state.colours = setup.settings.colours;
    state.scaleMode = setup.settings.scaleMode;
    state.maxText = setup.settings.maxText;
    state.minText = setup.settings.minText;
    state.separateGraphs = setup.settings.separateGraphs;
    if (state.kind == GraphKind::Time)
        state.intervalText = std::to_string(setup.interval);
    return state;
}

void chooseSymbol(ItemDialogState& state, std::span<const image::CDataObject> symbols, int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= symbols.size())
        return;
    state.symbolIndex = index;
    loadSymbolIntoEditor(state.editor, state.kind, state.addressFamily, symbols[static_cast<std::size_t>(index)]);
}

void chooseType(ItemDialogState& state, int typeIndex)
{
    chooseEditorType(state.editor, typeIndex);
}

void chooseScaleMode(ItemDialogState& state, ScaleMode mode)
{
    state.scaleMode = mode;
}

void selectRows(ItemDialogState& state, std::vector<int> rows)
{
    const int count = static_cast<int>(state.rows.size());
    std::erase_if(rows, [count](int row) { return row < 0 || row >= count; });
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    state.selectedRows = std::move(rows);
}

void clickRow(ItemDialogState& state, int row)
{
    if (row < 0 || static_cast<std::size_t>(row) >= state.rows.size())
        return;
    loadRowIntoEditor(state.editor, state.kind, state.addressFamily, state.rows[static_cast<std::size_t>(row)]);
}

bool actsAsDelete(int code)
{
    return code == kDeleteCode;
}

ItemDialogStep addItem(const ItemDialogState& state)
{
    if (labelTaken(state, state.editor.label, -1))
        return kDuplicateLabel;
    ItemDialogStep step = storeEditorItem(state, state.rows.size());
    if (auto* next = std::get_if<ItemDialogState>(&step)) {
        next->addedRows.push_back(static_cast<int>(next->rows.size()) - 1);
        // The added rows are the channels OK plots: the newest four, the new row among them.
        const std::size_t kept = std::min(next->addedRows.size(), static_cast<std::size_t>(kMaxChannels));
        next->selectedRows.assign(next->addedRows.end() - static_cast<std::ptrdiff_t>(kept), next->addedRows.end());
    }
    return step;
}

ItemDialogStep replaceItem(const ItemDialogState& state)
{
    if (state.selectedRows.empty())
        return information("대체할 그래프 아이템 항목을 선택하십시요.");
    if (state.selectedRows.size() > 1)
        return information("대체할 그래프 아이템 항목을 하나만 선택하십시요.");
    const int row = state.selectedRows.front();
    if (labelTaken(state, state.editor.label, row))
        return kDuplicateLabel;
    return storeEditorItem(state, static_cast<std::size_t>(row));
}

ItemDialogStep deleteItems(const ItemDialogState& state)
{
    if (state.selectedRows.empty())
        return information("삭제할 그래프 아이템 항목을 선택하십시요.");
    ItemDialogState next = state;
    for (auto row = state.selectedRows.rbegin(); row != state.selectedRows.rend(); ++row) {
        next.rows.erase(next.rows.begin() + *row);
        std::erase(next.addedRows, *row);
        for (int& added : next.addedRows)
            added -= added > *row ? 1 : 0;
    }
    next.selectedRows.clear();
    return next;
}

ItemDialogAccept acceptItemDialog(
    const ItemDialogState& state, const GraphEnvironment& environment, const GraphKindSettings& stored, AcceptKind kind)
{
    ItemDialogResult result {environment, {}, stored, {}};
    for (int row : channelRows(state))
        result.selection.push_back(state.rows[static_cast<std::size_t>(row)]);

    std::uint32_t decimals = 0;
    std::uint32_t length = kShortestMemoryGraph;
    for (const GraphChannel& channel : result.selection) {
        decimals = std::max(decimals, channel.precision);
        length = std::max(length, channel.length);
    }
    decimals = std::min(decimals, kMaxDecimals);

    GraphEnvironment& record = result.environment;
    if (state.scaleMode == ScaleMode::Manual) {
        if (monitor::trimEntry(state.maxText).empty())
            return information("최대값을 입력하십시요.");
        if (monitor::trimEntry(state.minText).empty())
            return information("최소값을 입력하십시요.");
        const std::optional<double> maximum = boundValue(state.maxText, decimals);
        if (!maximum)
            return information(core::notNumberText("Max 값"));
        const std::optional<double> minimum = boundValue(state.minText, decimals);
        if (!minimum)
            return information(core::notNumberText("Min 값"));
        if (*maximum == *minimum)
            return information("최대, 최소값을 다르게 입력하십시요.");
        record.maximum = std::max(*maximum, *minimum);
        record.minimum = std::min(*maximum, *minimum);
        result.settings.maxText = state.maxText;
        result.settings.minText = state.minText;
    }
    record.scaleMode = state.scaleMode;
    result.settings.scaleMode = state.scaleMode;
    record.decimals = decimals;
    record.kind = state.kind;
    if (state.kind == GraphKind::Memory) {
        record.length = length;
    } else {
        const std::string_view interval = monitor::trimEntry(state.intervalText);
        EntryCheck<std::int32_t> checked = checkIntervalEntry(interval.empty() ? "0" : interval);
        if (!checked.value)
            return information(std::move(checked.message));
        record.interval = *checked.value;
        result.notice = std::move(checked.notice);
    }
    if (kind == AcceptKind::Ok) {
        result.settings.colours = state.colours;
        result.settings.separateGraphs = state.separateGraphs;
    }
    return result;
}

} // namespace lumetra::graph
