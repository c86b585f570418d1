#include "image/symbol_file.h"

#include "core/atomic_file_write.h"
#include "core/read_whole_file.h"
#include "image/symbol_rebinding.h"

namespace lumetra::image {

namespace {

SymbolFileStatus statusOf(SymbolFileDecodeStatus status)
{
    switch (status) {
    case SymbolFileDecodeStatus::Ok:
        return SymbolFileStatus::Ok;
    case SymbolFileDecodeStatus::UnsupportedFormat:
        return SymbolFileStatus::UnsupportedFormat;
    case SymbolFileDecodeStatus::Damaged:
        return SymbolFileStatus::Damaged;
    case SymbolFileDecodeStatus::TextNotConvertible:
        return SymbolFileStatus::TextNotConvertible;
    }
    return SymbolFileStatus::Damaged;
}

SymbolFileStatus statusOf(core::FileReadError error)
{
    switch (error) {
    case core::FileReadError::None:
        return SymbolFileStatus::Ok;
    case core::FileReadError::NotFound:
        return SymbolFileStatus::PathNotFound;
    case core::FileReadError::TooLarge:
        return SymbolFileStatus::UnsupportedFormat;
    case core::FileReadError::OpenFailed:
    case core::FileReadError::ReadFailed:
        break;
    }
    return SymbolFileStatus::CannotOpen;
}

} // namespace

std::string_view symbolFileMessage(SymbolFileStatus status)
{
    switch (status) {
    case SymbolFileStatus::Ok:
        return {};
    case SymbolFileStatus::PathNotFound:
        return "지정한 파일 경로가 잘못되었읍니다.";
    case SymbolFileStatus::CannotOpen:
        return "지정한 파일을 여는데 실패했읍니다.";
    case SymbolFileStatus::UnsupportedFormat:
        return "지원하지 않는 파일 포맷입니다.";
    case SymbolFileStatus::Damaged:
        return "심볼 파일이 손상되어 읽을 수 없읍니다.";
    case SymbolFileStatus::TextNotConvertible:
        return "심볼 파일의 문자를 변환할 수 없읍니다.";
    case SymbolFileStatus::CannotCreate:
        return "지정한 파일을 생성하는데 실패했읍니다.";
    }
    return {};
}

SymbolFileRead readSymbolFile(const std::filesystem::path& path)
{
    const core::FileReadResult file = core::readWholeFile(path, kMaxSymbolFileBytes);
    if (!file.ok())
        return SymbolFileRead {statusOf(file.error), {}, ArchiveError::None, 0};
    SymbolFileDecoding decoding = decodeSymbolFile(file.bytes);
    return SymbolFileRead {
        statusOf(decoding.status), std::move(decoding.records), decoding.archiveError, decoding.errorOffset};
}

SymbolFileStatus openSymbolFile(
    const std::filesystem::path& path, std::vector<CDataObject>& registered, const SymbolList& symbols)
{
    SymbolFileRead read = readSymbolFile(path);
    if (read.replacesList()) {
        registered = std::move(read.records);
        rebindToSymbols(registered, symbols);
    }
    return read.status;
}

SymbolFileStatus saveSymbolFile(const std::filesystem::path& path, std::span<const CDataObject> records)
{
    const std::optional<std::vector<std::uint8_t>> bytes = encodeSymbolFile(records);
    if (!bytes)
        return SymbolFileStatus::TextNotConvertible;
    return core::writeFileAtomically(path, *bytes).ok() ? SymbolFileStatus::Ok : SymbolFileStatus::CannotCreate;
}

std::filesystem::path recentSymbolFilePath(const std::filesystem::path& applicationDir)
{
    return applicationDir / kRecentSymbolFileName;
}

} // namespace lumetra::image
