#include "core/read_whole_file.h"

#include <fstream>
#include <system_error>

namespace lumetra::core {

namespace {

constexpr std::size_t kChunkBytes = 64 * 1024;

FileReadResult failure(FileReadError error)
{
    return FileReadResult {{}, error};
}

} // namespace

FileReadResult readWholeFile(const std::filesystem::path& path, std::size_t maxBytes)
{
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (status.type() == std::filesystem::file_type::not_found)
        return failure(FileReadError::NotFound);
    if (ec || std::filesystem::is_directory(status))
        return failure(FileReadError::OpenFailed);
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return failure(FileReadError::OpenFailed);
    FileReadResult result;
    for (;;) {
        // Ask for one byte beyond the limit so a longer file is noticed without holding more of it.
        const std::size_t room = maxBytes - result.bytes.size();
        const std::size_t chunk = room < kChunkBytes ? room + 1 : kChunkBytes;
        const std::size_t start = result.bytes.size();
        result.bytes.resize(start + chunk);
        in.read(reinterpret_cast<char*>(result.bytes.data() + start), static_cast<std::streamsize>(chunk));
        const auto got = static_cast<std::size_t>(in.gcount());
        result.bytes.resize(start + got);
        if (result.bytes.size() > maxBytes)
            return failure(FileReadError::TooLarge);
        if (in.eof())
            return result;
        if (!in)
            return failure(FileReadError::ReadFailed);
    }
}

} // namespace lumetra::core
