// How a channel's element type is read from the POD and turned into the plotted value.
#pragma once

#include <cstdint>
#include <optional>

namespace lumetra::graph {

struct SampleRead {
    char mode = 'r'; // 'r' one word, 'l' two consecutive words
    std::uint32_t words = 1; // words one element takes on the target
};

// nullopt for a type the graphs do not read (the channel is skipped).
std::optional<SampleRead> sampleReadOf(std::uint32_t type);

// The value read (low 16 bits for a one-word type) as the plotted number; nullopt for a type not read.
std::optional<double> convertSample(std::uint32_t type, std::uint32_t raw);

} // namespace lumetra::graph
