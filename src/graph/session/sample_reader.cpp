#include "graph/session/sample_reader.h"

namespace lumetra::graph {

SampleReader::SampleReader(link::CPodLink& link)
    : link_(link)
{
}

void SampleReader::restart()
{
    last_.reset();
}

std::optional<std::uint32_t> SampleReader::read(
    int channel, std::uint32_t address, const SampleRead& how, std::uint32_t element, bool sequential)
{
    const bool follows = sequential && last_ && last_->channel == channel && element > 0
        && last_->element == element - 1;
    last_.reset();
    std::uint32_t value = 0;
    const bool read = follows ? link_.ReadNext(how.mode, value)
                              : link_.ReadWord(address + how.words * element, how.mode, value);
    if (!read) {
        return std::nullopt;
    }
    last_ = Position {channel, element};
    return value;
}

} // namespace lumetra::graph
