#include "app/recent_file_list.h"

#include "core/configuration.h"

#include <algorithm>

namespace lumetra::app {

void RecentFileList::load(const core::SettingsStore& store)
{
    entries_ = core::loadRecentFiles(store);
    if (entries_.size() > kCapacity)
        entries_.resize(kCapacity);
}

void RecentFileList::save(core::SettingsStore& store) const
{
    core::saveRecentFiles(store, entries_);
}

void RecentFileList::add(std::string_view path)
{
    std::erase(entries_, path);
    entries_.insert(entries_.begin(), std::string(path));
    if (entries_.size() > kCapacity)
        entries_.resize(kCapacity);
}

} // namespace lumetra::app
