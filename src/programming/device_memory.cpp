#include "programming/device_memory.h"

#include "core/device_catalogue.h"
#include "image/flash_layout.h"

#include <span>

namespace lumetra::programming {

namespace {

using core::DeviceGroup;

struct Block {
    std::uint32_t first;
    std::uint32_t last; // inclusive
    MemoryKind kind;
    bool csmSecure;
};

constexpr MemoryKind kRam = MemoryKind::Ram;
constexpr MemoryKind kRom = MemoryKind::BootRom;
constexpr MemoryKind kPeripheral = MemoryKind::Peripheral;
constexpr MemoryKind kExternal = MemoryKind::External;

// M0 and M1 SARAM and the peripheral frames of every C28x row.
constexpr Block kC28xCommon[] = {
    {0x000000, 0x0007FF, kRam, false},
    {0x000800, 0x001FFF, kPeripheral, false},
    {0x004000, 0x007FFF, kPeripheral, false},
};

// L0 and L1 (secure), H0, and their mirrors below the boot ROM.
constexpr Block kF280x[] = {
    {0x008000, 0x009FFF, kRam, true},
    {0x00A000, 0x00BFFF, kRam, false},
    {0x3F8000, 0x3F9FFF, kRam, true},
    {0x3FA000, 0x3FBFFF, kRam, false},
    {0x3FF000, 0x3FFFFF, kRom, false},
};

// L0 and L1 (secure), H0 at 0x3F8000; the F2812's external interface zones.
constexpr Block kF281x[] = {
    {0x008000, 0x009FFF, kRam, true},
    {0x3F8000, 0x3F9FFF, kRam, false},
    {0x3FF000, 0x3FFFFF, kRom, false},
};
constexpr Block kF2812External[] = {
    {0x002000, 0x005FFF, kExternal, false},
    {0x080000, 0x17FFFF, kExternal, false},
};

// L0 to L3 (secure, mirrored at 0x3F8000), L4 to L7; the external interface zones.
constexpr Block kF2833x[] = {
    {0x008000, 0x00BFFF, kRam, true},
    {0x00C000, 0x00FFFF, kRam, false},
    {0x3F8000, 0x3FBFFF, kRam, true},
    {0x3FE000, 0x3FFFFF, kRom, false},
    {0x100000, 0x2FFFFF, kExternal, false},
};

// No code security module: L0 to L7, H0 to H5, the L0 to L3 mirror, the external interface zones.
constexpr Block kF2834x[] = {
    {0x008000, 0x03FFFF, kRam, false},
    {0x3F8000, 0x3FBFFF, kRam, false},
    {0x3FE000, 0x3FFFFF, kRom, false},
    {0x100000, 0x2FFFFF, kExternal, false},
};

// L0 (secure, mirrored at 0x3F8000).
constexpr Block kF2802x[] = {
    {0x008000, 0x008FFF, kRam, true},
    {0x3F8000, 0x3F8FFF, kRam, true},
    {0x3FE000, 0x3FFFFF, kRom, false},
};

// L0 to L3 (secure; L0 mirrored at 0x3F8000).
constexpr Block kF2803x[] = {
    {0x008000, 0x009FFF, kRam, true},
    {0x3F8000, 0x3F87FF, kRam, true},
    {0x3FE000, 0x3FFFFF, kRom, false},
};

// L0 to L4 (secure; L0 mirrored at 0x3F8000), L5 to L8.
constexpr Block kF2806x[] = {
    {0x008000, 0x00BFFF, kRam, true},
    {0x00C000, 0x013FFF, kRam, false},
    {0x3F8000, 0x3F87FF, kRam, true},
    {0x3FE000, 0x3FFFFF, kRom, false},
};

// LS0 to LS5, D0, D1 and GS0 to GS15 (their zones are the user's to assign), the boot ROM, the external interface,
// the CLA data ROM.
constexpr Block kF2837xS[] = {
    {0x008000, 0x01BFFF, kRam, false},
    {0x3F8000, 0x3FFFFF, kRom, false},
    {0x100000, 0x2FFFFF, kExternal, false},
    {0x01001000, 0x01001FFF, kRom, false},
};

// Program space of the LF240x rows: flash, then SARAM (and the LF2407A's external memory).
constexpr Block kLf2401a[] = {
    {0x0000, 0x1FFF, MemoryKind::Flash, true},
    {0x8000, 0x83FF, kRam, false},
};
constexpr Block kLf2402a[] = {
    {0x0000, 0x7FFF, MemoryKind::Flash, true},
    {0x8000, 0x87FF, kRam, false},
};
constexpr Block kLf2407a[] = {
    {0x0000, 0x7FFF, MemoryKind::Flash, true},
    {0x8000, 0x87FF, kRam, false},
    {0x8800, 0xFFFF, kExternal, false},
};

constexpr int kFirstF2812Row = 24;

std::span<const Block> groupBlocks(int row)
{
    switch (core::groupOf(row)) {
    case DeviceGroup::Lf240xA:
        if (row < 2)
            return kLf2401a;
        return row < 4 ? std::span<const Block>(kLf2402a) : std::span<const Block>(kLf2407a);
    case DeviceGroup::F280x:
    case DeviceGroup::F2801x2804x:
        return kF280x;
    case DeviceGroup::F281x:
        return kF281x;
    case DeviceGroup::F2823x2833x:
        return kF2833x;
    case DeviceGroup::F2834x:
        return kF2834x;
    case DeviceGroup::F2802x:
        return kF2802x;
    case DeviceGroup::F2803x:
        return kF2803x;
    case DeviceGroup::F2806x:
        return kF2806x;
    case DeviceGroup::F2837xS:
        break;
    }
    return kF2837xS;
}

std::optional<MemoryPlace> placeIn(std::span<const Block> blocks, std::uint32_t address)
{
    for (const Block& block : blocks) {
        if (address >= block.first && address <= block.last)
            return MemoryPlace {block.kind, block.csmSecure};
    }
    return std::nullopt;
}

} // namespace

std::optional<MemoryPlace> memoryAt(int row, std::uint32_t address)
{
    if (core::familyOf(row) == core::Family::Lf240x)
        return placeIn(groupBlocks(row), address);
    const image::FlashTag tag = image::tagSection(row, address, 1);
    if (tag.inFlash || tag.inSecondBank)
        return MemoryPlace {MemoryKind::Flash, !image::isDualBank(row)};
    if (const auto place = placeIn(kC28xCommon, address))
        return place;
    if (row >= kFirstF2812Row && core::groupOf(row) == DeviceGroup::F281x) {
        if (const auto place = placeIn(kF2812External, address))
            return place;
    }
    return placeIn(groupBlocks(row), address);
}

bool insideDeviceMemory(int row, std::uint32_t first, std::uint32_t words)
{
    const std::uint64_t end = static_cast<std::uint64_t>(first) + words;
    for (std::uint64_t a = first; a < end; ++a) {
        if (a > UINT32_MAX || !memoryAt(row, static_cast<std::uint32_t>(a)))
            return false;
    }
    return true;
}

bool runsCode(int row, std::uint32_t address)
{
    const auto place = memoryAt(row, address);
    return place && place->kind != MemoryKind::Peripheral;
}

bool inCsmSecureRam(int row, std::uint32_t address)
{
    const auto place = memoryAt(row, address);
    return place && place->kind == MemoryKind::Ram && place->csmSecure;
}

std::uint32_t ramBootEntryOf(int row)
{
    constexpr std::uint32_t kH0 = 0x3F8000;
    return core::groupOf(row) == DeviceGroup::F281x ? kH0 : 0x000000;
}

} // namespace lumetra::programming
