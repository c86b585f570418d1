// The image set file: a text file "image-set.txt" in the image folder.
//
//   lumetra-image-set 1
//   kind target                     (or: kind simulation)
//   image <name>
//   segment <address, hex> <words, decimal>
//   <words: 1 to 4 hex digits each, separated by blanks or line ends>
//   ...
//
// '#' starts a comment to the end of the line. Every image of the manifest must be present (but the data-flash
// algorithms, which older sets lack), with its segments in order at the manifest's addresses and lengths;
// nothing else may be.
#pragma once

#include "programming/target_image.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace lumetra::programming {

inline constexpr std::string_view kImageSetFileName = "image-set.txt";

// Why a set was refused, in one line naming the image and the segment where there is one.
struct ImageSetError {
    std::string text;
};

using ImageSetLoad = std::variant<ImageSet, ImageSetError>;

std::string formatImageSet(const ImageSet& set);
// Reads the text and checks it against the manifest.
ImageSetLoad parseImageSet(std::string_view text);
// `folder`/image-set.txt.
ImageSetLoad loadImageSet(const std::filesystem::path& folder);
// The first difference between the set and the manifest.
std::optional<ImageSetError> checkAgainstManifest(const ImageSet& set);

} // namespace lumetra::programming
