#include "monitor/value_parse.h"

#include "monitor/data_types.h"
#include "monitor/number_entry.h"

#include <algorithm>
#include <bit>

namespace lumetra::monitor {

namespace {

constexpr int kMemoryBinaryDigits = 16;

bool isBinaryText(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c == '0' || c == '1'; });
}

std::uint32_t binaryValue(std::string_view digits)
{
    std::uint32_t value = 0;
    for (const char c : digits)
        value = (value << 1) | (c == '1' ? 1u : 0u);
    return value;
}

} // namespace

std::string_view entryErrorMessage(EntryError error)
{
    switch (error) {
    case EntryError::Empty:
        return "데이타를 입력하십시요.";
    case EntryError::NotBinary:
        return "Binary Data Type으로 값을 입력하십시요.";
    case EntryError::NotNumber:
        break;
    }
    return "숫자 형식이 잘못되었읍니다. 10진수, 16진수(0x 또는 H) 또는 소수로 입력하십시요.";
}

EntryResult parseEntry(std::string_view text, ViewType view, int binaryDigits)
{
    const std::string_view trimmed = trimEntry(text);
    if (trimmed.empty())
        return {0, EntryError::Empty};
    if (isFractionEntry(trimmed)) {
        const std::optional<double> fraction = parseFractionEntry(trimmed);
        if (!fraction)
            return {0, EntryError::NotNumber};
        return {std::bit_cast<std::uint32_t>(static_cast<float>(*fraction)), std::nullopt};
    }
    if (view == ViewType::Binary16) {
        if (!isBinaryText(trimmed))
            return {0, EntryError::NotBinary};
        const auto kept = static_cast<std::size_t>(std::clamp(binaryDigits, 0, 32));
        return {binaryValue(trimmed.substr(0, kept)), std::nullopt};
    }
    const std::optional<std::uint32_t> value = parseIntegerEntry(trimmed);
    if (!value)
        return {0, EntryError::NotNumber};
    return {*value, std::nullopt};
}

EntryResult parseMemoryEntry(std::string_view text, ViewType view)
{
    return parseEntry(text, view, kMemoryBinaryDigits);
}

EntryResult parseVariableEntry(std::string_view text, ViewType view, std::uint32_t dataType)
{
    return parseEntry(text, view, dataTypeInfoOfField(static_cast<std::uint16_t>(dataType)).wordCount == 1 ? 16 : 32);
}

} // namespace lumetra::monitor
