// The most recently used COFF files, newest first, at most ten, kept in "Recent File List" as File1..File10.
#pragma once

#include "core/settings_store.h"

#include <string>
#include <string_view>
#include <vector>

namespace lumetra::app {

class RecentFileList {
public:
    static constexpr std::size_t kCapacity = 10;

    void load(const core::SettingsStore& store);
    void save(core::SettingsStore& store) const;

    // Puts the path at the top; an entry already in the list moves there, the oldest falls off a full list.
    void add(std::string_view path);

    const std::vector<std::string>& entries() const { return entries_; }
    bool empty() const { return entries_.empty(); }

private:
    std::vector<std::string> entries_;
};

} // namespace lumetra::app
