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
        if (!member.note.empty())
            continue;
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

const DebugAggregate* SymbolList::aggregate(int index) const
{
    if (!aggregates_ || index < 0 || static_cast<std::size_t>(index) >= aggregates_->size())
        return nullptr;
    return &(*aggregates_)[static_cast<std::size_t>(index)];
}

std::vector<SymbolMember> SymbolList::membersOf(const CDataObject& parent, int aggregateIndex) const
{
    std::vector<SymbolMember> members;
    const DebugAggregate* type = aggregate(aggregateIndex);
    if (type == nullptr)
        return members;
    if (type->element >= 0)
        return elementsOf(parent, *type);
    members.reserve(type->members.size());
    for (const DebugMember& member : type->members) {
        SymbolMember entry;
        entry.record.name = parent.name + "." + member.name;
        entry.record.address = parent.address + member.offset;
        entry.record.type = member.type;
        entry.record.arrayInfo = arrayInfoText(member.dimensions);
        entry.record.bitOffset = member.bitOffset;
        entry.record.bitWidth = member.bitWidth;
        entry.aggregate = member.aggregate;
        members.push_back(std::move(entry));
    }
    return members;
}

namespace {

// Elements of all dimensions; 0 when one is of unknown size. Saturates far above any listing.
std::uint64_t elementCount(const std::vector<std::uint32_t>& dimensions)
{
    std::uint64_t count = 1;
    for (const std::uint32_t dimension : dimensions)
        count = std::min<std::uint64_t>(count * dimension, std::uint64_t {1} << 40);
    return count;
}

// "[1][2]": the indexes of element `n` in row-major order.
std::string indexText(std::uint64_t n, const std::vector<std::uint32_t>& dimensions)
{
    std::string text;
    for (std::size_t d = dimensions.size(); d > 0; --d) {
        text.insert(0, "[" + std::to_string(n % dimensions[d - 1]) + "]");
        n /= dimensions[d - 1];
    }
    return text;
}

// The index "[12]" at the start of `text`, taken off it; nothing when it is not one below `dimension`.
std::optional<std::uint32_t> takeIndex(std::string_view& text, std::uint32_t dimension)
{
    const std::size_t close = text.find(']');
    if (text.empty() || text.front() != '[' || close == std::string_view::npos || close < 2)
        return std::nullopt;
    std::uint64_t index = 0;
    for (const char c : text.substr(1, close - 1)) {
        if (c < '0' || c > '9' || index >= dimension)
            return std::nullopt;
        index = index * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (index >= dimension)
        return std::nullopt;
    text.remove_prefix(close + 1);
    return static_cast<std::uint32_t>(index);
}

} // namespace

std::string moreElementsNote(std::uint64_t more)
{
    return "... 나머지 요소 " + std::to_string(more) + "개 생략";
}

std::vector<SymbolMember> SymbolList::elementsOf(const CDataObject& parent, const DebugAggregate& array) const
{
    const std::uint64_t count = elementCount(array.dimensions);
    const std::uint64_t listed = std::min<std::uint64_t>(count, kMaxListedElements);
    std::vector<SymbolMember> elements;
    elements.reserve(static_cast<std::size_t>(listed) + 1);
    for (std::uint64_t n = 0; n < listed; ++n) {
        SymbolMember entry;
        entry.record.name = parent.name + indexText(n, array.dimensions);
        entry.record.address = static_cast<std::uint32_t>(parent.address + n * array.sizeWords);
        entry.record.type = array.elementType;
        entry.aggregate = array.element;
        elements.push_back(std::move(entry));
    }
    if (count > listed) {
        SymbolMember note;
        note.note = moreElementsNote(count - listed);
        elements.push_back(std::move(note));
    }
    return elements;
}

const DebugMember* SymbolList::memberNamed(int aggregateIndex, std::string_view name) const
{
    const DebugAggregate* type = aggregate(aggregateIndex);
    if (type == nullptr)
        return nullptr;
    const std::vector<DebugMember>& members = type->members;
    const auto found
        = std::find_if(members.begin(), members.end(), [name](const DebugMember& m) { return m.name == name; });
    return found == members.end() ? nullptr : &*found;
}

bool SymbolList::enterElement(Place& place, std::string_view indexes) const
{
    if (indexes.empty())
        return true;
    const DebugAggregate* array = aggregate(place.aggregate);
    if (array == nullptr || array->element < 0)
        return false;
    std::uint64_t flat = 0;
    for (const std::uint32_t dimension : array->dimensions) {
        const std::optional<std::uint32_t> index = takeIndex(indexes, dimension);
        if (!index)
            return false;
        flat = flat * dimension + *index;
    }
    if (!indexes.empty())
        return false;
    place.record.address = static_cast<std::uint32_t>(place.record.address + flat * array->sizeWords);
    place.record.type = array->elementType;
    place.record.arrayInfo.clear();
    place.record.bitOffset = 0;
    place.record.bitWidth = 0;
    place.aggregate = array->element;
    return true;
}

// The first symbol of the base name that has members, then its element's indexes, then one member (with its
// element's indexes) per dotted part.
std::optional<CDataObject> SymbolList::findMember(std::string_view dottedName) const
{
    const std::size_t baseEnd = dottedName.find_first_of(".[");
    if (baseEnd == std::string_view::npos || !aggregates_)
        return std::nullopt;
    const std::string_view base = dottedName.substr(0, baseEnd);
    for (std::size_t i = 0; i < count(); ++i) {
        if (aggregateAt(i) < 0 || nameAt(i) != base)
            continue;
        Place place {at(i), aggregateAt(i)};
        std::string_view rest = dottedName.substr(baseEnd);
        std::size_t dot = rest.find('.');
        if (!enterElement(place, rest.substr(0, dot)))
            return std::nullopt;
        while (dot != std::string_view::npos) {
            rest = rest.substr(dot + 1);
            dot = rest.find('.');
            const std::string_view part = rest.substr(0, dot);
            const std::string_view memberName = part.substr(0, part.find('['));
            const DebugMember* member = memberNamed(place.aggregate, memberName);
            if (member == nullptr)
                return std::nullopt;
            place.record.address += member->offset;
            place.record.type = member->type;
            place.record.arrayInfo = arrayInfoText(member->dimensions);
            place.record.bitOffset = member->bitOffset;
            place.record.bitWidth = member->bitWidth;
            place.aggregate = member->aggregate;
            if (!enterElement(place, part.substr(memberName.size())))
                return std::nullopt;
        }
        place.record.name = dottedName;
        return place.record;
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
