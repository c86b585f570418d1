#include "programming/target_image.h"

namespace lumetra::programming {

std::size_t TargetImage::totalWords() const
{
    std::size_t total = 0;
    for (const ImageSegment& segment : segments)
        total += segment.words.size();
    return total;
}

const TargetImage* ImageSet::find(std::string_view name) const
{
    const auto found = images.find(name);
    return found == images.end() ? nullptr : &found->second;
}

} // namespace lumetra::programming
