// Every image an image set must hold: its name, the load address and length of each segment, and where the
// CSM keys go. The runs pick images by device code through the name functions below.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lumetra::programming {

struct SegmentShape {
    std::uint32_t address = 0;
    std::uint32_t words = 0;
};

// The word offsets of KEY0, KEY1, ... inside one segment.
struct KeySlots {
    std::size_t segment = 0;
    std::vector<std::size_t> offsets;
};

struct ImageShape {
    std::string name;
    std::vector<SegmentShape> segments;
    std::optional<KeySlots> keys;
    // A set written before the image existed may lack it; the run that needs it names it.
    bool mayBeAbsent = false;
};

std::span<const ImageShape> imageManifest();
const ImageShape* findImageShape(std::string_view name);

// The kernel, clear, erase and flash-program routines of an LF240x device (codes 0..5), in sending order.
inline constexpr std::size_t kLf240xRoutineCount = 4;
std::optional<std::array<std::string, kLf240xRoutineCount>> lf240xRoutineNames(int deviceCode);
// The flash algorithm of an F28x device with on-chip flash (6..35, 42..70).
std::optional<std::string> flashAlgorithmName(int deviceCode);
// The CSM matching flow of the devices that run one (6..13, 27..65).
std::optional<std::string> matchingFlowName(int deviceCode);
// The data-flash algorithm of the F2834x devices (36..41): one image per clock group, 200 MHz (36, 38, 40) and
// 300 MHz (37, 39, 41).
std::optional<std::string> dataFlashAlgorithmName(int deviceCode);
// How many leading segments of the flash algorithm are sent: 4 up to code 46, 3 for 47..65, 6 for 66..70.
std::size_t flashAlgorithmSegmentsSent(int deviceCode);

} // namespace lumetra::programming
