#include "graph/session/sample_wire_time.h"

#include "graph/session/sample_conversion.h"
#include "graph/session/sample_times.h"
#include "link/pod_frames.h"

#include <cstdint>
#include <string>

namespace lumetra::graph {

namespace {

constexpr int kSerialLineBaud = 115200; // the serial transports' fixed speed
constexpr std::int64_t kBitsPerByte = 10;

} // namespace

std::size_t channelReadBytes(std::uint32_t type)
{
    const std::optional<SampleRead> how = sampleReadOf(type);
    if (!how) {
        return 0;
    }
    const std::size_t address = link::addressFrame(0)->size() + 1; // and its '!'
    const std::size_t read = link::frame(std::string(1, how->mode)).size();
    const std::size_t reply = static_cast<std::size_t>(link::readReplyDigits(how->mode)) + 1; // digits and CR
    return address + read + reply;
}

std::chrono::microseconds sampleWireTime(std::span<const GraphChannel> channels, int baud)
{
    if (baud <= 0) {
        return std::chrono::microseconds {0};
    }
    std::int64_t bytes = 0;
    for (const GraphChannel& channel : channels) {
        bytes += static_cast<std::int64_t>(channelReadBytes(channel.type));
    }
    return std::chrono::microseconds {(bytes * kBitsPerByte * 1'000'000 + baud / 2) / baud};
}

int podLineBaud(bool usb, link::PodKind kind)
{
    if (!usb) {
        return kSerialLineBaud;
    }
    return kind == link::PodKind::UtaPod ? link::kUtaPodBaud : link::kUsbPodBaud;
}

std::optional<core::DialogMessage> intervalWarning(
    const GraphEnvironment& environment, std::span<const GraphChannel> channels, int baud)
{
    if (environment.kind != GraphKind::Time || environment.interval <= 0) {
        return std::nullopt;
    }
    const std::chrono::microseconds wire = sampleWireTime(channels, baud);
    if (std::chrono::milliseconds {environment.interval} >= wire) {
        return std::nullopt;
    }
    return core::DialogMessage {"시간 간격(" + std::to_string(environment.interval) + " ms)이 한 샘플을 읽는 통신 시간("
            + sampleTimeText(wire) + " ms)보다 짧아 샘플이 늦어지거나 빠질 수 "
              "있읍니다.",
        core::MessageIcon::Information};
}

} // namespace lumetra::graph
