// The POD's command interpreter and the target behind it: memory, control lines, boot streams, the flash
// algorithm's operations and the SPI data flash. Not thread-safe; PodSimulator serialises access.
#pragma once

#include "sim/boot_streams.h"
#include "sim/sim_config.h"
#include "sim/simulated_chip.h"
#include "sim/spi_data_flash.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumetra::sim {

class TargetModel {
public:
    explicit TargetModel(const SimConfig& config);

    // Carries out one frame (without STX and ETX) and returns the reply bytes, possibly none.
    // `seconds` is the simulation time, for live animations.
    std::string handle(std::string_view body, double seconds);

    Memory& memory() { return memory_; }
    const Memory& memory() const { return memory_; }
    std::vector<Animation>& animations() { return animations_; }
    void animateAt(double seconds);
    // Builds or drops the chip after a configuration change.
    void applyChipConfig();
    const SimulatedChip* chip() const { return chip_ ? &*chip_ : nullptr; }

    int targetBaudCode() const { return targetBaudCode_; }
    int txDelayIndex() const { return txDelayIndex_; }
    std::uint32_t podAddress() const { return podAddress_; }
    bool bootModeLine() const { return bootModeLine_; }
    int resetCount() const { return resetCount_; }
    BootState bootState() const { return bootState_; }
    std::optional<std::uint32_t> entryPoint() const { return entryPoint_; }
    std::size_t bootWordCount() const { return bootWordCount_; }
    const std::vector<std::vector<std::uint16_t>>& lf240xRoutines() const { return lf240x_.routines(); }
    const std::vector<FlashRequest>& flashRequests() const { return flashRequests_; }
    int selectedBank() const { return selectedBank_; }
    const SpiDataFlash& dataFlash() const { return dataFlash_; }
    // After a page program record (body without STX and ETX): one byte of that page turns wrong.
    void corruptProgrammedPage(std::string_view body);

private:
    std::string read(char mode, double seconds);
    std::string write(std::string_view body);
    std::string controlLine(char command);
    std::string autoBaud(BootState stream);
    std::string bootWord(char kind, std::string_view digits);
    std::string flashOperation(std::string_view fields);
    std::string dataFlashRecord(std::string_view body);

    const SimConfig& config_;
    Memory memory_;
    std::vector<Animation> animations_;
    int targetBaudCode_ = -1;
    int txDelayIndex_ = -1;
    std::uint32_t podAddress_ = 0;
    bool bootModeLine_ = false;
    int resetCount_ = 0;
    BootState bootState_ = BootState::Running;
    F28xBootStream f28x_;
    Lf240xBootStream lf240x_;
    std::optional<std::uint32_t> entryPoint_;
    std::size_t bootWordCount_ = 0;
    std::vector<std::uint16_t> streamedWords_;
    std::vector<FlashRequest> flashRequests_;
    int selectedBank_ = 0;
    SpiDataFlash dataFlash_;
    std::optional<SimulatedChip> chip_;
    std::optional<ChipConfig> chipConfig_;
};

} // namespace lumetra::sim
