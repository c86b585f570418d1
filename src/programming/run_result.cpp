#include "programming/run_result.h"

#include <array>

namespace lumetra::programming {

namespace {

constexpr std::array<std::string_view, kLastRunResult + 1> kLines {
    " [ Serial Boot Completed ]",
    " [ Flash Writing Completed ]",
    " [ Error : Auto Baudrate Checking ]",
    " [ Error : Kernel Code Downloading ]",
    " [ Error : Clear Code Downloading ]",
    " [ Error : Erase Code Downloading ]",
    " [ Error : Flash Program Code Downloading ]",
    " [ Error : User Program Code Writing ]",
    " [ Error : SCI Boot Signal Setting ]",
    " [ Error : Target Board Reset ]",
    " [ Error : Key Value Setting ]",
    " [ Error : Initial Value Setting ]",
    " [ Error : Entry Address Setting ]",
    " [ Error : Flash Algorithm Code Downloading ]",
    " [ Error : Flash CSM Unlock Checking ]",
    " [ Error : Flash Erasing ]",
    " [ Error : Flash Writing ]",
    " [ Error : Flash Verifying ]",
    " [ Action Canceled ]",
    " [ Error : CSM Matching Flow Code Downloading ]",
    " [ Error : Fail to Change Baud-Rate ]",
};

} // namespace

std::string_view resultLine(int code)
{
    if (code < 0 || code > kLastRunResult)
        return {};
    return kLines[static_cast<std::size_t>(code)];
}

} // namespace lumetra::programming
