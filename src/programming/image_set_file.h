// The image set file: a text file "image-set.txt" in the image folder.
//
//   lumetra-image-set 1
//   kind target                     (or: kind simulation)
//   image <name>
//   keys <segment, decimal> <word offset of KEY0, decimal>     (optional)
//   segment <address, hex> <words, decimal>
//   <words: 1 to 4 hex digits each, separated by blanks or line ends>
//   ...
//
// '#' starts a comment to the end of the line. A set holds any of the manifest's images and nothing else; each
// has the manifest's segment count and keeps what the manifest fixes (the entry branch, the rows' addresses and
// lengths, the key blocks). An image that takes keys without a keys line has them at the manifest's slots.
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
// Reads the text, settles the key slots and checks the set against the manifest.
ImageSetLoad parseImageSet(std::string_view text);
// `folder`/image-set.txt.
ImageSetLoad loadImageSet(const std::filesystem::path& folder);
// The first image of the set that does not keep what the manifest fixes.
std::optional<ImageSetError> checkAgainstManifest(const ImageSet& set);
// The first problem of one image of the manifest's name.
std::optional<ImageSetError> checkImage(std::string_view name, const TargetImage& image);

} // namespace lumetra::programming
