#include "graph/graph_bound_entry.h"

#include "monitor/number_entry.h"

#include <cstdint>

namespace lumetra::graph {

double boundEntryValue(std::string_view text)
{
    const std::string_view trimmed = monitor::trimEntry(text);
    if (monitor::isFractionEntry(trimmed)) {
        return monitor::convertDecimalFraction(trimmed);
    }
    return static_cast<double>(static_cast<std::int32_t>(monitor::parseIntegerEntry(trimmed)));
}

} // namespace lumetra::graph
