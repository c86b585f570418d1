// The image manifest, the image set file and its checks, the choice between the user's set and the simulation
// set, and the keys placed into the images of a run.
#include "programming/image_manifest.h"
#include "programming/image_set_choice.h"
#include "programming/image_set_file.h"
#include "programming/run_images.h"
#include "programming/simulation_images.h"

#include "support/test_paths.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <fstream>

namespace lumetra::programming {
namespace {

std::vector<std::pair<std::uint32_t, std::uint32_t>> shapeOf(const std::string& name)
{
    std::vector<std::pair<std::uint32_t, std::uint32_t>> shape;
    for (const SegmentShape& segment : findImageShape(name)->segments)
        shape.emplace_back(segment.address, segment.words);
    return shape;
}

using Shape = std::vector<std::pair<std::uint32_t, std::uint32_t>>;

TEST(ImageManifest, RowsGivenForTheDevices)
{
    EXPECT_EQ(shapeOf("flash-algorithm-06"), (Shape {{0, 2}, {0x8000, 1859}, {0x8743, 78}, {0x8792, 20}}));
    EXPECT_EQ(findImageShape("flash-algorithm-06")->keys->segment, 1u);
    EXPECT_EQ(findImageShape("flash-algorithm-06")->keys->offsets.front(), 1844u);
    EXPECT_EQ(shapeOf("flash-algorithm-14")[1], (std::pair<std::uint32_t, std::uint32_t> {0x3FA000, 1878}));
    EXPECT_EQ(findImageShape("flash-algorithm-14")->keys->offsets.front(), 466u);
    for (int code = 18; code <= 26; ++code) {
        const std::string name = *flashAlgorithmName(code);
        const Shape shape = shapeOf(name);
        ASSERT_EQ(shape.size(), 4u) << name;
        EXPECT_EQ(shape[1].first, 0x3F8002u);
        EXPECT_TRUE(shape[1].second == 1880 || shape[1].second == 1881) << name;
        EXPECT_EQ(shape[3], (std::pair<std::uint32_t, std::uint32_t> {0x3F87AC, 50}));
        EXPECT_EQ(findImageShape(name)->keys->offsets.front(), 445u + (shape[1].second - 1880)) << name;
    }
    EXPECT_EQ(shapeOf("flash-algorithm-52"), (Shape {{0, 2}, {0x8000, 692}, {0x82B4, 48}}));
    EXPECT_EQ(findImageShape("flash-algorithm-52")->keys->offsets.front(), 684u);
    EXPECT_EQ(shapeOf("flash-algorithm-68"),
        (Shape {{0, 2}, {0xC000, 114}, {0xC072, 64}, {0xEC56, 112}, {0xECC6, 8}, {0xC0B2, 4853}}));
    EXPECT_EQ(findImageShape("flash-algorithm-68")->keys->segment, 4u);
    EXPECT_EQ(findImageShape("flash-algorithm-68")->keys->offsets, (std::vector<std::size_t> {0, 1, 2, 3, 4, 5, 6, 7}));
}

TEST(ImageManifest, EveryFlashDeviceHasItsOwnRowThatFitsTheSegmentsSent)
{
    for (int code = 0; code <= 70; ++code) {
        const auto name = flashAlgorithmName(code);
        const bool hasFlash = code >= 6 && !(code >= 36 && code <= 41);
        ASSERT_EQ(name.has_value(), hasFlash) << code;
        if (!name)
            continue;
        const ImageShape& shape = *findImageShape(*name);
        EXPECT_EQ(shape.segments.size(), flashAlgorithmSegmentsSent(code)) << code;
        EXPECT_EQ(shape.segments.front().address, 0u);
        EXPECT_EQ(shape.segments.front().words, 2u);
        const KeySlots& keys = *shape.keys;
        EXPECT_LE(keys.offsets.back() + 1, shape.segments[keys.segment].words) << code;
        // Segments never overlap.
        for (std::size_t a = 1; a < shape.segments.size(); ++a) {
            for (std::size_t b = a + 1; b < shape.segments.size(); ++b) {
                const SegmentShape& x = shape.segments[a];
                const SegmentShape& y = shape.segments[b];
                EXPECT_TRUE(x.address + x.words <= y.address || y.address + y.words <= x.address) << code;
            }
        }
    }
    EXPECT_EQ(flashAlgorithmSegmentsSent(46), 4u);
    EXPECT_EQ(flashAlgorithmSegmentsSent(47), 3u);
    EXPECT_EQ(flashAlgorithmSegmentsSent(65), 3u);
    EXPECT_EQ(flashAlgorithmSegmentsSent(66), 6u);
}

TEST(ImageManifest, Lf240xRoutinesAndMatchingFlows)
{
    const auto lf2401 = *lf240xRoutineNames(1);
    const auto lf2407 = *lf240xRoutineNames(4);
    EXPECT_EQ(lf240xRoutineNames(2), lf240xRoutineNames(4));
    EXPECT_EQ(lf240xRoutineNames(3), lf240xRoutineNames(5));
    EXPECT_NE(lf240xRoutineNames(2), lf240xRoutineNames(3));
    const std::uint32_t lengths2401[] = {124, 193, 222, 195};
    const std::uint32_t lengths2407[] = {124, 193, 245, 195};
    for (std::size_t r = 0; r < 4; ++r) {
        EXPECT_EQ(findImageShape(lf2401[r])->segments.front().words, lengths2401[r]);
        EXPECT_EQ(findImageShape(lf2407[r])->segments.front().words, lengths2407[r]);
    }
    EXPECT_EQ(findImageShape(lf2407[0])->keys->offsets, (std::vector<std::size_t> {16, 18, 20, 22}));
    EXPECT_FALSE(lf240xRoutineNames(6));

    EXPECT_EQ(shapeOf(*matchingFlowName(6)), (Shape {{0, 42}, {0x450, 8}}));
    EXPECT_EQ(matchingFlowName(29), matchingFlowName(6));
    EXPECT_EQ(shapeOf(*matchingFlowName(33)), (Shape {{0, 2}, {0x50, 47}, {0x400, 8}}));
    EXPECT_NE(matchingFlowName(33), matchingFlowName(30));
    EXPECT_EQ(shapeOf(*matchingFlowName(42)), (Shape {{0, 2}, {0x80, 47}, {0x480, 8}}));
    // Codes 47 to 51 fill and send the third image, that of 58 to 65.
    EXPECT_EQ(matchingFlowName(47), matchingFlowName(58));
    EXPECT_NE(matchingFlowName(47), matchingFlowName(42));
    EXPECT_NE(matchingFlowName(52), matchingFlowName(58));
    for (int code : {14, 17, 18, 26, 36, 41, 66, 70})
        EXPECT_FALSE(matchingFlowName(code)) << code;
}

TEST(SimulationImages, HoldTheManifestsLengthsWithTheirSignature)
{
    const ImageSet& set = simulationImageSet();
    EXPECT_EQ(set.kind, ImageSetKind::Simulation);
    EXPECT_FALSE(checkAgainstManifest(set));
    const TargetImage& algorithm = *set.find("flash-algorithm-33");
    EXPECT_EQ(algorithm.segments[1].words[0], 0x5349);
    EXPECT_EQ(algorithm.segments[1].words[3], 0x5445);
    EXPECT_EQ(set.images.size(), imageManifest().size());
}

std::string corrupt(std::string text, const std::string& from, const std::string& to)
{
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return text.replace(at, from.size(), to);
}

TEST(ImageSetFile, RoundTripsAndNamesTheImageAndSegmentThatDoNotFit)
{
    const std::string text = formatImageSet(simulationImageSet());
    const ImageSetLoad read = parseImageSet(text);
    ASSERT_TRUE(std::holds_alternative<ImageSet>(read)) << std::get<ImageSetError>(read).text;
    EXPECT_EQ(std::get<ImageSet>(read).images, simulationImageSet().images);

    ImageSet shifted = simulationImageSet();
    shifted.images["flash-algorithm-06"].segments[2].address = 0x8740;
    EXPECT_EQ(checkAgainstManifest(shifted)->text,
        "image flash-algorithm-06: segment 2 (0x008743, 78 words) expected, the set has 0x008740, 78 words");
    ImageSet shortened = simulationImageSet();
    shortened.images["csm-flow-f2833x"].segments.pop_back();
    EXPECT_EQ(checkAgainstManifest(shortened)->text, "image csm-flow-f2833x: segment 2 (0x000400, 8 words) is missing");
    // A set holds the images of the devices it serves; a run names the one it lacks.
    ImageSet missing = simulationImageSet();
    missing.images.erase("lf240x-lf2407a-40mhz-erase");
    EXPECT_FALSE(checkAgainstManifest(missing));
    EXPECT_EQ(missingImages(missing, 5), std::vector<std::string> {"lf240x-lf2407a-40mhz-erase"});
    EXPECT_EQ(std::get<std::string>(PlaceKeys(missing, 3, {}, false)), "lf240x-lf2407a-40mhz-erase");
    // A set made before the data-flash commands loads; only the data-flash command misses its image.
    ImageSet older = simulationImageSet();
    older.images.erase("data-flash-algorithm-200mhz");
    older.images.erase("data-flash-algorithm-300mhz");
    EXPECT_FALSE(checkAgainstManifest(older));
    older.images["data-flash-algorithm-200mhz"] = simulationImageSet().images.at("data-flash-algorithm-200mhz");
    older.images["data-flash-algorithm-200mhz"].segments.pop_back();
    EXPECT_NE(checkAgainstManifest(older)->text.find("image data-flash-algorithm-200mhz: segment"), std::string::npos);
    ImageSet extra = simulationImageSet();
    extra.images["flash-algorithm-36"] = {};
    EXPECT_EQ(checkAgainstManifest(extra)->text, "image flash-algorithm-36 is not one the runs send");
}

TEST(ImageSetFile, RefusesMalformedText)
{
    const std::string text = formatImageSet(simulationImageSet());
    const std::pair<std::string, std::string> cases[] = {
        {corrupt(text, "lumetra-image-set 1", "lumetra-image-set 2"), "not an image set file"},
        {corrupt(text, "kind simulation", "kind other"), "unknown kind"},
        {corrupt(text, "segment 008000 1859\n5349", "segment 008000 1859\n53G9"), "\"53G9\" is not a word"},
        {corrupt(text, "segment 008000 1859\n5349", "segment 008000 1860\n5349"), "1860 words announced, 1859 given"},
        {corrupt(text, "segment 008000 1859\n5349", "segment 008000 1859\n15349"), "\"15349\" is not a word"},
        {corrupt(text, "image flash-algorithm-07", "image flash-algorithm-06"), "appears twice"},
    };
    for (const auto& [bad, expected] : cases) {
        const ImageSetLoad read = parseImageSet(bad);
        ASSERT_TRUE(std::holds_alternative<ImageSetError>(read)) << expected;
        EXPECT_NE(std::get<ImageSetError>(read).text.find(expected), std::string::npos)
            << std::get<ImageSetError>(read).text;
    }
    // Comments and any line layout are fine.
    EXPECT_TRUE(
        std::holds_alternative<ImageSet>(parseImageSet("# a set\n" + corrupt(text, "\n5349 ", " # x\n5349\n"))));
}

class ImageFolders : public ::testing::Test {
protected:
    void SetUp() override
    {
        source.userFolder = scratch / "TargetImages";
        source.simulationFolder = scratch / "simulation";
        write(source.simulationFolder, simulationImageSet());
    }

    static void write(const std::filesystem::path& folder, const ImageSet& set)
    {
        std::filesystem::create_directories(folder);
        std::ofstream(folder / kImageSetFileName) << formatImageSet(set);
    }

    lumetra::test::ScratchDir scratch;
    ImageSetSource source;
};

TEST_F(ImageFolders, SimulationSetOnlyForTheSimulatedPod)
{
    source.simulatedPod = true;
    auto chosen = chooseImageSet(source);
    ASSERT_TRUE(std::holds_alternative<ImageSet>(chosen));
    EXPECT_EQ(std::get<ImageSet>(chosen).kind, ImageSetKind::Simulation);

    source.simulatedPod = false;
    chosen = chooseImageSet(source);
    ASSERT_TRUE(std::holds_alternative<ImageSetRefusal>(chosen));
    const std::string& message = std::get<ImageSetRefusal>(chosen).message;
    EXPECT_NE(message.find(source.userFolder.string()), std::string::npos) << message;
    EXPECT_NE(message.find("시뮬레이션용"), std::string::npos);

    // A simulation set copied into the user's folder is no way around it.
    write(source.userFolder, simulationImageSet());
    EXPECT_TRUE(std::holds_alternative<ImageSetRefusal>(chooseImageSet(source)));
}

TEST_F(ImageFolders, UserSetIsTakenAndCheckedWithoutFallback)
{
    ImageSet own = simulationImageSet();
    own.kind = ImageSetKind::Target;
    write(source.userFolder, own);
    auto chosen = chooseImageSet(source);
    ASSERT_TRUE(std::holds_alternative<ImageSetRefusal>(chosen)) << "relabelled, they still carry their signature";
    EXPECT_NE(std::get<ImageSetRefusal>(chosen).message.find("시뮬레이션용"), std::string::npos);

    for (auto& [name, image] : own.images)
        for (ImageSegment& segment : image.segments)
            if (!segment.words.empty() && segment.words[0] == kSimulationSignature[0])
                segment.words[0] = 0x7620;
    ASSERT_FALSE(carriesSimulationSignature(own));
    write(source.userFolder, own);
    chosen = chooseImageSet(source);
    ASSERT_TRUE(std::holds_alternative<ImageSet>(chosen));
    EXPECT_EQ(std::get<ImageSet>(chosen).kind, ImageSetKind::Target);

    own.images["flash-algorithm-20"].segments[3].words.pop_back();
    write(source.userFolder, own);
    for (bool simulated : {false, true}) {
        source.simulatedPod = simulated;
        chosen = chooseImageSet(source);
        ASSERT_TRUE(std::holds_alternative<ImageSetRefusal>(chosen));
        EXPECT_NE(
            std::get<ImageSetRefusal>(chosen).message.find("image flash-algorithm-20: segment 3"), std::string::npos)
            << std::get<ImageSetRefusal>(chosen).message;
    }
}

// An image of one device with its own layout: only the segment count, the entry branch and the key blocks
// the device rows give are held against the manifest.
ImageSet ownF28335Set()
{
    TargetImage algorithm;
    algorithm.segments = {{0x000000, {0x0048, 0x9100}}, {0x009000, std::vector<std::uint16_t>(100, 0x7700)},
        {0x009100, std::vector<std::uint16_t>(20, 0x7701)}, {0x009200, std::vector<std::uint16_t>(10, 0x7702)}};
    ImageSet set;
    set.kind = ImageSetKind::Target;
    set.images["flash-algorithm-35"] = algorithm;
    return set;
}

TEST(ImageSetFile, ImagesGiveTheirOwnLayoutAndKeySlotsWithinWhatIsFixed)
{
    std::string text = formatImageSet(ownF28335Set());
    text = corrupt(text, "image flash-algorithm-35\n", "image flash-algorithm-35\nkeys 1 40\n");
    ImageSetLoad read = parseImageSet(text);
    ASSERT_TRUE(std::holds_alternative<ImageSet>(read)) << std::get<ImageSetError>(read).text;
    const ImageSet set = std::get<ImageSet>(read);
    EXPECT_EQ(set.find("flash-algorithm-35")->keys, (KeySlots {1, {40, 41, 42, 43, 44, 45, 46, 47}}));
    EXPECT_EQ(formatImageSet(set), text);

    // The keys go to the image's own slots; the matching flow it lacks is needed only with the CSM option on.
    const CsmChoice on {true, {1, 2, 3, 4, 5, 6, 7, 8}};
    EXPECT_EQ(std::get<std::string>(PlaceKeys(set, 35, on, true)), "csm-flow-f2833x");
    const RunImages images = std::get<RunImages>(PlaceKeys(set, 35, {false, on.keys}, true));
    const auto& words = images.flashAlgorithm->segments[1].words;
    EXPECT_EQ(std::count(words.begin() + 40, words.begin() + 48, 0xFFFF), 8);
    EXPECT_EQ(std::count(words.begin(), words.end(), 0xFFFF), 8);
    EXPECT_EQ(missingImages(set, 35), std::vector<std::string> {"csm-flow-f2833x"});
    EXPECT_TRUE(devicesServed(set).empty());
    ImageSet withFlow = set;
    withFlow.images["csm-flow-f2833x"] = *simulationImageSet().find("csm-flow-f2833x");
    EXPECT_EQ(devicesServed(withFlow), std::vector<int> {35});

    // Without a keys line an image takes the manifest's slot, as the sets written before them do.
    read = parseImageSet(corrupt(text, "keys 1 40\n", ""));
    ASSERT_TRUE(std::holds_alternative<ImageSetError>(read));
    EXPECT_EQ(std::get<ImageSetError>(read).text,
        "image flash-algorithm-35: the keys at segment 1 word 1886 lie outside the segment");

    const std::pair<std::string, std::string> refused[] = {
        {corrupt(text, "segment 000000 2\n0048 9100", "segment 000010 2\n0048 9100"),
            "image flash-algorithm-35: segment 0 (0x000000, 2 words) expected, the set has 0x000010, 2 words"},
        {corrupt(text, "keys 1 40", "keys 1 95"),
            "image flash-algorithm-35: the keys at segment 1 word 95 lie outside the segment"},
        {corrupt(text, "keys 1 40", "keys 1"), "one \"keys SEGMENT OFFSET\" line expected"},
    };
    for (const auto& [bad, expected] : refused) {
        read = parseImageSet(bad);
        ASSERT_TRUE(std::holds_alternative<ImageSetError>(read)) << expected;
        EXPECT_NE(std::get<ImageSetError>(read).text.find(expected), std::string::npos)
            << std::get<ImageSetError>(read).text;
    }
}

TEST(ImageSetFile, KeepsTheKeyBlocksAndSegmentsTheDeviceRowsGive)
{
    const auto check = [](const std::string& name, const std::function<void(TargetImage&)>& change) {
        ImageSet set;
        set.images[name] = *simulationImageSet().find(name);
        change(set.images[name]);
        const auto error = checkAgainstManifest(set);
        return error ? error->text : std::string();
    };
    // Rows whose layout is ours: segments and key block may move.
    EXPECT_EQ(check("flash-algorithm-33",
                  [](TargetImage& image) {
                      image.segments[1].address = 0x9000;
                      image.segments[1].words.resize(900);
                      image.keys = KeySlots {2, {0, 1, 2, 3, 4, 5, 6, 7}};
                  }),
        "");
    EXPECT_EQ(check("flash-algorithm-33", [](TargetImage& image) { image.segments[2].words.clear(); }),
        "image flash-algorithm-33: segment 2 is empty");
    EXPECT_EQ(check("flash-algorithm-35", [](TargetImage& image) { image.segments.pop_back(); }),
        "image flash-algorithm-35: segment 3 (0x0087BE, 25 words) is missing");
    EXPECT_EQ(check("flash-algorithm-14", [](TargetImage& image) { image.keys = KeySlots {1, {400}}; }),
        "image flash-algorithm-14: the keys belong in segment 1 at word 466");
    EXPECT_EQ(check("flash-algorithm-19", [](TargetImage& image) { image.keys = KeySlots {1, {445}}; }), "");
    EXPECT_EQ(check("flash-algorithm-19", [](TargetImage& image) { image.segments[1].address = 0x3F8000; }),
        "image flash-algorithm-19: segment 1 at 0x3F8002 expected, the set has 0x3F8000, 1881 words");
    EXPECT_EQ(check("flash-algorithm-53", [](TargetImage& image) { image.segments[2].words.resize(60); }), "");
    EXPECT_EQ(check("flash-algorithm-53", [](TargetImage& image) { image.segments[1].words.resize(60); }),
        "image flash-algorithm-53: segment 1 (0x008000, 692 words) expected, the set has 0x008000, 60 words");
    EXPECT_EQ(check("lf240x-lf2401a-30mhz-kernel", [](TargetImage& image) { image.segments[0].address = 0x8000; }),
        "");
    EXPECT_EQ(check("lf240x-lf2401a-30mhz-kernel", [](TargetImage& image) { image.keys = KeySlots {0, {18}}; }),
        "image lf240x-lf2401a-30mhz-kernel: the keys belong in segment 0 at word 16");
    EXPECT_EQ(check("csm-flow-f2806x", [](TargetImage& image) { image.segments[1].address = 0x90; }),
        "image csm-flow-f2806x: segment 1 (0x000080, 47 words) expected, the set has 0x000090, 47 words");
    EXPECT_EQ(check("data-flash-algorithm-200mhz", [](TargetImage& image) { image.keys = KeySlots {1, {0}}; }),
        "image data-flash-algorithm-200mhz: takes no keys");
}

TEST(PlaceKeys, KernelGetsFourKeysOrZeros)
{
    const CsmChoice on {true, {0x1111, 0x2222, 0x3333, 0x4444, 0x5555, 0x6666, 0x7777, 0x8888}};
    const auto kernelWords = [](const CsmChoice& csm) {
        const RunImages images = std::get<RunImages>(PlaceKeys(simulationImageSet(), 3, csm, false));
        const std::vector<std::uint16_t>& words = images.lf240xRoutines[0].segments[0].words;
        return std::vector<std::uint16_t> {words[16], words[17], words[18], words[20], words[22]};
    };
    const auto original = simulationImageSet().find("lf240x-lf2407a-40mhz-kernel")->segments[0].words;
    EXPECT_EQ(kernelWords(on), (std::vector<std::uint16_t> {0x1111, original[17], 0x2222, 0x3333, 0x4444}));
    EXPECT_EQ(kernelWords({false, on.keys}), (std::vector<std::uint16_t> {0, original[17], 0, 0, 0}));
}

TEST(PlaceKeys, AlgorithmAndFlowGetEightKeysOrErasedWords)
{
    const CsmChoice on {true, {1, 2, 3, 4, 5, 6, 7, 8}};
    for (const bool use : {true, false}) {
        const RunImages images = std::get<RunImages>(PlaceKeys(simulationImageSet(), 6, {use, on.keys}, true));
        const auto& algorithm = images.flashAlgorithm->segments[1].words;
        const auto& flow = images.matchingFlow->segments[1].words;
        for (std::size_t k = 0; k < 8; ++k) {
            const std::uint16_t expected = use ? on.keys[k] : 0xFFFF;
            EXPECT_EQ(algorithm[1844 + k], expected);
            EXPECT_EQ(flow[k], expected);
        }
    }
    const RunImages ram = std::get<RunImages>(PlaceKeys(simulationImageSet(), 66, on, false));
    EXPECT_FALSE(ram.flashAlgorithm);
    EXPECT_FALSE(ram.matchingFlow);
    EXPECT_EQ(std::get<RunImages>(PlaceKeys(simulationImageSet(), 67, on, true)).flashAlgorithm->segments[4].words,
        (std::vector<std::uint16_t> {1, 2, 3, 4, 5, 6, 7, 8}));
}

} // namespace
} // namespace lumetra::programming
