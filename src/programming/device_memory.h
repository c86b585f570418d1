// The word memory of each device row as a boot loader run meets it: on-chip RAM (and which blocks the code
// security module protects), flash and OTP (from the flash layout), boot ROM, peripheral frames and external
// memory. Generous where the parts of a group differ: a block counts when any part of the group has it.
#pragma once

#include <cstdint>
#include <optional>

namespace lumetra::programming {

enum class MemoryKind { Ram, Flash, BootRom, Peripheral, External };

struct MemoryPlace {
    MemoryKind kind = MemoryKind::Ram;
    bool csmSecure = false; // protected while the code security module is locked
};

// What lies at a word address of the row (program space for the LF240x rows); nullopt for reserved space.
std::optional<MemoryPlace> memoryAt(int row, std::uint32_t address);

// True when every word of [first, first + words) exists on the row.
bool insideDeviceMemory(int row, std::uint32_t first, std::uint32_t words);

// True when code can run from the address: RAM, flash, OTP, boot ROM or external memory.
bool runsCode(int row, std::uint32_t address);

// True when the address is RAM that the code security module protects.
bool inCsmSecureRam(int row, std::uint32_t address);

// Where the row's boot modes start a program loaded into RAM: H0 SARAM (0x3F8000) on the F281x, M0 SARAM
// (0x000000) on every other C28x row.
std::uint32_t ramBootEntryOf(int row);

} // namespace lumetra::programming
