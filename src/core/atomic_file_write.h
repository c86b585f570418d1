// Saves a file so that a failure or crash never leaves it half written: the bytes go to a temporary file in
// the same folder, are flushed to the disk, and the temporary file then replaces the target in one step.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <span>
#include <system_error>

namespace lumetra::core {

enum class FileWriteError {
    None,
    CreateFailed, // the temporary file could not be created (missing folder, no permission)
    WriteFailed, // writing or flushing failed (disk full, size limit)
    ReplaceFailed, // the temporary file could not take the target's place
    OthersLink, // the target is another user's symbolic link in a shared folder (sticky, writable by all)
};

struct FileWriteResult {
    FileWriteError error = FileWriteError::None;
    std::error_code cause; // the system's reason, when it gave one; for OthersLink a message of the save's own

    bool ok() const { return error == FileWriteError::None; }
};

// On failure the target keeps its old content (or stays absent) and no temporary file is left behind; the
// temporary files that killed saves of the same target left are removed first.
// An existing file keeps its permissions. A symbolic link at the target's name is itself replaced by the new file
// (the file it names stays as it was); another user's link in a shared folder is refused (OthersLink).
FileWriteResult writeFileAtomically(const std::filesystem::path& target, std::span<const std::uint8_t> bytes);

// Opens a file for binary writing that did not exist before; null with errno EEXIST when it exists, so two
// writers never share a temporary file.
std::FILE* createNewFile(const std::filesystem::path& path);

} // namespace lumetra::core
