// The outcome of an export or print, and the message a window shows for a failed one.
#pragma once

#include "core/atomic_file_write.h"
#include "core/user_prompts.h"

#include <string_view>
#include <system_error>

namespace lumetra::graph {

inline constexpr std::string_view kTextFileFailedText = "텍스트 파일을 생성하는데 실패했읍니다.";
inline constexpr std::string_view kMetafileFailedText = "메타파일을 생성하는데 실패했읍니다.";
inline constexpr std::string_view kCsvFileFailedText = "CSV 파일을 생성하는데 실패했읍니다.";
inline constexpr std::string_view kPictureFileFailedText = "그림 파일을 생성하는데 실패했읍니다.";
inline constexpr std::string_view kNoDefaultPrinterText = "현재 PC에 기본 프린터 정보가 없읍니다.";
inline constexpr std::string_view kPrintFailedText = "그래프를 인쇄하는데 실패했읍니다.";

enum class ExportFailure {
    None,
    NoConverter, // the platform cannot write code page 949
    NothingToExport, // the window has no pane in use
    RenderFailed, // the picture could not be drawn or encoded
    CreateFailed, // the file could not be created (missing folder, no permission, name too long)
    WriteFailed, // writing failed (disk full, size limit)
    ReplaceFailed, // the new file could not take the old one's place
    OthersLink, // the name is another user's symbolic link in a shared folder: refused, nothing written
    PrintFailed, // the printer refused the job
};

struct ExportResult {
    ExportFailure failure = ExportFailure::None;
    std::error_code cause; // the system's reason, when it gave one

    bool ok() const { return failure == ExportFailure::None; }
};

ExportResult exportResultOf(const core::FileWriteResult& write);

// Shows `failureText` (error icon) when the export failed; true when it succeeded.
bool reportExport(const ExportResult& result, std::string_view failureText, core::UserPrompts& prompts);

} // namespace lumetra::graph
