#include "graph/items/graph_dialog_entries.h"

#include "graph/items/graph_bound_entry.h"
#include "graph/items/three_decimals.h"

#include "core/number_field_range.h"
#include "monitor/number_entry.h"

#include <algorithm>
#include <limits>

namespace lumetra::graph {

namespace {

constexpr core::FieldRange kIntervalRange {0, std::numeric_limits<std::int32_t>::max()};
constexpr core::FieldRange kDecimalsRange {0, kMaxDecimals};
constexpr std::string_view kIntervalSubject = "시간 간격 값";
constexpr std::string_view kDecimalsSubject = "소숫점 값";
constexpr std::string_view kMaximumSubject = "최대값";
constexpr std::string_view kMinimumSubject = "최소값";

// An integer entry of a field with a range: refused when blank or not a number, else taken into the range.
template <typename T>
EntryCheck<T> checkRangedEntry(
    std::string_view text, std::string_view emptyText, core::FieldRange range, std::string_view subject)
{
    if (monitor::trimEntry(text).empty()) {
        return {std::nullopt, std::string(emptyText), {}};
    }
    const std::optional<std::int64_t> number = monitor::parseSignedEntry(text);
    if (!number) {
        return {std::nullopt, core::notNumberText(subject), {}};
    }
    core::RangedNumber ranged = core::keepInRange(*number, range, subject);
    return {static_cast<T>(ranged.value), {}, std::move(ranged.notice)};
}

} // namespace

EntryCheck<std::int32_t> checkIntervalEntry(std::string_view text)
{
    return checkRangedEntry<std::int32_t>(text, kIntervalEmptyText, kIntervalRange, kIntervalSubject);
}

ScaleBoundTexts scaleBoundsPrefill(double maximum, double minimum)
{
    return {threeDecimals(maximum), threeDecimals(minimum)};
}

EntryCheck<ScaleBounds> checkScaleBounds(std::string_view maximumText, std::string_view minimumText)
{
    if (maximumText.empty()) {
        return {std::nullopt, std::string(kMaximumEmptyText), {}};
    }
    if (minimumText.empty()) {
        return {std::nullopt, std::string(kMinimumEmptyText), {}};
    }
    const std::optional<double> first = boundEntryValue(maximumText);
    if (!first) {
        return {std::nullopt, core::notNumberText(kMaximumSubject), {}};
    }
    const std::optional<double> second = boundEntryValue(minimumText);
    if (!second) {
        return {std::nullopt, core::notNumberText(kMinimumSubject), {}};
    }
    if (*first == *second) {
        return {std::nullopt, std::string(kEqualBoundsText), {}};
    }
    return {ScaleBounds {std::max(*first, *second), std::min(*first, *second)}, {}, {}};
}

EntryCheck<std::uint32_t> checkDecimalsEntry(std::string_view text)
{
    return checkRangedEntry<std::uint32_t>(text, kDecimalsEmptyText, kDecimalsRange, kDecimalsSubject);
}

} // namespace lumetra::graph
