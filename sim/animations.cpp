#include "sim/animations.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <numbers>

namespace lumetra::sim {

namespace {

void store(Memory& memory, std::uint32_t address, std::uint16_t word)
{
    memory[address % memory.size()] = word;
}

void store32(Memory& memory, std::uint32_t address, std::uint32_t value)
{
    store(memory, address, static_cast<std::uint16_t>(value & 0xFFFF));
    store(memory, address + 1, static_cast<std::uint16_t>(value >> 16));
}

// Wraps a real count into an unsigned field of `modulus` values.
std::uint64_t wrap(double value, double modulus)
{
    const double wrapped = std::fmod(std::floor(value), modulus);
    return static_cast<std::uint64_t>(wrapped < 0 ? wrapped + modulus : wrapped);
}

std::uint16_t sineSample(const Animation& animation, double phase)
{
    const double value = animation.offset + animation.amplitude * std::sin(2 * std::numbers::pi * phase);
    const double clamped = std::clamp(std::round(value), -32768.0, 32767.0);
    return static_cast<std::uint16_t>(static_cast<std::int16_t>(clamped));
}

// The low bits of `count` placed, lowest first, on the set bits of `mask`; the other bits from `base`.
std::uint16_t spreadOverMask(std::uint16_t base, std::uint16_t mask, std::uint64_t count)
{
    std::uint16_t word = base & static_cast<std::uint16_t>(~mask);
    for (int bit = 0; bit < 16; ++bit) {
        const auto position = static_cast<std::uint16_t>(1u << bit);
        if ((mask & position) == 0)
            continue;
        if ((count & 1) != 0)
            word |= position;
        count >>= 1;
    }
    return word;
}

} // namespace

void applyAnimation(const Animation& animation, double seconds, Memory& memory)
{
    const double progress = animation.start + animation.rate * seconds;
    switch (animation.kind) {
    case AnimationKind::Counter16:
        store(memory, animation.address, static_cast<std::uint16_t>(wrap(progress, 65536.0)));
        break;
    case AnimationKind::RampLong32:
        store32(memory, animation.address, static_cast<std::uint32_t>(wrap(progress, 4294967296.0)));
        break;
    case AnimationKind::SineFloat32: {
        const double value =
            animation.offset + animation.amplitude * std::sin(2 * std::numbers::pi * animation.rate * seconds);
        store32(memory, animation.address, std::bit_cast<std::uint32_t>(static_cast<float>(value)));
        break;
    }
    case AnimationKind::SineTable16:
        for (std::uint32_t i = 0; i < animation.length; ++i) {
            const double phase = static_cast<double>(i) / animation.length + animation.rate * seconds;
            store(memory, animation.address + i, sineSample(animation, phase));
        }
        break;
    case AnimationKind::StatusBits16: {
        const auto base = static_cast<std::uint16_t>(wrap(animation.start, 65536.0));
        store(memory, animation.address,
              spreadOverMask(base, animation.mask, wrap(animation.rate * seconds, 65536.0)));
        break;
    }
    }
}

} // namespace lumetra::sim
