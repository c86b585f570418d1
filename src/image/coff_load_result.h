// The result codes of loading a COFF file and their fixed messages.
#pragma once

#include <string_view>

namespace lumetra::image {

enum class CoffLoadResult {
    Loaded = 0, // sections and symbols
    CannotOpen = 1,
    NotCoff = 2, // not COFF, or a truncated header, optional header, section header or string table
    TargetMismatch = 3, // target id does not match the selected device family
    LoadedWithoutSymbols = 4, // sections loaded, no symbol table; a success
    FileError = 5, // the file could not be read
    OutOfMemory = 6,
    UnsupportedDevice = 7, // the selected device row has no entry
    ImageTooLarge = 8, // the loadable data do not fit the 8 MiB image buffer
};

constexpr bool isLoadSuccess(CoffLoadResult result)
{
    return result == CoffLoadResult::Loaded || result == CoffLoadResult::LoadedWithoutSymbols;
}

// The message box text of a failed load; empty for the two successes.
std::string_view coffLoadMessage(CoffLoadResult result);

} // namespace lumetra::image
