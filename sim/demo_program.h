// The demo program of the simulated target: a small F2812 program whose global variables the simulator moves.
// This one table describes its sections and symbols for both the generator of its COFF file and the simulator's
// set-up, so names, addresses, types and contents agree.
#pragma once

#include "sim/sim_config.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lumetra::sim {

inline constexpr int kDemoDeviceRow = 26; // F2812
inline constexpr std::uint16_t kDemoTargetId = 0x009D; // C28x

enum class DemoSectionKind {
    Code, // in flash, loaded
    Constants, // in flash, loaded; its words are the initial words of the symbols placed in it
    Uninitialised, // in RAM, no raw data in the file
};

struct DemoSection {
    std::string name {};
    std::uint32_t start = 0;
    std::uint32_t sizeWords = 0;
    DemoSectionKind kind = DemoSectionKind::Code;
    std::uint16_t page = 0; // 0 program, 1 data
    std::vector<std::uint16_t> words {}; // the raw data: sizeWords words, none for Uninitialised
};

// The auxiliary entry of a structure or array symbol: its size and, for arrays, the dimensions.
struct DemoAux {
    std::uint16_t sizeWords = 0;
    std::array<std::uint16_t, 4> dimensions {};
};

inline constexpr std::uint8_t kDemoStorageExternal = 2;
inline constexpr std::uint8_t kDemoStorageStatic = 3;

struct DemoSymbol {
    std::string name {}; // as the compiler writes it, with the leading "_"
    std::uint32_t address = 0;
    int section = 0; // 1-based index into demoSections(); -1 for an absolute symbol
    std::uint16_t type = 0; // the COFF type field
    std::uint8_t storageClass = kDemoStorageExternal;
    std::optional<DemoAux> aux {};
    std::vector<std::uint16_t> initialWords {}; // target memory at the symbol's address before anything moves
    std::optional<Animation> animation {}; // its address is the symbol's
};

// In file order: code and constants in flash, variables and stack in RAM.
const std::vector<DemoSection>& demoSections();
// In symbol table order: the monitorable variables and, as a real program has them, symbols the symbol list
// leaves out (a function, a pointer, a static variable, a linker constant).
const std::vector<DemoSymbol>& demoSymbols();

} // namespace lumetra::sim
