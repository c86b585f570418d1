// The graph items of the two catalogues, the channels a graph window copies from them, and the graph
// environment record that an item dialog hands to the next graph window.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace lumetra::graph {

inline constexpr std::uint32_t kDefaultItemType = 13; // "unsigned short"
inline constexpr std::uint32_t kDefaultItemPrecision = 3;
inline constexpr int kMaxChannels = 4;
inline constexpr std::uint32_t kMaxDecimals = 9; // decimal places of a graph item and window

// A memory graph item: a block of `length` elements of `type` from the word address `address`.
struct CGraphObject {
    std::string label; // UTF-8 in memory, code page 949 in GraphData.rgt
    std::uint32_t address = 0;
    std::uint32_t length = 0;
    std::uint32_t type = kDefaultItemType;
    std::uint32_t precision = kDefaultItemPrecision;

    bool operator==(const CGraphObject&) const = default;
};

// A time graph item: one variable of `type` at the word address `address`.
struct CTimeGraphObject {
    std::string label;
    std::uint32_t address = 0;
    std::uint32_t type = kDefaultItemType;
    std::uint32_t precision = kDefaultItemPrecision;

    bool operator==(const CTimeGraphObject&) const = default;
};

enum class GraphKind : std::uint8_t { Memory = 0, Time = 1 };
enum class ScaleMode : std::uint8_t { Automatic = 0, Manual = 1 };

// Written by an item dialog on OK, copied by the graph window when it opens.
struct GraphEnvironment {
    GraphKind kind = GraphKind::Memory;
    ScaleMode scaleMode = ScaleMode::Automatic;
    std::int32_t interval = 0; // time graph sampling period in ms
    std::uint32_t length = 0; // memory graph: the largest channel length, at least 2
    std::uint32_t decimals = 0; // 0..9
    double maximum = 0.0; // manual scale bounds
    double minimum = 0.0;

    bool operator==(const GraphEnvironment&) const = default;
};

// One channel of a graph window, copied from an item of either kind (a time graph channel has length 0).
struct GraphChannel {
    std::string label;
    std::uint32_t address = 0;
    std::uint32_t length = 0;
    std::uint32_t type = kDefaultItemType;
    std::uint32_t precision = kDefaultItemPrecision;

    bool operator==(const GraphChannel&) const = default;
};

// Channel colours as stored in the settings: 0x00BBGGRR.
using ChannelColours = std::array<std::uint32_t, kMaxChannels>;

} // namespace lumetra::graph
