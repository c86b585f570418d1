// The target-side boot streams the POD relays word by word: the F28x boot ROM's stream (key, reserved words,
// entry point, blocks) and the LF240x kernel flow (four routines, then the user program in chunks).
#pragma once

#include "sim/sim_config.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace lumetra::sim {

// Result of feeding one word.
enum class StreamStep { Accepted, Finished, Rejected };

// One block of an F28x boot stream as the boot ROM received it.
struct BootBlock {
    std::uint32_t address = 0;
    std::vector<std::uint16_t> words;
};

// The chip's side of an F28x boot stream. Without one the stream takes any frame kind and any value.
class F28xBootRom {
public:
    virtual ~F28xBootRom() = default;
    // False when the boot ROM cannot branch to the entry point (no memory that runs code there).
    virtual bool entryAccepted(std::uint32_t entry) = 0;
    // False when the word cannot be written there (RAM of a locked code security module): it is lost.
    virtual bool writable(std::uint32_t address) = 0;
};

class F28xBootStream {
public:
    static constexpr std::uint16_t kKey = 0x08AA;
    static constexpr std::uint16_t kReserved = 0x00FF;
    static constexpr int kReservedWords = 8;
    // A block's every 200th word and its last one are acknowledged (`Y`), the others streamed (`S`).
    static constexpr std::uint32_t kPacing = 200;

    // `kind` is the frame letter. With a boot ROM the stream is as strict as the chip's: headers, counts and
    // addresses are `U`, the end marker `X`, the reserved words 0x00FF, data words paced as above.
    StreamStep feed(char kind, std::uint16_t word, Memory& memory, F28xBootRom* rom);
    bool finished() const { return state_ == State::Done; }
    // The entry point once the stream has finished.
    std::optional<std::uint32_t> entryPoint() const;
    const std::vector<BootBlock>& blocks() const { return blocks_; }
    // Words the boot ROM could not write.
    bool wordsLost() const { return wordsLost_; }

private:
    enum class State { Key, Reserved, EntryHigh, EntryLow, BlockCount, AddressHigh, AddressLow, Data, Done, Failed };
    // The frame kind the stream expects now.
    char expectedKind(std::uint16_t word) const;
    State state_ = State::Key;
    bool wordsLost_ = false;
    int reserved_ = 0;
    std::uint32_t entry_ = 0;
    std::uint32_t address_ = 0;
    std::uint32_t remaining_ = 0;
    std::vector<BootBlock> blocks_;
};

// What the LF240x kernel does with the routines and the user program words it receives.
class Lf240xKernel {
public:
    virtual ~Lf240xKernel() = default;
    // A routine has arrived complete (0 kernel, 1 clear, 2 erase, 3 flash program); false rejects it.
    virtual bool routineReceived(std::size_t index, const std::vector<std::uint16_t>& words) = 0;
    // A user program word; false when it could not be written.
    virtual bool programWord(std::uint32_t address, std::uint16_t word) = 0;
    // Whether a routine word of this kind is taken (routine index as above); any by default.
    virtual bool takesRoutineWord(std::size_t /*index*/, char /*kind*/) { return true; }
};

class Lf240xBootStream {
public:
    static constexpr int kRoutineCount = 4;  // kernel, clear, erase, flash program

    // kind is the frame letter: routines end with Y or Z; user chunks end with Z.
    StreamStep feed(char kind, std::uint16_t word, Lf240xKernel& kernel);
    bool finished() const { return state_ == State::Done; }
    const std::vector<std::vector<std::uint16_t>>& routines() const { return routines_; }

private:
    enum class State { Routines, FirstAddress, Continuation, Address, Count, Data, Done, Failed };
    StreamStep fail();
    State state_ = State::Routines;
    std::vector<std::vector<std::uint16_t>> routines_{1};
    std::uint32_t address_ = 0;
    std::uint32_t remaining_ = 0;
    bool chunkFailed_ = false;
};

} // namespace lumetra::sim
