// Builds a COFF symbol table with its string table after zeroed section headers, for symbol reader tests.
#pragma once

#include "image/coff_headers.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace lumetra::test {

struct SymbolSpec {
    std::string name;
    std::uint32_t value = 0x8000;
    std::int16_t section = 1;
    std::uint16_t type = 4; // Integer
    std::uint8_t storageClass = 2;
    std::uint8_t auxCount = 0;
    std::array<std::uint16_t, 4> dims {}; // written into every auxiliary entry
};

class SymbolTableBytes {
public:
    // After the file header and room for three section headers of data (all flags clear).
    static constexpr std::uint32_t kTableOffset = 22 + 3 * 48;

    // Auxiliary entries carry spec.dims, or are spelled as the given symbol entries (one per auxCount).
    void add(const SymbolSpec& spec, const std::vector<SymbolSpec>& auxSpelledAs = {})
    {
        appendEntry(spec);
        for (const SymbolSpec& disguised : auxSpelledAs)
            appendEntry(disguised);
        for (int n = static_cast<int>(auxSpelledAs.size()); n < spec.auxCount; ++n) {
            entries_.insert(entries_.end(), 8, 0);
            for (std::uint16_t d : spec.dims)
                put16(d);
            entries_.insert(entries_.end(), 2, 0);
        }
        count_ += 1u + spec.auxCount;
    }

    // An entry whose name field points at a string table offset of our choice.
    void addRawNameOffset(std::uint32_t offset)
    {
        put32(0);
        put32(offset);
        put32(0x8000);
        put16(1);
        put16(4);
        entries_.push_back(2);
        entries_.push_back(0);
        ++count_;
    }

    std::vector<std::uint8_t> file() const
    {
        std::vector<std::uint8_t> bytes(kTableOffset, 0x00);
        bytes.insert(bytes.end(), entries_.begin(), entries_.end());
        const std::uint32_t length = static_cast<std::uint32_t>(4 + strings_.size());
        for (int shift = 0; shift < 32; shift += 8)
            bytes.push_back(static_cast<std::uint8_t>(length >> shift));
        bytes.insert(bytes.end(), strings_.begin(), strings_.end());
        return bytes;
    }

    image::CoffFileHeader header(std::uint16_t sectionCount = 3, std::optional<std::uint32_t> count = {}) const
    {
        image::CoffFileHeader h;
        h.version = 2;
        h.targetId = 0x009D;
        h.sectionCount = sectionCount;
        h.sectionHeadersOffset = 22;
        h.sectionHeaderSize = 48;
        h.symbolTableOffset = kTableOffset;
        h.symbolCount = count.value_or(count_);
        h.stringTableOffset = std::uint64_t {h.symbolTableOffset} + std::uint64_t {h.symbolCount} * 18;
        return h;
    }

private:
    void appendEntry(const SymbolSpec& spec)
    {
        appendName(spec.name);
        put32(spec.value);
        put16(static_cast<std::uint16_t>(spec.section));
        put16(spec.type);
        entries_.push_back(spec.storageClass);
        entries_.push_back(spec.auxCount);
    }
    void put16(std::uint16_t v)
    {
        entries_.push_back(static_cast<std::uint8_t>(v));
        entries_.push_back(static_cast<std::uint8_t>(v >> 8));
    }
    void put32(std::uint32_t v)
    {
        put16(static_cast<std::uint16_t>(v));
        put16(static_cast<std::uint16_t>(v >> 16));
    }
    void appendName(const std::string& name)
    {
        if (name.size() <= 8) {
            std::string field = name;
            field.resize(8, '\0');
            entries_.insert(entries_.end(), field.begin(), field.end());
            return;
        }
        put32(0);
        put32(static_cast<std::uint32_t>(4 + strings_.size()));
        strings_.insert(strings_.end(), name.begin(), name.end());
        strings_.push_back(0);
    }

    std::vector<std::uint8_t> entries_;
    std::vector<std::uint8_t> strings_;
    std::uint32_t count_ = 0;
};

} // namespace lumetra::test
