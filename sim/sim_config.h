// Configuration, faults, animations and records of the POD simulator.
#pragma once

#include "programming/target_image.h"

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace lumetra::sim {

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::milliseconds;

inline constexpr std::uint32_t kMemoryWords = 0x400000;
using Memory = std::vector<std::uint16_t>;

enum class FaultKind {
    NoReply,      // the matching command gets no reply
    WrongAck,     // the reply's first byte is replaced by '?'
    ShortReply,   // the reply loses its last byte
    Delay,        // the reply comes `delay` later
    Stall,        // the reply's first `afterBytes` bytes come on time, the rest `delay` later
    StrayByte,    // an unexpected byte arrives right after a matching stream word (S or J)
    HangUp,       // after `afterBytes` more host bytes the POD is gone: no reply, writes fail
    CorruptPage,  // a page program (record 73) leaves one wrong byte; counted over those records only
};

// One armed fault. It applies to the frames whose command letter is `command` (0: any frame), after
// `skip` matching frames have passed, for `count` frames (negative: for ever).
struct Fault {
    FaultKind kind = FaultKind::NoReply;
    char command = 0;
    int skip = 0;
    int count = 1;
    Milliseconds delay{0};
    std::size_t afterBytes = 0;
};

// A step where a run stops until the test resumes it: the host's write that completes the (skip+1)-th frame
// starting with `prefix` (the POD has taken the frame) returns only after PodSimulator::resume.
struct HoldPoint {
    std::string prefix;
    int skip = 0;
};

// Variables that move: evaluated at the time of each read command (or at animateAt).
enum class AnimationKind {
    Counter16,    // 16-bit word: start + rate * t, wrapping
    SineFloat32,  // IEEE float (low word first): offset + amplitude * sin(2 pi rate t)
    RampLong32,   // 32-bit (low word first): start + rate * t, wrapping
    SineTable16,  // `length` words of a signed 16-bit sine period, phase moving at `rate` periods/s
    StatusBits16, // 16-bit word: `start`, with the bits of `mask` holding the count floor(rate * t), lowest bit first
};

struct Animation {
    AnimationKind kind = AnimationKind::Counter16;
    std::uint32_t address = 0;
    double rate = 1.0;
    double amplitude = 1.0;
    double offset = 0.0;
    double start = 0.0;
    std::uint32_t length = 1;
    std::uint16_t mask = 0;
};

struct AddressRange {
    std::uint32_t first = 0;
    std::uint32_t count = 0;
};

// One `O` flash operation as the simulated flash algorithm received it.
struct FlashRequest {
    std::uint8_t op = 0;
    std::uint16_t sectors = 0;
    std::uint32_t address = 0;
    std::uint16_t count = 0;
    std::uint16_t extra = 0;
};

// The chip the programming runs meet: its device code picks the flash layout and the images it accepts (word
// for word), the password locks its code security module.
struct ChipConfig {
    int deviceCode = 26;
    // KEY0 first (an LF240x uses the first four); unset or all 0xFFFF: an unsecured device; all zero: locked for ever.
    std::optional<std::array<std::uint16_t, 8>> password{};
    // The image set the chip compares against; unset: the simulation set.
    std::shared_ptr<const programming::ImageSet> images{};

    bool operator==(const ChipConfig&) const = default;
};

struct SimConfig {
    std::uint8_t firmwareVersion = 21;
    std::string usbDescription = "USB POD";
    // Host line bauds the POD answers at; empty: every baud. Bytes at other bauds are lost.
    std::vector<int> answeringHostBauds{};
    // Bytes take 10 bits at the host baud in both directions.
    bool wireTime = false;
    // Reply of `O` op 00 while the CSM is unlocked ('!' or 'X'); a locked CSM replies '?'.
    char unlockedCheckReply = '!';
    bool csmLocked = false;
    // The words of a flash sector field, so that `O` op 01 erases them to 0xFFFF; unset: erase is recorded only.
    std::function<std::vector<AddressRange>(std::uint16_t sectors)> sectorRanges{};
    // With a chip, the boot streams, the `O` operations and the LF240x kernel act on it (csmLocked and
    // sectorRanges are then unused); without, they are only recorded and written to memory.
    std::optional<ChipConfig> chip{};
    // Animations follow the clock at each read; off: only animateAt moves them.
    bool liveAnimation = true;
    std::size_t traceLimit = 100000;
};

// Where the target's boot loader stands.
enum class BootState { Running, WaitingAutoBaud, F28xStream, Lf240xStream };

} // namespace lumetra::sim
