#include "graph/items/item_dialog_state.h"

#include "monitor/data_types.h"

#include <array>
#include <cstdio>

namespace lumetra::graph {

namespace {

constexpr std::array<ItemColumn, 5> kMemoryColumns {{
    {"Lable", 110},
    {"Address", 70},
    {"Length", 65},
    {"Type", 110},
    {"Precision", 65},
}};

constexpr std::array<ItemColumn, 4> kTimeColumns {{
    {"Lable", 130},
    {"Address", 80},
    {"Type", 130},
    {"Precision", 80},
}};

std::string hexText(std::uint32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", static_cast<unsigned>(value));
    return text;
}

} // namespace

std::span<const ItemColumn> itemColumns(GraphKind kind)
{
    if (kind == GraphKind::Memory)
        return kMemoryColumns;
    return kTimeColumns;
}

std::vector<std::string> rowCells(GraphKind kind, core::Family family, const GraphChannel& row)
{
    std::vector<std::string> cells {row.label, core::formatAddress(family, row.address)};
    if (kind == GraphKind::Memory)
        cells.push_back(hexText(row.length));
    cells.emplace_back(monitor::shortTypeNameOf(row.type).name);
    cells.push_back(std::to_string(static_cast<std::int32_t>(row.precision)));
    return cells;
}

} // namespace lumetra::graph
