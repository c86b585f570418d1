// The target address width the monitors show: by the loaded program's target id, or by the device row.
#pragma once

#include "core/device_catalogue.h"

#include <cstdint>
#include <optional>

namespace lumetra::monitor {

// 0x0092 (LF240x) gives 16-bit addresses, every other id 22-bit ones.
core::Family addressFamilyOfTargetId(std::uint16_t targetId);

// The loaded program's target id decides; without a loaded program the device row does (LF240x rows 0..5 have
// 16-bit addresses, every other row and an index outside the catalogue 22-bit ones).
core::Family addressFamilyOf(std::optional<std::uint16_t> programTargetId, int deviceIndex);

} // namespace lumetra::monitor
