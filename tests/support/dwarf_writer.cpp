#include "support/dwarf_writer.h"

#include <array>
#include <utility>

namespace lumetra::test {

namespace {

// DWARF constants used here.
constexpr std::uint8_t kTagArray = 0x01, kTagEnumeration = 0x04, kTagMember = 0x0d, kTagPointer = 0x0f,
                       kTagCompileUnit = 0x11, kTagStructure = 0x13, kTagTypedef = 0x16, kTagUnion = 0x17,
                       kTagSubrange = 0x21, kTagBase = 0x24, kTagVariable = 0x34, kTagVolatile = 0x35,
                       kTagSubprogram = 0x2e, kTagSubroutineType = 0x15;
constexpr std::uint8_t kAtLocation = 0x02, kAtName = 0x03, kAtByteSize = 0x0b, kAtLowPc = 0x11, kAtUpperBound = 0x2f,
                       kAtDataMemberLocation = 0x38, kAtEncoding = 0x3e, kAtExternal = 0x3f, kAtType = 0x49,
                       kAtBitOffset = 0x0c, kAtBitSize = 0x0d, kAtDeclaration = 0x3c, kAtDataBitOffset = 0x6b;
constexpr std::uint8_t kFormAddr = 0x01, kFormBlock1 = 0x0a, kFormData1 = 0x0b, kFormData4 = 0x06, kFormString = 0x08,
                       kFormFlag = 0x0c, kFormRef4 = 0x13, kFormExprloc = 0x18;
constexpr std::uint8_t kOpAddr = 0x03, kOpPlusUconst = 0x23;

struct AbbrevShape {
    std::uint8_t tag;
    bool children;
    std::vector<std::pair<std::uint8_t, std::uint8_t>> attributes; // attribute, form (location form by version)
};

// Abbreviation codes are the index + 1.
const std::vector<AbbrevShape>& shapes()
{
    static const std::vector<AbbrevShape> all {
        {kTagCompileUnit, true, {{kAtName, kFormString}}},
        {kTagBase, false, {{kAtName, kFormString}, {kAtEncoding, kFormData1}, {kAtByteSize, kFormData1}}},
        {kTagTypedef, false, {{kAtName, kFormString}, {kAtType, kFormRef4}}},
        {kTagVolatile, false, {{kAtType, kFormRef4}}},
        {kTagPointer, false, {{kAtType, kFormRef4}}},
        {kTagEnumeration, false, {{kAtName, kFormString}, {kAtByteSize, kFormData1}}},
        {kTagStructure, true, {{kAtName, kFormString}, {kAtByteSize, kFormData1}}},
        {kTagUnion, true, {{kAtName, kFormString}, {kAtByteSize, kFormData1}}},
        {kTagMember, false, {{kAtName, kFormString}, {kAtType, kFormRef4}, {kAtDataMemberLocation, kFormBlock1}}},
        {kTagArray, true, {{kAtType, kFormRef4}}},
        {kTagSubrange, false, {{kAtUpperBound, kFormData4}}},
        {kTagVariable, false,
            {{kAtName, kFormString}, {kAtExternal, kFormFlag}, {kAtType, kFormRef4}, {kAtLocation, kFormBlock1}}},
        {kTagSubprogram, false, {{kAtName, kFormString}, {kAtExternal, kFormFlag}, {kAtLowPc, kFormAddr}}},
        {kTagMember, false,
            {{kAtName, kFormString}, {kAtType, kFormRef4}, {kAtByteSize, kFormData1}, {kAtBitSize, kFormData1},
                {kAtBitOffset, kFormData1}, {kAtDataMemberLocation, kFormBlock1}}},
        {kTagMember, false,
            {{kAtName, kFormString}, {kAtType, kFormRef4}, {kAtBitSize, kFormData1}, {kAtDataBitOffset, kFormData4}}},
        {kTagSubroutineType, false, {}},
        {kTagVariable, false,
            {{kAtName, kFormString}, {kAtExternal, kFormFlag}, {kAtType, kFormRef4}, {kAtDeclaration, kFormFlag}}},
    };
    return all;
}

enum AbbrevCode : std::uint8_t {
    kCodeUnit = 1,
    kCodeBase,
    kCodeTypedef,
    kCodeVolatile,
    kCodePointer,
    kCodeEnumeration,
    kCodeStructure,
    kCodeUnion,
    kCodeMember,
    kCodeArray,
    kCodeSubrange,
    kCodeVariable,
    kCodeSubprogram,
    kCodeBitField,
    kCodeBitFieldFromStart,
    kCodeSubroutineType,
    kCodeDeclaration,
};

void put32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void putUleb(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    do {
        std::uint8_t byte = value & 0x7F;
        value >>= 7;
        if (value != 0)
            byte |= 0x80;
        out.push_back(byte);
    } while (value != 0);
}

} // namespace

DwarfWriter::DwarfWriter(int version)
    : version_(version)
{
}

DwarfWriter::Ref DwarfWriter::add(std::uint8_t abbrev, std::vector<Attribute> attributes, int parent)
{
    if (parent < 0)
        openAggregate_ = -1;
    nodes_.push_back(Node {abbrev, parent, std::move(attributes)});
    return static_cast<Ref>(nodes_.size() - 1);
}

DwarfWriter::Ref DwarfWriter::baseType(const std::string& name, std::uint8_t encoding, std::uint8_t sizeWords)
{
    return add(kCodeBase, {{Attribute::Text, name}, {Attribute::Byte, {}, encoding}, {Attribute::Byte, {}, sizeWords}});
}

DwarfWriter::Ref DwarfWriter::typedefOf(const std::string& name, Ref type)
{
    return add(kCodeTypedef, {{Attribute::Text, name}, {Attribute::Reference, {}, static_cast<std::uint32_t>(type)}});
}

DwarfWriter::Ref DwarfWriter::volatileOf(Ref type)
{
    return add(kCodeVolatile, {{Attribute::Reference, {}, static_cast<std::uint32_t>(type)}});
}

DwarfWriter::Ref DwarfWriter::pointerTo(Ref type)
{
    return add(kCodePointer, {{Attribute::Reference, {}, static_cast<std::uint32_t>(type)}});
}

DwarfWriter::Ref DwarfWriter::enumeration(const std::string& name)
{
    return add(kCodeEnumeration, {{Attribute::Text, name}, {Attribute::Byte, {}, 1}});
}

DwarfWriter::Ref DwarfWriter::structure(const std::string& name, std::uint8_t sizeWords)
{
    const Ref ref = add(kCodeStructure, {{Attribute::Text, name}, {Attribute::Byte, {}, sizeWords}});
    openAggregate_ = ref;
    return ref;
}

DwarfWriter::Ref DwarfWriter::unionType(const std::string& name, std::uint8_t sizeWords)
{
    const Ref ref = add(kCodeUnion, {{Attribute::Text, name}, {Attribute::Byte, {}, sizeWords}});
    openAggregate_ = ref;
    return ref;
}

void DwarfWriter::member(const std::string& name, Ref type, std::uint32_t offsetWords)
{
    const int parent = openAggregate_;
    add(kCodeMember,
        {{Attribute::Text, name}, {Attribute::Reference, {}, static_cast<std::uint32_t>(type)},
            {Attribute::MemberOffset, {}, offsetWords}},
        parent);
    openAggregate_ = parent;
}

void DwarfWriter::bitField(const std::string& name, Ref type, std::uint32_t offsetWords, std::uint8_t valueWords,
    std::uint8_t lowestBit, std::uint8_t widthBits)
{
    const int parent = openAggregate_;
    const std::uint32_t valueBits = 16u * valueWords;
    if (version_ >= 4) {
        add(kCodeBitFieldFromStart,
            {{Attribute::Text, name}, {Attribute::Reference, {}, static_cast<std::uint32_t>(type)},
                {Attribute::Byte, {}, widthBits}, {Attribute::Word, {}, offsetWords * 16 + lowestBit}},
            parent);
    } else {
        add(kCodeBitField,
            {{Attribute::Text, name}, {Attribute::Reference, {}, static_cast<std::uint32_t>(type)},
                {Attribute::Byte, {}, valueWords}, {Attribute::Byte, {}, widthBits},
                {Attribute::Byte, {}, valueBits - lowestBit - widthBits}, {Attribute::MemberOffset, {}, offsetWords}},
            parent);
    }
    openAggregate_ = parent;
}

DwarfWriter::Ref DwarfWriter::functionType()
{
    return add(kCodeSubroutineType, {});
}

DwarfWriter::Ref DwarfWriter::arrayOf(Ref element, const std::vector<std::uint32_t>& dimensions)
{
    const Ref array = add(kCodeArray, {{Attribute::Reference, {}, static_cast<std::uint32_t>(element)}});
    for (const std::uint32_t count : dimensions)
        add(kCodeSubrange, {{Attribute::Word, {}, count - 1}}, array);
    openAggregate_ = -1;
    return array;
}

void DwarfWriter::variable(const std::string& name, std::uint32_t address, Ref type, bool external)
{
    add(kCodeVariable,
        {{Attribute::Text, name}, {Attribute::Flag, {}, external ? 1u : 0u},
            {Attribute::Reference, {}, static_cast<std::uint32_t>(type)}, {Attribute::Location, {}, address}});
}

void DwarfWriter::function(const std::string& name, std::uint32_t address)
{
    add(kCodeSubprogram, {{Attribute::Text, name}, {Attribute::Flag, {}, 1}, {Attribute::Address, {}, address}});
}

void DwarfWriter::declaration(const std::string& name, Ref type)
{
    add(kCodeDeclaration,
        {{Attribute::Text, name}, {Attribute::Flag, {}, 1}, {Attribute::Reference, {}, static_cast<std::uint32_t>(type)},
            {Attribute::Flag, {}, 1}});
}

DwarfWriter::Ref DwarfWriter::rawReference(std::uint32_t unitOffset)
{
    rawTargets_.push_back(unitOffset);
    return -static_cast<Ref>(rawTargets_.size());
}

std::vector<std::uint8_t> DwarfWriter::unitBytes(std::vector<std::uint32_t>& offsets) const
{
    std::vector<std::uint8_t> out;
    put32(out, 0); // unit length, set at the end
    out.push_back(static_cast<std::uint8_t>(version_));
    out.push_back(0);
    put32(out, 0); // abbreviation offset
    out.push_back(4); // address size
    out.push_back(kCodeUnit);
    out.insert(out.end(), {'u', '.', 'c', 0});
    const std::vector<std::uint32_t> targets = offsets;
    const auto reference = [&](std::uint32_t value) {
        const auto ref = static_cast<int>(value);
        return ref < 0 ? rawTargets_[static_cast<std::size_t>(-ref - 1)] : targets[static_cast<std::size_t>(ref)];
    };
    for (std::size_t i = 0; i < nodes_.size(); ++i) {
        offsets[i] = static_cast<std::uint32_t>(out.size());
        const Node& node = nodes_[i];
        out.push_back(node.abbrev);
        for (const Attribute& attribute : node.attributes) {
            switch (attribute.kind) {
            case Attribute::Text:
                out.insert(out.end(), attribute.text.begin(), attribute.text.end());
                out.push_back(0);
                break;
            case Attribute::Byte:
            case Attribute::Flag:
                out.push_back(static_cast<std::uint8_t>(attribute.value));
                break;
            case Attribute::Word:
            case Attribute::Address:
                put32(out, attribute.value);
                break;
            case Attribute::Reference:
                put32(out, reference(attribute.value));
                break;
            case Attribute::Location:
                out.push_back(5);
                out.push_back(kOpAddr);
                put32(out, attribute.value);
                break;
            case Attribute::MemberOffset: {
                std::vector<std::uint8_t> expression {kOpPlusUconst};
                putUleb(expression, attribute.value);
                out.push_back(static_cast<std::uint8_t>(expression.size()));
                out.insert(out.end(), expression.begin(), expression.end());
                break;
            }
            }
        }
        // An aggregate without children ends its empty list; the last child of one ends its parent's list.
        const bool hasChildren = shapes()[node.abbrev - 1u].children;
        const int nextParent = i + 1 < nodes_.size() ? nodes_[i + 1].parent : -1;
        if (hasChildren && nextParent != static_cast<int>(i))
            out.push_back(0);
        if (node.parent >= 0 && nextParent != node.parent)
            out.push_back(0);
    }
    out.push_back(0); // end of the unit's children
    const auto length = static_cast<std::uint32_t>(out.size() - 4);
    for (std::size_t i = 0; i < 4; ++i)
        out[i] = static_cast<std::uint8_t>(length >> (8 * i));
    return out;
}

std::vector<std::uint8_t> DwarfWriter::info() const
{
    // References are fixed-size, so the offsets found by a first pass hold for the second.
    std::vector<std::uint32_t> offsets(nodes_.size(), 0);
    unitBytes(offsets);
    return unitBytes(offsets);
}

std::vector<std::uint8_t> DwarfWriter::abbrev() const
{
    std::vector<std::uint8_t> out;
    const std::vector<AbbrevShape>& all = shapes();
    for (std::size_t i = 0; i < all.size(); ++i) {
        putUleb(out, static_cast<std::uint32_t>(i + 1));
        putUleb(out, all[i].tag);
        out.push_back(all[i].children ? 1 : 0);
        for (const auto& [attribute, form] : all[i].attributes) {
            putUleb(out, attribute);
            const bool expression = attribute == kAtLocation || attribute == kAtDataMemberLocation;
            putUleb(out, expression && version_ >= 4 ? kFormExprloc : form);
        }
        out.push_back(0);
        out.push_back(0);
    }
    out.push_back(0);
    return out;
}

} // namespace lumetra::test
