// The result of a data-flash run: the failing step (0 to 5), the three OK codes (6 to 8) or Cancel (18), each
// with the line the run's log ends with.
#pragma once

#include <cstdint>
#include <string_view>

namespace lumetra::programming {

enum class DataFlashResult : std::uint16_t {
    SciBootFailed = 0,
    AlgorithmDownloadFailed = 1,
    AlgorithmInitFailed = 2,
    ErasingFailed = 3,
    ProgrammingFailed = 4,
    VerifyingFailed = 5,
    ErasingOk = 6,
    ProgrammingOk = 7,
    ProgrammingVerifyingOk = 8,
    Canceled = 18,
};

// "[ERROR]: SCI BOOT is failed" ...; empty for a code without a line.
std::string_view dataFlashResultLine(int code);
inline std::string_view dataFlashResultLine(DataFlashResult result)
{
    return dataFlashResultLine(static_cast<int>(result));
}

// Codes 6 to 8.
bool isDataFlashSuccess(DataFlashResult result);

} // namespace lumetra::programming
