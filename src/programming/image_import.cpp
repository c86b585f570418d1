#include "programming/image_import.h"

#include "programming/image_manifest.h"

#include "core/atomic_file_write.h"
#include "image/program_image.h"

#include <algorithm>
#include <charconv>
#include <system_error>

namespace lumetra::programming {

namespace {

ImageSetError importError(const ImageImport& request, const std::string& text)
{
    return {request.file.string() + ": " + text};
}

std::optional<std::uint32_t> hexAddress(std::string_view text)
{
    if (!text.starts_with("0x") && !text.starts_with("0X"))
        return std::nullopt;
    text.remove_prefix(2);
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (text.empty() || error != std::errc {} || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::vector<ImageSegment> segmentsOf(const image::ProgramImage& program)
{
    std::vector<ImageSegment> segments;
    for (std::size_t i = 0; i < program.sections().size(); ++i) {
        const auto bytes = program.sectionData(i);
        ImageSegment segment {program.sections()[i].startAddress, std::vector<std::uint16_t>(bytes.size() / 2)};
        for (std::size_t w = 0; w < segment.words.size(); ++w)
            segment.words[w] = static_cast<std::uint16_t>(bytes[2 * w] | (bytes[2 * w + 1] << 8));
        segments.push_back(std::move(segment));
    }
    std::stable_partition(
        segments.begin(), segments.end(), [](const ImageSegment& segment) { return segment.address == 0; });
    return segments;
}

// The key slots from the address or symbol of KEY0.
std::variant<KeySlots, ImageSetError> keySlotsOf(
    const ImageImport& request, const ImageShape& shape, const image::ProgramImage& program, const TargetImage& image)
{
    std::optional<std::uint32_t> address = hexAddress(*request.keys);
    if (!address) {
        const auto symbol = program.symbols().findFirst(*request.keys);
        if (!symbol)
            return importError(request, "no symbol " + *request.keys + " for the keys");
        address = symbol->address;
    }
    for (std::size_t s = 0; s < image.segments.size(); ++s) {
        const ImageSegment& segment = image.segments[s];
        if (*address >= segment.address && *address - segment.address < segment.words.size())
            return keySlotsAt(shape, s, *address - segment.address);
    }
    return importError(request, "the keys' address lies in no section");
}

} // namespace

std::variant<TargetImage, ImageSetError> importImage(const ImageImport& request)
{
    const ImageShape* shape = findImageShape(request.name);
    const std::vector<int> devices = devicesSending(request.name);
    if (shape == nullptr || devices.empty())
        return ImageSetError {"image " + request.name + " is not one the runs send"};
    image::ProgramImage program;
    const image::CoffLoadResult loaded = program.load(request.file, devices.front());
    if (!image::isLoadSuccess(loaded))
        return importError(request, std::string(image::coffLoadMessage(loaded)));
    TargetImage image {segmentsOf(program), std::nullopt};
    if (request.keys && !shape->keys)
        return ImageSetError {"image " + request.name + " takes no keys"};
    if (request.keys) {
        auto slots = keySlotsOf(request, *shape, program, image);
        if (auto* error = std::get_if<ImageSetError>(&slots))
            return std::move(*error);
        image.keys = std::get<KeySlots>(slots);
    } else if (shape->keys) {
        if (!keySlotsFixed(*shape))
            return ImageSetError {"image " + request.name + " takes the CSM keys: name the address or symbol of KEY0"};
        image.keys = shape->keys;
    }
    if (auto error = checkImage(request.name, image))
        return importError(request, error->text);
    return image;
}

std::optional<ImageSetError> storeImage(const std::filesystem::path& folder, const std::string& name, TargetImage image)
{
    ImageSet set;
    set.kind = ImageSetKind::Target;
    std::error_code error;
    if (std::filesystem::exists(folder / kImageSetFileName, error)) {
        ImageSetLoad load = loadImageSet(folder);
        if (auto* failed = std::get_if<ImageSetError>(&load))
            return *failed;
        set = std::move(std::get<ImageSet>(load));
        if (set.kind == ImageSetKind::Simulation)
            return ImageSetError {(folder / kImageSetFileName).string() + " is a simulation set: it takes no target code"};
    }
    set.images[name] = std::move(image);
    std::filesystem::create_directories(folder, error);
    const std::string text = formatImageSet(set);
    const auto bytes = std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    if (!core::writeFileAtomically(folder / kImageSetFileName, bytes).ok())
        return ImageSetError {(folder / kImageSetFileName).string() + " cannot be written"};
    return std::nullopt;
}

} // namespace lumetra::programming
