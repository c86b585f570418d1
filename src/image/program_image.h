// The loaded program: the loadable sections of a COFF file packed into one image buffer, their flash tags and
// summary, the data-flash boot image of the F2834x rows, the target id and the symbol list.
#pragma once

#include "image/byte_view.h"
#include "image/coff_headers.h"
#include "image/coff_load_result.h"
#include "image/data_flash_image.h"
#include "image/flash_summary.h"
#include "image/image_buffer.h"
#include "image/loaded_section.h"
#include "image/shared_bytes.h"
#include "image/symbol_list.h"
#include "image/type_reading.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace lumetra::image {

class ProgramImage {
public:
    // Loads a COFF file (or an ELF file of the C2000 EABI) for the selected device row. On results 0 and 4 the image
    // holds the new program (and, for the C28x rows, its flash summary; for rows 36..41, its data-flash image); on any
    // other result it is empty.
    CoffLoadResult load(const std::filesystem::path& path, int deviceRow);
    CoffLoadResult load(std::span<const std::uint8_t> file, int deviceRow);

    // Empties sections, image buffer, summary, data-flash image and symbol list; keeps the target id.
    void clear();

    bool empty() const { return sections_.empty(); }
    const std::vector<LoadedSection>& sections() const { return sections_; }
    std::span<const std::uint8_t> sectionData(std::size_t index) const;
    // The packed section data, totalBytes() long; bytes the file did not hold read 0xFF.
    std::span<const std::uint8_t> imageBuffer() const { return buffer_.bytes(); }
    std::size_t totalBytes() const { return buffer_.size(); }
    std::size_t totalWords() const { return buffer_.size() / 2; }

    // The target id of the last successful load (0 before any); 0x0092 means 16-bit addresses.
    std::uint16_t targetId() const { return targetId_; }
    int deviceRow() const { return deviceRow_; }
    const FlashSummary& flashSummary() const { return flashSummary_; }
    const DataFlashImage& dataFlashImage() const { return dataFlashImage_; }
    const SymbolList& symbols() const { return symbols_; }
    // How the symbols' types were read by the last load with symbols.
    const TypeReading& typeReading() const { return typeReading_; }

private:
    CoffLoadResult loadFrom(const SharedBytes& fileBytes, int deviceRow);
    CoffLoadResult loadElf(const SharedBytes& fileBytes, int deviceRow);
    CoffLoadResult loadSections(
        const CoffFileHeader& header, const CoffStringTable& strings, ByteView file, int deviceRow);
    // Packs `sizeWords` words at `rawDataOffset` of the file, split at the second flash bank where the row asks.
    CoffLoadResult placeSection(std::string_view name, std::uint32_t start, std::uint32_t sizeWords,
        std::uint64_t rawDataOffset, int deviceRow);
    void finishLoad(std::uint16_t targetId, int deviceRow);
    void noteTypeReading(const DebugTypes& debug);
    void countTypedSymbols();
    CoffLoadResult failed(CoffLoadResult result);
    CoffLoadResult readSymbols(
        const SharedBytes& fileBytes, const CoffFileHeader& header, const CoffStringTable& strings, int deviceRow);
    void appendSection(
        std::string name, std::uint32_t start, std::uint32_t sizeWords, std::size_t bufferOffset, int deviceRow);

    std::vector<LoadedSection> sections_;
    ImageBuffer buffer_;
    std::uint16_t targetId_ = 0;
    int deviceRow_ = -1;
    FlashSummary flashSummary_;
    DataFlashImage dataFlashImage_;
    SymbolList symbols_;
    TypeReading typeReading_;
};

} // namespace lumetra::image
