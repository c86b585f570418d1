// The chip behind the simulated POD when the programming runs are to prove something: the algorithm and
// matching-flow images it receives are checked word for word against its image set (the simulation set unless
// the configuration gives one), key slots aside; its flash is erased and programmed only through a running flash
// algorithm (a word that is not erased cannot be programmed), and its code security module stays locked until
// the right keys came.
//
// Its boot ROM and kernel are as strict as silicon: the boot stream's frame kinds, reserved words and pacing
// must be exact, the entry point must lie in memory that runs code, and a user program's words for RAM that the
// locked module protects are lost: the stream is refused at its end marker. The chip's own target code is
// taken there (a flash algorithm then reports the lock at op 00), and runs only when the stream enters where the
// device starts a RAM program. A running algorithm talks at 115200 baud: it hears the POD only once the POD's
// target line was set to that rate after it started.
#pragma once

#include "sim/boot_streams.h"
#include "sim/sim_config.h"

#include "programming/target_image.h"

#include <optional>
#include <string>
#include <vector>

namespace lumetra::sim {

class SimulatedChip : public Lf240xKernel, public F28xBootRom {
public:
    SimulatedChip(const ChipConfig& config, Memory& memory);

    // The reset line: the CSM locks again and nothing runs.
    void reset();
    // The boot ROM reached the end marker: an image it knows runs; anything else stays in RAM. False when the
    // end marker is refused (words of a user program were lost).
    bool bootStreamFinished(const std::vector<BootBlock>& blocks, std::uint32_t entry, bool wordsLost);
    // The POD's `K`: the baud code of its line to the target.
    void targetBaudSet(int code);
    // A running algorithm hears the POD.
    bool algorithmListening() const { return listening_; }
    // `O` operation with the `J` words streamed since the last one; the reply, possibly none.
    std::string flashOperation(
        const FlashRequest& request, const std::vector<std::uint16_t>& streamed, char unlockedReply);

    bool routineReceived(std::size_t index, const std::vector<std::uint16_t>& words) override;
    bool programWord(std::uint32_t address, std::uint16_t word) override;
    bool takesRoutineWord(std::size_t index, char kind) override;
    bool entryAccepted(std::uint32_t entry) override;
    bool writable(std::uint32_t address) override;

    bool unlocked() const { return unlocked_; }
    bool algorithmRunning() const { return algorithm_ == Algorithm::Running; }
    // The data-flash algorithm of an F2834x came word for word and answers the data-flash records.
    bool dataFlashAlgorithmRunning() const { return dataFlashAlgorithm_ && listening_; }
    // Why the last image was refused, for tests ("flash-algorithm-33 segment 1 word 12 differs").
    const std::string& refusal() const { return refusal_; }
    // The flash content a fresh chip starts with at the address (an old program).
    static std::uint16_t oldProgramWord(std::uint32_t address);
    // True when the address lies in the chip's flash (either bank, OTP included).
    bool inFlash(std::uint32_t address) const;

private:
    enum class Algorithm { None, Running, Faulted };
    bool isLf240x() const;
    bool keysMatch(const std::vector<std::uint16_t>& keys) const;
    // The received segments against the image; false with the refusal set when a word differs. `keys` gets
    // the words of the image's key slots.
    bool matchesImage(const std::string& name, const std::vector<BootBlock>& blocks, std::vector<std::uint16_t>& keys);
    bool sameShape(const std::string& name, const std::vector<BootBlock>& blocks) const;
    bool erase(std::uint16_t field);
    bool program(std::uint32_t address, const std::vector<std::uint16_t>& words);
    void eraseRange(std::uint32_t first, std::uint32_t count);

    ChipConfig config_;
    Memory& memory_;
    const programming::ImageSet& images_;
    bool unlocked_ = false;
    Algorithm algorithm_ = Algorithm::None;
    int selectedBank_ = 0;
    bool dataFlashAlgorithm_ = false;
    bool listening_ = false;
    std::string refusal_;
    std::vector<std::uint16_t> lf240xKeys_;
    bool lf240xKernelRuns_ = false;
};

} // namespace lumetra::sim
