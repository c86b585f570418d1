#include "graph/items/item_editor.h"

#include "core/number_field_range.h"
#include "graph/items/graph_number_entry.h"
#include "monitor/number_entry.h"

#include <algorithm>
#include <cstdio>

namespace lumetra::graph {

namespace {

constexpr std::uint32_t kBasicTypeMask = 0xF;
constexpr std::uint32_t kMaxPrecision = 9;

core::DialogMessage information(std::string text)
{
    return {std::move(text), core::MessageIcon::Information};
}

std::string withLimit(const char* format, std::uint32_t limit)
{
    char text[160];
    std::snprintf(text, sizeof text, format, static_cast<unsigned>(limit - 1));
    return text;
}

bool isBlank(std::string_view text)
{
    return monitor::trimEntry(text).empty();
}

// The text between the last '[' and the last ']' when that ']' comes later.
std::optional<std::string> lastArrayDimension(const std::string& arrayInfo)
{
    const std::size_t open = arrayInfo.rfind('[');
    const std::size_t close = arrayInfo.rfind(']');
    if (open == std::string::npos || close == std::string::npos || close < open)
        return std::nullopt;
    return arrayInfo.substr(open + 1, close - open - 1);
}

// Precision: for "float" the decimal value of the text (empty is 0) kept within 0 to 9; 0 for every other type.
// nullopt when the text is not a decimal number.
std::optional<std::uint32_t> precisionOf(const ItemEditor& editor)
{
    if (editor.typeIndex != kFloatTypeIndex || isBlank(editor.precision))
        return 0;
    const std::optional<std::int64_t> number = monitor::parseWholeNumber(editor.precision, 10);
    if (!number)
        return std::nullopt;
    return static_cast<std::uint32_t>(std::clamp<std::int64_t>(*number, 0, kMaxPrecision));
}

} // namespace

void chooseEditorType(ItemEditor& editor, int typeIndex)
{
    editor.typeIndex = comboTypeIndex(typeIndex);
    editor.precisionWritable = editor.typeIndex == kFloatTypeIndex;
    editor.precision = editor.precisionWritable ? "3" : "0";
}

void loadSymbolIntoEditor(ItemEditor& editor, GraphKind kind, core::Family family, const image::CDataObject& symbol)
{
    editor.label = symbol.name;
    editor.address = core::formatAddress(family, symbol.address);
    if (kind == GraphKind::Memory) {
        if (std::optional<std::string> dimension = lastArrayDimension(symbol.arrayInfo))
            editor.length = std::move(*dimension);
    }
    chooseEditorType(editor, itemTypeIndexOfCode(symbol.type & kBasicTypeMask));
}

void loadRowIntoEditor(ItemEditor& editor, GraphKind kind, core::Family family, const GraphChannel& row)
{
    std::vector<std::string> cells = rowCells(kind, family, row);
    std::size_t cell = 0;
    editor.label = std::move(cells[cell++]);
    editor.address = std::move(cells[cell++]);
    if (kind == GraphKind::Memory)
        editor.length = std::move(cells[cell++]);
    editor.typeIndex = itemTypeIndexOfText(cells[cell++]);
    editor.precision = std::move(cells[cell]);
    editor.precisionWritable = editor.typeIndex == kFloatTypeIndex;
}

std::variant<core::DialogMessage, GraphChannel> validateEditor(
    GraphKind kind, core::Family family, const ItemEditor& editor)
{
    const bool memory = kind == GraphKind::Memory;
    const std::uint32_t limit = core::addressSpaceWordsOf(family);
    if (isBlank(editor.address))
        return information("주소 값을 입력하십시요.");
    if (memory && isBlank(editor.length))
        return information("데이터 길이 값을 입력하십시요.");
    if (editor.label.empty())
        return information("레이블 이름을 입력하십시요.");
    const std::optional<std::uint32_t> address = hexDigitsEntryValue(editor.address);
    if (!address)
        return information("주소 입력이 잘못되었읍니다.");
    const std::optional<std::uint32_t> length = memory ? hexDigitsEntryValue(editor.length) : std::uint32_t {0};
    if (!length)
        return information("데이터 길이 입력이 잘못되었읍니다.");

    const ItemTypeChoice& type = itemTypeChoiceAt(editor.typeIndex);
    GraphChannel item {editor.label, *address, *length, type.code, 0};
    if (item.address >= limit)
        return information(withLimit("입력한 주소 값이 최대 주소 범위(0x%X)를 초과합니다.", limit));
    if (memory) {
        if (item.length <= 1)
            return information("데이터 길이 값은 최소 1보다 커야 합니다.");
        // In 64 bits, so that a huge length cannot wrap around into the address space.
        const std::uint64_t end = std::uint64_t {item.address}
            + static_cast<std::uint64_t>(type.wordsPerElement) * std::uint64_t {item.length};
        if (end >= limit)
            return information(
                withLimit("입력한 값의 최대 데이터 크기가 최대 메모리 범위(0x%X Words)를 초과합니다.", limit));
    }
    const std::optional<std::uint32_t> precision = precisionOf(editor);
    if (!precision)
        return information(core::notNumberText("Precision 값"));
    item.precision = *precision;
    return item;
}

} // namespace lumetra::graph
