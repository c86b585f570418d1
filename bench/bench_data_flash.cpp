// Data-flash write and verify of a 256 KB boot table to an F28346 (AT25DF041A) against lumetra-podsim with wire
// time: the POD's host line at 921600 and its SCI line to the target at 115200. Prints the
// time against the wire limit (the larger of the host-side and target-side byte times of the frames the run sends,
// counted from a run without wire time), and the page records' share of that limit.
// Usage: bench_data_flash [path-to-lumetra-podsim]
#include "podsim_process.h"

#include "link/link_pause.h"
#include "link/pod_link.h"
#include "link/posix_transport_factory.h"
#include "programming/data_flash_run.h"
#include "programming/image_manifest.h"
#include "programming/simulation_images.h"
#include "sim/in_process_transport.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <string_view>

namespace {

using namespace lumetra;
using Clock = std::chrono::steady_clock;

constexpr int kDevice = 36; // F28346, 200 MHz
constexpr int kType = 1; // AT25DF041A
constexpr std::size_t kImageBytes = 0x40000;
constexpr int kTargetBaud = 115200;

class SilentDialog : public programming::DataFlashDialogPort {
public:
    void setRange(std::uint64_t) override { }
    void setPosition(std::uint64_t) override { }
    void log(std::string_view) override { }
    void setButtonEnabled(bool) override { }
    void finish(programming::DataFlashResult value) override { result = value; }
    programming::DataFlashResult result = programming::DataFlashResult::SciBootFailed;
};

const programming::DataFlashJob& job()
{
    static const programming::DataFlashJob made = [] {
        std::vector<std::uint8_t> bytes(kImageBytes);
        for (std::size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<std::uint8_t>((i * 31 + i / 256) % 0xFF);
        return programming::DataFlashJob {link::DataFlashMode::WriteVerify, kDevice, kType, false,
            image::DataFlashImage::ofBytes(std::move(bytes)),
            *programming::simulationImageSet().find(*programming::dataFlashAlgorithmName(kDevice))};
    }();
    return made;
}

bool writeAndVerify(link::CPodLink& link)
{
    SilentDialog dialog;
    const std::atomic<bool> cancel {false};
    programming::RunDataFlash({link, dialog, cancel, [](link::Milliseconds wait) { link::pause(wait); }}, job());
    return dialog.result == programming::DataFlashResult::ProgrammingVerifyingOk;
}

struct WireBytes {
    std::size_t host = 0; // frames with STX and ETX, and the acknowledgements
    std::size_t records = 0; // the share of the page records
    std::size_t targetWords = 0; // words the POD relays over its SCI line
};

WireBytes countFrames()
{
    sim::PodSimulator pod({.chip = sim::ChipConfig {kDevice}, .traceLimit = 1000000});
    sim::InProcessTransportFactory factory(pod);
    link::CPodLink link(factory);
    link.Connect(1, 4, false);
    pod.clearTrace();
    WireBytes bytes;
    if (!writeAndVerify(link))
        return bytes;
    for (const std::string& frame : pod.trace()) {
        const bool acknowledged = frame[0] != 'S' && frame[0] != 'J';
        const std::size_t size = frame.size() + 2 + (acknowledged ? 1 : 0);
        bytes.host += size;
        if (frame.starts_with(":73") || frame.starts_with(":74"))
            bytes.records += size;
        bytes.targetWords += std::string_view("UVXSYZJO").find(frame[0]) != std::string_view::npos;
    }
    return bytes;
}

bool overPty(const std::string& podsimProgram, int hostBaud, const WireBytes& bytes)
{
    bench::Podsim podsim(podsimProgram, hostBaud, {"--device", std::to_string(kDevice)});
    if (podsim.device().empty()) {
        std::printf("cannot start %s\n", podsimProgram.c_str());
        return false;
    }
    link::PosixTransportFactory factory({podsim.device(), link::D2xxLibrary::defaultName()});
    link::CPodLink link(factory);
    if (link.Connect(1, 4, false) != link::ConnectCode::Connected) {
        std::printf("cannot connect to %s\n", podsim.device().c_str());
        return false;
    }
    const auto start = Clock::now();
    const bool ok = writeAndVerify(link);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    const double hostTime = static_cast<double>(bytes.host) * 10.0 / hostBaud;
    const double targetTime = static_cast<double>(bytes.targetWords) * 20.0 / kTargetBaud;
    const double limit = std::max(hostTime, targetTime);
    const double records = static_cast<double>(bytes.records) * 10.0 / hostBaud;
    std::printf("podsim, host %6d %s: %6.2f s measured, wire limit %6.2f s (host %6.2f s, of it page records %6.2f s; "
                "target %5.2f s), ratio %.3f, %6.0f image bytes/s\n",
        hostBaud, ok ? "ok    " : "FAILED", seconds, limit, hostTime, records, targetTime, seconds / limit,
        static_cast<double>(kImageBytes) / seconds);
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
    std::printf("data-flash write and verify of %zu bytes to device %d: %zu host bytes (%zu in page records), %zu "
                "words relayed to the target\n",
        kImageBytes, kDevice, bytes.host, bytes.records, bytes.targetWords);
    return overPty(*podsimProgram, 921600, bytes) ? 0 : 1;
}
