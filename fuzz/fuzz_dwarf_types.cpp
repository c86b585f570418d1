// Reads arbitrary bytes as the DWARF sections of a program: a 16-bit little-endian length, that many bytes of
// .debug_abbrev, and the rest as .debug_info. Whatever the bytes, the reader returns, and a result it calls read
// holds only types the symbol list can show (a basic type or a derivation: a pointer to void has no basic type),
// members of known structures, bit fields inside 32 bits and arrays of known structures with a size.
#include "image/dwarf_reader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const std::span<const std::uint8_t> input(data, size);
    const std::size_t abbrevSize = std::min<std::size_t>(input[0] | input[1] << 8, size - 2);
    using lumetra::image::ByteView;
    lumetra::image::DebugSections sections;
    sections.sections.push_back({".debug_abbrev", ByteView(input.subspan(2, abbrevSize))});
    sections.sections.push_back({".debug_info", ByteView(input.subspan(2 + abbrevSize))});
    const lumetra::image::DebugTypes types = lumetra::image::readDwarfTypes(sections);
    if (types.status != lumetra::image::DebugReadStatus::Read && (!types.variables.empty() || !types.declarations.empty()))
        std::abort(); // a reader that gave up must not leave half a result
    const auto validAggregate
        = [&types](int index) { return index >= -1 && index < static_cast<int>(types.aggregates.size()); };
    for (const auto* variables : {&types.variables, &types.declarations}) {
        for (const auto& [name, variable] : *variables) {
            if (name.empty() || variable.type == 0 || !validAggregate(variable.aggregate))
                std::abort();
        }
    }
    for (const lumetra::image::DebugAggregate& aggregate : types.aggregates) {
        if (aggregate.element >= 0 && (!validAggregate(aggregate.element) || aggregate.sizeWords == 0))
            std::abort();
        for (const lumetra::image::DebugMember& member : aggregate.members) {
            if (member.name.empty() || member.type == 0 || !validAggregate(member.aggregate)
                || member.bitOffset + member.bitWidth > 32)
                std::abort();
        }
    }
    return 0;
}
