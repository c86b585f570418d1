// A placeable Windows metafile built record by record: the 22-byte placeable header with its checksum, the
// standard header, then pen, brush and font objects, polylines, polygons, rectangles, text and device-independent
// bitmaps, and the end record. Coordinates are logical units of a window from (0, 0) to the picture's size.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace lumetra::graph::wmf {

inline constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
inline constexpr std::uint8_t kHangulCharSet = 129;
inline constexpr std::uint16_t kTransparentBackground = 1;
// Text alignment: the reference point is on the base line at the left of the text.
inline constexpr std::uint16_t kAlignLeftBaseline = 0x0018;
// ExtTextOut: the text is clipped to the rectangle given.
inline constexpr std::uint16_t kTextClipped = 0x0004;

enum class PenStyle : std::uint16_t { Solid = 0, Dash = 1, Dot = 2, DashDot = 3, DashDotDot = 4, Null = 5 };
enum class BrushStyle : std::uint16_t { Solid = 0, Null = 1 };

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

struct Font {
    int height = 0; // negative: the character height in logical units
    int weight = 400;
    bool italic = false;
    bool underline = false;
    std::uint8_t charSet = kHangulCharSet;
    std::string_view faceName; // in the character set's code page, at most 31 bytes are kept
};

// Function numbers of the records written.
enum class Function : std::uint16_t {
    Eof = 0x0000,
    SetBkMode = 0x0102,
    SetMapMode = 0x0103,
    SetTextColor = 0x0209,
    SetWindowOrg = 0x020B,
    SetWindowExt = 0x020C,
    SelectObject = 0x012D,
    SetTextAlign = 0x012E,
    DeleteObject = 0x01F0,
    CreatePenIndirect = 0x02FA,
    CreateFontIndirect = 0x02FB,
    CreateBrushIndirect = 0x02FC,
    Polygon = 0x0324,
    Polyline = 0x0325,
    Rectangle = 0x041B,
    ExtTextOut = 0x0A32,
    StretchDib = 0x0F43,
};

class WmfWriter {
public:
    // A picture of width x height logical units, `unitsPerInch` of them to the inch. The records that set up
    // the window are written at once.
    WmfWriter(int width, int height, int unitsPerInch);

    // Objects take the lowest free slot of the object table, as the player assigns them; the slot is returned.
    int createPen(PenStyle style, int width, std::uint32_t colour);
    int createBrush(BrushStyle style, std::uint32_t colour);
    int createFont(const Font& font);
    void selectObject(int slot);
    void deleteObject(int slot);

    void setBackgroundMode(std::uint16_t mode);
    void setTextColour(std::uint32_t colour);
    void setTextAlign(std::uint16_t align);

    // Runs of more points than a record holds are split, each part starting at the previous part's end.
    void polyline(std::span<const Point> points);
    void polygon(std::span<const Point> points);
    void rectangle(const Rect& rect);
    // `text` in the selected font's code page.
    void extTextOut(Point origin, std::uint16_t options, const Rect* clip, std::string_view text);
    // `bgrRows`: `width` x `height` pixels of 3 bytes (blue, green, red), bottom row first, each row padded to
    // 4 bytes; stretched to `destination`.
    void stretchDib(const Rect& destination, int width, int height, std::span<const std::uint8_t> bgrRows);

    // The whole file: the headers, the records so far and the end record.
    std::vector<std::uint8_t> finish() const;

    std::size_t recordCount() const { return records_; }

private:
    void beginRecord(Function function, std::size_t parameterWords);
    void word(int value);
    void dword(std::uint32_t value);
    void points(std::span<const Point> points);
    void poly(Function function, std::span<const Point> points, std::size_t minimum);
    int takeSlot();

    int width_;
    int height_;
    int unitsPerInch_;
    std::vector<std::uint8_t> body_;
    std::vector<bool> slots_;
    std::size_t largestRecordWords_ = 3;
    std::size_t records_ = 0;
};

} // namespace lumetra::graph::wmf
