// The demo program: its generated COFF file as the loader reads it, and the simulated target that runs it.
#include "sim/demo_program.h"
#include "sim/demo_target.h"
#include "sim/in_process_transport.h"

#include "image/coff_types.h"
#include "image/program_image.h"
#include "link/pod_link.h"
#include "monitor/value_render.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

namespace lumetra::sim {
namespace {

using namespace std::chrono_literals;
using monitor::DisplayGroup;
using monitor::ViewType;

struct LinkedTarget {
    explicit LinkedTarget(SimConfig config = {})
        : pod(std::move(config))
        , factory(pod)
        , link(factory)
    {
        configureDemoTarget(pod);
    }

    std::uint32_t read(std::uint32_t address, char mode)
    {
        std::uint32_t value = 0;
        EXPECT_TRUE(link.ReadWord(address, mode, value)) << "read at " << address;
        return value;
    }

    PodSimulator pod;
    InProcessTransportFactory factory;
    link::CPodLink link;
};

TEST(DemoProgram, GeneratedFileLoadsForTheF2812WithItsCodeAndConstantsInFlash)
{
    image::ProgramImage image;
    ASSERT_EQ(image.load(LUMETRA_DEMO_COFF, kDemoDeviceRow), image::CoffLoadResult::Loaded);
    EXPECT_EQ(image.targetId(), kDemoTargetId);

    // RAM sections carry no data; the loaded ones hold the table's words, low byte first.
    std::vector<std::string> loadedNames;
    for (const image::LoadedSection& loaded : image.sections())
        loadedNames.push_back(loaded.name);
    EXPECT_EQ(loadedNames, (std::vector<std::string> {".text", "codestart", ".econst"}));
    for (std::size_t i = 0; i < image.sections().size(); ++i) {
        const DemoSection& section = demoSections()[i];
        EXPECT_EQ(image.sections()[i].startAddress, section.start);
        std::vector<std::uint8_t> expected;
        for (const std::uint16_t word : section.words) {
            expected.push_back(static_cast<std::uint8_t>(word & 0xFF));
            expected.push_back(static_cast<std::uint8_t>(word >> 8));
        }
        const auto data = image.sectionData(i);
        EXPECT_EQ(std::vector<std::uint8_t>(data.begin(), data.end()), expected) << section.name;
    }
    EXPECT_EQ(image.flashSummary().mask, 0x0003); // sectors A and B
    EXPECT_EQ(image.flashSummary().flashSections, 3);
    EXPECT_EQ(image.flashSummary().ramSections, 0);
}

TEST(DemoProgram, SymbolListShowsOneVariableOfEachKindAndLeavesOutTheRest)
{
    image::ProgramImage image;
    ASSERT_EQ(image.load(LUMETRA_DEMO_COFF, kDemoDeviceRow), image::CoffLoadResult::Loaded);
    using Row = std::tuple<std::string, std::uint32_t, std::string, std::string>;
    std::vector<Row> rows;
    for (const image::CDataObject& symbol : image.symbols().records())
        rows.emplace_back(symbol.name, symbol.address, image::dataTypeText(symbol.type), symbol.arrayInfo);
    // main (a function), ActiveBuffer (a pointer), PollTicks (static) and _STACK_SIZE are not listed.
    const std::vector<Row> expected = {
        {"FirmwareVersion", 0x3F5000, "Unsigned integer", ""},
        {"Counter", 0x8000, "Unsigned integer", ""},
        {"StatusWord", 0x8001, "Integer", ""},
        {"SineWave", 0x8002, "Floating point", ""},
        {"RampLong", 0x8004, "Long", ""},
        {"UptimeMs", 0x8006, "Unsigned long", ""},
        {"Gain", 0x8008, "Double floating point", ""},
        {"Motor", 0x800A, "Structure", ""},
        {"Command", 0x800E, "Character", ""},
        {"AdcOffset", 0x800F, "Short", ""},
        {"AdcResult", 0x8010, "Unsigned short", ""},
        {"NodeId", 0x8011, "Unsigned character", ""},
        {"State", 0x8012, "Enumeration", ""},
        {"RawSample", 0x8016, "Union", ""},
        {"Matrix", 0x8018, "Array of Array of Integer", "Array Info : [3][4]"},
        {"Torque", 0x8024, "Short", ""},
        {"SineTable", 0x8040, "Array of Integer", "Array Info : [64]"},
        {"ScopeBuffer", 0x8100, "Array of Integer", "Array Info : [1000]"},
    };
    EXPECT_EQ(rows, expected);
}

TEST(DemoTarget, VariablesMoveWithTimeAndTheOthersHoldTheirValues)
{
    LinkedTarget target({.liveAnimation = false});
    ASSERT_EQ(target.link.Connect(1, 3, false), link::ConnectCode::Connected);

    target.pod.animateAt(0.0);
    EXPECT_EQ(
        renderVariableValue(target.read(0x8004, 'L'), ViewType::Signed32, DisplayGroup::DoubleWord).value, "-100000");
    EXPECT_EQ(target.read(0x8040 + 16, 'R'), 10000u); // a quarter period into the table

    target.pod.animateAt(1.0);
    EXPECT_EQ(target.read(0x8000, 'R'), 10u);
    EXPECT_EQ(
        renderVariableValue(target.read(0x8002, 'L'), ViewType::Float32, DisplayGroup::Float).value, "100.000000");
    EXPECT_EQ(target.read(0x8001, 'R'), 0x4041u); // bits 4-7 hold the count 4

    target.pod.animateAt(4.0);
    EXPECT_EQ(target.read(0x8001, 'R'), 0x4001u); // the count 16 leaves bits 4-7 clear, the flags untouched
    EXPECT_EQ(target.read(0x8006, 'L'), 4000u);

    EXPECT_EQ(renderVariableValue(target.read(0x8008, 'L'), ViewType::Float32, DisplayGroup::Float).value, "1.250000");
    EXPECT_EQ(renderVariableValue(target.read(0x800F, 'R'), ViewType::Signed16, DisplayGroup::SingleWord).value, "-12");
    EXPECT_EQ(target.read(0x3F5000, 'R'), 0x0102u);
    EXPECT_EQ(target.read(0x3F6000, 'R'), demoSections()[0].words[0]);
}

TEST(DemoTarget, ConfiguringReplacesEarlierAnimations)
{
    PodSimulator pod({.liveAnimation = false});
    pod.addAnimation({.kind = AnimationKind::Counter16, .address = 0x9000, .rate = 1.0});
    configureDemoTarget(pod);
    pod.animateAt(5.0);
    EXPECT_EQ(pod.word(0x9000), 0);
    EXPECT_EQ(pod.word(0x8000), 50);
}

TEST(DemoTarget, CounterChangesBetweenTwoReadsThroughThePod)
{
    LinkedTarget target;
    ASSERT_EQ(target.link.Connect(1, 3, false), link::ConnectCode::Connected);
    const std::uint32_t first = target.read(0x8000, 'R');
    std::this_thread::sleep_for(150ms); // more than one step at ten steps a second
    EXPECT_NE(target.read(0x8000, 'R'), first);
}

} // namespace
} // namespace lumetra::sim
