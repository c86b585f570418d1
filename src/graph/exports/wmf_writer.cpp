#include "graph/exports/wmf_writer.h"

#include <algorithm>
#include <limits>

namespace lumetra::graph::wmf {

namespace {

constexpr std::size_t kRecordHeaderWords = 3; // size (2 words) and function
constexpr std::size_t kMaxPolyPoints = 32767;
constexpr std::size_t kFaceNameBytes = 32;
constexpr std::uint16_t kAnisotropic = 8;
constexpr std::uint32_t kSourceCopy = 0x00CC0020;
constexpr std::uint16_t kHeaderWords = 9;
constexpr std::uint16_t kVersion3 = 0x0300;
constexpr std::uint16_t kMemoryMetafile = 1;
constexpr std::uint32_t kBitmapInfoBytes = 40;

std::int16_t clampToShort(int value)
{
    return static_cast<std::int16_t>(std::clamp(
        value, int {std::numeric_limits<std::int16_t>::min()}, int {std::numeric_limits<std::int16_t>::max()}));
}

void put16(std::vector<std::uint8_t>& out, std::uint16_t value)
{
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    put16(out, static_cast<std::uint16_t>(value & 0xFFFF));
    put16(out, static_cast<std::uint16_t>(value >> 16));
}

} // namespace

WmfWriter::WmfWriter(int width, int height, int unitsPerInch)
    : width_(std::clamp(width, 1, 32767))
    , height_(std::clamp(height, 1, 32767))
    , unitsPerInch_(std::clamp(unitsPerInch, 1, 65535))
{
    beginRecord(Function::SetMapMode, 1);
    word(kAnisotropic);
    beginRecord(Function::SetWindowOrg, 2);
    word(0);
    word(0);
    beginRecord(Function::SetWindowExt, 2);
    word(height_);
    word(width_);
}

void WmfWriter::beginRecord(Function function, std::size_t parameterWords)
{
    const std::size_t words = kRecordHeaderWords + parameterWords;
    largestRecordWords_ = std::max(largestRecordWords_, words);
    put32(body_, static_cast<std::uint32_t>(words));
    put16(body_, static_cast<std::uint16_t>(function));
    ++records_;
}

void WmfWriter::word(int value)
{
    put16(body_, static_cast<std::uint16_t>(clampToShort(value)));
}

void WmfWriter::dword(std::uint32_t value)
{
    put32(body_, value);
}

void WmfWriter::points(std::span<const Point> run)
{
    for (const Point& point : run) {
        word(point.x);
        word(point.y);
    }
}

int WmfWriter::takeSlot()
{
    const auto free = std::find(slots_.begin(), slots_.end(), false);
    if (free != slots_.end()) {
        *free = true;
        return static_cast<int>(free - slots_.begin());
    }
    slots_.push_back(true);
    return static_cast<int>(slots_.size()) - 1;
}

int WmfWriter::createPen(PenStyle style, int width, std::uint32_t colour)
{
    beginRecord(Function::CreatePenIndirect, 5);
    word(static_cast<std::uint16_t>(style));
    word(std::max(width, 0));
    word(0);
    dword(colour & 0xFFFFFF);
    return takeSlot();
}

int WmfWriter::createBrush(BrushStyle style, std::uint32_t colour)
{
    beginRecord(Function::CreateBrushIndirect, 4);
    word(static_cast<std::uint16_t>(style));
    dword(colour & 0xFFFFFF);
    word(0);
    return takeSlot();
}

int WmfWriter::createFont(const Font& font)
{
    // Height, width, escapement, orientation, weight: 5 words; 8 bytes of flags; the face name, nul-terminated.
    const std::string_view face = font.faceName.substr(0, kFaceNameBytes - 1);
    const std::size_t faceBytes = (face.size() + 2) & ~std::size_t {1};
    beginRecord(Function::CreateFontIndirect, 5 + 4 + faceBytes / 2);
    word(font.height);
    word(0);
    word(0);
    word(0);
    word(font.weight);
    body_.push_back(font.italic ? 1 : 0);
    body_.push_back(font.underline ? 1 : 0);
    body_.push_back(0); // strike out
    body_.push_back(font.charSet);
    body_.push_back(0); // output precision: default
    body_.push_back(0); // clip precision: default
    body_.push_back(0); // quality: default
    body_.push_back(0); // pitch and family: default
    body_.insert(body_.end(), face.begin(), face.end());
    body_.resize(body_.size() + faceBytes - face.size(), 0);
    return takeSlot();
}

void WmfWriter::selectObject(int slot)
{
    beginRecord(Function::SelectObject, 1);
    word(slot);
}

void WmfWriter::deleteObject(int slot)
{
    beginRecord(Function::DeleteObject, 1);
    word(slot);
    if (slot >= 0 && static_cast<std::size_t>(slot) < slots_.size())
        slots_[static_cast<std::size_t>(slot)] = false;
}

void WmfWriter::setBackgroundMode(std::uint16_t mode)
{
    beginRecord(Function::SetBkMode, 1);
    word(mode);
}

void WmfWriter::setTextColour(std::uint32_t colour)
{
    beginRecord(Function::SetTextColor, 2);
    dword(colour & 0xFFFFFF);
}

void WmfWriter::setTextAlign(std::uint16_t align)
{
    beginRecord(Function::SetTextAlign, 1);
    word(align);
}

void WmfWriter::poly(Function function, std::span<const Point> all, std::size_t minimum)
{
    if (all.size() < minimum)
        return;
    std::size_t start = 0;
    for (;;) {
        const std::size_t count = std::min(kMaxPolyPoints, all.size() - start);
        beginRecord(function, 1 + 2 * count);
        word(static_cast<int>(count));
        points(all.subspan(start, count));
        if (start + count >= all.size())
            break;
        start += count - 1;
    }
}

void WmfWriter::polyline(std::span<const Point> run)
{
    poly(Function::Polyline, run, 2);
}

void WmfWriter::polygon(std::span<const Point> corners)
{
    poly(Function::Polygon, corners, 3);
}

void WmfWriter::rectangle(const Rect& rect)
{
    beginRecord(Function::Rectangle, 4);
    word(rect.bottom);
    word(rect.right);
    word(rect.top);
    word(rect.left);
}

void WmfWriter::extTextOut(Point origin, std::uint16_t options, const Rect* clip, std::string_view text)
{
    const std::string_view kept = text.substr(0, 32767);
    const std::size_t textBytes = (kept.size() + 1) & ~std::size_t {1};
    const std::uint16_t used = clip ? options : static_cast<std::uint16_t>(options & ~kTextClipped);
    beginRecord(Function::ExtTextOut, 4 + (clip ? 4 : 0) + textBytes / 2);
    word(origin.y);
    word(origin.x);
    word(static_cast<int>(kept.size()));
    word(used);
    if (clip) {
        word(clip->left);
        word(clip->top);
        word(clip->right);
        word(clip->bottom);
    }
    body_.insert(body_.end(), kept.begin(), kept.end());
    body_.resize(body_.size() + textBytes - kept.size(), 0);
}

void WmfWriter::stretchDib(const Rect& destination, int width, int height, std::span<const std::uint8_t> bgrRows)
{
    const std::size_t stride = (static_cast<std::size_t>(std::max(width, 0)) * 3 + 3) & ~std::size_t {3};
    const std::size_t imageBytes = stride * static_cast<std::size_t>(std::max(height, 0));
    if (width <= 0 || height <= 0 || bgrRows.size() != imageBytes)
        return;
    const std::size_t dibBytes = kBitmapInfoBytes + imageBytes;
    beginRecord(Function::StretchDib, 2 + 9 + dibBytes / 2);
    dword(kSourceCopy);
    word(0); // colours are RGB values
    word(height);
    word(width);
    word(0);
    word(0);
    word(destination.bottom - destination.top);
    word(destination.right - destination.left);
    word(destination.top);
    word(destination.left);
    dword(kBitmapInfoBytes);
    dword(static_cast<std::uint32_t>(width));
    dword(static_cast<std::uint32_t>(height));
    put16(body_, 1); // planes
    put16(body_, 24); // bits per pixel
    dword(0); // uncompressed
    dword(static_cast<std::uint32_t>(imageBytes));
    dword(0);
    dword(0);
    dword(0);
    dword(0);
    body_.insert(body_.end(), bgrRows.begin(), bgrRows.end());
}

std::vector<std::uint8_t> WmfWriter::finish() const
{
    std::vector<std::uint8_t> file;
    file.reserve(22 + 18 + body_.size() + 6);

    put32(file, kPlaceableKey);
    put16(file, 0); // handle
    put16(file, 0); // bounding box: left, top, right, bottom
    put16(file, 0);
    put16(file, static_cast<std::uint16_t>(width_));
    put16(file, static_cast<std::uint16_t>(height_));
    put16(file, static_cast<std::uint16_t>(unitsPerInch_));
    put32(file, 0);
    std::uint16_t checksum = 0;
    for (std::size_t i = 0; i < 20; i += 2)
        checksum ^= static_cast<std::uint16_t>(file[i] | (file[i + 1] << 8));
    put16(file, checksum);

    const std::size_t totalWords = kHeaderWords + body_.size() / 2 + kRecordHeaderWords;
    put16(file, kMemoryMetafile);
    put16(file, kHeaderWords);
    put16(file, kVersion3);
    put32(file, static_cast<std::uint32_t>(totalWords));
    put16(file, static_cast<std::uint16_t>(std::max<std::size_t>(slots_.size(), 1)));
    put32(file, static_cast<std::uint32_t>(largestRecordWords_));
    put16(file, 0);

    file.insert(file.end(), body_.begin(), body_.end());
    put32(file, kRecordHeaderWords);
    put16(file, static_cast<std::uint16_t>(Function::Eof));
    return file;
}

} // namespace lumetra::graph::wmf
