// Writes the value an animated variable has at a given time into target memory.
#pragma once

#include "sim/sim_config.h"

namespace lumetra::sim {

void applyAnimation(const Animation& animation, double seconds, Memory& memory);

} // namespace lumetra::sim
