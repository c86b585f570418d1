#include "support/coff_writer.h"

#include <fstream>
#include <stdexcept>

namespace lumetra::test {

namespace {

constexpr std::size_t kOptionalHeaderSize = 28;
constexpr std::size_t kNameFieldSize = 8;

class ByteSink {
public:
    explicit ByteSink(std::vector<std::uint8_t>& out)
        : out_(out)
    {
    }
    void u8(std::uint32_t v) { out_.push_back(static_cast<std::uint8_t>(v)); }
    void u16(std::uint32_t v)
    {
        u8(v & 0xFF);
        u8((v >> 8) & 0xFF);
    }
    void u32(std::uint32_t v)
    {
        u16(v & 0xFFFF);
        u16(v >> 16);
    }
    void zeros(std::size_t n) { out_.insert(out_.end(), n, 0); }
    void patch32(std::size_t at, std::uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            out_[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
    }
    std::size_t size() const { return out_.size(); }

private:
    std::vector<std::uint8_t>& out_;
};

class StringTable {
public:
    std::uint32_t add(const std::string& text)
    {
        const auto offset = static_cast<std::uint32_t>(4 + bytes_.size());
        bytes_.insert(bytes_.end(), text.begin(), text.end());
        bytes_.push_back(0);
        return offset;
    }
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
};

void writeNameField(ByteSink& out, const std::string& name, bool inStringTable, StringTable& strings)
{
    if (inStringTable || name.size() > kNameFieldSize) {
        out.u32(0);
        out.u32(strings.add(name));
        return;
    }
    for (std::size_t i = 0; i < kNameFieldSize; ++i)
        out.u8(i < name.size() ? static_cast<std::uint8_t>(name[i]) : 0);
}

std::size_t symbolEntryCount(const std::vector<CoffSymbol>& symbols)
{
    std::size_t count = 0;
    for (const CoffSymbol& symbol : symbols)
        count += 1 + symbol.aux.size();
    return count;
}

} // namespace

std::uint16_t coffType(int basicType, std::initializer_list<int> derivations)
{
    std::uint32_t type = static_cast<std::uint32_t>(basicType) & 0x0F;
    int shift = 4;
    for (const int derived : derivations) {
        type |= (static_cast<std::uint32_t>(derived) & 0x3) << shift;
        shift += 2;
    }
    return static_cast<std::uint16_t>(type);
}

CoffSection CoffSection::withData(std::string name, std::uint32_t startAddress, std::vector<std::uint16_t> words)
{
    CoffSection section;
    section.name = std::move(name);
    section.startAddress = startAddress;
    section.words = std::move(words);
    return section;
}

CoffSection CoffSection::debugSection(std::string name, const std::vector<std::uint8_t>& bytes)
{
    CoffSection section;
    section.name = std::move(name);
    section.flags = kSectionCopy;
    section.words.resize((bytes.size() + 1) / 2);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        section.words[i / 2] = static_cast<std::uint16_t>(section.words[i / 2] | bytes[i] << (8 * (i % 2)));
    section.sizeWordsOverride = static_cast<std::uint32_t>(bytes.size());
    return section;
}

CoffAuxEntry CoffAuxEntry::arrayDimensions(std::uint16_t d0, std::uint16_t d1, std::uint16_t d2, std::uint16_t d3)
{
    CoffAuxEntry entry;
    const std::uint16_t dims[] = {d0, d1, d2, d3};
    for (std::size_t i = 0; i < 4; ++i) {
        entry.bytes[8 + 2 * i] = static_cast<std::uint8_t>(dims[i] & 0xFF);
        entry.bytes[9 + 2 * i] = static_cast<std::uint8_t>(dims[i] >> 8);
    }
    return entry;
}

CoffWriter::CoffWriter(int version, std::uint16_t targetId)
    : version_(version)
    , targetId_(targetId)
{
    if (version < 0 || version > 2)
        throw std::invalid_argument("COFF version must be 0, 1 or 2");
}

CoffWriter& CoffWriter::withOptionalHeader(bool present)
{
    optionalHeader_ = present;
    return *this;
}

CoffWriter& CoffWriter::addSection(CoffSection section)
{
    sections_.push_back(std::move(section));
    return *this;
}

CoffWriter& CoffWriter::addSymbol(CoffSymbol symbol)
{
    symbols_.push_back(std::move(symbol));
    return *this;
}

CoffWriter& CoffWriter::firstField(std::uint16_t value)
{
    firstField_ = value;
    return *this;
}

CoffWriter& CoffWriter::sectionCount(std::uint16_t value)
{
    sectionCount_ = value;
    return *this;
}

CoffWriter& CoffWriter::symbolTableOffset(std::uint32_t value)
{
    symbolTableOffset_ = value;
    return *this;
}

CoffWriter& CoffWriter::symbolCount(std::uint32_t value)
{
    symbolCount_ = value;
    return *this;
}

CoffWriter& CoffWriter::stringTableLength(std::uint32_t value)
{
    stringTableLength_ = value;
    return *this;
}

CoffWriter& CoffWriter::withoutStringTable()
{
    stringTable_ = false;
    return *this;
}

std::vector<std::uint8_t> CoffWriter::build() const
{
    CoffLayout ignored;
    return buildWithLayout(ignored);
}

CoffLayout CoffWriter::layout() const
{
    CoffLayout layout;
    buildWithLayout(layout);
    return layout;
}

void CoffWriter::writeTo(const std::filesystem::path& path) const
{
    const std::vector<std::uint8_t> bytes = build();
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

std::vector<std::uint8_t> CoffWriter::buildWithLayout(CoffLayout& layout) const
{
    std::vector<std::uint8_t> bytes;
    ByteSink out(bytes);
    StringTable strings;

    // File header; the symbol table offset is patched once it is known.
    out.u16(firstField_.value_or(version_ == 0 ? targetId_ : static_cast<std::uint16_t>(0x00C0 + version_)));
    out.u16(sectionCount_.value_or(static_cast<std::uint16_t>(sections_.size())));
    out.u32(0x5A5A0001); // time stamp
    const std::size_t symbolOffsetField = out.size();
    out.u32(0);
    out.u32(symbolCount_.value_or(static_cast<std::uint32_t>(symbolEntryCount(symbols_))));
    out.u16(optionalHeader_ ? kOptionalHeaderSize : 0);
    out.u16(0); // flags
    if (version_ != 0)
        out.u16(targetId_);
    layout.fileHeaderEnd = out.size();
    if (optionalHeader_) {
        out.u16(0x0108); // magic
        out.zeros(kOptionalHeaderSize - 2);
    }
    layout.optionalHeaderEnd = out.size();

    // Section headers, then their raw data in the same order.
    const std::size_t headersStart = out.size();
    const std::size_t headerSize = version_ == 2 ? 48 : 40;
    std::size_t dataOffset = headersStart + headerSize * sections_.size();
    for (const CoffSection& section : sections_) {
        const std::size_t dataBytes = section.words.size() * 2;
        const auto realOffset = static_cast<std::uint32_t>(dataBytes == 0 ? 0 : dataOffset);
        dataOffset += dataBytes;
        writeNameField(out, section.name, section.nameInStringTable, strings);
        out.u32(section.startAddress); // physical address
        out.u32(section.startAddress);
        out.u32(section.sizeWordsOverride.value_or(static_cast<std::uint32_t>(section.words.size())));
        out.u32(section.rawDataOffsetOverride.value_or(realOffset));
        out.u32(0); // relocations
        out.u32(0); // line numbers
        if (version_ == 2) {
            out.u32(0);
            out.u32(0);
            out.u32(section.flags);
            out.u16(0);
            out.u16(section.page);
        } else {
            out.u16(0);
            out.u16(0);
            out.u16(section.flags);
            out.u8(0);
            out.u8(section.page);
        }
        layout.sectionHeaderEnds.push_back(out.size());
        layout.rawDataOffsets.push_back(realOffset);
    }
    for (const CoffSection& section : sections_) {
        for (const std::uint16_t word : section.words)
            out.u16(word);
    }

    // Symbol table and string table.
    layout.symbolTableOffset = out.size();
    out.patch32(symbolOffsetField, symbolTableOffset_.value_or(static_cast<std::uint32_t>(out.size())));
    for (const CoffSymbol& symbol : symbols_) {
        writeNameField(out, symbol.name, symbol.nameInStringTable, strings);
        out.u32(symbol.value);
        out.u16(static_cast<std::uint16_t>(symbol.sectionNumber));
        out.u16(symbol.type);
        out.u8(symbol.storageClass);
        out.u8(symbol.auxCountOverride.value_or(static_cast<std::uint8_t>(symbol.aux.size())));
        for (const CoffAuxEntry& aux : symbol.aux)
            bytes.insert(bytes.end(), aux.bytes.begin(), aux.bytes.end());
    }
    layout.stringTableOffset = out.size();
    if (stringTable_) {
        out.u32(stringTableLength_.value_or(static_cast<std::uint32_t>(4 + strings.bytes().size())));
        bytes.insert(bytes.end(), strings.bytes().begin(), strings.bytes().end());
    }
    layout.fileSize = out.size();
    return bytes;
}

} // namespace lumetra::test
