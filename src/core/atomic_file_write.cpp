#include "core/atomic_file_write.h"

#include "core/file_owner.h"
#include "core/temporary_file_names.h"

#include <cerrno>
#include <cstdio>
#include <string>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace lumetra::core {

namespace {

constexpr int kNameAttempts = 16;

std::error_code lastErrno()
{
    return std::error_code(errno, std::generic_category());
}

FileWriteResult failure(FileWriteError error, std::error_code cause)
{
    return FileWriteResult {error, cause};
}

class FileWriteCategory final : public std::error_category {
public:
    const char* name() const noexcept override { return "file write"; }
    std::string message(int value) const override
    {
        switch (static_cast<FileWriteError>(value)) {
        case FileWriteError::None:
            return "no error";
        case FileWriteError::CreateFailed:
            return "the temporary file could not be created";
        case FileWriteError::WriteFailed:
            return "the file could not be written";
        case FileWriteError::ReplaceFailed:
            return "the file could not be replaced";
        case FileWriteError::OthersLink:
            return "the name is another user's symbolic link in a shared folder; nothing was written";
        }
        return "unknown error";
    }
};

bool flushToDisk(std::FILE* file)
{
    if (std::fflush(file) != 0)
        return false;
#ifdef _WIN32
    return _commit(_fileno(file)) == 0;
#else
    return fsync(fileno(file)) == 0;
#endif
}

std::error_code replace(const std::filesystem::path& from, const std::filesystem::path& to)
{
#ifdef _WIN32
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return {};
    return std::error_code(static_cast<int>(GetLastError()), std::system_category());
#else
    std::error_code ec;
    std::filesystem::rename(from, to, ec);
    if (ec)
        return ec;
    // Make the new directory entry durable too; file systems that cannot sync a directory simply refuse.
    const int fd = ::open(folderOf(to).c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
    return {};
#endif
}

// The save's own reason for a refusal, where the system gives none.
std::error_code ownCause(FileWriteError error)
{
    static const FileWriteCategory category;
    return {static_cast<int>(error), category};
}

} // namespace

FileWriteResult writeFileAtomically(const std::filesystem::path& target, std::span<const std::uint8_t> bytes)
{
    if (isOthersLinkInSharedFolder(target))
        return failure(FileWriteError::OthersLink, ownCause(FileWriteError::OthersLink));
    removeLeftoverTemporaryFiles(target);

    std::filesystem::path temporary;
    std::FILE* file = nullptr;
    for (int attempt = 0; attempt < kNameAttempts && !file; ++attempt) {
        temporary = temporaryNameFor(target);
        errno = 0;
        file = createNewFile(temporary);
        if (!file && errno != EEXIST)
            break;
    }
    if (!file)
        return failure(FileWriteError::CreateFailed, lastErrno());

    const bool written
        = (bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size()) && flushToDisk(file);
    const std::error_code writeCause = lastErrno();
    const bool closed = std::fclose(file) == 0;
    std::error_code ignored;
    if (!written || !closed) {
        std::filesystem::remove(temporary, ignored);
        return failure(FileWriteError::WriteFailed, written ? lastErrno() : writeCause);
    }

    // Permissions come only from a file that the new one replaces, never from the file a link names.
    const auto oldStatus = std::filesystem::symlink_status(target, ignored);
    if (std::filesystem::is_regular_file(oldStatus))
        std::filesystem::permissions(temporary, oldStatus.permissions(), ignored);

    if (const std::error_code cause = replace(temporary, target)) {
        std::filesystem::remove(temporary, ignored);
        return failure(FileWriteError::ReplaceFailed, cause);
    }
    return {};
}

std::FILE* createNewFile(const std::filesystem::path& path)
{
#ifdef _WIN32
    // msvcrt's _wfopen ignores "x": only _O_EXCL refuses a file that exists.
    const int fd = _wopen(path.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY, _S_IREAD | _S_IWRITE);
    if (fd < 0)
        return nullptr;
    std::FILE* file = _fdopen(fd, "wb");
    if (!file)
        _close(fd);
    return file;
#else
    return std::fopen(path.c_str(), "wbx");
#endif
}

} // namespace lumetra::core
