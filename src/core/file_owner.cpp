#include "core/file_owner.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace lumetra::core {

#ifdef _WIN32

bool ownedByThisUser(const std::filesystem::path&)
{
    return true;
}

bool isOthersLinkInSharedFolder(const std::filesystem::path&)
{
    return false;
}

#else

bool ownedByThisUser(const std::filesystem::path& entry)
{
    struct stat facts {};
    return ::lstat(entry.c_str(), &facts) == 0 && facts.st_uid == ::geteuid();
}

bool isOthersLinkInSharedFolder(const std::filesystem::path& entry)
{
    struct stat link {};
    if (::lstat(entry.c_str(), &link) != 0 || !S_ISLNK(link.st_mode) || link.st_uid == ::geteuid())
        return false;
    struct stat shared {};
    return ::stat(folderOf(entry).c_str(), &shared) == 0 && (shared.st_mode & S_ISVTX) != 0 && (shared.st_mode & S_IWOTH) != 0;
}

#endif

} // namespace lumetra::core
