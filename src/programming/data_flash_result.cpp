#include "programming/data_flash_result.h"

#include <array>

namespace lumetra::programming {

namespace {

constexpr std::array<std::string_view, 9> kStepLines {
    "[ERROR]: SCI BOOT is failed",
    "[ERROR]: Algorithm Code Download is failed",
    "[ERROR]: Algorithm Code Init-Action is failed",
    "[ERROR]: Data Flash Erasing is failed",
    "[ERROR]: Data Flash Programing is failed",
    "[ERROR]: Data Flash Verifying is failed",
    "[INFO]: Data Flash Erasing is OK",
    "[INFO]: Data Flash Programing is OK",
    "[INFO]: Data Flash Programing && Verifying is OK",
};
constexpr std::string_view kCanceledLine = "[INFO]: Selected Action is canceled";

} // namespace

std::string_view dataFlashResultLine(int code)
{
    if (code == static_cast<int>(DataFlashResult::Canceled))
        return kCanceledLine;
    if (code < 0 || code >= static_cast<int>(kStepLines.size()))
        return {};
    return kStepLines[static_cast<std::size_t>(code)];
}

bool isDataFlashSuccess(DataFlashResult result)
{
    return result == DataFlashResult::ErasingOk || result == DataFlashResult::ProgrammingOk
        || result == DataFlashResult::ProgrammingVerifyingOk;
}

} // namespace lumetra::programming
