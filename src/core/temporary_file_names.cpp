#include "core/temporary_file_names.h"

#include "core/file_owner.h"

#include <algorithm>
#include <atomic>
#include <random>
#include <string>

namespace lumetra::core {

namespace {

namespace fs = std::filesystem;
using NameView = std::basic_string_view<fs::path::value_type>;

bool isNumber(NameView text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](auto c) { return c >= '0' && c <= '9'; });
}

} // namespace

fs::path temporaryNameFor(const fs::path& target)
{
    static std::atomic<unsigned> counter {0};
    static thread_local std::mt19937 random {std::random_device {}()};
    fs::path name = target;
    name += ".~" + std::to_string(random() % 1000000) + "-" + std::to_string(counter++) + ".tmp";
    return name;
}

bool isTemporaryNameOf(const fs::path& candidate, const fs::path& target)
{
    fs::path prefix = target.filename();
    if (prefix.empty())
        return false;
    prefix += ".~";
    const fs::path suffix(".tmp");
    const fs::path candidateName = candidate.filename();
    const NameView name = candidateName.native();
    const std::size_t fixed = prefix.native().size() + suffix.native().size();
    if (name.size() <= fixed || !name.starts_with(prefix.native()) || !name.ends_with(suffix.native()))
        return false;
    const NameView numbers = name.substr(prefix.native().size(), name.size() - fixed);
    const std::size_t dash = numbers.find('-');
    return dash != NameView::npos && isNumber(numbers.substr(0, dash)) && isNumber(numbers.substr(dash + 1));
}

void removeLeftoverTemporaryFiles(const fs::path& target)
{
    std::error_code error;
    fs::directory_iterator entries(folderOf(target), error);
    const auto oldest = fs::file_time_type::clock::now() - kLeftoverTemporaryAge;
    for (; !error && entries != fs::directory_iterator(); entries.increment(error)) {
        const fs::path& entry = entries->path();
        std::error_code ignored;
        if (!isTemporaryNameOf(entry, target) || !fs::is_regular_file(fs::symlink_status(entry, ignored))
            || !ownedByThisUser(entry))
            continue;
        const auto changed = fs::last_write_time(entry, ignored);
        if (!ignored && changed <= oldest)
            fs::remove(entry, ignored);
    }
}

} // namespace lumetra::core
