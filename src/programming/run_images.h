// The images one run sends, copied out of the image set with the CSM keys (or their defaults) in their key
// blocks: the kernel gets KEY0..KEY3 or 0x0000, the flash algorithm and the matching flow KEY0..KEY7 or 0xFFFF.
#pragma once

#include "programming/image_manifest.h"
#include "programming/target_image.h"

#include "core/configuration.h"

#include <array>
#include <optional>
#include <string>
#include <vector>
#include <variant>

namespace lumetra::programming {

struct CsmChoice {
    bool use = false;
    core::CsmKeys keys {};
};

struct RunImages {
    std::array<TargetImage, kLf240xRoutineCount> lf240xRoutines; // LF240x devices
    std::optional<TargetImage> flashAlgorithm; // withFlashRoutines, F28x devices with flash
    std::optional<TargetImage> matchingFlow; // F28x devices that run one
};

// Which images a run of the device needs from a set. The matching flow is needed only with the CSM option on.
bool runNeedsImages(int deviceCode, bool flashRun, bool csmUse);

// The images of the device (imagesOfDevice) that the set lacks.
std::vector<std::string> missingImages(const ImageSet& set, int deviceCode);
// The device codes whose every image the set holds.
std::vector<int> devicesServed(const ImageSet& set);

// A copy of the device's images with the keys placed; the name of a missing image when the set lacks one.
std::variant<RunImages, std::string> PlaceKeys(
    const ImageSet& set, int deviceCode, const CsmChoice& csm, bool withFlashRoutines);

} // namespace lumetra::programming
