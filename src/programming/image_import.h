// Images of a set made from target programs built with the C2000 tools (a COFF or ELF .out): the program's
// loadable sections become the image's segments, the section at address 0 (the entry branch) first.
#pragma once

#include "programming/image_set_file.h"
#include "programming/target_image.h"

#include <filesystem>
#include <optional>
#include <string>
#include <variant>

namespace lumetra::programming {

struct ImageImport {
    std::filesystem::path file;
    std::string name; // the manifest's name of the image
    // Where KEY0 goes: a word address ("0x" and hex digits) or a symbol of the program. Unset: the manifest's
    // slots, allowed only where they are fixed.
    std::optional<std::string> keys;
};

std::variant<TargetImage, ImageSetError> importImage(const ImageImport& request);

// Puts the image into the set of `folder` (a new target set when the folder has none, the folder made as
// needed), replacing one of its name, and writes the set back.
std::optional<ImageSetError> storeImage(const std::filesystem::path& folder, const std::string& name, TargetImage image);

} // namespace lumetra::programming
