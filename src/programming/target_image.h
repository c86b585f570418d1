// Target code the runs send but do not contain: images of segments (load address and words), read from an
// image set at run time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace lumetra::programming {

struct ImageSegment {
    std::uint32_t address = 0;
    std::vector<std::uint16_t> words;

    bool operator==(const ImageSegment&) const = default;
};

// The word offsets of KEY0, KEY1, ... inside one segment of an image.
struct KeySlots {
    std::size_t segment = 0;
    std::vector<std::size_t> offsets;

    bool operator==(const KeySlots&) const = default;
};

struct TargetImage {
    std::vector<ImageSegment> segments;
    // Where the CSM keys go; unset for an image that takes none.
    std::optional<KeySlots> keys;

    std::size_t totalWords() const;
    bool operator==(const TargetImage&) const = default;
};

// Whose code a set holds: the build's simulation set may only go to the simulated target.
enum class ImageSetKind { Simulation, Target };

struct ImageSet {
    ImageSetKind kind = ImageSetKind::Simulation;
    std::map<std::string, TargetImage, std::less<>> images;

    // nullptr when the set has no image of that name.
    const TargetImage* find(std::string_view name) const;
};

} // namespace lumetra::programming
