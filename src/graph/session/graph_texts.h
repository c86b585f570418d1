// The fixed texts of a graph window: its messages and the status bar texts of scale, decimals and channel.
#pragma once

#include "graph/items/graph_items.h"
#include "graph/session/sample_grid.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace lumetra::graph {

inline constexpr std::string_view kNoChannelText = "선택한 그래프 항목이 없읍니다.";
inline constexpr std::string_view kOtherWindowAcquiresText = "다른 곳에서 그래프 데이터를 수집하고 있읍니다.";
inline constexpr std::string_view kReadFailedText = "통신 오류 발생 !";
// The start command's own wording of the port failure.
inline constexpr std::string_view kStartPortFailedText = "통신 포트를 여느데 실패했읍니다.";
inline constexpr std::string_view kAutomaticScaleText = "자동 Scale";

// "자동 Scale"; manual: "Max:%.3f, Min:%.3f", or with 0 decimals "Max:%d, Min:%d" truncated toward zero.
std::string scaleText(ScaleMode mode, std::uint32_t decimals, double maximum, double minimum);
// The title of a graph window: "메모리 그래프" or "시간 그래프".
std::string_view graphWindowTitle(GraphKind kind);
// "소숫점:%d"
std::string decimalsText(std::uint32_t decimals);
// "CH%d" of the 1-based channel.
std::string channelText(int channel);
// A time graph's ticks that fell behind its interval: "늦음:%llu, 건너뜀:%llu" (late, skipped).
std::string sampleLagText(const SampleLag& lag);

} // namespace lumetra::graph
