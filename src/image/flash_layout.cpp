#include "image/flash_layout.h"

#include "core/device_catalogue.h"

#include <array>
#include <optional>

namespace lumetra::image {

namespace {

using Sectors = std::span<const FlashRange>;

constexpr FlashRange kL1[] = {{0x3F7000, 0x3F7FFF}, {0x3F6000, 0x3F6FFF}, {0x3F5000, 0x3F5FFF}, {0x3F4000, 0x3F4FFF}};
constexpr FlashRange kL2[] = {{0x3F6000, 0x3F7FFF}, {0x3F4000, 0x3F5FFF}, {0x3F2000, 0x3F3FFF}, {0x3F0000, 0x3F1FFF}};
constexpr FlashRange kL3[] = {{0x3F4000, 0x3F7FFF}, {0x3F0000, 0x3F3FFF}, {0x3EC000, 0x3EFFFF}, {0x3E8000, 0x3EBFFF}};
constexpr FlashRange kL4[] = {{0x3F4000, 0x3F7FFF}, {0x3F0000, 0x3F3FFF}, {0x3EC000, 0x3EFFFF}, {0x3E8000, 0x3EBFFF},
    {0x3E4000, 0x3E7FFF}, {0x3E0000, 0x3E3FFF}, {0x3DC000, 0x3DFFFF}, {0x3D8000, 0x3DBFFF}};
constexpr FlashRange kL5[]
    = {{0x3F6000, 0x3F7FFF}, {0x3F4000, 0x3F5FFF}, {0x3F0000, 0x3F3FFF}, {0x3EC000, 0x3EFFFF}, {0x3E8000, 0x3EBFFF},
        {0x3E4000, 0x3E7FFF}, {0x3E0000, 0x3E3FFF}, {0x3DC000, 0x3DFFFF}, {0x3DA000, 0x3DBFFF}, {0x3D8000, 0x3D9FFF}};
constexpr FlashRange kL6[] = {{0x3F7000, 0x3F7FFF}, {0x3F6000, 0x3F6FFF}, {0x3F5000, 0x3F5FFF}, {0x3F4000, 0x3F4FFF},
    {0x3F3000, 0x3F3FFF}, {0x3F2000, 0x3F2FFF}, {0x3F1000, 0x3F1FFF}, {0x3F0000, 0x3F0FFF}};
constexpr FlashRange kL7[] = {{0x3F6000, 0x3F7FFF}, {0x3F4000, 0x3F5FFF}, {0x3F2000, 0x3F3FFF}, {0x3F0000, 0x3F1FFF},
    {0x3EE000, 0x3EFFFF}, {0x3EC000, 0x3EDFFF}, {0x3EA000, 0x3EBFFF}, {0x3E8000, 0x3E9FFF}};
constexpr FlashRange kL8[] = {{0x33C000, 0x33FFFF}, {0x338000, 0x33BFFF}, {0x334000, 0x337FFF}, {0x330000, 0x333FFF}};
constexpr FlashRange kL9[] = {{0x33C000, 0x33FFFF}, {0x338000, 0x33BFFF}, {0x334000, 0x337FFF}, {0x330000, 0x333FFF},
    {0x32C000, 0x32FFFF}, {0x328000, 0x32BFFF}, {0x324000, 0x327FFF}, {0x320000, 0x323FFF}};
constexpr FlashRange kL10[] = {{0x338000, 0x33FFFF}, {0x330000, 0x337FFF}, {0x328000, 0x32FFFF}, {0x320000, 0x327FFF},
    {0x318000, 0x31FFFF}, {0x310000, 0x317FFF}, {0x308000, 0x30FFFF}, {0x300000, 0x307FFF}};

// One bank of the two-bank devices, as offsets from the bank base.
constexpr FlashRange kL11Offsets[] = {{0x00000, 0x01FFF}, {0x02000, 0x03FFF}, {0x04000, 0x05FFF}, {0x06000, 0x07FFF},
    {0x08000, 0x0FFFF}, {0x10000, 0x17FFF}, {0x18000, 0x1FFFF}, {0x20000, 0x27FFF}, {0x28000, 0x2FFFF},
    {0x30000, 0x37FFF}, {0x38000, 0x39FFF}, {0x3A000, 0x3BFFF}, {0x3C000, 0x3DFFF}, {0x3E000, 0x3FFFF}};

constexpr std::array<FlashRange, std::size(kL11Offsets)> bankSectors(std::uint32_t base)
{
    std::array<FlashRange, std::size(kL11Offsets)> sectors {};
    for (std::size_t i = 0; i < sectors.size(); ++i)
        sectors[i] = {base + kL11Offsets[i].first, base + kL11Offsets[i].last};
    return sectors;
}

constexpr auto kL11Bank0 = bankSectors(kBank0Base);
constexpr auto kL11Bank1 = bankSectors(kBank1Base);

constexpr FlashRange kOtpF28x {0x3D7800, 0x3D7BFF};
constexpr FlashRange kOtpF2806x {0x3D7800, 0x3D7BF9};
constexpr FlashRange kOtpF2833x {0x380400, 0x3807FF};

struct SingleBankRow {
    std::span<const int> rows;
    Sectors sectors;
    FlashRange flash;
    FlashRange otp;
};

constexpr int kRowsL1[] = {6, 7, 8, 27, 28, 43, 45, 48, 50, 52};
constexpr int kRowsL2[] = {9, 10, 11, 12, 13, 42, 44, 46, 47, 49, 51};
constexpr int kRowsL3[] = {14, 15, 29};
constexpr int kRowsL4F2809[] = {16, 17};
constexpr int kRowsL5F2810[] = {18, 19, 20};
constexpr int kRowsL5F2811[] = {21, 22, 23, 24, 25, 26};
constexpr int kRowsL8[] = {30, 33};
constexpr int kRowsL9[] = {31, 34};
constexpr int kRowsL10[] = {32, 35};
constexpr int kRowsL6[] = {53, 54, 55};
constexpr int kRowsL7F2803x[] = {56, 57};
constexpr int kRowsL7F2806x[] = {58, 59, 60, 61};
constexpr int kRowsL4F2806x[] = {62, 63, 64, 65};

const SingleBankRow kSingleBankRows[] = {
    {kRowsL1, kL1, {0x3F4000, 0x3F7FFF}, kOtpF28x},
    {kRowsL2, kL2, {0x3F0000, 0x3F7FFF}, kOtpF28x},
    {kRowsL3, kL3, {0x3E8000, 0x3F7FFF}, kOtpF28x},
    {kRowsL4F2809, kL4, {0x3D8000, 0x3F7FFF}, kOtpF28x},
    {kRowsL5F2810, kL5, {0x3E8000, 0x3F7FFF}, kOtpF28x},
    {kRowsL5F2811, kL5, {0x3D8000, 0x3F7FFF}, kOtpF28x},
    {kRowsL8, kL8, {0x330000, 0x33FFFF}, kOtpF2833x},
    {kRowsL9, kL9, {0x320000, 0x33FFFF}, kOtpF2833x},
    {kRowsL10, kL10, {0x300000, 0x33FFFF}, kOtpF2833x},
    {kRowsL6, kL6, {0x3F0000, 0x3F7FFF}, kOtpF28x},
    {kRowsL7F2803x, kL7, {0x3E8000, 0x3F7FFF}, kOtpF28x},
    {kRowsL7F2806x, kL7, {0x3E8000, 0x3F7FFF}, kOtpF2806x},
    {kRowsL4F2806x, kL4, {0x3D8000, 0x3F7FFF}, kOtpF2806x},
};

const SingleBankRow* singleBankRowOf(int row)
{
    for (const SingleBankRow& entry : kSingleBankRows) {
        for (const int r : entry.rows) {
            if (r == row)
                return &entry;
        }
    }
    return nullptr;
}

std::optional<std::size_t> sectorOf(Sectors sectors, std::uint64_t address)
{
    for (std::size_t i = 0; i < sectors.size(); ++i) {
        if (sectors[i].contains(address))
            return i;
    }
    return std::nullopt;
}

// Bits first..last of the sectors holding the first and the last word; 0 when either lies outside the layout.
std::uint16_t sectorMask(Sectors sectors, std::uint64_t firstWord, std::uint64_t lastWord)
{
    const auto a = sectorOf(sectors, firstWord);
    const auto b = sectorOf(sectors, lastWord);
    if (!a || !b)
        return 0;
    const std::size_t low = *a < *b ? *a : *b;
    const std::size_t high = *a < *b ? *b : *a;
    std::uint16_t mask = 0;
    for (std::size_t i = low; i <= high; ++i)
        mask = static_cast<std::uint16_t>(mask | (1u << i));
    return mask;
}

} // namespace

bool isDualBank(int row)
{
    return core::isValidDeviceIndex(row) && core::groupOf(row) == core::DeviceGroup::F2837xS;
}

bool splitsAcrossBanks(int row)
{
    return row == 67 || row == 69 || row == 70;
}

bool hasFlashTagging(int row)
{
    return isDualBank(row) || singleBankRowOf(row) != nullptr;
}

std::span<const FlashRange> flashSectorsOf(int row)
{
    if (isDualBank(row))
        return kL11Bank0;
    if (const SingleBankRow* info = singleBankRowOf(row))
        return info->sectors;
    return {};
}

FlashTag tagSection(int row, std::uint32_t start, std::uint32_t sizeWords)
{
    FlashTag tag;
    const std::uint64_t last = std::uint64_t {start} + sizeWords - 1;
    if (isDualBank(row)) {
        if (FlashRange {kBank0Base, kBank1Base - 1}.contains(start)) {
            tag.inFlash = true;
            tag.mask = sectorMask(kL11Bank0, start, last);
        } else if (FlashRange {kBank1Base, kBank1Base + kBankWords - 1}.contains(start)) {
            tag.inSecondBank = true;
            tag.secondBankMask = sectorMask(kL11Bank1, start, last);
        }
        return tag;
    }
    const SingleBankRow* info = singleBankRowOf(row);
    if (info == nullptr)
        return tag;
    if (info->flash.contains(start)) {
        tag.inFlash = true;
        tag.mask = sectorMask(info->sectors, start, last);
    } else if (info->otp.contains(start)) {
        tag.inFlash = true;
        tag.mask = kOtpSectorMask;
    }
    return tag;
}

} // namespace lumetra::image
