#include "sim/demo_program.h"

#include <algorithm>
#include <bit>

namespace lumetra::sim {

namespace {

// Basic types of the COFF type field.
constexpr std::uint16_t kChar = 2;
constexpr std::uint16_t kShort = 3;
constexpr std::uint16_t kInt = 4;
constexpr std::uint16_t kLong = 5;
constexpr std::uint16_t kFloat = 6;
constexpr std::uint16_t kDouble = 7; // 32 bits on the C28x
constexpr std::uint16_t kStruct = 8;
constexpr std::uint16_t kUnion = 9;
constexpr std::uint16_t kEnum = 10;
constexpr std::uint16_t kUnsignedChar = 12;
constexpr std::uint16_t kUnsignedShort = 13;
constexpr std::uint16_t kUnsignedInt = 14;
constexpr std::uint16_t kUnsignedLong = 15;

// Derived types from bit 4, first derivation first.
constexpr std::uint16_t pointerTo(std::uint16_t type)
{
    return static_cast<std::uint16_t>(type | 1u << 4);
}
constexpr std::uint16_t functionReturning(std::uint16_t type)
{
    return static_cast<std::uint16_t>(type | 2u << 4);
}
constexpr std::uint16_t arrayOf(std::uint16_t type)
{
    return static_cast<std::uint16_t>(type | 3u << 4);
}
constexpr std::uint16_t arrayOfArrayOf(std::uint16_t type)
{
    return static_cast<std::uint16_t>(arrayOf(type) | 3u << 6);
}

// Section numbers, as in the section table below.
constexpr int kTextSection = 1;
constexpr int kConstSection = 3;
constexpr int kBssSection = 4;
constexpr int kAbsolute = -1;

constexpr std::uint32_t kConstStart = 0x3F5000; // flash sector B
constexpr std::uint32_t kBssStart = 0x008000; // L0 SARAM
constexpr std::uint32_t kBssWords = 0x500;

// A 32-bit value as the C28x stores it: low word first.
std::vector<std::uint16_t> twoWords(std::uint32_t value)
{
    return {static_cast<std::uint16_t>(value & 0xFFFF), static_cast<std::uint16_t>(value >> 16)};
}

std::vector<std::uint16_t> floatWords(float value)
{
    return twoWords(std::bit_cast<std::uint32_t>(value));
}

std::vector<std::uint16_t> matrixWords()
{
    std::vector<std::uint16_t> words;
    for (std::uint16_t row = 0; row < 3; ++row) {
        for (std::uint16_t column = 0; column < 4; ++column)
            words.push_back(static_cast<std::uint16_t>(10 * (row + 1) + column + 1));
    }
    return words;
}

std::vector<DemoSymbol> makeSymbols()
{
    const auto moving = [](Animation animation) { return std::optional<Animation>(animation); };
    return {
        {.name = "_main", .address = 0x3F6000, .section = kTextSection, .type = functionReturning(kInt)},
        {.name = "_FirmwareVersion",
            .address = kConstStart,
            .section = kConstSection,
            .type = kUnsignedInt,
            .initialWords = {0x0102}},
        {.name = "_Counter",
            .address = 0x8000,
            .section = kBssSection,
            .type = kUnsignedInt,
            .animation = moving({.kind = AnimationKind::Counter16, .rate = 10.0})},
        // Bit 0 (running) and bit 14 (ready) stay set; bits 4 to 7 count four times a second.
        {.name = "_StatusWord",
            .address = 0x8001,
            .section = kBssSection,
            .type = kInt,
            .animation = moving({.kind = AnimationKind::StatusBits16, .rate = 4.0, .start = 0x4001, .mask = 0x00F0})},
        {.name = "_SineWave",
            .address = 0x8002,
            .section = kBssSection,
            .type = kFloat,
            .animation = moving({.kind = AnimationKind::SineFloat32, .rate = 0.25, .amplitude = 100.0})},
        {.name = "_RampLong",
            .address = 0x8004,
            .section = kBssSection,
            .type = kLong,
            .animation = moving({.kind = AnimationKind::RampLong32, .rate = 500.0, .start = -100000.0})},
        {.name = "_UptimeMs",
            .address = 0x8006,
            .section = kBssSection,
            .type = kUnsignedLong,
            .animation = moving({.kind = AnimationKind::RampLong32, .rate = 1000.0})},
        {.name = "_Gain",
            .address = 0x8008,
            .section = kBssSection,
            .type = kDouble,
            .initialWords = floatWords(1.25f)},
        // struct { int Speed; int Current; long Position; }
        {.name = "_Motor",
            .address = 0x800A,
            .section = kBssSection,
            .type = kStruct,
            .aux = DemoAux {.sizeWords = 4},
            .initialWords = {1500, 42, 0x2345, 0x0001}},
        {.name = "_Command", .address = 0x800E, .section = kBssSection, .type = kChar, .initialWords = {'R'}},
        {.name = "_AdcOffset", .address = 0x800F, .section = kBssSection, .type = kShort, .initialWords = {0xFFF4}},
        {.name = "_AdcResult",
            .address = 0x8010,
            .section = kBssSection,
            .type = kUnsignedShort,
            .animation = moving(
                {.kind = AnimationKind::SineTable16, .rate = 1.0, .amplitude = 1500.0, .offset = 2048.0, .length = 1})},
        {.name = "_NodeId", .address = 0x8011, .section = kBssSection, .type = kUnsignedChar, .initialWords = {0x12}},
        // enum { STOPPED, STARTING, RUNNING, FAULT }
        {.name = "_State", .address = 0x8012, .section = kBssSection, .type = kEnum, .initialWords = {2}},
        {.name = "_PollTicks",
            .address = 0x8013,
            .section = kBssSection,
            .type = kUnsignedInt,
            .storageClass = kDemoStorageStatic,
            .initialWords = {7}},
        {.name = "_ActiveBuffer",
            .address = 0x8014,
            .section = kBssSection,
            .type = pointerTo(kInt),
            .initialWords = twoWords(0x8040)},
        // union { long Raw; float Value; }
        {.name = "_RawSample",
            .address = 0x8016,
            .section = kBssSection,
            .type = kUnion,
            .initialWords = floatWords(1.5f)},
        {.name = "_Matrix",
            .address = 0x8018,
            .section = kBssSection,
            .type = arrayOfArrayOf(kInt),
            .aux = DemoAux {.sizeWords = 12, .dimensions = {3, 4, 0, 0}},
            .initialWords = matrixWords()},
        {.name = "_Torque",
            .address = 0x8024,
            .section = kBssSection,
            .type = kShort,
            .animation = moving({.kind = AnimationKind::SineTable16, .rate = 0.7, .amplitude = 800.0, .length = 1})},
        {.name = "_SineTable",
            .address = 0x8040,
            .section = kBssSection,
            .type = arrayOf(kInt),
            .aux = DemoAux {.sizeWords = 64, .dimensions = {64, 0, 0, 0}},
            .animation = moving({.kind = AnimationKind::SineTable16, .rate = 0.5, .amplitude = 10000.0, .length = 64})},
        // A captured trace for the memory graph: one slow-turning sine period over 1000 words.
        {.name = "_ScopeBuffer",
            .address = 0x8100,
            .section = kBssSection,
            .type = arrayOf(kInt),
            .aux = DemoAux {.sizeWords = 1000, .dimensions = {1000, 0, 0, 0}},
            .animation = moving({.kind = AnimationKind::SineTable16, .rate = 0.05, .amplitude = 12000.0, .length = 1000})},
        {.name = "__STACK_SIZE", .address = 0x400, .section = kAbsolute},
    };
}

// The constants section holds the initial words of the symbols placed in it.
std::vector<std::uint16_t> constantWords(std::uint32_t start, int section)
{
    std::vector<std::uint16_t> words;
    for (const DemoSymbol& symbol : demoSymbols()) {
        if (symbol.section != section)
            continue;
        const std::size_t offset = symbol.address - start;
        if (words.size() < offset + symbol.initialWords.size())
            words.resize(offset + symbol.initialWords.size(), 0);
        std::copy(symbol.initialWords.begin(), symbol.initialWords.end(), words.begin() + offset);
    }
    return words;
}

DemoSection flashSection(std::string name, std::uint32_t start, DemoSectionKind kind, std::vector<std::uint16_t> words)
{
    const auto size = static_cast<std::uint32_t>(words.size());
    return {.name = std::move(name), .start = start, .sizeWords = size, .kind = kind, .words = std::move(words)};
}

DemoSection ramSection(std::string name, std::uint32_t start, std::uint32_t sizeWords)
{
    return {.name = std::move(name),
        .start = start,
        .sizeWords = sizeWords,
        .kind = DemoSectionKind::Uninitialised,
        .page = 1};
}

std::vector<DemoSection> makeSections()
{
    // main: MOVW DP,#0x200 (the page of _Counter); INC @0; SB -1,UNC.
    const std::vector<std::uint16_t> mainLoop = {0x761F, 0x0200, 0x0A00, 0x6FFF};
    // The flash entry point: LB _main.
    const std::vector<std::uint16_t> entryBranch = {0x007F, 0x6000};
    return {
        flashSection(".text", 0x3F6000, DemoSectionKind::Code, mainLoop),
        flashSection("codestart", 0x3F7FF6, DemoSectionKind::Code, entryBranch),
        flashSection(".econst", kConstStart, DemoSectionKind::Constants, constantWords(kConstStart, kConstSection)),
        ramSection(".ebss", kBssStart, kBssWords),
        ramSection(".stack", 0x0400, 0x400),
    };
}

} // namespace

const std::vector<DemoSection>& demoSections()
{
    static const std::vector<DemoSection> sections = makeSections();
    return sections;
}

const std::vector<DemoSymbol>& demoSymbols()
{
    static const std::vector<DemoSymbol> symbols = makeSymbols();
    return symbols;
}

} // namespace lumetra::sim
