#include "graph/session/sample_conversion.h"

#include <bit>

namespace lumetra::graph {

namespace {

enum class SampleKind { Signed16, Unsigned16, Signed32, Unsigned32, Float32 };

std::optional<SampleKind> sampleKindOf(std::uint32_t type)
{
    switch (type) {
    case 3:
    case 4:
        return SampleKind::Signed16;
    case 13:
    case 14:
        return SampleKind::Unsigned16;
    case 5:
        return SampleKind::Signed32;
    case 15:
        return SampleKind::Unsigned32;
    case 6:
        return SampleKind::Float32;
    default:
        return std::nullopt;
    }
}

bool oneWord(SampleKind kind)
{
    return kind == SampleKind::Signed16 || kind == SampleKind::Unsigned16;
}

} // namespace

std::optional<SampleRead> sampleReadOf(std::uint32_t type)
{
    const auto kind = sampleKindOf(type);
    if (!kind) {
        return std::nullopt;
    }
    return oneWord(*kind) ? SampleRead {'r', 1} : SampleRead {'l', 2};
}

std::optional<double> convertSample(std::uint32_t type, std::uint32_t raw)
{
    const auto kind = sampleKindOf(type);
    if (!kind) {
        return std::nullopt;
    }
    switch (*kind) {
    case SampleKind::Signed16:
        return static_cast<double>(static_cast<std::int16_t>(raw & 0xFFFF));
    case SampleKind::Unsigned16:
        return static_cast<double>(raw & 0xFFFF);
    case SampleKind::Signed32:
        return static_cast<double>(static_cast<std::int32_t>(raw));
    case SampleKind::Unsigned32:
        return static_cast<double>(raw);
    case SampleKind::Float32:
        return static_cast<double>(std::bit_cast<float>(raw));
    }
    return std::nullopt;
}

} // namespace lumetra::graph
