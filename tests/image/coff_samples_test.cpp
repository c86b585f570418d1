// The real linker outputs must load exactly the initialized output sections their map files list.
#include "image/program_image.h"

#include "support/test_paths.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

using namespace lumetra::image;

namespace {

struct MapSection {
    std::string name;
    int page = 0;
    std::uint32_t origin = 0;
    std::uint32_t length = 0;
    bool operator<(const MapSection& o) const { return std::tie(origin, name) < std::tie(o.origin, o.name); }
    bool operator==(const MapSection& o) const { return name == o.name && origin == o.origin && length == o.length; }
};

std::ostream& operator<<(std::ostream& out, const MapSection& s)
{
    return out << s.name << " @0x" << std::hex << s.origin << " +0x" << s.length << std::dec;
}

bool isUnloadedOutput(const std::string& attributes)
{
    for (const char* word : {"UNINITIALIZED", "DSECT", "NOLOAD", "COPY"}) {
        if (attributes.find(word) != std::string::npos)
            return true;
    }
    return false;
}

// Output sections with data, from the "SECTION ALLOCATION MAP" of a TI linker map. A long name stands alone on
// its line and the next line, starting with "*", carries page, origin and length.
std::vector<MapSection> initializedOutputSections(const std::filesystem::path& mapPath)
{
    std::ifstream in(mapPath);
    std::string line;
    while (std::getline(in, line) && line.find("SECTION ALLOCATION MAP") == std::string::npos) { }
    std::vector<MapSection> sections;
    std::string pendingName;
    while (std::getline(in, line) && line.find("GLOBAL SYMBOLS") == std::string::npos) {
        if (line.empty() || line[0] == ' ' || line.rfind("----", 0) == 0 || line.rfind("section", 0) == 0
            || line.rfind(" output", 0) == 0)
            continue;
        std::istringstream fields(line);
        std::string name;
        fields >> name;
        if (name == "*") {
            name = pendingName;
        } else if (!(fields >> std::ws).good() || fields.peek() == EOF) {
            pendingName = name; // the fields follow on the next line
            continue;
        }
        MapSection section;
        section.name = name.front() == '_' ? name.substr(1) : name;
        fields >> section.page >> std::hex >> section.origin >> section.length >> std::dec;
        std::string attributes;
        std::getline(fields, attributes);
        if (section.length != 0 && !isUnloadedOutput(attributes))
            sections.push_back(section);
    }
    return sections;
}

struct Sample {
    const char* file;
    int deviceRow;
};

const Sample kSamples[] = {
    {"c24x_sine", 4}, // LF2407A
    {"flash28333_api", 35}, // F28335
    {"flash2803x_api", 57}, // F28035
    {"pm_sincos", 35}, // F28335
    {"f2837x_bootrom_cpu01", 69}, // F28377S
};

} // namespace

TEST(CoffSamples, LoadedSectionsMatchTheMapFiles)
{
    const auto dir = lumetra::test::coffSamplesDir();
    if (!dir)
        GTEST_SKIP() << "no COFF samples";
    for (const Sample& sample : kSamples) {
        SCOPED_TRACE(sample.file);
        std::vector<MapSection> expected = initializedOutputSections(*dir / (std::string(sample.file) + ".map"));
        ASSERT_FALSE(expected.empty());

        ProgramImage image;
        ASSERT_EQ(image.load(*dir / (std::string(sample.file) + ".out"), sample.deviceRow), CoffLoadResult::Loaded);
        std::vector<MapSection> loaded;
        std::uint64_t words = 0;
        for (const LoadedSection& s : image.sections()) {
            loaded.push_back({s.name, 0, s.startAddress, s.sizeWords});
            words += s.sizeWords;
        }
        std::sort(expected.begin(), expected.end());
        std::sort(loaded.begin(), loaded.end());
        EXPECT_EQ(loaded, expected);
        EXPECT_EQ(image.totalBytes(), words * 2);
        EXPECT_EQ(image.targetId(), sample.deviceRow < 6 ? 0x0092 : 0x009D);
    }
}

TEST(CoffSamples, FlashSummaryOfTheF28335FlashProgram)
{
    const auto dir = lumetra::test::coffSamplesDir();
    if (!dir)
        GTEST_SKIP() << "no COFF samples";
    ProgramImage image;
    ASSERT_EQ(image.load(*dir / "flash28333_api.out", 35), CoffLoadResult::Loaded);
    // Per the map: Flash28_API and ramfuncs in sector D (0x320000), the rest in sector A (0x338000).
    const FlashSummary& summary = image.flashSummary();
    EXPECT_EQ(summary.mask, 0x0009);
    EXPECT_EQ(summary.ramSections, 0);
    EXPECT_EQ(summary.flashSections, static_cast<int>(image.sections().size()));
    EXPECT_EQ(summary.flashBytes, image.totalBytes());
}

TEST(CoffSamples, WrongFamilyIsRefused)
{
    const auto dir = lumetra::test::coffSamplesDir();
    if (!dir)
        GTEST_SKIP() << "no COFF samples";
    ProgramImage image;
    EXPECT_EQ(image.load(*dir / "c24x_sine.out", 26), CoffLoadResult::TargetMismatch);
    EXPECT_EQ(image.load(*dir / "pm_sincos.out", 4), CoffLoadResult::TargetMismatch);
}
