// Every image the runs may send: its name, the load address and length of each segment and where the CSM keys
// go by default, and which of these an image of that name must keep because the boot streams and the device
// rows depend on them. The runs pick images by device code through the name functions below.
#pragma once

#include "programming/target_image.h"

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
    // An image of the name must have this segment at this address, or of this length.
    bool addressFixed = false;
    bool wordsFixed = false;
};

struct ImageShape {
    std::string name;
    // The segment count is always fixed; the addresses and lengths are defaults where not marked fixed.
    std::vector<SegmentShape> segments;
    // The default key slots (those of a set that names none); their spacing is fixed.
    std::optional<KeySlots> keys;
    // When set, the key slots must lie in keys->segment, their first at one of keyFirstOffsets (any when empty).
    bool keySegmentFixed = false;
    std::vector<std::size_t> keyFirstOffsets;
};

std::span<const ImageShape> imageManifest();
const ImageShape* findImageShape(std::string_view name);
// The shape's key slots moved to begin at `first` of `segment`.
KeySlots keySlotsAt(const ImageShape& shape, std::size_t segment, std::size_t first);
// True when an image of the shape may have its keys nowhere but at the default slots.
bool keySlotsFixed(const ImageShape& shape);
// The device codes whose runs send the image, ascending.
std::vector<int> devicesSending(std::string_view name);
// What the runs use the image for: "flash download", "CSM unlock", "data flash" or "LF240x download"; empty
// for a name not in the manifest.
std::string_view imageUse(std::string_view name);
// Every image the runs of the device may send: the LF240x routines, or the flash algorithm, the matching flow
// and the data-flash algorithm that the device has.
std::vector<std::string> imagesOfDevice(int deviceCode);

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
