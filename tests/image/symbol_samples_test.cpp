// The symbol lists of real linker outputs, checked against the global symbol tables of their map files.
#include "image/symbol_reader.h"

#include "support/test_paths.h"

#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

using namespace lumetra::image;

namespace {

struct MapSymbol {
    std::uint32_t address = 0;
    bool absolute = false; // page column "abs"
};

bool isHexWord(const std::string& token)
{
    return token.size() == 8
        && std::all_of(token.begin(), token.end(), [](unsigned char c) { return std::isxdigit(c) != 0; });
}

// Every "address name" pair after the "GLOBAL SYMBOLS" heading (one or two pairs a line, with or without a
// page column), up to the end of the file.
std::map<std::string, MapSymbol> parseMapGlobals(const std::filesystem::path& mapPath)
{
    std::ifstream in(mapPath);
    std::map<std::string, MapSymbol> globals;
    std::string line;
    bool inGlobals = false;
    while (std::getline(in, line)) {
        if (line.starts_with("GLOBAL SYMBOLS")) {
            inGlobals = true;
            continue;
        }
        if (!inGlobals)
            continue;
        std::istringstream words(line);
        const std::vector<std::string> tokens {
            std::istream_iterator<std::string>(words), std::istream_iterator<std::string>()};
        for (std::size_t t = 0; t + 1 < tokens.size(); ++t) {
            if (!isHexWord(tokens[t]) || isHexWord(tokens[t + 1]))
                continue;
            const MapSymbol symbol {
                static_cast<std::uint32_t>(std::stoul(tokens[t], nullptr, 16)), t > 0 && tokens[t - 1] == "abs"};
            globals.emplace(tokens[t + 1], symbol);
            ++t;
        }
    }
    return globals;
}

std::vector<std::uint8_t> readAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Sample {
    const char* stem;
    int deviceRow;
};

// LF2407A, F28335, F28035, and two programs for the F2837x memory map.
constexpr Sample kSamples[] = {
    {"c24x_sine", 5},
    {"flash28333_api", 35},
    {"flash2803x_api", 57},
    {"pm_sincos", 66},
    {"f2837x_bootrom_cpu01", 66},
};

SymbolList readSample(const std::filesystem::path& dir, const char* stem, int deviceRow)
{
    const std::vector<std::uint8_t> bytes = readAll(dir / (std::string(stem) + ".out"));
    const SharedBytes file = SharedBytes::copyOf(bytes);
    const std::optional<CoffFileHeader> header = parseFileHeader(file.view());
    EXPECT_TRUE(header.has_value()) << stem;
    if (!header)
        return {};
    SymbolList symbols;
    EXPECT_EQ(readSymbolTable(file, *header, deviceRow, symbols), SymbolReadStatus::Ok) << stem;
    return symbols;
}

} // namespace

TEST(SymbolSamples, EveryListedSymbolSitsAtItsMapAddress)
{
    const auto dir = lumetra::test::coffSamplesDir();
    if (!dir)
        GTEST_SKIP() << "COFF samples are not present";
    for (const Sample& sample : kSamples) {
        const std::map<std::string, MapSymbol> globals = parseMapGlobals(*dir / (std::string(sample.stem) + ".map"));
        ASSERT_FALSE(globals.empty()) << sample.stem;
        const SymbolList symbols = readSample(*dir, sample.stem, sample.deviceRow);
        EXPECT_GT(symbols.count(), 0u) << sample.stem;
        for (const CDataObject& symbol : symbols.records()) {
            // The map names keep the compiler's underscore; names without one (code_start) appear as they are.
            auto found = globals.find("_" + symbol.name);
            if (found == globals.end())
                found = globals.find(symbol.name);
            ASSERT_NE(found, globals.end()) << sample.stem << ": " << symbol.name;
            EXPECT_EQ(symbol.address, found->second.address) << sample.stem << ": " << symbol.name;
            EXPECT_FALSE(found->second.absolute) << sample.stem << ": " << symbol.name;
        }
    }
}

TEST(SymbolSamples, C24xProgramListsItsVariablesButNotTheRuntimeCodeLabels)
{
    const auto dir = lumetra::test::coffSamplesDir();
    if (!dir)
        GTEST_SKIP() << "COFF samples are not present";
    // Of the map's 26 globals: dotted, "$" and "__" names go by name, _vector sits at 0, the linker's own
    // symbols (cinit, etext, edata, end, pinit) carry no type, and abort, atexit, c_int0 and exit label code.
    const SymbolList symbols = readSample(*dir, "c24x_sine", 5);
    std::vector<std::string> listed;
    for (const CDataObject& s : symbols.records())
        listed.push_back(s.name + " " + s.arrayInfo);
    EXPECT_EQ(listed,
        (std::vector<std::string> {"sine Array Info : [32]", "cosine Array Info : [32]", "x ", "configdata "}));
    ASSERT_TRUE(symbols.findFirst("sine"));
    EXPECT_EQ(symbols.findFirst("sine")->type, 0x3E);
}

TEST(SymbolSamples, PeripheralFramesAreDroppedOnlyForTheF2837xSRows)
{
    const auto dir = lumetra::test::coffSamplesDir();
    if (!dir)
        GTEST_SKIP() << "COFF samples are not present";
    const SymbolList f2837x = readSample(*dir, "pm_sincos", 66);
    const SymbolList f28335 = readSample(*dir, "pm_sincos", 35);
    for (const char* name : {"AdcaRegs", "EPwm1Regs", "PieCtrlRegs", "GpioCtrlRegs"}) {
        EXPECT_FALSE(f2837x.findFirst(name)) << name;
        EXPECT_TRUE(f28335.findFirst(name)) << name;
    }
    EXPECT_TRUE(f2837x.findFirst("CpuTimer0")); // a RAM variable at 0x11250
}
