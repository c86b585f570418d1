#include "programming/run_images.h"

#include "core/device_catalogue.h"

namespace lumetra::programming {

namespace {

constexpr std::uint16_t kKernelKeyDefault = 0x0000;
constexpr std::size_t kLf240xKeyCount = 4;

// The image with the keys written into its own key slots; false when the set lacks it or its slots do not fit.
bool copyWithKeys(const ImageSet& set, const std::string& name, const core::CsmKeys& keys, TargetImage& out)
{
    const TargetImage* image = set.find(name);
    if (image == nullptr)
        return false;
    out = *image;
    if (!out.keys)
        return true;
    const KeySlots& slots = *out.keys;
    if (slots.segment >= out.segments.size())
        return false;
    std::vector<std::uint16_t>& words = out.segments[slots.segment].words;
    for (std::size_t k = 0; k < slots.offsets.size() && k < keys.size(); ++k) {
        if (slots.offsets[k] >= words.size())
            return false;
        words[slots.offsets[k]] = keys[k];
    }
    return true;
}

core::CsmKeys keysFor(const CsmChoice& csm, std::size_t count, std::uint16_t fallback)
{
    core::CsmKeys keys;
    keys.fill(fallback);
    if (csm.use) {
        for (std::size_t k = 0; k < count; ++k)
            keys[k] = csm.keys[k];
    }
    return keys;
}

} // namespace

bool runNeedsImages(int deviceCode, bool flashRun, bool csmUse)
{
    if (core::familyOf(deviceCode) == core::Family::Lf240x)
        return true;
    if (flashRun && flashAlgorithmName(deviceCode))
        return true;
    return csmUse && matchingFlowName(deviceCode).has_value();
}

std::vector<std::string> missingImages(const ImageSet& set, int deviceCode)
{
    std::vector<std::string> missing;
    for (std::string& name : imagesOfDevice(deviceCode)) {
        if (set.find(name) == nullptr)
            missing.push_back(std::move(name));
    }
    return missing;
}

std::vector<int> devicesServed(const ImageSet& set)
{
    std::vector<int> codes;
    for (int code = 0; code < core::kDeviceCount; ++code) {
        if (missingImages(set, code).empty())
            codes.push_back(code);
    }
    return codes;
}

std::variant<RunImages, std::string> PlaceKeys(
    const ImageSet& set, int deviceCode, const CsmChoice& csm, bool withFlashRoutines)
{
    RunImages images;
    if (const auto routines = lf240xRoutineNames(deviceCode)) {
        const core::CsmKeys keys = keysFor(csm, kLf240xKeyCount, kKernelKeyDefault);
        for (std::size_t r = 0; r < kLf240xRoutineCount; ++r) {
            if (!copyWithKeys(set, (*routines)[r], keys, images.lf240xRoutines[r]))
                return (*routines)[r];
        }
        return images;
    }
    const core::CsmKeys keys = keysFor(csm, core::kCsmKeyWordCount, core::kErasedKeyWord);
    // Without the CSM option the flow is not sent: a set may lack it.
    const auto flow = matchingFlowName(deviceCode);
    if (flow && (csm.use || set.find(*flow) != nullptr)) {
        images.matchingFlow.emplace();
        if (!copyWithKeys(set, *flow, keys, *images.matchingFlow))
            return *flow;
    }
    if (withFlashRoutines) {
        if (const auto algorithm = flashAlgorithmName(deviceCode)) {
            images.flashAlgorithm.emplace();
            if (!copyWithKeys(set, *algorithm, keys, *images.flashAlgorithm))
                return *algorithm;
        }
    }
    return images;
}

} // namespace lumetra::programming
