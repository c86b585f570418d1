#include "graph/exports/export_result.h"

namespace lumetra::graph {

ExportResult exportResultOf(const core::FileWriteResult& write)
{
    switch (write.error) {
    case core::FileWriteError::None:
        return {};
    case core::FileWriteError::CreateFailed:
        return {ExportFailure::CreateFailed, write.cause};
    case core::FileWriteError::WriteFailed:
        return {ExportFailure::WriteFailed, write.cause};
    case core::FileWriteError::ReplaceFailed:
        return {ExportFailure::ReplaceFailed, write.cause};
    case core::FileWriteError::OthersLink:
        return {ExportFailure::OthersLink, write.cause};
    }
    return {ExportFailure::WriteFailed, write.cause};
}

bool reportExport(const ExportResult& result, std::string_view failureText, core::UserPrompts& prompts)
{
    if (!result.ok())
        prompts.showMessage(core::MessageIcon::Error, failureText);
    return result.ok();
}

} // namespace lumetra::graph
