// The data words of one boot block: kind S, with the block's last word (and, where asked, every n-th word)
// closing the batch with an acknowledgement.
#pragma once

#include "programming/progress_port.h"
#include "programming/target_image.h"

#include "link/pod_link.h"

#include <cstdint>
#include <span>

namespace lumetra::programming {

enum class BlockOutcome { Sent, Failed, Canceled };

struct BlockProgress {
    WordProgress& progress;
    std::uint64_t& position;
    std::uint64_t step; // added to the position after each word
};

// `closing` is Y or Z; closeEvery 0 closes only at the last word. After each word the position advances and
// Cancel is checked.
BlockOutcome sendBlockWords(link::CPodLink& link, std::span<const std::uint16_t> words, char closing,
    std::size_t closeEvery, const BlockProgress& progress);

// Target code: each segment as a boot block (kind U word count, the load address, the words closed by Y), then
// the end marker X 0. An empty segment fails.
BlockOutcome sendImageSegments(link::CPodLink& link, std::span<const ImageSegment> segments, std::size_t closeEvery,
    const BlockProgress& progress);

} // namespace lumetra::programming
