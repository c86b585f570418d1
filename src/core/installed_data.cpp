#include "core/installed_data.h"

#include <system_error>

namespace lumetra::core {

std::optional<std::filesystem::path> installedData(
    const std::filesystem::path& programFolder, const std::filesystem::path& entry)
{
    if (programFolder.empty())
        return std::nullopt;
    for (const std::filesystem::path& share : {programFolder / ".." / "share", programFolder / "share"}) {
        const std::filesystem::path candidate = share / "lumetra" / entry;
        std::error_code error;
        if (std::filesystem::exists(candidate, error))
            return candidate.lexically_normal();
    }
    return std::nullopt;
}

} // namespace lumetra::core
