// Reply time-outs and chunk sizes of the boot streams.
#pragma once

#include "link/transport.h"

#include <cstddef>

namespace lumetra::programming {

inline constexpr link::Milliseconds kAckTimeout {3000}; // headers, sizes, addresses, end markers
inline constexpr link::Milliseconds kBlockEndTimeout {4000}; // the last word of a block
inline constexpr std::size_t kBootChunkWords = 200;
inline constexpr std::size_t kFlashChunkWords = 40;

} // namespace lumetra::programming
