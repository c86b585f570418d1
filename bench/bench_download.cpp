// Flash download of a 32 K-word program to an F28335 against the simulator with wire time on both lines: the POD's
// host line (115200 over COM, 921600 serial and 921600 over the POD's USB batching) and its SCI line to the target
// at 115200. Prints the time against the wire limit (the larger of the host-side and target-side byte times of the
// frames the run sends, counted from a run without wire time) and the words written per second.
// Usage: bench_download [path-to-lumetra-podsim]
#include "podsim_link.h"

#include "link/pod_link.h"
#include "programming/programming_runs.h"
#include "programming/simulation_images.h"
#include "sim/in_process_transport.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <string_view>

namespace {

using namespace lumetra;
using Clock = std::chrono::steady_clock;

constexpr int kDevice = 35; // F28335
constexpr std::uint32_t kProgramStart = 0x338000; // sector A, 32 K words
constexpr std::size_t kProgramWords = 0x8000;
constexpr int kTargetBaud = 115200;

class SilentProgress : public programming::ProgressPort {
public:
    void showProgress() override { }
    void setStep(std::string_view) override { }
    void setRange(std::uint64_t) override { }
    void setPosition(std::uint64_t) override { }
    bool cancelRequested() override { return false; }
    void setButtonEnabled(bool) override { }
    void beginErase() override { }
    void endErase() override { }
    void showResult(programming::RunResult) override { }
};

programming::ProgramData program()
{
    programming::ProgramSection section {
        kProgramStart, std::vector<std::uint16_t>(kProgramWords), true, false, ".text"};
    for (std::size_t i = 0; i < kProgramWords; ++i)
        section.words[i] = static_cast<std::uint16_t>(i * 31 + 7);
    programming::ProgramData data;
    data.targetId = 0x009D;
    data.totalBytes = kProgramWords * 2;
    data.summary.mask = 0x0001;
    data.summary.flashSections = 1;
    data.summary.flashBytes = kProgramWords * 2;
    data.summary.firstBankData = true;
    data.sections.push_back(std::move(section));
    return data;
}

const programming::RunImages& images()
{
    static const programming::RunImages placed = std::get<programming::RunImages>(
        programming::PlaceKeys(programming::simulationImageSet(), kDevice, {}, true));
    return placed;
}

programming::RunResult flash(link::CPodLink& link)
{
    SilentProgress progress;
    const programming::ProgramData data = program();
    return programming::RunF28xFlash({link, progress, kDevice, false, false, images(), data});
}

using bench::WireBytes;

// The frames of a run, counted on an in-process simulator without wire time.
WireBytes countFrames()
{
    sim::PodSimulator pod({.chip = sim::ChipConfig {kDevice}, .traceLimit = 1000000});
    sim::InProcessTransportFactory factory(pod);
    link::CPodLink link(factory);
    link.Connect(1, 4, false);
    pod.clearTrace();
    if (flash(link) != programming::RunResult::FlashWritingCompleted)
        return {};
    return bench::wireBytesOf(pod.trace());
}

void report(const char* name, int hostBaud, const WireBytes& bytes, double seconds, bool ok)
{
    const double hostTime = static_cast<double>(bytes.host) * 10.0 / hostBaud;
    const double targetTime = static_cast<double>(bytes.targetWords) * 20.0 / kTargetBaud;
    const double limit = std::max(hostTime, targetTime);
    std::printf("%-26s %s: %7.2f s measured, wire limit %6.2f s (host %6.2f s, target %6.2f s), ratio %.3f, %6.0f "
                "words/s\n",
        name, ok ? "ok    " : "FAILED", seconds, limit, hostTime, targetTime, seconds / limit,
        static_cast<double>(kProgramWords) / seconds);
}

bool overPty(const std::string& podsimProgram, int hostBaud, const WireBytes& bytes)
{
    const auto run = bench::timeOverPodsim(podsimProgram, hostBaud, {"--device", std::to_string(kDevice)},
        [](link::CPodLink& link) { return flash(link) == programming::RunResult::FlashWritingCompleted; });
    if (!run)
        return false;
    report(hostBaud == 115200 ? "podsim, COM 115200" : "podsim, serial 921600", hostBaud, bytes, run->seconds, run->ok);
    return run->ok;
}

bool overUsb(const WireBytes& bytes)
{
    sim::PodSimulator pod({.wireTime = true, .chip = sim::ChipConfig {kDevice}});
    sim::InProcessTransportFactory factory(pod);
    link::CPodLink link(factory);
    if (!link.LoadDriver() || !link.FindUsbPod() || link.Connect(1, 4, true) != link::ConnectCode::Connected) {
        std::printf("cannot connect to the simulated USB POD\n");
        return false;
    }
    const auto start = Clock::now();
    const bool ok = flash(link) == programming::RunResult::FlashWritingCompleted;
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    report("simulator, USB 921600", pod.hostBaud(), bytes, seconds, ok);
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    const auto podsimProgram = bench::podsimProgram(argc, argv);
    if (!podsimProgram)
        return 2;
    const WireBytes bytes = countFrames();
    if (bytes.host == 0) {
        std::printf("the counting run failed\n");
        return 1;
    }
    std::printf("flash download of %zu words to device %d: %zu host bytes, %zu words relayed to the target\n",
        kProgramWords, kDevice, bytes.host, bytes.targetWords);
    const bool ok = overUsb(bytes) & overPty(*podsimProgram, 921600, bytes) & overPty(*podsimProgram, 115200, bytes);
    return ok ? 0 : 1;
}
