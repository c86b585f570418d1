// Symbol files (.sym): saving and opening the registered variable list, and the recent symbol file.
#pragma once

#include "image/data_object.h"
#include "image/symbol_file_format.h"
#include "image/symbol_list.h"

#include <cstddef>
#include <filesystem>
#include <span>
#include <string_view>
#include <vector>

namespace lumetra::image {

inline constexpr std::string_view kRecentSymbolFileName = "RecentSymFile.sym";

// Larger files are refused as no symbol file.
inline constexpr std::size_t kMaxSymbolFileBytes = 64 * 1024 * 1024;

enum class SymbolFileStatus {
    Ok,
    PathNotFound, // opening: no file at the path
    CannotOpen, // opening: the file cannot be opened or read
    UnsupportedFormat, // opening: other format words (or a file too large to be one)
    Damaged, // opening: a record is damaged or cut off
    TextNotConvertible, // a text cannot be converted between code page 949 and UTF-8
    CannotCreate, // saving: the file cannot be created or written
};

// The message box text of a status (error icon); empty for Ok.
std::string_view symbolFileMessage(SymbolFileStatus status);

struct SymbolFileRead {
    SymbolFileStatus status = SymbolFileStatus::Ok;
    std::vector<CDataObject> records; // empty unless Ok
    ArchiveError archiveError = ArchiveError::None;
    std::size_t errorOffset = 0;

    // False only when the file could not be reached at all: then the registered list is left alone.
    // Otherwise the list is replaced by `records`, so a refused file leaves it empty, never half filled.
    bool replacesList() const
    {
        return status != SymbolFileStatus::PathNotFound && status != SymbolFileStatus::CannotOpen;
    }
};

SymbolFileRead readSymbolFile(const std::filesystem::path& path);

// Opening: reads the file and, unless it could not be reached, replaces `registered` with its records and
// rebinds them to the symbols of the loaded program (first symbol of the same name gives address and type).
SymbolFileStatus openSymbolFile(
    const std::filesystem::path& path, std::vector<CDataObject>& registered, const SymbolList& symbols);

// Saving: writes the records to a temporary file beside `path` and renames it over the old file, so the old
// file stays whole when writing fails.
SymbolFileStatus saveSymbolFile(const std::filesystem::path& path, std::span<const CDataObject> records);

// "RecentSymFile.sym" in the application directory (the working directory at start-up).
std::filesystem::path recentSymbolFilePath(const std::filesystem::path& applicationDir);

} // namespace lumetra::image
