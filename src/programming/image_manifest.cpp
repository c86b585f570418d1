#include "programming/image_manifest.h"

#include "core/device_catalogue.h"

#include <algorithm>
#include <cstdio>

namespace lumetra::programming {

namespace {

constexpr std::size_t kKeyWords = 8;
// The entry branch: two words at address 0 that the boot loader's stream jumps through.
constexpr SegmentShape kLeadSegment {0x000000, 2, true, true};

// A flash-algorithm layout of one device line: the segments after the 2-word lead segment, and the key block.
// The clock variants of a line lengthen one segment by `delta` words; on some lines the key block moves with it.
struct AlgorithmLine {
    std::vector<SegmentShape> segments;
    std::size_t keySegment; // counted with the lead segment
    std::size_t keyOffset;
    std::size_t growingSegment; // counted with the lead segment
    bool keyMovesWithDelta;
};

struct AlgorithmRow {
    int firstCode;
    int lastCode;
    const AlgorithmLine* line;
    std::vector<std::uint32_t> deltas; // one per code of the range
};

const AlgorithmLine kF280x {{{0x008000, 1859}, {0x008743, 78}, {0x008792, 20}}, 1, 1844, 3, false};
const AlgorithmLine kF2808 {{{0x3FA000, 1878}, {0x3FA756, 40}, {0x3FA7A0, 16}}, 1, 466, 2, false};
const AlgorithmLine kF281x {{{0x3F8002, 1880}, {0x3F8760, 30}, {0x3F87AC, 50}}, 1, 445, 1, true};
const AlgorithmLine kF2823x {{{0x008000, 1902}, {0x00876E, 80}, {0x0087BE, 24}}, 1, 1886, 3, false};
const AlgorithmLine kF2802xRev0 {{{0x008000, 1420}, {0x00858C, 60}, {0x0085C8, 16}}, 1, 1404, 3, false};
const AlgorithmLine kF2802xRevA {{{0x008000, 640}, {0x008280, 40}}, 1, 632, 2, false};
const AlgorithmLine kF2803x {{{0x008000, 692}, {0x0082B4, 48}}, 1, 684, 2, false};
const AlgorithmLine kF2806x {{{0x008000, 720}, {0x0082D0, 52}}, 1, 712, 2, false};
// F2837xS: the fourth segment after the lead one is the key block.
const AlgorithmLine kF2837xS {
    {{0x00C000, 114}, {0x00C072, 64}, {0x00EC56, 112}, {0x00ECC6, 8}, {0x00C0B2, 4853}}, 4, 0, 5, false};

const std::vector<AlgorithmRow>& algorithmRows()
{
    static const std::vector<AlgorithmRow> rows {
        {6, 13, &kF280x, {0, 1, 2, 0, 1, 2, 1, 2}},
        {14, 17, &kF2808, {0, 1, 0, 1}},
        {18, 26, &kF281x, {0, 1, 1, 0, 1, 1, 0, 1, 1}},
        {27, 29, &kF280x, {0, 0, 2}},
        {30, 35, &kF2823x, {0, 1, 1, 0, 1, 1}},
        {42, 46, &kF2802xRev0, {0, 0, 0, 1, 1}},
        {47, 51, &kF2802xRevA, {0, 0, 0, 1, 1}},
        {52, 57, &kF2803x, {0, 0, 0, 1, 1, 1}},
        {58, 65, &kF2806x, {0, 0, 0, 0, 1, 1, 1, 1}},
        {66, 70, &kF2837xS, {0, 0, 0, 0, 0}},
    };
    return rows;
}

std::vector<std::size_t> consecutive(std::size_t first, std::size_t count)
{
    std::vector<std::size_t> offsets(count);
    for (std::size_t i = 0; i < count; ++i)
        offsets[i] = first + i;
    return offsets;
}

void fixSegment(SegmentShape& segment, bool wordsToo)
{
    segment.addressFixed = true;
    segment.wordsFixed = wordsToo;
}

void fixKeys(ImageShape& shape, std::vector<std::size_t> firstOffsets)
{
    shape.keySegmentFixed = true;
    shape.keyFirstOffsets = std::move(firstOffsets);
}

// What the device rows give of a flash algorithm beyond its segment count and entry branch; the rest of the
// manifest's layout is a default an image of its own may differ from.
void markFixedFacts(int code, ImageShape& shape)
{
    auto& segments = shape.segments;
    if (code == 6 || code >= 66) {
        for (SegmentShape& segment : segments)
            fixSegment(segment, true);
        fixKeys(shape, {shape.keys->offsets.front()});
    } else if (code == 14) {
        fixSegment(segments[1], true);
        fixKeys(shape, {466});
    } else if (code >= 18 && code <= 26) {
        fixSegment(segments[1], false);
        fixSegment(segments[3], true);
        fixKeys(shape, {445, 446});
    } else if (code >= 52 && code <= 57) {
        fixSegment(segments[1], true);
        fixSegment(segments[2], false);
        fixKeys(shape, {684});
    }
}

// A layout every image of the name keeps: all segments and the key slots.
ImageShape fixedShape(std::string name, std::vector<SegmentShape> segments, std::optional<KeySlots> keys)
{
    for (SegmentShape& segment : segments)
        fixSegment(segment, true);
    ImageShape shape;
    shape.name = std::move(name);
    shape.segments = std::move(segments);
    shape.keys = std::move(keys);
    if (shape.keys)
        fixKeys(shape, {shape.keys->offsets.front()});
    return shape;
}

ImageShape algorithmShape(int code, const AlgorithmRow& row)
{
    const std::uint32_t delta = row.deltas[static_cast<std::size_t>(code - row.firstCode)];
    ImageShape shape;
    shape.name = *flashAlgorithmName(code);
    shape.segments.push_back(kLeadSegment);
    shape.segments.insert(shape.segments.end(), row.line->segments.begin(), row.line->segments.end());
    shape.segments[row.line->growingSegment].words += delta;
    const std::size_t keyOffset = row.line->keyOffset + (row.line->keyMovesWithDelta ? delta : 0);
    shape.keys = KeySlots {row.line->keySegment, consecutive(keyOffset, kKeyWords)};
    markFixedFacts(code, shape);
    return shape;
}

struct FlowLine {
    const char* name;
    std::vector<SegmentShape> segments;
};

const std::vector<FlowLine>& flowLines()
{
    static const std::vector<FlowLine> lines {
        {"csm-flow-f280x", {{0x0000, 42}, {0x0450, 8}}},
        {"csm-flow-f2823x", {{0x0000, 2}, {0x0050, 47}, {0x0400, 8}}},
        {"csm-flow-f2833x", {{0x0000, 2}, {0x0050, 47}, {0x0400, 8}}},
        {"csm-flow-f2802x", {{0x0000, 2}, {0x0080, 47}, {0x0480, 8}}},
        {"csm-flow-f2803x", {{0x0000, 2}, {0x0080, 47}, {0x0480, 8}}},
        {"csm-flow-f2806x", {{0x0000, 2}, {0x0080, 47}, {0x0480, 8}}},
    };
    return lines;
}

struct Lf240xVariant {
    const char* name;
    std::uint32_t eraseWords;
};

constexpr Lf240xVariant kLf240xVariants[]
    = {{"lf2401a-30mhz", 222}, {"lf2401a-40mhz", 222}, {"lf2407a-30mhz", 245}, {"lf2407a-40mhz", 245}};
constexpr const char* kRoutineSuffixes[kLf240xRoutineCount] = {"kernel", "clear", "erase", "program"};
constexpr std::uint32_t kKernelWords = 124;
constexpr std::uint32_t kClearWords = 193;
constexpr std::uint32_t kProgramWords = 195;
constexpr std::size_t kKernelKeyOffsets[] = {16, 18, 20, 22};

std::string routineName(const Lf240xVariant& variant, std::size_t routine)
{
    return std::string("lf240x-") + variant.name + "-" + kRoutineSuffixes[routine];
}

const Lf240xVariant& lf240xVariantOf(int deviceCode)
{
    // 0 and 1 are the LF2401A; 2 and 4, 3 and 5 share the images of their clock.
    const std::size_t index = deviceCode < 2 ? static_cast<std::size_t>(deviceCode) : 2 + (deviceCode % 2 == 1);
    return kLf240xVariants[index];
}

constexpr const char* kDataFlashAlgorithm200Mhz = "data-flash-algorithm-200mhz";
constexpr const char* kDataFlashAlgorithm300Mhz = "data-flash-algorithm-300mhz";

// The 300 MHz set moves two segments by one word and lengthens the main one by one.
std::vector<SegmentShape> dataFlashAlgorithmSegments(std::uint32_t shift)
{
    return {kLeadSegment, {0x894E + shift, 4}, {0x8000, 2302 + shift}, {0x88FE + shift, 80}, {0xC14E, 256}};
}

// The LF240x routines are sent without addresses: only their lengths and the kernel's key words are fixed.
ImageShape routineShape(const Lf240xVariant& variant, std::size_t routine, std::uint32_t words)
{
    ImageShape shape;
    shape.name = routineName(variant, routine);
    shape.segments = {{0, words, false, true}};
    if (routine == 0) {
        shape.keys = KeySlots {0, {std::begin(kKernelKeyOffsets), std::end(kKernelKeyOffsets)}};
        fixKeys(shape, {kKernelKeyOffsets[0]});
    }
    return shape;
}

std::vector<ImageShape> buildManifest()
{
    std::vector<ImageShape> manifest;
    for (const Lf240xVariant& variant : kLf240xVariants) {
        const std::uint32_t lengths[kLf240xRoutineCount]
            = {kKernelWords, kClearWords, variant.eraseWords, kProgramWords};
        for (std::size_t routine = 0; routine < kLf240xRoutineCount; ++routine)
            manifest.push_back(routineShape(variant, routine, lengths[routine]));
    }
    for (const AlgorithmRow& row : algorithmRows()) {
        for (int code = row.firstCode; code <= row.lastCode; ++code)
            manifest.push_back(algorithmShape(code, row));
    }
    for (const FlowLine& line : flowLines()) {
        const std::size_t keySegment = line.segments.size() - 1;
        manifest.push_back(fixedShape(line.name, line.segments, KeySlots {keySegment, consecutive(0, kKeyWords)}));
    }
    manifest.push_back(fixedShape(kDataFlashAlgorithm200Mhz, dataFlashAlgorithmSegments(0), std::nullopt));
    manifest.push_back(fixedShape(kDataFlashAlgorithm300Mhz, dataFlashAlgorithmSegments(1), std::nullopt));
    return manifest;
}

} // namespace

std::span<const ImageShape> imageManifest()
{
    static const std::vector<ImageShape> manifest = buildManifest();
    return manifest;
}

const ImageShape* findImageShape(std::string_view name)
{
    const auto manifest = imageManifest();
    const auto found = std::find_if(
        manifest.begin(), manifest.end(), [name](const ImageShape& shape) { return shape.name == name; });
    return found == manifest.end() ? nullptr : &*found;
}

KeySlots keySlotsAt(const ImageShape& shape, std::size_t segment, std::size_t first)
{
    KeySlots slots {segment, shape.keys->offsets};
    const std::size_t defaultFirst = slots.offsets.front();
    for (std::size_t& offset : slots.offsets)
        offset = offset - defaultFirst + first;
    return slots;
}

bool keySlotsFixed(const ImageShape& shape)
{
    return shape.keySegmentFixed && shape.keyFirstOffsets.size() == 1;
}

std::vector<int> devicesSending(std::string_view name)
{
    std::vector<int> codes;
    for (int code = 0; code < core::kDeviceCount; ++code) {
        const auto names = imagesOfDevice(code);
        if (std::find(names.begin(), names.end(), name) != names.end())
            codes.push_back(code);
    }
    return codes;
}

std::string_view imageUse(std::string_view name)
{
    if (findImageShape(name) == nullptr)
        return {};
    if (name.starts_with("lf240x-"))
        return "LF240x download";
    if (name.starts_with("csm-flow-"))
        return "CSM unlock";
    return name.starts_with("data-flash-") ? "data flash" : "flash download";
}

std::vector<std::string> imagesOfDevice(int deviceCode)
{
    if (const auto routines = lf240xRoutineNames(deviceCode))
        return {routines->begin(), routines->end()};
    std::vector<std::string> names;
    for (auto name : {flashAlgorithmName(deviceCode), matchingFlowName(deviceCode), dataFlashAlgorithmName(deviceCode)}) {
        if (name)
            names.push_back(std::move(*name));
    }
    return names;
}

std::optional<std::array<std::string, kLf240xRoutineCount>> lf240xRoutineNames(int deviceCode)
{
    if (!core::isValidDeviceIndex(deviceCode) || core::familyOf(deviceCode) != core::Family::Lf240x)
        return std::nullopt;
    const Lf240xVariant& variant = lf240xVariantOf(deviceCode);
    std::array<std::string, kLf240xRoutineCount> names;
    for (std::size_t routine = 0; routine < kLf240xRoutineCount; ++routine)
        names[routine] = routineName(variant, routine);
    return names;
}

std::optional<std::string> flashAlgorithmName(int deviceCode)
{
    const auto& rows = algorithmRows();
    const bool hasRow = std::any_of(rows.begin(), rows.end(),
        [deviceCode](const AlgorithmRow& row) { return deviceCode >= row.firstCode && deviceCode <= row.lastCode; });
    if (!hasRow)
        return std::nullopt;
    char name[32];
    std::snprintf(name, sizeof name, "flash-algorithm-%02d", deviceCode);
    return name;
}

std::optional<std::string> matchingFlowName(int deviceCode)
{
    if ((deviceCode >= 6 && deviceCode <= 13) || (deviceCode >= 27 && deviceCode <= 29))
        return "csm-flow-f280x";
    if (deviceCode >= 30 && deviceCode <= 32)
        return "csm-flow-f2823x";
    if (deviceCode >= 33 && deviceCode <= 35)
        return "csm-flow-f2833x";
    if (deviceCode >= 42 && deviceCode <= 46)
        return "csm-flow-f2802x";
    if (deviceCode >= 52 && deviceCode <= 57)
        return "csm-flow-f2803x";
    if ((deviceCode >= 47 && deviceCode <= 51) || (deviceCode >= 58 && deviceCode <= 65))
        return "csm-flow-f2806x";
    return std::nullopt;
}

std::optional<std::string> dataFlashAlgorithmName(int deviceCode)
{
    if (!core::isValidDeviceIndex(deviceCode) || !core::hasDataFlash(deviceCode))
        return std::nullopt;
    return deviceCode % 2 == 0 ? kDataFlashAlgorithm200Mhz : kDataFlashAlgorithm300Mhz;
}

std::size_t flashAlgorithmSegmentsSent(int deviceCode)
{
    if (deviceCode >= 66)
        return 6;
    return deviceCode >= 47 ? 3 : 4;
}

} // namespace lumetra::programming
