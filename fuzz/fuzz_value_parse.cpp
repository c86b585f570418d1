// Parses arbitrary text in every view type and data type, and renders the words it yields in every view
// type and context: nothing may crash, and every rendering keeps its fixed shape.
#include "monitor/number_entry.h"
#include "monitor/value_parse.h"
#include "monitor/value_render.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>

namespace {

using namespace lumetra::monitor;

void check(bool condition)
{
    if (!condition)
        std::abort();
}

void renderEverywhere(std::uint32_t raw)
{
    for (int code = 0; code < kViewTypeCount; ++code) {
        const ViewType view = static_cast<ViewType>(code);
        const RenderedValue cell = renderMemoryCell(raw, view);
        check(!cell.value.empty());
        check(cell.ascii.size() == static_cast<std::size_t>(2 * memoryWordCount(view)));
        for (const DisplayGroup group : {DisplayGroup::SingleWord, DisplayGroup::DoubleWord, DisplayGroup::Float}) {
            const RenderedValue row = renderVariableValue(raw, view, group);
            check(!row.value.empty());
            check(row.ascii.size() == (group == DisplayGroup::SingleWord ? 2u : 4u));
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (int code = 0; code < kViewTypeCount; ++code) {
        const ViewType view = static_cast<ViewType>(code);
        const EntryResult memory = parseMemoryEntry(text, view);
        check(memory.ok() || memory.value == 0);
        renderEverywhere(memory.value);
        for (std::uint32_t dataType = 0; dataType < kDataTypeCount; ++dataType) {
            const EntryResult variable = parseVariableEntry(text, view, dataType);
            check(variable.ok() == memory.ok());
        }
    }
    // A whole integer entry has the value the conversion that stops at the first non-digit gives it.
    const std::string_view trimmed = trimEntry(text);
    const std::optional<std::uint32_t> integer = parseIntegerEntry(text);
    check(!integer || *integer == convertUnsigned32(trimmed, entryRadix(trimmed)));
    renderEverywhere(integer.value_or(0));
    static_cast<void>(parseFractionEntry(text));
    if (size >= 4) {
        std::uint32_t raw = 0;
        for (std::size_t i = 0; i < 4; ++i)
            raw = (raw << 8) | data[i];
        renderEverywhere(raw);
    }
    return 0;
}
