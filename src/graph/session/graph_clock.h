// Port to the steady clock that times a time graph's samples.
#pragma once

#include <chrono>

namespace lumetra::graph {

class GraphClock {
public:
    using TimePoint = std::chrono::steady_clock::time_point;
    virtual ~GraphClock() = default;
    virtual TimePoint now() = 0;
};

class SteadyGraphClock final : public GraphClock {
public:
    TimePoint now() override { return std::chrono::steady_clock::now(); }
};

} // namespace lumetra::graph
