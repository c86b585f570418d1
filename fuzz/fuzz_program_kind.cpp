// Classifies arbitrary bytes as a program file and filters them as console output: nothing may read out of
// bounds, a GUI verdict needs the whole header chain in place, and filtered text keeps no control byte but
// line breaks and tabs, however the bytes are split into reads.
#include "tools/console_text.h"
#include "tools/program_kind.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <string_view>

namespace {

using namespace lumetra::tools;

void check(bool condition)
{
    if (!condition)
        std::abort();
}

std::uint32_t little32(const std::uint8_t* bytes)
{
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8
        | static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

void checkFiltered(const std::string& text)
{
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        check(byte >= 0x20 || c == '\n' || c == '\t');
        check(byte != 0x7F);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    SpanByteSource source(std::span<const std::uint8_t>(data, size));
    if (classifyProgram(source) == ProgramKind::WindowsGui) {
        check(size >= 64 && data[0] == 'M' && data[1] == 'Z');
        const std::uint32_t offset = little32(data + 60);
        check(offset <= size && size - offset >= 248);
        check(little32(data + offset) == 0x00004550);
        check(data[offset + 24 + 68] == 2 && data[offset + 24 + 69] == 0);
    }

    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ConsoleTextFilter whole;
    const std::string once = whole.filter(bytes);
    checkFiltered(once);
    // The same bytes in two reads give the same text.
    const std::size_t split = size == 0 ? 0 : data[0] % size;
    ConsoleTextFilter parts;
    const std::string twice = parts.filter(bytes.substr(0, split)) + parts.filter(bytes.substr(split));
    check(once == twice);
    return 0;
}
