#include "image/symbol_list.h"

#include "image/array_info.h"

#include <algorithm>
#include <array>
#include <limits>
#include <new>

namespace lumetra::image {

SymbolList::SymbolList(const std::vector<CDataObject>& records)
{
    entries_.reserve(records.size());
    for (const CDataObject& record : records)
        append(record.name, record.address, record.type, record.arrayInfo);
}

CDataObject SymbolList::at(std::size_t index) const
{
    CDataObject record;
    record.name = nameAt(index);
    record.address = addressAt(index);
    record.type = typeAt(index);
    record.arrayInfo = arrayInfoAt(index);
    return record;
}

std::string_view SymbolList::nameAt(std::size_t index) const
{
    const Entry& entry = entries_.at(index);
    const char* base = (entry.sources & kNameInText) != 0 ? text_.data() : reinterpret_cast<const char*>(file_.data());
    return std::string_view(base + entry.nameOffset, entry.nameSize);
}

std::string SymbolList::arrayInfoAt(std::size_t index) const
{
    const Entry& entry = entries_.at(index);
    if ((entry.sources & kArrayInfoInText) != 0)
        return text_.substr(entry.arrayInfoOffset, entry.arrayInfoSize);
    if ((entry.sources & kArrayInfoFromAux) != 0) {
        // The dimensions are the four 16-bit words at bytes 8..15 of the auxiliary entry.
        const std::uint8_t* aux = file_.data() + entry.arrayInfoOffset;
        std::array<std::uint16_t, 4> dimensions {};
        for (std::size_t n = 0; n < dimensions.size(); ++n)
            dimensions[n] = static_cast<std::uint16_t>(aux[8 + 2 * n] | aux[9 + 2 * n] << 8);
        return arrayInfoText(dimensions);
    }
    return {};
}

std::vector<CDataObject> SymbolList::records() const
{
    std::vector<CDataObject> all;
    all.reserve(count());
    for (std::size_t i = 0; i < count(); ++i)
        all.push_back(at(i));
    return all;
}

std::vector<CDataObject> SymbolList::recordsWithMembers() const
{
    std::vector<CDataObject> all;
    all.reserve(count());
    for (std::size_t i = 0; i < count(); ++i) {
        all.push_back(at(i));
        if (aggregateAt(i) >= 0)
            appendMembers(all, CDataObject(all.back()), aggregateAt(i), 1);
    }
    return all;
}

void SymbolList::appendMembers(std::vector<CDataObject>& out, const CDataObject& parent, int aggregate, int depth) const
{
    if (depth > kMaxMemberDepth)
        return;
    for (SymbolMember& member : membersOf(parent, aggregate)) {
        out.push_back(member.record);
        if (member.aggregate >= 0)
            appendMembers(out, member.record, member.aggregate, depth + 1);
    }
}

std::optional<CDataObject> SymbolList::findFirst(std::string_view name) const
{
    for (std::size_t i = 0; i < count(); ++i) {
        if (nameAt(i) == name)
            return at(i);
    }
    return findMember(name);
}

void SymbolList::append(std::string_view name, std::uint32_t address, std::uint16_t type, std::string_view arrayInfo)
{
    Entry entry {appendText(name), static_cast<std::uint32_t>(name.size()), address, 0, 0, type, kNameInText};
    if (!arrayInfo.empty()) {
        entry.arrayInfoOffset = appendText(arrayInfo);
        entry.arrayInfoSize = static_cast<std::uint32_t>(arrayInfo.size());
        entry.sources |= kArrayInfoInText;
    }
    entries_.push_back(entry);
}

void SymbolList::appendTypedFromDebugInfo(
    std::string_view name, std::uint32_t address, std::uint16_t type, std::string_view arrayInfo, int aggregate)
{
    append(name, address, type, arrayInfo);
    entries_.back().sources |= kTypeFromDebugInfo;
    entries_.back().aggregate = aggregate;
}

std::vector<SymbolMember> SymbolList::membersOf(const CDataObject& parent, int aggregate) const
{
    std::vector<SymbolMember> members;
    if (!aggregates_ || aggregate < 0 || static_cast<std::size_t>(aggregate) >= aggregates_->size())
        return members;
    const DebugAggregate& type = (*aggregates_)[static_cast<std::size_t>(aggregate)];
    members.reserve(type.members.size());
    for (const DebugMember& member : type.members) {
        SymbolMember entry;
        entry.record.name = parent.name + "." + member.name;
        entry.record.address = parent.address + member.offset;
        entry.record.type = member.type;
        entry.record.arrayInfo = arrayInfoText(member.dimensions);
        entry.aggregate = member.aggregate;
        members.push_back(std::move(entry));
    }
    return members;
}

const DebugMember* SymbolList::memberNamed(int aggregate, std::string_view name) const
{
    if (!aggregates_ || aggregate < 0 || static_cast<std::size_t>(aggregate) >= aggregates_->size())
        return nullptr;
    const std::vector<DebugMember>& members = (*aggregates_)[static_cast<std::size_t>(aggregate)].members;
    const auto found
        = std::find_if(members.begin(), members.end(), [name](const DebugMember& m) { return m.name == name; });
    return found == members.end() ? nullptr : &*found;
}

// The first symbol of the base name that has members, then one member per dotted part.
std::optional<CDataObject> SymbolList::findMember(std::string_view dottedName) const
{
    const std::size_t dot = dottedName.find('.');
    if (dot == std::string_view::npos || !aggregates_)
        return std::nullopt;
    const std::string_view base = dottedName.substr(0, dot);
    for (std::size_t i = 0; i < count(); ++i) {
        if (aggregateAt(i) < 0 || nameAt(i) != base)
            continue;
        CDataObject record = at(i);
        int aggregate = aggregateAt(i);
        const DebugMember* member = nullptr;
        std::string_view rest = dottedName.substr(dot + 1);
        for (bool more = true; more;) {
            const std::size_t next = rest.find('.');
            member = memberNamed(aggregate, rest.substr(0, next));
            if (member == nullptr)
                return std::nullopt;
            record.address += member->offset;
            aggregate = member->aggregate;
            more = next != std::string_view::npos;
            rest = more ? rest.substr(next + 1) : std::string_view();
        }
        record.name = dottedName;
        record.type = member->type;
        record.arrayInfo = arrayInfoText(member->dimensions);
        return record;
    }
    return std::nullopt;
}

std::uint32_t SymbolList::appendText(std::string_view text)
{
    if (text.size() > std::numeric_limits<std::uint32_t>::max() - text_.size())
        throw std::bad_alloc(); // offsets are 32-bit; the list's callers report running out of memory
    const auto offset = static_cast<std::uint32_t>(text_.size());
    text_.append(text);
    return offset;
}

void SymbolList::clear()
{
    entries_.clear();
    text_.clear();
    file_ = SharedBytes();
    aggregates_.reset();
}

} // namespace lumetra::image
