#include "image/program_image.h"

#include "core/device_catalogue.h"
#include "image/debug_sections.h"
#include "image/dwarf_reader.h"
#include "image/elf_headers.h"
#include "image/elf_symbol_reader.h"
#include "image/flash_layout.h"
#include "image/section_rules.h"
#include "image/symbol_reader.h"

#include <algorithm>
#include <fstream>
#include <new>
#include <optional>
#include <system_error>

namespace lumetra::image {

namespace {

struct FileBytes {
    CoffLoadResult status = CoffLoadResult::Loaded;
    SharedBytes bytes; // not zero-filled first: the read overwrites all of them
};

FileBytes readWholeFile(const std::filesystem::path& path)
{
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        return {CoffLoadResult::CannotOpen, {}};
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {CoffLoadResult::CannotOpen, {}};
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    in.seekg(0, std::ios::beg);
    if (size < 0 || !in)
        return {CoffLoadResult::FileError, {}};
    FileBytes file;
    file.bytes = SharedBytes::forOverwrite(static_cast<std::size_t>(size));
    in.read(reinterpret_cast<char*>(file.bytes.data()), size);
    if (in.gcount() != size)
        return {CoffLoadResult::FileError, {}};
    return file;
}

// The C2xx target id goes with the LF240x rows (below 6), the C28x id with all others.
bool targetMatchesRow(std::uint16_t targetId, int deviceRow)
{
    return (targetId == core::kTargetIdLf240x && deviceRow < 6) || (targetId == core::kTargetIdC28x && deviceRow >= 6);
}

bool hasDataFlashImage(int deviceRow)
{
    return core::isValidDeviceIndex(deviceRow) && core::hasDataFlash(deviceRow);
}

} // namespace

CoffLoadResult ProgramImage::load(const std::filesystem::path& path, int deviceRow)
{
    clear(); // every result but a load leaves the image empty; the old file's memory serves the new one
    try {
        FileBytes file = readWholeFile(path);
        if (file.status != CoffLoadResult::Loaded)
            return failed(file.status);
        return loadFrom(file.bytes, deviceRow);
    } catch (const std::bad_alloc&) {
        return failed(CoffLoadResult::OutOfMemory);
    }
}

CoffLoadResult ProgramImage::load(std::span<const std::uint8_t> file, int deviceRow)
{
    clear();
    try {
        return loadFrom(SharedBytes::copyOf(file), deviceRow);
    } catch (const std::bad_alloc&) {
        return failed(CoffLoadResult::OutOfMemory);
    }
}

void ProgramImage::clear()
{
    sections_.clear();
    buffer_.clear();
    flashSummary_ = FlashSummary();
    dataFlashImage_ = DataFlashImage();
    symbols_.clear();
    typeReading_ = TypeReading();
}

std::span<const std::uint8_t> ProgramImage::sectionData(std::size_t index) const
{
    const LoadedSection& section = sections_.at(index);
    return buffer_.bytes().subspan(section.bufferOffset, section.sizeBytes());
}

CoffLoadResult ProgramImage::failed(CoffLoadResult result)
{
    clear();
    return result;
}

CoffLoadResult ProgramImage::loadFrom(const SharedBytes& fileBytes, int deviceRow)
{
    const ByteView file = fileBytes.view();
    if (isElfFile(file))
        return loadElf(fileBytes, deviceRow);
    const std::optional<CoffFileHeader> header = parseFileHeader(file);
    if (!header)
        return failed(CoffLoadResult::NotCoff);
    if (!targetMatchesRow(header->targetId, deviceRow))
        return failed(CoffLoadResult::TargetMismatch);
    const std::optional<CoffStringTable> strings = locateStringTable(*header, file);
    if (!strings)
        return failed(CoffLoadResult::NotCoff);
    if (!core::isValidDeviceIndex(deviceRow))
        return failed(CoffLoadResult::UnsupportedDevice);

    buffer_.start(fileBytes);
    const CoffLoadResult sectionsResult = loadSections(*header, *strings, file, deviceRow);
    if (sectionsResult != CoffLoadResult::Loaded)
        return failed(sectionsResult);

    CoffLoadResult result = CoffLoadResult::LoadedWithoutSymbols;
    if (header->symbolCount > 0) {
        result = readSymbols(fileBytes, *header, *strings, deviceRow);
        if (result != CoffLoadResult::Loaded)
            return failed(result);
    }
    finishLoad(header->targetId, deviceRow);
    return result;
}

void ProgramImage::finishLoad(std::uint16_t targetId, int deviceRow)
{
    targetId_ = targetId;
    deviceRow_ = deviceRow;
    if (core::familyOf(deviceRow) == core::Family::F28x)
        flashSummary_ = summariseFlash(deviceRow, sections_);
    if (hasDataFlashImage(deviceRow))
        dataFlashImage_ = DataFlashImage::build(sections_, buffer_.bytes());
}

// The machine stands in for the COFF target id: only the C2000 machine loads, and only for the C28x rows.
CoffLoadResult ProgramImage::loadElf(const SharedBytes& fileBytes, int deviceRow)
{
    const ByteView file = fileBytes.view();
    const std::optional<ElfFile> elf = parseElfFile(file);
    if (!elf)
        return failed(CoffLoadResult::NotCoff);
    if (elf->machine != kElfMachineC2000 || !targetMatchesRow(core::kTargetIdC28x, deviceRow))
        return failed(CoffLoadResult::TargetMismatch);
    if (!core::isValidDeviceIndex(deviceRow))
        return failed(CoffLoadResult::UnsupportedDevice);

    buffer_.start(fileBytes);
    for (const ElfSection& section : elf->sections) {
        if (!isLoadableElfSection(section))
            continue;
        // Addresses count words, sizes bytes.
        const CoffLoadResult placed
            = placeSection(section.name, section.address, (section.size + 1) / 2, section.offset, deviceRow);
        if (placed != CoffLoadResult::Loaded)
            return failed(placed);
    }
    const std::optional<std::vector<ElfSymbol>> table = elfSymbols(*elf, file);
    if (!table)
        return failed(CoffLoadResult::FileError);
    CoffLoadResult result = CoffLoadResult::LoadedWithoutSymbols;
    if (!table->empty()) {
        DebugTypes debug = readDwarfTypes(elfDebugSections(*elf, file));
        noteTypeReading(debug);
        const bool typed = debug.status == DebugReadStatus::Read;
        const SymbolReadStatus read
            = readElfSymbols(fileBytes, *elf, *table, deviceRow, typed ? &debug : nullptr, symbols_);
        if (read != SymbolReadStatus::Ok)
            return failed(CoffLoadResult::OutOfMemory);
        if (typed)
            symbols_.useAggregates(std::make_shared<const std::vector<DebugAggregate>>(std::move(debug.aggregates)));
        countTypedSymbols();
        result = CoffLoadResult::Loaded;
    }
    finishLoad(core::kTargetIdC28x, deviceRow);
    return result;
}

void ProgramImage::countTypedSymbols()
{
    typeReading_.listedSymbols = symbols_.count();
    for (std::size_t i = 0; i < symbols_.count(); ++i)
        typeReading_.typedFromDebugInfo += symbols_.typedFromDebugInfoAt(i) ? 1 : 0;
}

void ProgramImage::noteTypeReading(const DebugTypes& debug)
{
    typeReading_.debugInfo = debug.status;
    typeReading_.problem = debug.problem;
    typeReading_.dwarfVersion = debug.dwarfVersion;
}

// Types come from the debug information when the file carries it readable, otherwise from the symbol table.
CoffLoadResult ProgramImage::readSymbols(
    const SharedBytes& fileBytes, const CoffFileHeader& header, const CoffStringTable& strings, int deviceRow)
{
    const ByteView file = fileBytes.view();
    DebugTypes debug = readDwarfTypes(coffDebugSections(header, strings, file));
    noteTypeReading(debug);
    SymbolReadStatus read = SymbolReadStatus::Ok;
    if (debug.status == DebugReadStatus::Read) {
        read = readSymbolTable(fileBytes, header, deviceRow, symbols_, &debug);
        if (read == SymbolReadStatus::Ok)
            symbols_.useAggregates(std::make_shared<const std::vector<DebugAggregate>>(std::move(debug.aggregates)));
    } else {
        read = readSymbolTable(fileBytes, header, deviceRow, symbols_);
    }
    if (read == SymbolReadStatus::ReadPastEnd)
        return CoffLoadResult::FileError;
    if (read == SymbolReadStatus::OutOfMemory)
        return CoffLoadResult::OutOfMemory;
    countTypedSymbols();
    return CoffLoadResult::Loaded;
}

CoffLoadResult ProgramImage::loadSections(
    const CoffFileHeader& header, const CoffStringTable& strings, ByteView file, int deviceRow)
{
    for (std::size_t i = 0; i < header.sectionCount; ++i) {
        const std::optional<CoffSectionHeader> section = parseSectionHeader(header, file, i);
        if (!section)
            return CoffLoadResult::NotCoff;
        const std::optional<std::string_view> coffName = decodeNameView(ByteView(section->nameField), strings);
        if (!coffName)
            return CoffLoadResult::NotCoff;
        const std::string_view name = withoutLeadingUnderscore(*coffName);
        if (!isLoadableSection(*section, name, deviceRow))
            continue;

        const CoffLoadResult placed
            = placeSection(name, section->startAddress, section->sizeWords, section->rawDataOffset, deviceRow);
        if (placed != CoffLoadResult::Loaded)
            return placed;
    }
    return CoffLoadResult::Loaded;
}

CoffLoadResult ProgramImage::placeSection(
    std::string_view name, std::uint32_t start, std::uint32_t sizeWords, std::uint64_t rawDataOffset, int deviceRow)
{
    const std::uint64_t sizeBytes = std::uint64_t {sizeWords} * 2;
    if (sizeBytes > kImageBufferCapacity - buffer_.size())
        return CoffLoadResult::ImageTooLarge;
    // Raw data past the end of the file are not there to read: those words read 0xFF.
    const std::size_t offset = buffer_.append(rawDataOffset, static_cast<std::size_t>(sizeBytes));

    const std::uint64_t last = std::uint64_t {start} + sizeWords - 1;
    const bool split = splitsAcrossBanks(deviceRow) && start >= kBank0Base && start < kBank1Base && last >= kBank1Base;
    if (split) {
        const std::uint32_t firstWords = kBank1Base - start;
        appendSection(std::string(name) + "_1", start, firstWords, offset, deviceRow);
        appendSection(std::string(name) + "_2", kBank1Base, sizeWords - firstWords,
            offset + std::size_t {firstWords} * 2, deviceRow);
    } else {
        appendSection(std::string(name), start, sizeWords, offset, deviceRow);
    }
    return CoffLoadResult::Loaded;
}

void ProgramImage::appendSection(
    std::string name, std::uint32_t start, std::uint32_t sizeWords, std::size_t bufferOffset, int deviceRow)
{
    LoadedSection section;
    section.name = std::move(name);
    section.startAddress = start;
    section.sizeWords = sizeWords;
    section.bufferOffset = bufferOffset;
    const FlashTag tag = tagSection(deviceRow, start, sizeWords);
    section.inFlash = tag.inFlash;
    section.flashMask = tag.mask;
    section.inSecondBank = tag.inSecondBank;
    section.secondBankMask = tag.secondBankMask;
    sections_.push_back(std::move(section));
}

} // namespace lumetra::image
