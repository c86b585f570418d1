// A model of the POD and of a C2000 target behind it, driven as a byte stream: the host writes command
// frames, the simulator queues the replies. Thread-safe: one mutex guards all state, and readers can block
// until reply bytes are due (waitForReply), so transports over it are event-driven.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace lumetra::sim {

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::milliseconds;

inline constexpr std::uint32_t kMemoryWords = 0x400000;

enum class FaultKind {
    NoReply,      // the matching command gets no reply
    WrongAck,     // the reply's first byte is replaced by '?'
    ShortReply,   // the reply loses its last byte
    Delay,        // the reply comes `delay` later
    StrayByte,    // an unexpected byte arrives right after a matching stream word (S or J)
    HangUp,       // after `hangUpAfterBytes` more host bytes the POD is gone: no reply, writes fail
};

// One armed fault. It applies to the frames whose command letter is `command` (0: any frame), after
// `skip` matching frames have passed, for `count` frames (negative: for ever).
struct Fault {
    FaultKind kind = FaultKind::NoReply;
    char command = 0;
    int skip = 0;
    int count = 1;
    Milliseconds delay{0};
    std::size_t hangUpAfterBytes = 0;
};

// Variables that move: evaluated at the time of each read command (or at animateAt).
enum class AnimationKind {
    Counter16,    // 16-bit word: start + rate * t, wrapping
    SineFloat32,  // IEEE float (low word first): offset + amplitude * sin(2 pi rate t)
    RampLong32,   // 32-bit (low word first): start + rate * t, wrapping
    SineTable16,  // `length` words of a signed 16-bit sine period, phase moving at `rate` periods/s
};

struct Animation {
    AnimationKind kind = AnimationKind::Counter16;
    std::uint32_t address = 0;
    double rate = 1.0;
    double amplitude = 1.0;
    double offset = 0.0;
    double start = 0.0;
    std::uint32_t length = 1;
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

struct SimConfig {
    std::uint8_t firmwareVersion = 21;
    std::string usbDescription = "USB POD";
    // Host line bauds the POD answers at; empty: every baud. Bytes at other bauds are lost.
    std::vector<int> answeringHostBauds;
    // Bytes take 10 bits at the host baud in both directions.
    bool wireTime = false;
    // Reply of `O` op 00 while the CSM is unlocked ('!' or 'X'); a locked CSM replies '?'.
    char unlockedCheckReply = '!';
    bool csmLocked = false;
    // The words of a flash sector field, so that `O` op 01 erases them to 0xFFFF; unset: erase is recorded only.
    std::function<std::vector<AddressRange>(std::uint16_t sectors)> sectorRanges;
    // Animations follow the clock at each read; off: only animateAt moves them.
    bool liveAnimation = true;
    std::size_t traceLimit = 100000;
};

// Where the target's boot loader stands.
enum class BootState { Running, WaitingAutoBaud, F28xStream, Lf240xStream };

class PodSimulator {
public:
    explicit PodSimulator(SimConfig config = {});
    ~PodSimulator();
    PodSimulator(const PodSimulator&) = delete;
    PodSimulator& operator=(const PodSimulator&) = delete;

    // --- host byte stream ---

    // Bytes the host sent. Returns the time the last of them reaches the POD (now without wire time).
    Clock::time_point hostWrite(const std::uint8_t* data, std::size_t size);
    // Takes the reply bytes due by now.
    std::size_t hostRead(std::uint8_t* out, std::size_t max);
    // Reply bytes due by now, and all queued ones.
    std::size_t pendingReplyBytes() const;
    std::size_t queuedReplyBytes() const;
    // When the next queued reply byte is due.
    std::optional<Clock::time_point> nextReplyDue() const;
    // Blocks until a reply byte is due or the deadline passes; true when one is due.
    bool waitForReply(Clock::time_point deadline);
    // Discards the queued reply bytes and any partly received frame.
    void purgeHost();
    // The host side's line speed (set by the transport that opens the POD).
    void setHostBaud(int baud);
    int hostBaud() const;
    bool hungUp() const;

    // --- configuration and faults ---

    void configure(const std::function<void(SimConfig&)>& change);
    SimConfig config() const;
    void injectFault(const Fault& fault);
    void clearFaults();

    // --- target state ---

    std::uint16_t word(std::uint32_t address) const;
    void setWord(std::uint32_t address, std::uint16_t value);
    std::vector<std::uint16_t> words(std::uint32_t address, std::uint32_t count) const;
    void addAnimation(const Animation& animation);
    void clearAnimations();
    void animateAt(double seconds);

    int targetBaudCode() const;       // last `K`, -1 before any
    int txDelayIndex() const;         // last `I`, -1 before any
    std::uint32_t podAddress() const; // last `@`, advanced by lower-case reads
    bool bootModeLine() const;
    int resetCount() const;
    BootState bootState() const;
    std::optional<std::uint32_t> entryPoint() const;  // of the last completed F28x boot stream
    std::size_t bootWordCount() const;                // words received since the last auto-baud
    std::vector<FlashRequest> flashRequests() const;
    int selectedBank() const;                         // 1 or 2 after `O` 04/05, 0 before
    int dataFlashType() const;                        // after record 71, -1 before
    std::vector<std::uint8_t> dataFlash(std::uint32_t offset, std::uint32_t count) const;
    std::vector<std::uint32_t> erasedDataFlashSectors() const;

    // Every frame received, without STX and ETX.
    std::vector<std::string> trace() const;
    void clearTrace();

private:
    struct Impl;
    mutable std::mutex mutex_;
    std::condition_variable replyReady_;
    std::unique_ptr<Impl> impl_;
};

} // namespace lumetra::sim
