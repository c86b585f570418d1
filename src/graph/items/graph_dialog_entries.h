// The three small dialogs of a graph window: their texts, pre-fills and the check of OK. A refused entry
// carries the information message to show; the dialog then stays open. A number outside its field's range is
// taken at the nearest end, with a notice to show as the dialog closes.
#pragma once

#include "graph/items/graph_items.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace lumetra::graph {

template <typename T> struct EntryCheck {
    std::optional<T> value; // the accepted entry
    std::string message; // otherwise the message to show
    std::string notice; // with an accepted entry: the value a range applied instead of the number typed
};

// "데이터 수집 시간 간격 설정"
inline constexpr std::string_view kIntervalDialogTitle = "데이터 수집 시간 간격 설정";
inline constexpr std::string_view kIntervalLabel = "시간 간격";
inline constexpr std::string_view kIntervalUnit = "msec";
inline constexpr std::string_view kIntervalEmptyText = "시간 간격을 입력하십시요.";
// The interval by the number-entry rule ("0x14" and "14H" are 20), 0 to 2147483647 ms; a blank text is empty.
EntryCheck<std::int32_t> checkIntervalEntry(std::string_view text);

// "그래프 최소, 최대값 설정"
inline constexpr std::string_view kBoundsDialogTitle = "그래프 최소, 최대값 설정";
inline constexpr std::string_view kMinimumLabel = "최소값";
inline constexpr std::string_view kMaximumLabel = "최대값";
inline constexpr std::string_view kMaximumEmptyText = "최대값을 입력하십시요.";
inline constexpr std::string_view kMinimumEmptyText = "최소값을 입력하십시요.";
inline constexpr std::string_view kEqualBoundsText = "최대, 최소값을 다르게 입력하십시요.";

struct ScaleBounds {
    double maximum = 0.0;
    double minimum = 0.0;

    bool operator==(const ScaleBounds&) const = default;
};
struct ScaleBoundTexts {
    std::string maximum;
    std::string minimum;

    bool operator==(const ScaleBoundTexts&) const = default;
};
// The current bounds as "%.3f".
ScaleBoundTexts scaleBoundsPrefill(double maximum, double minimum);
// Both texts by boundEntryValue, each refused when it is not a number; the larger value becomes the maximum.
EntryCheck<ScaleBounds> checkScaleBounds(std::string_view maximumText, std::string_view minimumText);

// "소숫점 설정"
inline constexpr std::string_view kDecimalsDialogTitle = "소숫점 설정";
inline constexpr std::string_view kDecimalsLabel = "소숫점";
inline constexpr int kDecimalsEntryLength = 1;
inline constexpr std::string_view kDecimalsEmptyText = "소숫점 자리수를 입력하십시요.";
// The places by the number-entry rule, 0 to 9.
EntryCheck<std::uint32_t> checkDecimalsEntry(std::string_view text);

} // namespace lumetra::graph
