// Who owns a directory entry, for a save's decisions about the entries of other users. Windows keeps no POSIX
// owners: there every entry counts as the user's own and no folder as shared.
#pragma once

#include <filesystem>

namespace lumetra::core {

// The folder that holds an entry: "." for a bare name.
inline std::filesystem::path folderOf(const std::filesystem::path& entry)
{
    return entry.has_parent_path() ? entry.parent_path() : std::filesystem::path(".");
}

// True when the entry itself (a symbolic link is not followed) belongs to the user the process runs as.
bool ownedByThisUser(const std::filesystem::path& entry);

// True when `entry` is a symbolic link of another user in a folder that every user may write to and where only
// an entry's owner may remove it (the sticky bit, as on /tmp).
bool isOthersLinkInSharedFolder(const std::filesystem::path& entry);

} // namespace lumetra::core
