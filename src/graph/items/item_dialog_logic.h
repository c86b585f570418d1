// The two graph item dialogs as plain state: opening from a catalogue, the symbol, type, scale and row
// choices, "추가", "대체", "삭제", and OK (or a double click) building the channel selection and the
// environment record. Each button answers with a message that keeps everything as it was, or the new state.
#pragma once

#include "core/settings_dialog_logic.h"
#include "graph/items/graph_settings.h"
#include "graph/items/item_dialog_state.h"
#include "image/data_object.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace lumetra::graph {

// "추가" and "대체" refuse a label that another row carries.
inline constexpr std::string_view kDuplicateLabelText = "같은 이름의 항목이 이미 등록 되었읍니다.";

struct ItemDialogSetup {
    GraphKind kind = GraphKind::Memory;
    std::uint16_t targetId = 0; // of the loaded program; 0x0092 gives 16-bit addresses, any other 22-bit ones
    std::vector<GraphChannel> rows; // the catalogue
    GraphKindSettings settings; // of this kind
    std::int32_t interval = 0; // the environment record's, shown by the time graph dialog
};

// The last row selected; the symbol of its label, or else the first symbol, or else the last row in the editor.
ItemDialogState openItemDialog(const ItemDialogSetup& setup, std::span<const image::CDataObject> symbols);

// An index outside the symbol list changes nothing.
void chooseSymbol(ItemDialogState& state, std::span<const image::CDataObject> symbols, int index);
void chooseType(ItemDialogState& state, int typeIndex);
void chooseScaleMode(ItemDialogState& state, ScaleMode mode);
// The rows the list has selected, in any order; rows outside the list are dropped.
void selectRows(ItemDialogState& state, std::vector<int> rows);
// Loads the row's cells into the editor.
void clickRow(ItemDialogState& state, int row);

// A key or character code arriving at the list that acts as "삭제": 46, the Delete key (and the full stop).
bool actsAsDelete(int code);

using ItemDialogStep = std::variant<core::DialogMessage, ItemDialogState>;

// "추가" selects the rows added since the dialog opened (the newest four), so that OK plots them; rows picked by
// hand afterwards replace that selection.
ItemDialogStep addItem(const ItemDialogState& state);
ItemDialogStep replaceItem(const ItemDialogState& state);
ItemDialogStep deleteItems(const ItemDialogState& state);

// OK stores everything; a double click on a row stores all but the colours and the selection mode and leaves
// the dialog open.
enum class AcceptKind { Ok, DoubleClick };

struct ItemDialogResult {
    GraphEnvironment environment;
    std::vector<GraphChannel> selection; // copies of at most four catalogue rows, in row order
    GraphKindSettings settings; // of this kind
    std::string notice; // the interval its range applied instead of the number typed; empty for none

    bool operator==(const ItemDialogResult&) const = default;
};

using ItemDialogAccept = std::variant<core::DialogMessage, ItemDialogResult>;

// `environment` and `stored` are the record and settings the dialog was opened with; what the dialog does not
// set stays as they hold it.
ItemDialogAccept acceptItemDialog(const ItemDialogState& state, const GraphEnvironment& environment,
    const GraphKindSettings& stored, AcceptKind kind);

} // namespace lumetra::graph
