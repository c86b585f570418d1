// The simulated target running the demo program: its code and constants in flash, its variables in RAM, and the
// variables that move.
#pragma once

#include "sim/pod_simulator.h"

namespace lumetra::sim {

// Replaces the simulator's animations with the demo program's and writes its initial memory.
void configureDemoTarget(PodSimulator& simulator);

// Makes the simulated chip the device of that row, keeping its password; a chip of that row stays as it is.
void followDeviceRow(PodSimulator& simulator, int deviceRow);

} // namespace lumetra::sim
