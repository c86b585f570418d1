#include "graph/items/graph_bound_entry.h"

#include "monitor/number_entry.h"

#include <cstdint>

namespace lumetra::graph {

std::optional<double> boundEntryValue(std::string_view text)
{
    const std::string_view trimmed = monitor::trimEntry(text);
    if (monitor::isFractionEntry(trimmed)) {
        return monitor::parseFractionEntry(trimmed);
    }
    const std::optional<std::uint32_t> integer = monitor::parseIntegerEntry(trimmed);
    if (!integer) {
        return std::nullopt;
    }
    return static_cast<double>(static_cast<std::int32_t>(*integer));
}

} // namespace lumetra::graph
