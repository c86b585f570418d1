// Reads the elements of the graph channels through the link. A block read element after element goes on with
// the short ReadNext while the POD's read address already stands on the wanted element.
#pragma once

#include "graph/session/sample_conversion.h"

#include "link/pod_link.h"

#include <cstdint>
#include <optional>

namespace lumetra::graph {

class SampleReader {
public:
    explicit SampleReader(link::CPodLink& link);

    // Forgets where the POD's address stands: the next read addresses it (a new acquisition run, a reconnect).
    void restart();
    // Element `element` of the channel at `address`; nullopt when the read failed. With `sequential`, the read
    // right after element − 1 of the same channel is a ReadNext.
    std::optional<std::uint32_t> read(
        int channel, std::uint32_t address, const SampleRead& how, std::uint32_t element, bool sequential);

private:
    struct Position {
        int channel = 0;
        std::uint32_t element = 0;
    };

    link::CPodLink& link_;
    std::optional<Position> last_;
};

} // namespace lumetra::graph
