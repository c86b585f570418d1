// The time one sample of a time graph needs on the line to the POD, and the time graph dialog's warning when its
// interval is shorter than that.
#pragma once

#include "core/settings_dialog_logic.h"
#include "graph/items/graph_items.h"
#include "link/pod_link.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace lumetra::graph {

// Bytes on the line to read one channel of `type`: the address frame, its acknowledgement, the mode frame and the
// reply; 0 for a type the graphs do not read.
std::size_t channelReadBytes(std::uint32_t type);

// The bytes of one read of every channel at `baud`, 10 bits a byte (start, eight data bits, stop).
std::chrono::microseconds sampleWireTime(std::span<const GraphChannel> channels, int baud);

// The speed of the line to the POD: 115200 on a COM port; on USB 921600 for the "USB POD", 460800 for the others.
int podLineBaud(bool usb, link::PodKind kind);

// A time graph whose interval is shorter than the wire time of one sample of its channels at `baud`: the
// warning the dialog shows before the graph starts all the same. nullopt otherwise, and for an interval of 0 or
// less (as fast as the link goes).
std::optional<core::DialogMessage> intervalWarning(
    const GraphEnvironment& environment, std::span<const GraphChannel> channels, int baud);

} // namespace lumetra::graph
