// The names of a save's temporary files beside its target, and the removal of those that a killed save left.
#pragma once

#include <chrono>
#include <filesystem>

namespace lumetra::core {

// A save writes its temporary file from bytes it already holds, without pause, and renames it at once: a file
// unchanged this long belongs to no save that still runs.
inline constexpr std::chrono::minutes kLeftoverTemporaryAge {10};

// A name not given before in this process: the target's name followed by ".~RANDOM-COUNTER.tmp".
std::filesystem::path temporaryNameFor(const std::filesystem::path& target);

// True for exactly the names temporaryNameFor gives `target`: its name, ".~", digits, "-", digits, ".tmp".
bool isTemporaryNameOf(const std::filesystem::path& candidate, const std::filesystem::path& target);

// Removes the temporary files of `target` that earlier saves left: regular files of this user, named as
// temporaryNameFor names them, unchanged for at least kLeftoverTemporaryAge. Nothing else is touched, so a
// save that runs at the same time keeps its file.
void removeLeftoverTemporaryFiles(const std::filesystem::path& target);

} // namespace lumetra::core
