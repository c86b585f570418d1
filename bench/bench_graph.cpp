// Graph acquisition against lumetra-podsim with wire-time emulation, driven by a timer loop on the steady clock.
// (a) A memory graph of one channel of 5000 words: measured time against the wire time of the bytes actually
//     sent and received, and against the wire time of addressing every element.
// (b) A time graph of four channels every 10 ms for 10 s: the sample periods and the share of late ticks.
// Usage: bench_graph [path-to-lumetra-podsim]
#include "counting_transport.h"
#include "podsim_process.h"

#include "../tests/graph/recording_strip_chart.h"

#include "graph/graph_run_loop.h"
#include "graph/graph_session.h"
#include "graph/headless_graph_ports.h"
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
constexpr int kReadWordBytes = 10 + 1 + 3 + 5; // @ + 6 hex digits + CR, '!', r, 4 hex digits + CR

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
    const double addressedWire = wireSeconds(std::uint64_t {kBlockWords} * kReadWordBytes, baud);
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
    const auto start = Clock::now();
    session.open();
    std::vector<Clock::time_point> fired;
    graph::GraphRunLimits limits;
    limits.until = start + 10s;
    limits.onTick = [&](Clock::time_point at) { fired.push_back(at); };
    graph::runGraphSession(session, bench.timer, limits);
    if (bench.prompts.shown > 0 || fired.size() < 2) {
        std::printf("time graph at %6d baud: failed after %zu ticks\n", baud, fired.size());
        return false;
    }
    // Lateness against the grid the session keeps: one interval apart, restarted after a tick that came more
    // than a whole interval late.
    std::vector<double> periods;
    int late = 0;
    auto due = start + std::chrono::milliseconds {interval};
    for (std::size_t k = 0; k < fired.size(); ++k) {
        if (k > 0)
            periods.push_back(std::chrono::duration<double, std::milli>(fired[k] - fired[k - 1]).count());
        late += fired[k] - due > 2ms ? 1 : 0;
        due = (fired[k] - due > std::chrono::milliseconds {interval} ? fired[k] : due) + std::chrono::milliseconds {interval};
    }
    std::printf("time graph at %6d baud: 4 channels every %d ms for 10 s: %zu samples, period median %.3f ms, "
                "99th percentile %.3f ms, %.2f %% of ticks more than 2 ms late, %llu bytes (%.1f ms wire "
                "time per sample)\n",
        baud, interval, fired.size(), percentile(periods, 0.5), percentile(periods, 0.99),
        100.0 * late / static_cast<double>(fired.size()), static_cast<unsigned long long>(bench.factory.bytes),
        wireSeconds(bench.factory.bytes, baud) * 1e3 / static_cast<double>(fired.size()));
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    const auto program = lumetra::bench::podsimProgram(argc, argv);
    if (!program)
        return 2;
    const bool ok = memoryGraph(*program, 115200) && memoryGraph(*program, 921600) && timeGraph(*program, 921600);
    return ok ? 0 : 1;
}
