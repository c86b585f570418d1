// Graph acquisition against lumetra-podsim with wire-time emulation, driven by a timer loop on the steady clock.
// (a) A memory graph of one channel of 5000 words: measured time against the wire time of the bytes actually
//     sent and received, and against the wire time of addressing every element.
// (b) A time graph of four channels every 10 ms for 10 s at 115200 and 921600 baud: the periods between the
//     sample times the session took, and the share of late ticks and the skipped intervals it counted.
// Usage: bench_graph [path-to-lumetra-podsim]
#include "counting_transport.h"
#include "podsim_process.h"

#include "../tests/graph/session/recording_strip_chart.h"

#include "graph/session/graph_run_loop.h"
#include "graph/session/graph_session.h"
#include "graph/session/headless_graph_ports.h"
#include "graph/session/sample_wire_time.h"
#include "link/pod_link.h"

#include <algorithm>
#include <optional>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace lumetra;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr std::uint32_t kBlockWords = 5000;
constexpr std::uint32_t kBlockAddress = 0x9000;

class CountingPrompts final : public core::UserPrompts {
public:
    void showMessage(core::MessageIcon, std::string_view text) override
    {
        std::printf("message: %.*s\n", static_cast<int>(text.size()), text.data());
        ++shown;
    }
    int shown = 0;
};

// One graph window over lumetra-podsim at `baud`.
struct Bench {
    Bench(const std::string& program, int baud)
        : podsim(program, baud)
        , factory(podsim.device())
        , link(factory)
        , host(link, {1, 4, false})
    {
    }

    bool connect()
    {
        if (podsim.device().empty() || link.Connect(1, 4, false) != link::ConnectCode::Connected) {
            std::printf("cannot start or reach %s\n", podsim.device().c_str());
            return false;
        }
        factory.bytes = 0;
        return true;
    }

    graph::GraphSessionPorts ports()
    {
        return {link, timer, host, prompts, status, dialogs, clock, {&charts[0], &charts[1], &charts[2], &charts[3]},
            nullptr};
    }

    bench::Podsim podsim;
    bench::CountingSerialFactory factory;
    link::CPodLink link;
    graph::LoopGraphTimer timer;
    graph::LinkGraphHost host;
    CountingPrompts prompts;
    graph::SilentGraphStatusView status;
    graph::NoGraphDialogs dialogs;
    graph::SteadyGraphClock clock;
    std::array<graph::test::RecordingStripChart, 4> charts;
};

double wireSeconds(std::uint64_t bytes, int baud)
{
    return static_cast<double>(bytes) * 10.0 / baud;
}

// The reference: the block read element by element with ReadWord, as every element addressed.
std::optional<double> addressedReads(Bench& bench)
{
    if (bench.link.Connect(1, 4, false) != link::ConnectCode::Connected)
        return std::nullopt;
    std::uint32_t value = 0;
    const auto start = Clock::now();
    for (std::uint32_t n = 0; n < kBlockWords; ++n) {
        if (!bench.link.ReadWord(kBlockAddress + n, 'r', value)) {
            std::printf("ReadWord failed at element %u\n", n);
            return std::nullopt;
        }
    }
    return std::chrono::duration<double>(Clock::now() - start).count();
}

bool memoryGraph(const std::string& program, int baud)
{
    Bench bench(program, baud);
    if (!bench.connect())
        return false;
    graph::GraphSession session({{graph::GraphKind::Memory, graph::ScaleMode::Automatic, 0, kBlockWords, 0, 0, 0},
                                    false, {{"block", kBlockAddress, kBlockWords, 13, 0}}, {}},
        bench.ports());
    const auto start = Clock::now();
    session.open();
    graph::runGraphSession(session, bench.timer);
    const double measured = std::chrono::duration<double>(Clock::now() - start).count();
    const std::size_t points = bench.charts[0].values(0).size();
    if (bench.prompts.shown > 0 || points != kBlockWords) {
        std::printf("memory graph at %6d baud: %zu of %u points\n", baud, points, kBlockWords);
        return false;
    }
    const double wire = wireSeconds(bench.factory.bytes, baud);
    const double addressedWire = wireSeconds(std::uint64_t {kBlockWords} * graph::channelReadBytes(13), baud);
    std::printf("memory graph at %6d baud: %u words, %8.1f ms measured, %8.1f ms wire time of %llu bytes, ratio %.2f; "
                "addressing every element: %8.1f ms on the wire, ratio %.2f\n",
        baud, kBlockWords, measured * 1e3, wire * 1e3, static_cast<unsigned long long>(bench.factory.bytes), measured / wire, addressedWire * 1e3,
        measured / addressedWire);
    const auto addressed = addressedReads(bench);
    if (!addressed)
        return false;
    std::printf("memory graph at %6d baud: the same block read with ReadWord per element: %8.1f ms measured, "
                "%.2fx the graph's time\n",
        baud, *addressed * 1e3, *addressed / measured);
    return true;
}

double percentile(std::vector<double> values, double share)
{
    std::sort(values.begin(), values.end());
    const auto index = static_cast<std::size_t>(share * static_cast<double>(values.size() - 1) + 0.5);
    return values[index];
}

bool timeGraph(const std::string& program, int baud)
{
    Bench bench(program, baud);
    if (!bench.connect())
        return false;
    constexpr int interval = 10;
    std::vector<graph::GraphChannel> channels;
    for (std::uint32_t c = 0; c < 4; ++c)
        channels.push_back({"ch" + std::to_string(c + 1), 0x8000 + 2 * c, 0, c % 2 == 0 ? 13u : 6u, 0});
    graph::GraphSession session(
        {{graph::GraphKind::Time, graph::ScaleMode::Automatic, interval, 0, 0, 0, 0}, false, channels, {}},
        bench.ports());
    session.open();
    graph::GraphRunLimits limits;
    limits.until = Clock::now() + 10s;
    graph::runGraphSession(session, bench.timer, limits);
    const graph::SampleTimes& times = session.sampleTimes();
    if (bench.prompts.shown > 0 || times.size() < 2) {
        std::printf("time graph at %6d baud: failed after %zu samples\n", baud, times.size());
        return false;
    }
    // The periods between the sample times the session took; late and skipped as the session counts them.
    std::vector<double> periods;
    for (std::size_t k = 1; k < times.size(); ++k)
        periods.push_back(std::chrono::duration<double, std::milli>(times.at(k) - times.at(k - 1)).count());
    const double mean = std::chrono::duration<double, std::milli>(times.at(times.size() - 1) - times.at(0)).count()
        / static_cast<double>(periods.size());
    const graph::SampleLag& lag = session.sampleLag();
    std::printf("time graph at %6d baud: 4 channels every %d ms for 10 s: %zu samples, period mean %.3f ms, median "
                "%.3f ms, 99th percentile %.3f ms; %.2f %% of ticks late, %llu intervals skipped; wire time of one "
                "sample %.3f ms (%.3f ms counted)\n",
        baud, interval, times.size(), mean, percentile(periods, 0.5), percentile(periods, 0.99),
        100.0 * static_cast<double>(lag.late) / static_cast<double>(times.size()),
        static_cast<unsigned long long>(lag.skipped),
        std::chrono::duration<double, std::milli>(graph::sampleWireTime(channels, baud)).count(),
        wireSeconds(bench.factory.bytes, baud) * 1e3 / static_cast<double>(times.size()));
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    const auto program = lumetra::bench::podsimProgram(argc, argv);
    if (!program)
        return 2;
    const bool ok = memoryGraph(*program, 115200) && memoryGraph(*program, 921600) && timeGraph(*program, 115200)
        && timeGraph(*program, 921600);
    return ok ? 0 : 1;
}
