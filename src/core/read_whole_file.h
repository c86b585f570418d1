// Reads a whole file into memory, refusing files above a size limit.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <vector>

namespace lumetra::core {

enum class FileReadError {
    None,
    NotFound, // no file at the path
    OpenFailed, // the path exists but cannot be opened as a file (a folder, no permission)
    TooLarge, // the file holds more than the limit
    ReadFailed,
};

struct FileReadResult {
    std::vector<std::uint8_t> bytes;
    FileReadError error = FileReadError::None;

    bool ok() const { return error == FileReadError::None; }
};

// At most `maxBytes` are ever held: a file that turns out longer while it is read is refused as well.
FileReadResult readWholeFile(const std::filesystem::path& path, std::size_t maxBytes);

} // namespace lumetra::core
