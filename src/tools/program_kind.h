// Tells a Windows GUI program from every other program by its PE headers: "MZ" header of 64 bytes, the 32-bit
// offset at byte 60 to "PE\0\0", the 20-byte file header and 224 bytes of optional header whose 16-bit
// subsystem field at offset 68 is 2. Anything short, out of place or different is not a GUI program.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <span>

namespace lumetra::tools {

enum class ProgramKind { WindowsGui, Other };

// Reads bytes at an offset; fewer than asked (or none) past the end or on failure.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::size_t readAt(std::uint64_t offset, std::span<std::uint8_t> into) = 0;
};

class SpanByteSource final : public ByteSource {
public:
    explicit SpanByteSource(std::span<const std::uint8_t> bytes)
        : bytes_(bytes)
    {
    }
    std::size_t readAt(std::uint64_t offset, std::span<std::uint8_t> into) override;

private:
    std::span<const std::uint8_t> bytes_;
};

// A file opened for reading; `isOpen` is false when it could not be opened (or is not a regular file).
class FileByteSource final : public ByteSource {
public:
    explicit FileByteSource(const std::filesystem::path& path);
    bool isOpen() const { return open_; }
    std::size_t readAt(std::uint64_t offset, std::span<std::uint8_t> into) override;

private:
    std::ifstream file_;
    bool open_ = false;
};

ProgramKind classifyProgram(ByteSource& source);

} // namespace lumetra::tools
