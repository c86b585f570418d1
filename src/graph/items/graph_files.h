// The two graph catalogue files, GraphData.rgt (memory graph items) and TimeGraphData.rtt (time graph items):
// object archives with labels in code page 949, kept in the application directory.
#pragma once

#include "graph/items/graph_items.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lumetra::graph {

inline constexpr std::string_view kMemoryGraphFileName = "GraphData.rgt";
inline constexpr std::string_view kTimeGraphFileName = "TimeGraphData.rtt";
inline constexpr std::uint16_t kMemoryGraphFileKind = 0x1002;
inline constexpr std::uint16_t kTimeGraphFileKind = 0x1003;

// Larger files are not read.
inline constexpr std::size_t kMaxGraphFileBytes = 64 * 1024 * 1024;

template <typename Item> struct GraphFileLoad {
    std::vector<Item> items; // the catalogue: the items read before any damage
    // False when the file exists but was not read to its last item (damaged, unreadable or not ours): saving
    // over it would lose what could not be read.
    bool whole = true;
    // Empty, or one line for the message window when the file exists but could not be read: it cannot be
    // opened, it is too large, or it has the right signature and kind but is cut off or holds another class.
    // A file with another signature or kind is ignored without a report.
    std::string report;
};

// Signature, kind, count, then per item its class tag, label and 32-bit fields. A character of a label that
// code page 949 lacks is written as "?". Nothing when the platform has no code page 949 converter.
template <typename Item> std::optional<std::vector<std::uint8_t>> encodeGraphFile(const std::vector<Item>& items);

// Bytes after the last item are never read.
template <typename Item> GraphFileLoad<Item> decodeGraphFile(std::span<const std::uint8_t> bytes);

// The file of the item's kind in `directory`; a missing file gives an empty catalogue and no report.
template <typename Item> GraphFileLoad<Item> loadGraphCatalogue(const std::filesystem::path& directory);

enum class GraphFileSaveStatus {
    Ok,
    TextNotConvertible, // the platform has no code page 949 converter
    WriteFailed, // the file could not be written; an old file stays as it was
    KeptAsItWas, // a file that was not read whole and whose catalogue did not change is left untouched
    BackupFailed, // the file that was not read whole could not be kept aside; it stays as it was
};

// Written to a temporary file that then replaces the file, so a failure leaves the old file whole.
template <typename Item>
GraphFileSaveStatus saveGraphCatalogue(const std::filesystem::path& directory, const std::vector<Item>& items);

// The name a file that was not read whole keeps when a changed catalogue replaces it: "GraphData.rgt.bad".
template <typename Item> std::filesystem::path damagedCatalogueBackup(const std::filesystem::path& directory);

// Saves a catalogue loaded as `loaded`. A file read whole is simply replaced. A file that was not is never lost:
// while `items` are still the items read from it, it is left as it is; otherwise it is first renamed to its
// backup name (replacing an older backup) and then the items are saved.
template <typename Item>
GraphFileSaveStatus saveGraphCatalogueOver(
    const std::filesystem::path& directory, const GraphFileLoad<Item>& loaded, const std::vector<Item>& items);

} // namespace lumetra::graph
