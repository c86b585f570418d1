#include "graph/graph_dialog_entries.h"

#include "graph/graph_bound_entry.h"
#include "graph/graph_texts.h"

#include "monitor/number_entry.h"

#include <algorithm>

namespace lumetra::graph {

EntryCheck<std::int32_t> checkIntervalEntry(std::string_view text)
{
    if (text.empty()) {
        return {std::nullopt, kIntervalEmptyText};
    }
    return {static_cast<std::int32_t>(monitor::parseIntegerEntry(text)), {}};
}

ScaleBoundTexts scaleBoundsPrefill(double maximum, double minimum)
{
    return {threeDecimals(maximum), threeDecimals(minimum)};
}

EntryCheck<ScaleBounds> checkScaleBounds(std::string_view maximumText, std::string_view minimumText)
{
    if (maximumText.empty()) {
        return {std::nullopt, kMaximumEmptyText};
    }
    if (minimumText.empty()) {
        return {std::nullopt, kMinimumEmptyText};
    }
    const double first = boundEntryValue(maximumText);
    const double second = boundEntryValue(minimumText);
    if (first == second) {
        return {std::nullopt, kEqualBoundsText};
    }
    return {ScaleBounds {std::max(first, second), std::min(first, second)}, {}};
}

EntryCheck<std::uint32_t> checkDecimalsEntry(std::string_view text)
{
    if (text.empty()) {
        return {std::nullopt, kDecimalsEmptyText};
    }
    return {std::min(monitor::parseIntegerEntry(text), kMaxDecimals), {}};
}

} // namespace lumetra::graph
