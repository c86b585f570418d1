// A model of the POD and of a C2000 target behind it, driven as a byte stream: the host writes command
// frames, the simulator queues the replies. Thread-safe: one mutex guards all state, and readers can block
// until reply bytes are due (waitForReply), so transports over it are event-driven. Its times come from a
// clock: the steady clock, or a simulated one on which waits cost nothing.
#pragma once

#include "sim/sim_config.h"

#include "core/wait_clock.h"

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

class PodSimulator {
public:
    explicit PodSimulator(SimConfig config = {}, core::WaitClock& clock = core::steadyWaitClock());
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
    // Discards the reply bytes due by now, as a purge of the host's receive buffer does. Bytes the POD has
    // not sent yet and its partly received frame stay: they are beyond the host's reach.
    void purgeHost();
    // The host side's line speed (set by the transport that opens the POD).
    void setHostBaud(int baud);
    int hostBaud() const;
    bool hungUp() const;

    // The clock of the wire times, the faults' delays and the animations; transports over the simulator wait in it.
    core::WaitClock& clock() const { return clock_; }

    // --- configuration and faults ---

    void configure(const std::function<void(SimConfig&)>& change);
    SimConfig config() const;
    void injectFault(const Fault& fault);
    void clearFaults();
    // Arms the hold point (replacing an armed one).
    void holdAfter(HoldPoint point);
    // True while a host write stands at the hold point.
    bool holding() const;
    // Lets a held write return and disarms the hold point.
    void resume();

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
    // The LF240x kernel flow's routines as received (kernel first).
    std::vector<std::vector<std::uint16_t>> lf240xRoutines() const;
    std::vector<FlashRequest> flashRequests() const;
    int selectedBank() const;                         // 1 or 2 after `O` 04/05, 0 before
    // With a chip configured: why it last refused an image (empty when none was), and its CSM state.
    std::string chipRefusal() const;
    bool chipUnlocked() const;
    int dataFlashType() const;                        // after record 71, -1 before
    std::vector<std::uint8_t> dataFlash(std::uint32_t offset, std::uint32_t count) const;
    std::vector<std::uint32_t> erasedDataFlashSectors() const;

    // Every frame received, without STX and ETX.
    std::vector<std::string> trace() const;
    // When the last frame of the trace reached the POD; nullopt before any.
    std::optional<Clock::time_point> lastFrameArrival() const;
    void clearTrace();

private:
    struct Impl;
    core::WaitClock& clock_;
    mutable std::mutex mutex_;
    std::condition_variable replyReady_;
    std::condition_variable resumed_;
    std::unique_ptr<Impl> impl_;
};

} // namespace lumetra::sim
