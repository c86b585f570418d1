// What an item dialog's controls show and hold, for both graph kinds: the catalogue rows with their selection,
// the editor group, the scale and time controls, the colour pickers and "개별적 그래프 그리기".
#pragma once

#include "core/device_catalogue.h"
#include "graph/items/graph_items.h"
#include "graph/items/item_types.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lumetra::graph {

struct ItemEditor {
    std::string label; // "레이블 이름"
    std::string address; // "시작 주소"
    std::string length; // "데이터 길이", memory graph only
    int typeIndex = kFallbackTypeIndex; // "데이터 타입"
    std::string precision; // "Precision"
    bool precisionWritable = false; // only for "float"

    bool operator==(const ItemEditor&) const = default;
};

struct ItemDialogState {
    GraphKind kind = GraphKind::Memory;
    core::Family addressFamily = core::Family::F28x; // by the program's target id
    std::vector<GraphChannel> rows; // the catalogue in list order (a time graph row has length 0)
    std::vector<int> selectedRows; // ascending
    std::vector<int> addedRows; // the rows "추가" appended while the dialog is open, ascending
    int symbolIndex = -1; // "심볼 리스트"; -1 when no symbol is selected
    ItemEditor editor;
    ScaleMode scaleMode = ScaleMode::Automatic;
    std::string maxText;
    std::string minText;
    std::string intervalText; // "시간 간격", time graph only
    ChannelColours colours {};
    bool separateGraphs = false;

    // Min and Max are writable only for "수동 Scale".
    bool boundsWritable() const { return scaleMode == ScaleMode::Manual; }

    bool operator==(const ItemDialogState&) const = default;
};

struct ItemColumn {
    std::string_view title;
    int width;
};

// The list's columns: "Lable", "Address", "Length" (memory graph only), "Type", "Precision".
std::span<const ItemColumn> itemColumns(GraphKind kind);

// The texts of a row's cells, one per column: the address in the target's format, the length "0x%X", the
// type's short name and the precision "%d".
std::vector<std::string> rowCells(GraphKind kind, core::Family family, const GraphChannel& row);

} // namespace lumetra::graph
