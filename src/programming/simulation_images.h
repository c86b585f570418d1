// The simulation image set: every image of the manifest with words of its lengths and a signature, for the
// simulated target only. It holds no target code; the simulator checks every word it receives against it.
#pragma once

#include "programming/target_image.h"

#include <cstdint>
#include <string_view>

namespace lumetra::programming {

// The first words of every simulation segment of six or more words: "SIMULATE" in ASCII pairs.
inline constexpr std::uint16_t kSimulationSignature[] = {0x5349, 0x4D55, 0x4C41, 0x5445};

const ImageSet& simulationImageSet();

// True when a segment of the set begins with the simulation signature: such an image, whatever its set says it
// is, goes to the simulated target only.
bool carriesSimulationSignature(const ImageSet& set);

} // namespace lumetra::programming
