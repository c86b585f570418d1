#include "tools/program_kind.h"

#include "image/byte_view.h"

#include <algorithm>
#include <array>
#include <system_error>

namespace lumetra::tools {

namespace {

constexpr std::size_t kDosHeaderSize = 64;
constexpr std::size_t kPeOffsetField = 60;
constexpr std::size_t kFileHeaderSize = 20;
constexpr std::size_t kOptionalHeaderSize = 224;
constexpr std::size_t kSubsystemField = 68;
constexpr std::uint32_t kPeSignature = 0x00004550;
constexpr std::uint16_t kGuiSubsystem = 2;

} // namespace

std::size_t SpanByteSource::readAt(std::uint64_t offset, std::span<std::uint8_t> into)
{
    if (offset >= bytes_.size())
        return 0;
    const std::size_t count = std::min<std::size_t>(into.size(), bytes_.size() - static_cast<std::size_t>(offset));
    std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(offset), count, into.begin());
    return count;
}

FileByteSource::FileByteSource(const std::filesystem::path& path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return;
    file_.open(path, std::ios::binary);
    open_ = file_.is_open();
}

std::size_t FileByteSource::readAt(std::uint64_t offset, std::span<std::uint8_t> into)
{
    if (!open_)
        return 0;
    file_.clear();
    file_.seekg(static_cast<std::streamoff>(offset));
    if (!file_)
        return 0;
    file_.read(reinterpret_cast<char*>(into.data()), static_cast<std::streamsize>(into.size()));
    return static_cast<std::size_t>(file_.gcount());
}

ProgramKind classifyProgram(ByteSource& source)
{
    std::array<std::uint8_t, kDosHeaderSize> dos {};
    if (source.readAt(0, dos) != dos.size() || dos[0] != 'M' || dos[1] != 'Z')
        return ProgramKind::Other;
    // The offset is a signed field; a negative one cannot be sought to.
    const std::uint32_t peOffset = *image::ByteView(dos).u32(kPeOffsetField);
    if (peOffset > 0x7FFFFFFFu)
        return ProgramKind::Other;

    std::array<std::uint8_t, 4 + kFileHeaderSize + kOptionalHeaderSize> pe {};
    if (source.readAt(peOffset, pe) != pe.size())
        return ProgramKind::Other;
    const image::ByteView headers(pe);
    if (*headers.u32(0) != kPeSignature)
        return ProgramKind::Other;
    return *headers.u16(4 + kFileHeaderSize + kSubsystemField) == kGuiSubsystem ? ProgramKind::WindowsGui
                                                                                : ProgramKind::Other;
}

} // namespace lumetra::tools
