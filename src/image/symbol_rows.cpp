#include "image/symbol_rows.h"

#include "core/device_catalogue.h"
#include "image/coff_types.h"

#include <algorithm>

namespace lumetra::image {

namespace {

char foldCase(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

struct RowSource {
    core::Family family;
    const SymbolList& symbols;
    const std::set<std::string>& expanded;
    bool expandAll;
};

constexpr std::size_t kIndentPerDepth = 4;

void labelRow(SymbolRow& row)
{
    row.label.assign(static_cast<std::size_t>(row.depth) * kIndentPerDepth, ' ');
    if (row.expandable)
        row.label += row.expanded ? "- " : "+ ";
    row.label += row.name;
}

SymbolRow rowOf(const RowSource& source, CDataObject record, std::size_t symbolIndex, int aggregate, int depth)
{
    SymbolRow row;
    row.name = std::move(record.name);
    row.address = core::formatAddress(source.family, record.address);
    row.dataType = dataTypeText(record.type) + bitFieldText(record.bitOffset, record.bitWidth);
    row.etc = std::move(record.arrayInfo);
    row.symbolIndex = symbolIndex;
    row.depth = depth;
    row.expandable = aggregate >= 0 && depth < kMaxMemberDepth;
    row.expanded = row.expandable && (source.expandAll || source.expanded.contains(row.name));
    row.typedFromDebugInfo = source.symbols.typedFromDebugInfoAt(symbolIndex);
    labelRow(row);
    return row;
}

// A row that only tells: no name, nothing to add to the variable monitor.
SymbolRow noteRow(const std::string& note, std::size_t symbolIndex, int depth)
{
    SymbolRow row;
    row.symbolIndex = symbolIndex;
    row.depth = depth;
    row.note = note;
    labelRow(row);
    row.label += note;
    return row;
}

// The members of `parent` at `depth`, each expanded one followed by its own.
void appendMembers(const RowSource& source, std::size_t symbolIndex, const CDataObject& parent, int aggregate,
    int depth, std::vector<SymbolRow>& rows)
{
    for (const SymbolMember& member : source.symbols.membersOf(parent, aggregate)) {
        if (!member.note.empty()) {
            rows.push_back(noteRow(member.note, symbolIndex, depth));
            continue;
        }
        rows.push_back(rowOf(source, member.record, symbolIndex, member.aggregate, depth));
        if (rows.back().expanded)
            appendMembers(source, symbolIndex, member.record, member.aggregate, depth + 1, rows);
    }
}

} // namespace

std::size_t expanderLength(const SymbolRow& row)
{
    return row.expandable ? static_cast<std::size_t>(row.depth) * kIndentPerDepth + 2 : 0;
}

std::vector<std::string> longestColumnTexts(const std::vector<SymbolRow>& rows, int column, std::size_t count)
{
    const auto text = [column](const SymbolRow& row) -> const std::string& {
        switch (column) {
        case 0:
            return row.label;
        case 1:
            return row.address;
        case 2:
            return row.dataType;
        default:
            return row.etc;
        }
    };
    std::vector<const std::string*> texts;
    texts.reserve(rows.size());
    for (const SymbolRow& row : rows)
        texts.push_back(&text(row));
    const std::size_t kept = std::min(count, texts.size());
    std::partial_sort(texts.begin(), texts.begin() + static_cast<std::ptrdiff_t>(kept), texts.end(),
        [](const std::string* a, const std::string* b) { return a->size() > b->size(); });
    std::vector<std::string> longest;
    for (std::size_t i = 0; i < kept; ++i)
        longest.push_back(*texts[i]);
    return longest;
}

bool nameLessIgnoringCase(std::string_view a, std::string_view b)
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(foldCase(x)) < static_cast<unsigned char>(foldCase(y));
    });
}

std::vector<SymbolRow> buildSymbolRows(
    const SymbolList& symbols, std::uint16_t targetId, const std::set<std::string>& expanded, bool expandAll)
{
    const core::Family family = targetId == core::kTargetIdLf240x ? core::Family::Lf240x : core::Family::F28x;
    const RowSource source {family, symbols, expanded, expandAll};
    std::vector<SymbolRow> top;
    top.reserve(symbols.count());
    for (std::size_t i = 0; i < symbols.count(); ++i)
        top.push_back(rowOf(source, symbols.at(i), i, symbols.aggregateAt(i), 0));
    std::stable_sort(top.begin(), top.end(),
        [](const SymbolRow& a, const SymbolRow& b) { return nameLessIgnoringCase(a.name, b.name); });
    if (expanded.empty() && !expandAll)
        return top;
    std::vector<SymbolRow> rows;
    rows.reserve(top.size());
    for (SymbolRow& row : top) {
        const bool open = row.expanded;
        const std::size_t index = row.symbolIndex;
        rows.push_back(std::move(row));
        if (open)
            appendMembers(source, index, symbols.at(index), symbols.aggregateAt(index), 1, rows);
    }
    return rows;
}

} // namespace lumetra::image
