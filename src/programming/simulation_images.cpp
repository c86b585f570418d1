#include "programming/simulation_images.h"

#include "programming/image_manifest.h"

#include <algorithm>
#include <iterator>

namespace lumetra::programming {

namespace {

constexpr std::uint16_t kKeyPlaceholder = 0xFFFF;

std::uint32_t nameHash(std::string_view name)
{
    std::uint32_t hash = 2166136261u;
    for (const char c : name)
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    return hash;
}

ImageSegment simulationSegment(std::uint32_t seed, std::size_t index, const SegmentShape& shape)
{
    ImageSegment segment {shape.address, std::vector<std::uint16_t>(shape.words)};
    const bool signed_ = shape.words >= 6;
    for (std::size_t i = 0; i < segment.words.size(); ++i) {
        if (signed_ && i < std::size(kSimulationSignature)) {
            segment.words[i] = kSimulationSignature[i];
            continue;
        }
        const std::uint32_t mixed
            = (seed + static_cast<std::uint32_t>(index) * 0x9E3779B9u) ^ (static_cast<std::uint32_t>(i) * 0x85EBCA6Bu);
        segment.words[i] = static_cast<std::uint16_t>((mixed >> 16) ^ mixed);
    }
    return segment;
}

ImageSet buildSimulationSet()
{
    ImageSet set;
    set.kind = ImageSetKind::Simulation;
    for (const ImageShape& shape : imageManifest()) {
        TargetImage image;
        const std::uint32_t seed = nameHash(shape.name);
        for (std::size_t s = 0; s < shape.segments.size(); ++s)
            image.segments.push_back(simulationSegment(seed, s, shape.segments[s]));
        image.keys = shape.keys;
        if (shape.keys) {
            for (const std::size_t offset : shape.keys->offsets)
                image.segments[shape.keys->segment].words[offset] = kKeyPlaceholder;
        }
        set.images.emplace(shape.name, std::move(image));
    }
    return set;
}

} // namespace

const ImageSet& simulationImageSet()
{
    static const ImageSet set = buildSimulationSet();
    return set;
}

bool carriesSimulationSignature(const ImageSet& set)
{
    for (const auto& [name, image] : set.images) {
        for (const ImageSegment& segment : image.segments) {
            if (segment.words.size() >= std::size(kSimulationSignature)
                && std::equal(std::begin(kSimulationSignature), std::end(kSimulationSignature), segment.words.begin()))
                return true;
        }
    }
    return false;
}

} // namespace lumetra::programming
