#include "programming/image_set_file.h"

#include "programming/image_manifest.h"

#include "core/read_whole_file.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace lumetra::programming {

namespace {

constexpr std::string_view kMagic = "lumetra-image-set";
constexpr std::string_view kVersion = "1";
constexpr std::size_t kWordsPerLine = 16;
constexpr std::size_t kMaxImageSetBytes = 64u << 20;

std::string hex(std::uint32_t value, int digits)
{
    char text[16];
    std::snprintf(text, sizeof text, "%0*X", digits, static_cast<unsigned>(value));
    return text;
}

std::string segmentText(std::size_t index, std::uint32_t address, std::size_t words)
{
    return "segment " + std::to_string(index) + " (0x" + hex(address, 6) + ", " + std::to_string(words) + " words)";
}

// Whitespace-separated tokens with their line numbers; comments dropped.
class Tokens {
public:
    explicit Tokens(std::string_view text)
        : text_(text)
    {
    }

    std::optional<std::string_view> next()
    {
        for (;;) {
            while (position_ < text_.size() && isBlank(text_[position_])) {
                if (text_[position_] == '\n')
                    ++line_;
                ++position_;
            }
            if (position_ < text_.size() && text_[position_] == '#') {
                while (position_ < text_.size() && text_[position_] != '\n')
                    ++position_;
                continue;
            }
            break;
        }
        if (position_ >= text_.size())
            return std::nullopt;
        const std::size_t start = position_;
        while (position_ < text_.size() && !isBlank(text_[position_]) && text_[position_] != '#')
            ++position_;
        return text_.substr(start, position_ - start);
    }
    int line() const { return line_; }

private:
    static bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
    std::string_view text_;
    std::size_t position_ = 0;
    int line_ = 1;
};

template <typename Number> std::optional<Number> number(std::string_view text, int base, std::size_t maxDigits)
{
    Number value {};
    if (text.empty() || text.size() > maxDigits)
        return std::nullopt;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (error != std::errc {} || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

ImageSetError syntaxError(const Tokens& tokens, const std::string& what)
{
    return {"line " + std::to_string(tokens.line()) + ": " + what};
}

std::variant<ImageSet, ImageSetError> readTokens(Tokens& tokens)
{
    ImageSet set;
    if (tokens.next() != kMagic || tokens.next() != kVersion)
        return syntaxError(tokens, "not an image set file (\"lumetra-image-set 1\" expected)");
    if (tokens.next() != "kind")
        return syntaxError(tokens, "\"kind target\" or \"kind simulation\" expected");
    const auto kind = tokens.next();
    if (kind == "target")
        set.kind = ImageSetKind::Target;
    else if (kind == "simulation")
        set.kind = ImageSetKind::Simulation;
    else
        return syntaxError(tokens, "unknown kind");

    TargetImage* image = nullptr;
    std::string imageName;
    std::optional<std::string_view> token = tokens.next();
    while (token) {
        if (*token == "image") {
            const auto name = tokens.next();
            if (!name)
                return syntaxError(tokens, "image name expected");
            imageName = std::string(*name);
            if (set.images.contains(imageName))
                return syntaxError(tokens, "image " + imageName + " appears twice");
            image = &set.images[imageName];
            token = tokens.next();
            continue;
        }
        if (*token == "keys" && image != nullptr) {
            const auto keySegmentText = tokens.next();
            const auto offsetText = tokens.next();
            const auto keySegment = keySegmentText ? number<std::size_t>(*keySegmentText, 10, 3) : std::nullopt;
            const auto offset = offsetText ? number<std::size_t>(*offsetText, 10, 7) : std::nullopt;
            if (!keySegment || !offset || image->keys)
                return syntaxError(tokens, "image " + imageName + ": one \"keys SEGMENT OFFSET\" line expected");
            image->keys = KeySlots {*keySegment, {*offset}};
            token = tokens.next();
            continue;
        }
        if (*token != "segment" || image == nullptr)
            return syntaxError(tokens, "\"image\" or \"segment\" expected, found \"" + std::string(*token) + "\"");
        const auto addressText = tokens.next();
        const auto countText = tokens.next();
        const auto address = addressText ? number<std::uint32_t>(*addressText, 16, 8) : std::nullopt;
        const auto count = countText ? number<std::uint32_t>(*countText, 10, 7) : std::nullopt;
        if (!address || !count)
            return syntaxError(tokens, "image " + imageName + ": segment address (hex) and word count expected");
        ImageSegment segment {*address, {}};
        segment.words.reserve(*count);
        token = tokens.next();
        while (token && *token != "image" && *token != "segment" && *token != "keys") {
            const auto word = number<std::uint16_t>(*token, 16, 4);
            if (!word)
                return syntaxError(tokens, "image " + imageName + ": \"" + std::string(*token) + "\" is not a word");
            segment.words.push_back(*word);
            token = tokens.next();
        }
        if (segment.words.size() != *count) {
            return syntaxError(tokens,
                "image " + imageName + ", segment " + std::to_string(image->segments.size()) + ": "
                    + std::to_string(*count) + " words announced, " + std::to_string(segment.words.size()) + " given");
        }
        image->segments.push_back(std::move(segment));
    }
    return set;
}

} // namespace

std::string formatImageSet(const ImageSet& set)
{
    std::string text = std::string(kMagic) + " " + std::string(kVersion) + "\n";
    if (set.kind == ImageSetKind::Simulation)
        text += "# Simulation images for the simulated target: no target code. A real POD refuses them.\n";
    text += set.kind == ImageSetKind::Simulation ? "kind simulation\n" : "kind target\n";
    for (const auto& [name, image] : set.images) {
        text += "image " + name + "\n";
        if (image.keys && !image.keys->offsets.empty())
            text += "keys " + std::to_string(image.keys->segment) + " " + std::to_string(image.keys->offsets.front()) + "\n";
        for (const ImageSegment& segment : image.segments) {
            text += "segment " + hex(segment.address, 6) + " " + std::to_string(segment.words.size()) + "\n";
            for (std::size_t i = 0; i < segment.words.size(); ++i) {
                text += hex(segment.words[i], 4);
                text += (i + 1) % kWordsPerLine == 0 || i + 1 == segment.words.size() ? "\n" : " ";
            }
        }
    }
    return text;
}

std::optional<ImageSetError> checkImage(std::string_view name, const TargetImage& image)
{
    const ImageShape* shape = findImageShape(name);
    const std::string prefix = "image " + std::string(name) + ": ";
    if (shape == nullptr)
        return ImageSetError {"image " + std::string(name) + " is not one the runs send"};
    for (std::size_t s = 0; s < shape->segments.size(); ++s) {
        const SegmentShape& expected = shape->segments[s];
        if (s >= image.segments.size()) {
            return ImageSetError {
                prefix + segmentText(s, expected.address, expected.words) + " is missing"};
        }
        const ImageSegment& given = image.segments[s];
        const bool addressDiffers = expected.addressFixed && given.address != expected.address;
        const bool wordsDiffer = expected.wordsFixed && given.words.size() != expected.words;
        if (addressDiffers || wordsDiffer) {
            const std::string want = expected.addressFixed && expected.wordsFixed
                ? segmentText(s, expected.address, expected.words)
                : expected.addressFixed ? "segment " + std::to_string(s) + " at 0x" + hex(expected.address, 6)
                                        : "segment " + std::to_string(s) + " of " + std::to_string(expected.words) + " words";
            return ImageSetError {prefix + want + " expected, the set has 0x" + hex(given.address, 6) + ", "
                + std::to_string(given.words.size()) + " words"};
        }
        if (given.words.empty())
            return ImageSetError {prefix + "segment " + std::to_string(s) + " is empty"};
    }
    if (image.segments.size() > shape->segments.size()) {
        return ImageSetError {prefix + std::to_string(shape->segments.size()) + " segments expected, the set has "
            + std::to_string(image.segments.size())};
    }
    if (image.keys.has_value() != shape->keys.has_value() || (image.keys && image.keys->offsets.empty()))
        return ImageSetError {prefix + (shape->keys ? "its key slots are missing" : "takes no keys")};
    if (!image.keys)
        return std::nullopt;
    const KeySlots& keys = *image.keys;
    const bool segmentMoved = shape->keySegmentFixed && keys.segment != shape->keys->segment;
    const auto& firsts = shape->keyFirstOffsets;
    const bool offsetMoved
        = !firsts.empty() && std::find(firsts.begin(), firsts.end(), keys.offsets.front()) == firsts.end();
    if (segmentMoved || offsetMoved) {
        std::string allowed;
        for (const std::size_t first : firsts)
            allowed += (allowed.empty() ? "" : " or ") + std::to_string(first);
        return ImageSetError {prefix + "the keys belong in segment " + std::to_string(shape->keys->segment)
            + (allowed.empty() ? "" : " at word " + allowed)};
    }
    if (keys.segment >= image.segments.size() || keys.offsets.back() >= image.segments[keys.segment].words.size()) {
        return ImageSetError {prefix + "the keys at segment " + std::to_string(keys.segment) + " word "
            + std::to_string(keys.offsets.front()) + " lie outside the segment"};
    }
    return std::nullopt;
}

std::optional<ImageSetError> checkAgainstManifest(const ImageSet& set)
{
    for (const auto& [name, image] : set.images) {
        if (auto error = checkImage(name, image))
            return error;
    }
    return std::nullopt;
}

namespace {

// A keys line gives the slot of KEY0; the others follow at the manifest's spacing. Without one the image takes
// the manifest's slots.
void settleKeySlots(ImageSet& set)
{
    for (auto& [name, image] : set.images) {
        const ImageShape* shape = findImageShape(name);
        if (shape == nullptr || !shape->keys)
            continue;
        image.keys = image.keys ? keySlotsAt(*shape, image.keys->segment, image.keys->offsets.front()) : shape->keys;
    }
}

} // namespace

ImageSetLoad parseImageSet(std::string_view text)
{
    Tokens tokens(text);
    auto read = readTokens(tokens);
    if (auto* set = std::get_if<ImageSet>(&read)) {
        settleKeySlots(*set);
        if (auto error = checkAgainstManifest(*set))
            return *error;
    }
    return read;
}

ImageSetLoad loadImageSet(const std::filesystem::path& folder)
{
    const std::filesystem::path file = folder / kImageSetFileName;
    const core::FileReadResult read = core::readWholeFile(file, kMaxImageSetBytes);
    if (!read.ok())
        return ImageSetError {file.string() + " cannot be read"};
    auto load = parseImageSet(std::string_view(reinterpret_cast<const char*>(read.bytes.data()), read.bytes.size()));
    if (auto* error = std::get_if<ImageSetError>(&load))
        error->text = file.string() + ": " + error->text;
    return load;
}

} // namespace lumetra::programming
