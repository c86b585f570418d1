#include "monitor/address_width.h"

namespace lumetra::monitor {

core::Family addressFamilyOfTargetId(std::uint16_t targetId)
{
    return targetId == core::kTargetIdLf240x ? core::Family::Lf240x : core::Family::F28x;
}

core::Family addressFamilyOf(std::optional<std::uint16_t> programTargetId, int deviceIndex)
{
    return programTargetId ? addressFamilyOfTargetId(*programTargetId) : core::familyOf(deviceIndex);
}

} // namespace lumetra::monitor
