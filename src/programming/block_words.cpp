#include "programming/block_words.h"

#include "programming/boot_timeouts.h"

namespace lumetra::programming {

BlockOutcome sendBlockWords(link::CPodLink& link, std::span<const std::uint16_t> words, char closing,
    std::size_t closeEvery, const BlockProgress& progress)
{
    for (std::size_t i = 0; i < words.size(); ++i) {
        const bool closes = i + 1 == words.size() || (closeEvery != 0 && (i + 1) % closeEvery == 0);
        const bool sent = closes ? link.SendBootWord(closing, words[i], kBlockEndTimeout)
                                 : link.SendBootWord('S', words[i], link.replyTimeout());
        if (!sent)
            return BlockOutcome::Failed;
        progress.position += progress.step;
        progress.progress.setPosition(progress.position);
        if (progress.progress.cancelRequested())
            return BlockOutcome::Canceled;
    }
    return BlockOutcome::Sent;
}

BlockOutcome sendImageSegments(
    link::CPodLink& link, std::span<const ImageSegment> segments, std::size_t closeEvery, const BlockProgress& progress)
{
    for (const ImageSegment& segment : segments) {
        if (segment.words.empty()
            || !link.SendBootWord('U', static_cast<std::uint16_t>(segment.words.size()), kAckTimeout)
            || !link.SendBoot32(segment.address, kAckTimeout))
            return BlockOutcome::Failed;
        if (const BlockOutcome outcome = sendBlockWords(link, segment.words, 'Y', closeEvery, progress);
            outcome != BlockOutcome::Sent)
            return outcome;
    }
    return link.SendBootWord('X', 0, kAckTimeout) ? BlockOutcome::Sent : BlockOutcome::Failed;
}

} // namespace lumetra::programming
