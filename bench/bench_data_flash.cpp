// Data-flash write and verify of a 256 KB boot table to an F28346 (AT25DF041A) against lumetra-podsim with wire
// time: the POD's host line at 921600 and its SCI line to the target at 115200. Prints the
// time against the wire limit (the larger of the host-side and target-side byte times of the frames the run sends,
// counted from a run without wire time), and the page records' share of that limit.
// Usage: bench_data_flash [path-to-lumetra-podsim]
#include "podsim_link.h"

#include "link/pod_link.h"
#include "programming/data_flash_run.h"
#include "programming/image_manifest.h"
#include "programming/simulation_images.h"
#include "sim/in_process_transport.h"

#include <cstdio>
#include <string>
#include <string_view>

namespace {

using namespace lumetra;

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
    programming::RunDataFlash({link, dialog, cancel, [&link](link::Milliseconds wait) { link.pause(wait); }}, job());
    return dialog.result == programming::DataFlashResult::ProgrammingVerifyingOk;
}

struct WireBytes {
    bench::WireBytes run;
    std::size_t records = 0; // the page records' share of the host bytes
};

WireBytes countFrames()
{
    sim::PodSimulator pod({.chip = sim::ChipConfig {kDevice}, .traceLimit = 1000000});
    sim::InProcessTransportFactory factory(pod);
    link::CPodLink link(factory);
    link.Connect(1, 4, false);
    pod.clearTrace();
    if (!writeAndVerify(link))
        return {};
    WireBytes bytes {bench::wireBytesOf(pod.trace()), 0};
    for (const std::string& frame : pod.trace()) {
        if (frame.starts_with(":73") || frame.starts_with(":74"))
            bytes.records += bench::hostBytesOf(frame);
    }
    return bytes;
}

bool overPty(const std::string& podsimProgram, int hostBaud, const WireBytes& bytes)
{
    const auto run = bench::timeOverPodsim(podsimProgram, hostBaud, {"--device", std::to_string(kDevice)},
        [](link::CPodLink& link) { return writeAndVerify(link); });
    if (!run)
        return false;
    const double hostTime = static_cast<double>(bytes.run.host) * 10.0 / hostBaud;
    const double targetTime = static_cast<double>(bytes.run.targetWords) * 20.0 / kTargetBaud;
    const double limit = std::max(hostTime, targetTime);
    const double records = static_cast<double>(bytes.records) * 10.0 / hostBaud;
    std::printf("podsim, host %6d %s: %6.2f s measured, wire limit %6.2f s (host %6.2f s, of it page records %6.2f s; "
                "target %5.2f s), ratio %.3f, %6.0f image bytes/s\n",
        hostBaud, run->ok ? "ok    " : "FAILED", run->seconds, limit, hostTime, records, targetTime,
        run->seconds / limit, static_cast<double>(kImageBytes) / run->seconds);
    return run->ok;
}

} // namespace

int main(int argc, char** argv)
{
    const auto podsimProgram = bench::podsimProgram(argc, argv);
    if (!podsimProgram)
        return 2;
    const WireBytes bytes = countFrames();
    if (bytes.run.host == 0) {
        std::printf("the counting run failed\n");
        return 1;
    }
    std::printf("data-flash write and verify of %zu bytes to device %d: %zu host bytes (%zu in page records), %zu "
                "words relayed to the target\n",
        kImageBytes, kDevice, bytes.run.host, bytes.records, bytes.run.targetWords);
    return overPty(*podsimProgram, 921600, bytes) ? 0 : 1;
}
