// The one user of libdwarf: its object access interface serves the sections from memory, so any object format works.
#include "image/dwarf_reader.h"

#include "image/debug_type_codes.h"

#include <libdwarf/dwarf.h>
#include <libdwarf/libdwarf.h>

#include <algorithm>
#include <cstdint>
#include <new>
#include <optional>
#include <utility>
#include <vector>

namespace lumetra::image {

namespace {

// Deeper chains of typedefs, qualifiers and arrays are taken as damage (a cycle ends here too).
constexpr int kMaxTypeDepth = 32;
constexpr Dwarf_Unsigned kProgbitsSectionType = 1;
constexpr std::uint32_t kWordBits = 16;
// The attribute (0x47) by which a variable's definition refers to its declaration.
constexpr Dwarf_Half kDeclarationAttribute = 0x47;

struct ObjectAccess {
    std::vector<const DebugSection*> sections; // index 0 stands for the null section of an ELF file
};

int sectionInfo(void* object, Dwarf_Half index, Dwarf_Obj_Access_Section* out, int* /*error*/)
{
    const auto* access = static_cast<const ObjectAccess*>(object);
    if (index >= access->sections.size())
        return DW_DLV_NO_ENTRY;
    const DebugSection* section = access->sections[index];
    *out = Dwarf_Obj_Access_Section {};
    out->name = section != nullptr ? section->name.c_str() : "";
    out->size = section != nullptr ? section->bytes.size() : 0;
    out->type = section != nullptr ? kProgbitsSectionType : 0;
    return DW_DLV_OK;
}

Dwarf_Endianness byteOrder(void*)
{
    return DW_OBJECT_LSB;
}

Dwarf_Small fourBytes(void*)
{
    return 4;
}

Dwarf_Unsigned sectionCount(void* object)
{
    return static_cast<const ObjectAccess*>(object)->sections.size();
}

int loadSection(void* object, Dwarf_Half index, Dwarf_Small** data, int* /*error*/)
{
    const auto* access = static_cast<const ObjectAccess*>(object);
    if (index >= access->sections.size() || access->sections[index] == nullptr)
        return DW_DLV_NO_ENTRY;
    // libdwarf only reads the sections: they are not relocated.
    *data = const_cast<Dwarf_Small*>(access->sections[index]->bytes.bytes().data());
    return DW_DLV_OK;
}

const Dwarf_Obj_Access_Methods kMethods {
    sectionInfo, byteOrder, fourBytes, fourBytes, sectionCount, loadSection, nullptr};

class Die {
public:
    Die() = default;
    Die(const Die&) = delete;
    Die& operator=(const Die&) = delete;
    ~Die() { reset(); }
    Dwarf_Die* out()
    {
        reset();
        return &die_;
    }
    Dwarf_Die get() const { return die_; }
    void swap(Die& other) { std::swap(die_, other.die_); }

private:
    void reset()
    {
        if (die_ != nullptr)
            dwarf_dealloc_die(die_);
        die_ = nullptr;
    }
    Dwarf_Die die_ = nullptr;
};

struct ResolvedType {
    int code = 0; // 0: void, or no data type code (an unknown kind) when there are no derivations either
    std::vector<DerivedType> derivations;
    std::vector<std::uint32_t> dimensions;
    int aggregate = -1; // a structure or union, or an array of them (not a pointer to one)

    bool known() const { return code != 0 || !derivations.empty(); }
};

class Reader {
public:
    explicit Reader(Dwarf_Debug debug)
        : debug_(debug)
    {
    }

    bool readUnits(DebugTypes& out);
    const std::string& problem() const { return problem_; }

private:
    bool failed();
    void forgetError();
    // Calls visit(child, tag) for the children of `parent` in order while it answers true; false when the list is
    // damaged.
    template <typename Visit> bool forEachChild(Dwarf_Die parent, Visit visit);
    bool readUnit(Dwarf_Die unit, Dwarf_Half addressSize, DebugTypes& out);
    void readVariable(Dwarf_Die die, Dwarf_Half addressSize, DebugTypes& out);
    // The attribute's value in the form `form` reads; nothing when it is absent or of another form.
    template <typename Value, typename Form>
    std::optional<Value> formAttribute(Dwarf_Die die, Dwarf_Half attribute, Form form);
    std::optional<Dwarf_Unsigned> unsignedAttribute(Dwarf_Die die, Dwarf_Half attribute);
    std::optional<Dwarf_Off> referenceAttribute(Dwarf_Die die, Dwarf_Half attribute);
    bool flagAttribute(Dwarf_Die die, Dwarf_Half attribute);
    std::vector<std::uint8_t> expressionAttribute(Dwarf_Die die, Dwarf_Half attribute);
    std::string_view nameOf(Dwarf_Die die);
    const ResolvedType& resolve(Dwarf_Off offset, int depth);
    ResolvedType resolveDie(Dwarf_Die die, int depth);
    ResolvedType resolveArray(Dwarf_Die die, int depth);
    // What a pointer or a function leads to, its own derivation first: "Pointer to Structure".
    ResolvedType resolveDerived(Dwarf_Die die, DerivedType derivation, int depth);
    std::uint32_t subrangeCount(Dwarf_Die subrange);
    int readAggregate(Dwarf_Die die, int depth);
    int arrayAggregate(const ResolvedType& element, const std::vector<std::uint32_t>& dimensions);
    std::optional<DebugMember> readMember(Dwarf_Die member, int depth);
    bool placeBitField(Dwarf_Die member, DebugMember& out);
    std::optional<std::uint32_t> memberOffset(Dwarf_Die member);

    Dwarf_Debug debug_;
    Dwarf_Error error_ = nullptr;
    std::vector<DebugAggregate>* aggregates_ = nullptr;
    std::string problem_;
    std::unordered_map<Dwarf_Off, ResolvedType> types_;
    ResolvedType none_;
};

bool Reader::failed()
{
    problem_ = error_ != nullptr ? dwarf_errmsg(error_) : "damaged list of debug information entries";
    forgetError();
    return false;
}

void Reader::forgetError()
{
    if (error_ != nullptr)
        dwarf_dealloc_error(debug_, error_);
    error_ = nullptr;
}

bool Reader::readUnits(DebugTypes& out)
{
    aggregates_ = &out.aggregates;
    for (;;) {
        Dwarf_Unsigned headerLength = 0;
        Dwarf_Half version = 0;
        Dwarf_Off abbrevOffset = 0;
        Dwarf_Half addressSize = 0;
        Dwarf_Half lengthSize = 0;
        Dwarf_Half extensionSize = 0;
        Dwarf_Sig8 signature {};
        Dwarf_Unsigned typeOffset = 0;
        Dwarf_Unsigned nextHeader = 0;
        Dwarf_Half unitType = 0;
        const int next = dwarf_next_cu_header_d(debug_, true, &headerLength, &version, &abbrevOffset, &addressSize,
            &lengthSize, &extensionSize, &signature, &typeOffset, &nextHeader, &unitType, &error_);
        if (next == DW_DLV_NO_ENTRY) {
            forgetError();
            return true;
        }
        if (next != DW_DLV_OK)
            return failed();
        if (out.dwarfVersion == 0)
            out.dwarfVersion = version;
        Die unit;
        const int first = dwarf_siblingof_b(debug_, nullptr, true, unit.out(), &error_);
        if (first == DW_DLV_ERROR)
            return failed();
        forgetError(); // libdwarf may leave one with a missing unit
        if (first == DW_DLV_OK && !readUnit(unit.get(), addressSize, out))
            return false;
    }
}

template <typename Visit> bool Reader::forEachChild(Dwarf_Die parent, Visit visit)
{
    Die child;
    int status = dwarf_child(parent, child.out(), &error_);
    Dwarf_Off previous = 0;
    while (status == DW_DLV_OK) {
        Dwarf_Off offset = 0;
        Dwarf_Half tag = 0;
        if (dwarf_dieoffset(child.get(), &offset, &error_) != DW_DLV_OK
            || dwarf_tag(child.get(), &tag, &error_) != DW_DLV_OK || offset <= previous)
            return false; // a list that runs backwards would never end
        previous = offset;
        if (!visit(child.get(), tag))
            return true;
        Die sibling;
        status = dwarf_siblingof_b(debug_, child.get(), true, sibling.out(), &error_);
        child.swap(sibling);
    }
    return status != DW_DLV_ERROR;
}

bool Reader::readUnit(Dwarf_Die unit, Dwarf_Half addressSize, DebugTypes& out)
{
    const bool whole = forEachChild(unit, [&](Dwarf_Die die, Dwarf_Half tag) {
        if (tag == DW_TAG_variable) {
            readVariable(die, addressSize, out);
        } else if (tag == DW_TAG_subprogram) {
            if (const std::string_view name = nameOf(die); !name.empty())
                out.functions.emplace(name);
        }
        return true;
    });
    if (!whole)
        return failed();
    forgetError(); // the end of a list may come with one
    return true;
}

// The address of a location that is exactly one DW_OP_addr.
std::optional<std::uint32_t> staticAddress(const std::vector<std::uint8_t>& expression, Dwarf_Half addressSize)
{
    if (addressSize == 0 || addressSize > 8 || expression.size() != 1u + addressSize || expression[0] != DW_OP_addr)
        return std::nullopt;
    std::uint64_t address = 0;
    for (std::size_t i = addressSize; i > 0; --i)
        address = address << 8 | expression[i];
    return static_cast<std::uint32_t>(address);
}

void Reader::readVariable(Dwarf_Die die, Dwarf_Half addressSize, DebugTypes& out)
{
    const std::optional<std::uint32_t> address = staticAddress(expressionAttribute(die, DW_AT_location), addressSize);
    const bool declaredOnly = !address && flagAttribute(die, DW_AT_declaration);
    if (!address && !declaredOnly)
        return;
    // A definition may name its declaration for the name, the linkage and the type.
    Die declaration;
    Dwarf_Die described = die;
    if (const std::optional<Dwarf_Off> declarationOffset = referenceAttribute(die, kDeclarationAttribute)) {
        if (dwarf_offdie_b(debug_, *declarationOffset, true, declaration.out(), &error_) != DW_DLV_OK) {
            forgetError();
            return;
        }
        described = declaration.get();
    }
    if (!flagAttribute(described, DW_AT_external))
        return;
    const std::string_view name = nameOf(described);
    const std::optional<Dwarf_Off> typeOffset = referenceAttribute(described, DW_AT_type);
    if (name.empty() || !typeOffset)
        return;
    const ResolvedType& type = resolve(*typeOffset, 0);
    if (!type.known())
        return;
    DebugVariable variable {address.value_or(0), composeTypeField(type.code, type.derivations), type.dimensions,
        type.aggregate};
    (declaredOnly ? out.declarations : out.variables).try_emplace(std::string(name), std::move(variable));
}

template <typename Value, typename Form>
std::optional<Value> Reader::formAttribute(Dwarf_Die die, Dwarf_Half attribute, Form form)
{
    Dwarf_Attribute attr = nullptr;
    if (dwarf_attr(die, attribute, &attr, &error_) != DW_DLV_OK) {
        forgetError();
        return std::nullopt;
    }
    Value value {};
    const int status = form(attr, &value, &error_);
    dwarf_dealloc_attribute(attr);
    if (status != DW_DLV_OK) {
        forgetError();
        return std::nullopt;
    }
    return value;
}

std::optional<Dwarf_Unsigned> Reader::unsignedAttribute(Dwarf_Die die, Dwarf_Half attribute)
{
    return formAttribute<Dwarf_Unsigned>(die, attribute, dwarf_formudata);
}

std::optional<Dwarf_Off> Reader::referenceAttribute(Dwarf_Die die, Dwarf_Half attribute)
{
    return formAttribute<Dwarf_Off>(die, attribute, dwarf_global_formref);
}

bool Reader::flagAttribute(Dwarf_Die die, Dwarf_Half attribute)
{
    return formAttribute<Dwarf_Bool>(die, attribute, dwarf_formflag).value_or(0) != 0;
}

// A block (DWARF 2 and 3) or an expression (DWARF 4); empty when absent or of another form.
std::vector<std::uint8_t> Reader::expressionAttribute(Dwarf_Die die, Dwarf_Half attribute)
{
    std::vector<std::uint8_t> bytes;
    Dwarf_Attribute attr = nullptr;
    if (dwarf_attr(die, attribute, &attr, &error_) != DW_DLV_OK) {
        forgetError();
        return bytes;
    }
    Dwarf_Half form = 0;
    if (dwarf_whatform(attr, &form, &error_) != DW_DLV_OK) {
        forgetError();
    } else if (form == DW_FORM_exprloc) {
        Dwarf_Unsigned length = 0;
        Dwarf_Ptr data = nullptr;
        if (dwarf_formexprloc(attr, &length, &data, &error_) == DW_DLV_OK) {
            const auto* first = static_cast<const std::uint8_t*>(data);
            bytes.assign(first, first + length);
        }
        forgetError();
    } else if (form == DW_FORM_block1 || form == DW_FORM_block2 || form == DW_FORM_block4 || form == DW_FORM_block) {
        Dwarf_Block* block = nullptr;
        if (dwarf_formblock(attr, &block, &error_) == DW_DLV_OK) {
            const auto* first = static_cast<const std::uint8_t*>(block->bl_data);
            bytes.assign(first, first + block->bl_len);
            dwarf_dealloc(debug_, block, DW_DLA_BLOCK);
        }
        forgetError();
    }
    dwarf_dealloc_attribute(attr);
    return bytes;
}

// The name lies in the debug sections, which outlive the reader's use of it.
std::string_view Reader::nameOf(Dwarf_Die die)
{
    char* name = nullptr;
    if (dwarf_diename(die, &name, &error_) != DW_DLV_OK || name == nullptr) {
        forgetError();
        return {};
    }
    return name;
}

const ResolvedType& Reader::resolve(Dwarf_Off offset, int depth)
{
    if (depth > kMaxTypeDepth)
        return none_;
    if (const auto known = types_.find(offset); known != types_.end())
        return known->second;
    Die die;
    if (dwarf_offdie_b(debug_, offset, true, die.out(), &error_) != DW_DLV_OK) {
        forgetError();
        return none_;
    }
    // A type that refers back to itself while being resolved finds no code, or a structure's or union's code
    // without members (a pointer in it to itself): the cycle ends.
    Dwarf_Half tag = 0;
    ResolvedType placeholder;
    if (dwarf_tag(die.get(), &tag, &error_) == DW_DLV_OK) {
        if (tag == DW_TAG_structure_type || tag == DW_TAG_class_type)
            placeholder.code = kStructureCode;
        else if (tag == DW_TAG_union_type)
            placeholder.code = kUnionCode;
    }
    forgetError();
    types_.emplace(offset, std::move(placeholder));
    ResolvedType type = resolveDie(die.get(), depth);
    return types_.insert_or_assign(offset, std::move(type)).first->second;
}

ResolvedType Reader::resolveDie(Dwarf_Die die, int depth)
{
    Dwarf_Half tag = 0;
    if (dwarf_tag(die, &tag, &error_) != DW_DLV_OK) {
        forgetError();
        return {};
    }
    ResolvedType type;
    switch (tag) {
    case DW_TAG_base_type:
        type.code = baseTypeCode(unsignedAttribute(die, DW_AT_encoding).value_or(0),
            unsignedAttribute(die, DW_AT_byte_size).value_or(1), nameOf(die));
        break;
    case DW_TAG_typedef:
    case DW_TAG_const_type:
    case DW_TAG_volatile_type:
    case DW_TAG_restrict_type:
        if (const std::optional<Dwarf_Off> target = referenceAttribute(die, DW_AT_type))
            type = resolve(*target, depth + 1);
        break;
    case DW_TAG_enumeration_type:
        type.code = kEnumerationCode;
        break;
    case DW_TAG_pointer_type:
    case DW_TAG_reference_type:
    case DW_TAG_rvalue_reference_type:
    case DW_TAG_ptr_to_member_type:
        type = resolveDerived(die, DerivedType::Pointer, depth);
        break;
    case DW_TAG_subroutine_type:
        type = resolveDerived(die, DerivedType::Function, depth);
        break;
    case DW_TAG_structure_type:
    case DW_TAG_class_type:
        type.code = kStructureCode;
        type.aggregate = readAggregate(die, depth);
        break;
    case DW_TAG_union_type:
        type.code = kUnionCode;
        type.aggregate = readAggregate(die, depth);
        break;
    case DW_TAG_array_type:
        type = resolveArray(die, depth);
        break;
    default:
        // A vendor's own qualifier (the C2000 tools wrap register structures in one) names the type it qualifies.
        if (tag >= DW_TAG_lo_user) {
            if (const std::optional<Dwarf_Off> target = referenceAttribute(die, DW_AT_type))
                type = resolve(*target, depth + 1);
        }
        break;
    }
    return type;
}

// The elements of one dimension: its count, or its bounds; 0 when neither is given.
std::uint32_t Reader::subrangeCount(Dwarf_Die subrange)
{
    std::uint64_t count = 0;
    if (const std::optional<Dwarf_Unsigned> given = unsignedAttribute(subrange, DW_AT_count)) {
        count = *given;
    } else if (const std::optional<Dwarf_Unsigned> upper = unsignedAttribute(subrange, DW_AT_upper_bound)) {
        const Dwarf_Unsigned lower = unsignedAttribute(subrange, DW_AT_lower_bound).value_or(0);
        count = *upper >= lower ? *upper - lower + 1 : 0;
    }
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(count, UINT32_MAX));
}

// One array derivation per dimension, then the element's own: int a[3][5] is an array of arrays of int.
ResolvedType Reader::resolveArray(Dwarf_Die die, int depth)
{
    const std::optional<Dwarf_Off> elementOffset = referenceAttribute(die, DW_AT_type);
    if (!elementOffset)
        return {};
    ResolvedType element = resolve(*elementOffset, depth + 1);
    if (!element.known())
        return {};
    ResolvedType type;
    forEachChild(die, [&](Dwarf_Die child, Dwarf_Half tag) {
        if (tag == DW_TAG_subrange_type)
            type.dimensions.push_back(subrangeCount(child));
        return type.dimensions.size() <= kMaxTypeDepth;
    });
    forgetError();
    if (type.dimensions.empty())
        type.dimensions.push_back(0); // an array of unknown size
    type.code = element.code;
    if (element.derivations.empty() && element.aggregate >= 0)
        type.aggregate = arrayAggregate(element, type.dimensions);
    type.derivations.assign(type.dimensions.size(), DerivedType::Array);
    type.derivations.insert(type.derivations.end(), element.derivations.begin(), element.derivations.end());
    type.dimensions.insert(type.dimensions.end(), element.dimensions.begin(), element.dimensions.end());
    return type;
}

ResolvedType Reader::resolveDerived(Dwarf_Die die, DerivedType derivation, int depth)
{
    ResolvedType type;
    if (const std::optional<Dwarf_Off> target = referenceAttribute(die, DW_AT_type)) {
        const ResolvedType& pointee = resolve(*target, depth + 1);
        type.code = pointee.code;
        type.derivations = pointee.derivations;
    }
    type.derivations.insert(type.derivations.begin(), derivation);
    return type;
}

// An array of structures or unions lists its elements, each with the element's members.
int Reader::arrayAggregate(const ResolvedType& element, const std::vector<std::uint32_t>& dimensions)
{
    const auto index = static_cast<std::size_t>(element.aggregate);
    if (index >= aggregates_->size() || (*aggregates_)[index].sizeWords == 0)
        return -1; // without the element's size the elements cannot be placed
    DebugAggregate array;
    array.element = element.aggregate;
    array.elementType = composeTypeField(element.code, {});
    array.dimensions = dimensions;
    array.sizeWords = (*aggregates_)[index].sizeWords;
    aggregates_->push_back(std::move(array));
    return static_cast<int>(aggregates_->size() - 1);
}

// The named, typed members of a structure or union, in declaration order.
int Reader::readAggregate(Dwarf_Die die, int depth)
{
    DebugAggregate aggregate;
    aggregate.sizeWords = static_cast<std::uint32_t>(
        std::min<Dwarf_Unsigned>(unsignedAttribute(die, DW_AT_byte_size).value_or(0), UINT32_MAX));
    forEachChild(die, [&](Dwarf_Die child, Dwarf_Half tag) {
        if (tag == DW_TAG_member) {
            if (std::optional<DebugMember> member = readMember(child, depth))
                aggregate.members.push_back(std::move(*member));
        }
        return true;
    });
    forgetError();
    aggregates_->push_back(std::move(aggregate));
    return static_cast<int>(aggregates_->size() - 1);
}

std::optional<DebugMember> Reader::readMember(Dwarf_Die child, int depth)
{
    const std::string_view name = nameOf(child);
    const std::optional<Dwarf_Off> typeOffset = name.empty() ? std::nullopt : referenceAttribute(child, DW_AT_type);
    const std::optional<std::uint32_t> at = typeOffset ? memberOffset(child) : std::nullopt;
    if (!at)
        return std::nullopt;
    const ResolvedType& type = resolve(*typeOffset, depth + 1);
    if (!type.known())
        return std::nullopt;
    DebugMember member {std::string(name), *at, composeTypeField(type.code, type.derivations), type.dimensions,
        type.aggregate};
    if (!placeBitField(child, member))
        return std::nullopt;
    return member;
}

// A bit field's place in the value of its type: from the value's top bit (DWARF 2 and 3) or from the structure's
// first bit (DWARF 4). False for a field that does not fit in that value.
bool Reader::placeBitField(Dwarf_Die child, DebugMember& member)
{
    const std::optional<Dwarf_Unsigned> width = unsignedAttribute(child, DW_AT_bit_size);
    if (!width)
        return true;
    const Dwarf_Unsigned valueBits
        = kWordBits * unsignedAttribute(child, DW_AT_byte_size).value_or(typeWordCount(member.type));
    if (*width == 0 || valueBits == 0 || *width > valueBits || valueBits > 32)
        return false;
    Dwarf_Unsigned lowest = 0;
    if (const std::optional<Dwarf_Unsigned> fromTop = unsignedAttribute(child, DW_AT_bit_offset)) {
        if (*fromTop > valueBits - *width)
            return false;
        lowest = valueBits - *width - *fromTop;
    } else if (const std::optional<Dwarf_Unsigned> fromStart = unsignedAttribute(child, DW_AT_data_bit_offset)) {
        member.offset += static_cast<std::uint32_t>(std::min<Dwarf_Unsigned>(
            *fromStart / valueBits * (valueBits / kWordBits), UINT32_MAX - member.offset));
        lowest = *fromStart % valueBits;
        if (lowest + *width > valueBits)
            return false;
    }
    member.bitOffset = static_cast<std::uint8_t>(lowest);
    member.bitWidth = static_cast<std::uint8_t>(*width);
    return true;
}

// The word offset of a member: a constant, or an expression of one DW_OP_plus_uconst; union members have none (0).
std::optional<std::uint32_t> Reader::memberOffset(Dwarf_Die member)
{
    const std::vector<std::uint8_t> expression = expressionAttribute(member, DW_AT_data_member_location);
    if (expression.empty()) {
        return static_cast<std::uint32_t>(
            std::min<Dwarf_Unsigned>(unsignedAttribute(member, DW_AT_data_member_location).value_or(0), UINT32_MAX));
    }
    if (expression[0] != DW_OP_plus_uconst)
        return std::nullopt;
    std::uint64_t value = 0;
    for (std::size_t i = 1, shift = 0; i < expression.size() && shift < 64; ++i, shift += 7) {
        value |= std::uint64_t {expression[i] & 0x7Fu} << shift;
        if ((expression[i] & 0x80) == 0)
            return static_cast<std::uint32_t>(std::min<std::uint64_t>(value, UINT32_MAX));
    }
    return std::nullopt;
}

} // namespace

bool debugInfoReaderAvailable()
{
    return true;
}

DebugTypes readDwarfTypes(const DebugSections& sections)
{
    DebugTypes result;
    if (!sections.problem.empty()) {
        result.status = DebugReadStatus::Unreadable;
        result.problem = sections.problem;
        return result;
    }
    if (!sections.hasDebugInfo())
        return result;
    ObjectAccess access;
    access.sections.push_back(nullptr);
    for (const DebugSection& section : sections.sections) {
        if (section.bytes.size() > 0)
            access.sections.push_back(&section);
    }
    Dwarf_Obj_Access_Interface object {&access, &kMethods};
    Dwarf_Debug debug = nullptr;
    Dwarf_Error error = nullptr;
    if (dwarf_object_init_b(&object, nullptr, nullptr, DW_GROUPNUMBER_ANY, &debug, &error) != DW_DLV_OK) {
        result.status = DebugReadStatus::Unreadable;
        result.problem = error != nullptr ? dwarf_errmsg(error) : "no debug information found";
        if (error != nullptr)
            dwarf_dealloc_error(debug, error);
        return result;
    }
    bool read = false;
    std::string problem;
    try {
        Reader reader(debug);
        read = reader.readUnits(result);
        problem = reader.problem();
    } catch (const std::bad_alloc&) {
        problem = "out of memory";
    }
    dwarf_object_finish(debug, &error);
    if (!read) {
        DebugTypes unreadable;
        unreadable.status = DebugReadStatus::Unreadable;
        unreadable.problem = problem;
        return unreadable;
    }
    result.status = DebugReadStatus::Read;
    return result;
}

} // namespace lumetra::image
