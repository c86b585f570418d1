// The program's symbol list: the monitorable global variables in symbol table order, duplicates kept.
// Compact: a symbol read from a file keeps its name in the file's bytes and its array info as the offset of its
// auxiliary entry there; records are made on demand.
#pragma once

#include "image/data_object.h"
#include "image/debug_types.h"
#include "image/shared_bytes.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumetra::image {

// Members deeper than this are not listed (the debug information may describe a cycle).
inline constexpr int kMaxMemberDepth = 8;
// An array of structures lists this many elements at most, then a note of how many more it has.
inline constexpr std::uint32_t kMaxListedElements = 256;

// A member of a structure or union symbol, or an element of an array of them: its record (dotted name "a.b", or
// indexed name "a[2]", own address and type) and, when it is a structure or union itself, its own members. A note
// stands for the elements of an array past the listed ones: its record is empty.
struct SymbolMember {
    CDataObject record;
    int aggregate = -1;
    std::string note;
};

// The note after the listed elements of an array with `more` elements left out.
std::string moreElementsNote(std::uint64_t more);

class SymbolList {
public:
    SymbolList() = default;
    // A list of the given records, their texts copied.
    explicit SymbolList(const std::vector<CDataObject>& records);

    std::size_t count() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }

    CDataObject at(std::size_t index) const;
    std::string_view nameAt(std::size_t index) const;
    std::uint32_t addressAt(std::size_t index) const { return entries_.at(index).address; }
    std::uint16_t typeAt(std::size_t index) const { return entries_.at(index).type; }
    std::string arrayInfoAt(std::size_t index) const;
    // True when the symbol's type and array dimensions come from the debug information, not the symbol table.
    bool typedFromDebugInfoAt(std::size_t index) const
    {
        return (entries_.at(index).sources & kTypeFromDebugInfo) != 0;
    }
    std::vector<CDataObject> records() const;
    // Every record, each structure or union followed by its members (depth first, in declaration order).
    std::vector<CDataObject> recordsWithMembers() const;

    // The first record whose name is exactly `name` (case-sensitive); a dotted name "Regs.CTRL.bit" or an indexed
    // one "Sector[2].Mask" not listed as such names a member or element of a structure, union or array symbol.
    std::optional<CDataObject> findFirst(std::string_view name) const;

    // The structure or union a symbol's members come from; -1 for a symbol that has none.
    int aggregateAt(std::size_t index) const { return entries_.at(index).aggregate; }
    // The members of `aggregate` under `parent`: "parent.member" at the parent's address plus the member's offset;
    // for an array of structures or unions its elements "parent[i]" (up to kMaxListedElements, then a note).
    std::vector<SymbolMember> membersOf(const CDataObject& parent, int aggregate) const;
    // The structures and unions of the debug information the typed symbols refer to.
    void useAggregates(std::shared_ptr<const std::vector<DebugAggregate>> aggregates)
    {
        aggregates_ = std::move(aggregates);
    }

    // Symbols appended from now on may name bytes of `file`; the list must be empty.
    void useFile(SharedBytes file) { file_ = std::move(file); }
    void reserve(std::size_t count) { entries_.reserve(count); }
    // A symbol read from the file: a name lying in the file's bytes is kept there, any other is copied; an array's
    // info text comes from the dimensions of the 18-byte auxiliary entry at `arrayAuxOffset` of the file.
    void appendFromFile(
        std::string_view name, std::uint32_t address, std::uint16_t type, std::optional<std::uint32_t> arrayAuxOffset)
    {
        Entry entry {0, static_cast<std::uint32_t>(name.size()), address, arrayAuxOffset.value_or(0), 0, type,
            static_cast<std::uint8_t>(arrayAuxOffset ? kArrayInfoFromAux : 0)};
        if (liesInFile(name)) {
            entry.nameOffset = static_cast<std::uint32_t>(name.data() - reinterpret_cast<const char*>(file_.data()));
        } else {
            entry.nameOffset = appendText(name);
            entry.sources |= kNameInText;
        }
        entries_.push_back(entry); // inline: the reader appends every listed symbol
    }
    // A symbol whose texts are copied into the list.
    void append(std::string_view name, std::uint32_t address, std::uint16_t type, std::string_view arrayInfo = {});
    // A symbol typed from the debug information, its texts copied; `aggregate` indexes the list's aggregates.
    void appendTypedFromDebugInfo(std::string_view name, std::uint32_t address, std::uint16_t type,
        std::string_view arrayInfo, int aggregate = -1);

    // Empties the list, keeping its capacity for the next program's symbols.
    void clear();

private:
    enum Source : std::uint8_t {
        kNameInText = 1,
        kArrayInfoInText = 2,
        kArrayInfoFromAux = 4,
        kTypeFromDebugInfo = 8,
    };
    struct Entry {
        std::uint32_t nameOffset;
        std::uint32_t nameSize;
        std::uint32_t address;
        std::uint32_t arrayInfoOffset; // into text_ or, from an aux entry, into file_
        std::uint32_t arrayInfoSize; // in text_
        std::uint16_t type;
        std::uint8_t sources;
        std::int32_t aggregate = -1;
    };

    std::uint32_t appendText(std::string_view text);
    bool liesInFile(std::string_view text) const
    {
        const auto first = reinterpret_cast<std::uintptr_t>(file_.data());
        const auto start = reinterpret_cast<std::uintptr_t>(text.data());
        return file_.data() != nullptr && start >= first && start - first <= file_.size()
            && text.size() <= file_.size() - (start - first);
    }

    SharedBytes file_;
    struct Place {
        CDataObject record;
        int aggregate = -1;
    };
    std::optional<CDataObject> findMember(std::string_view dottedName) const;
    const DebugAggregate* aggregate(int index) const;
    const DebugMember* memberNamed(int aggregate, std::string_view name) const;
    // Moves `place` to the element "[i]..." of its array; true also for no indexes.
    bool enterElement(Place& place, std::string_view indexes) const;
    std::vector<SymbolMember> elementsOf(const CDataObject& parent, const DebugAggregate& array) const;
    void appendMembers(std::vector<CDataObject>& out, const CDataObject& parent, int aggregate, int depth) const;

    std::shared_ptr<const std::vector<DebugAggregate>> aggregates_;
    std::string text_; // texts not in file_
    std::vector<Entry> entries_;
};

} // namespace lumetra::image
