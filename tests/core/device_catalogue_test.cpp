#include "core/device_catalogue.h"

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <string>

namespace lumetra::core {
namespace {

TEST(DeviceCatalogue, NamesOfSampleRowsKeepTheirQuirks)
{
    EXPECT_EQ(listNameOf(0), "LF2401A - 30MHz(7.5MHz * 4)");
    EXPECT_EQ(statusNameOf(0), "LF2401A-30MHz(7.5MHz*4)");
    EXPECT_EQ(listNameOf(3), "LF(2402/2403/2406)A - 40MHz(10MHz * 4)");
    EXPECT_EQ(statusNameOf(3), "LF240(2/3/6)A-40MHz(10MHz*4)");

    // Rows 24 to 26 spell "HMz" in the status pane, their neighbours do not.
    EXPECT_EQ(statusNameOf(23), "F2811-150MHz(30MHz*5)");
    EXPECT_EQ(statusNameOf(24), "F2812-100HMz(20MHz*5)");
    EXPECT_EQ(statusNameOf(26), "F2812-150HMz(30MHz*5)");
    EXPECT_EQ(listNameOf(26), "F2812 - 150MHz(30MHz * 5)");
    EXPECT_EQ(statusNameOf(27), "F28015-60MHz(20MHz*3)");

    // Only the F2834x rows carry the "TMS320" prefix, and only in the status pane.
    EXPECT_EQ(statusNameOf(35), "F28335-150MHz(30MHz*5)");
    EXPECT_EQ(listNameOf(36), "F28341 - 200MHz");
    EXPECT_EQ(statusNameOf(36), "TMS320F28341-200MHz");
    EXPECT_EQ(statusNameOf(41), "TMS320F28346-300MHz");
    EXPECT_EQ(statusNameOf(42), "F28021 Rev.0");

    EXPECT_EQ(listNameOf(47), "F28021 Rev.A");
    EXPECT_EQ(listNameOf(70), "F28379S");
    EXPECT_EQ(statusNameOf(70), "F28379S");
}

TEST(DeviceCatalogue, EveryRowHasItsOwnListAndStatusName)
{
    std::set<std::string_view> listNames;
    std::set<std::string_view> statusNames;
    for (int i = 0; i < kDeviceCount; ++i) {
        EXPECT_FALSE(listNameOf(i).empty()) << i;
        listNames.insert(listNameOf(i));
        statusNames.insert(statusNameOf(i));
    }
    EXPECT_EQ(listNames.size(), static_cast<std::size_t>(kDeviceCount));
    EXPECT_EQ(statusNames.size(), static_cast<std::size_t>(kDeviceCount));
}

TEST(DeviceCatalogue, GroupsChangeExactlyAtTheirBoundaries)
{
    struct Range {
        DeviceGroup group;
        int first;
        int last;
        std::string_view name;
    };
    const std::array<Range, 10> ranges {{
        {DeviceGroup::Lf240xA, 0, 5, "LF240xA"},
        {DeviceGroup::F280x, 6, 17, "F280x"},
        {DeviceGroup::F281x, 18, 26, "F281x"},
        {DeviceGroup::F2801x2804x, 27, 29, "F2801x/F2804x"},
        {DeviceGroup::F2823x2833x, 30, 35, "F2823x/F2833x"},
        {DeviceGroup::F2834x, 36, 41, "F2834x"},
        {DeviceGroup::F2802x, 42, 51, "F2802x"},
        {DeviceGroup::F2803x, 52, 57, "F2803x"},
        {DeviceGroup::F2806x, 58, 65, "F2806x"},
        {DeviceGroup::F2837xS, 66, 70, "F2837xS"},
    }};
    int next = 0;
    for (const Range& range : ranges) {
        EXPECT_EQ(range.first, next);
        EXPECT_EQ(groupOf(range.first), range.group) << range.first;
        EXPECT_EQ(groupOf(range.last), range.group) << range.last;
        if (range.first > 0) {
            EXPECT_NE(groupOf(range.first - 1), range.group) << range.first;
        }
        if (range.last + 1 < kDeviceCount) {
            EXPECT_NE(groupOf(range.last + 1), range.group) << range.last;
        }
        EXPECT_EQ(groupNameOf(range.group), range.name);
        next = range.last + 1;
    }
    EXPECT_EQ(next, kDeviceCount);
}

TEST(DeviceCatalogue, FamilySetsAddressWidthFormatAndTargetId)
{
    EXPECT_EQ(familyOf(5), Family::Lf240x);
    EXPECT_EQ(familyOf(6), Family::F28x);
    EXPECT_EQ(familyOf(70), Family::F28x);
    EXPECT_EQ(familyNameOf(Family::Lf240x), "LF240x");
    EXPECT_EQ(familyNameOf(Family::F28x), "F28x");

    EXPECT_EQ(addressBitsOf(Family::Lf240x), 16);
    EXPECT_EQ(addressSpaceWordsOf(Family::Lf240x), 0x10000U);
    EXPECT_EQ(addressFormatOf(Family::Lf240x), "0x%04X");
    EXPECT_EQ(formatAddress(Family::Lf240x, 0x40), "0x0040");
    EXPECT_EQ(formatAddress(Family::Lf240x, 0xFFFF), "0xFFFF");
    EXPECT_EQ(coffTargetIdOf(Family::Lf240x), 0x0092);

    EXPECT_EQ(addressBitsOf(Family::F28x), 22);
    EXPECT_EQ(addressSpaceWordsOf(Family::F28x), 0x400000U);
    EXPECT_EQ(addressFormatOf(Family::F28x), "0x%06X");
    EXPECT_EQ(formatAddress(Family::F28x, 0x12), "0x000012");
    EXPECT_EQ(formatAddress(Family::F28x, 0x3F7FF8), "0x3F7FF8");
    EXPECT_EQ(coffTargetIdOf(Family::F28x), 0x009D);
}

TEST(DeviceCatalogue, Lf240xRowsLabelFourKeysAndZeroAddressesAfterThem)
{
    for (int row : {0, 5}) {
        EXPECT_EQ(csmKeyCountOf(row), 4);
        EXPECT_EQ(csmKeyLabel(row, 0, false), "KEY0 (0x0040)");
        EXPECT_EQ(csmKeyLabel(row, 3, false), "KEY3 (0x0043)");
        EXPECT_EQ(csmKeyLabel(row, 4, false), "KEY4 (0x0000)");
        EXPECT_EQ(csmKeyLabel(row, 7, true), "KEY7 (0x0000)");
    }
}

TEST(DeviceCatalogue, F28xRowsLabelEightKeysAtTheirGroupsAddresses)
{
    for (int row : {6, 17, 18, 26, 27, 29, 42, 51, 52, 57, 58, 65}) {
        EXPECT_EQ(csmKeyCountOf(row), 8) << row;
        EXPECT_EQ(csmKeyLabel(row, 0, false), "KEY0 (0x3F7FF8)") << row;
        EXPECT_EQ(csmKeyLabel(row, 7, true), "KEY7 (0x3F7FFF)") << row;
    }
    for (int row : {30, 35}) {
        EXPECT_EQ(csmKeyCountOf(row), 8) << row;
        EXPECT_EQ(csmKeyLabel(row, 0, false), "KEY0 (0x33FFF8)") << row;
        EXPECT_EQ(csmKeyLabel(row, 7, true), "KEY7 (0x33FFFF)") << row;
    }
    for (int row : {66, 70}) {
        EXPECT_EQ(csmKeyCountOf(row), 8) << row;
        EXPECT_EQ(csmKeyLabel(row, 0, false), "Z1/2 CSMKEY0-0") << row;
        EXPECT_EQ(csmKeyLabel(row, 3, false), "Z1/2 CSMKEY1-1") << row;
        EXPECT_EQ(csmKeyLabel(row, 4, false), "Z1/2 CSMKEY2-0") << row;
        EXPECT_EQ(csmKeyLabel(row, 7, true), "Z1/2 CSMKEY3-1") << row;
    }
}

TEST(DeviceCatalogue, F2834xKeyLabelsDependOnHowTheRowWasSelected)
{
    for (int row : {36, 41}) {
        EXPECT_EQ(csmKeyCountOf(row), 0) << row;
        // The dialog opened with the row already selected.
        EXPECT_EQ(csmKeyLabel(row, 0, false), "KEY0 (0x3F7FF8)") << row;
        EXPECT_EQ(csmKeyLabel(row, 7, false), "KEY7 (0x3F7FFF)") << row;
        // The row was picked in the list.
        EXPECT_EQ(csmKeyLabel(row, 0, true), "KEY0 (0x33FFF8)") << row;
        EXPECT_EQ(csmKeyLabel(row, 7, true), "KEY7 (0x33FFFF)") << row;
    }
}

TEST(DeviceCatalogue, KeyFieldOutsideZeroToSevenHasNoLabel)
{
    EXPECT_EQ(csmKeyLabel(26, -1, false), "");
    EXPECT_EQ(csmKeyLabel(26, 8, false), "");
    EXPECT_EQ(csmKeyLabel(0, 8, false), "");
}

TEST(DeviceCatalogue, DataFlashTypesAndPane)
{
    struct Type {
        std::string_view name;
        std::uint32_t capacity;
    };
    const std::array<Type, kDataFlashTypeCount> types {{
        {"AT25DF021", 262144},
        {"AT25DF041A", 524288},
        {"AT25DF081A", 1048576},
        {"AT25DF161", 2097152},
        {"AT25DF321A", 4194304},
        {"M25P40", 524288},
    }};
    for (int t = 0; t < kDataFlashTypeCount; ++t) {
        EXPECT_EQ(dataFlashNameOf(t), types[static_cast<std::size_t>(t)].name) << t;
        EXPECT_EQ(dataFlashCapacityOf(t), types[static_cast<std::size_t>(t)].capacity) << t;
    }
    EXPECT_EQ(kDefaultDataFlashType, 1);
    // A type the configuration would have clamped reads as the last type.
    EXPECT_EQ(dataFlashNameOf(6), "M25P40");
    EXPECT_EQ(dataFlashCapacityOf(255), 0x80000U);
    EXPECT_EQ(dataFlashNameOf(-1), "M25P40");

    for (int i = 0; i < kDeviceCount; ++i)
        EXPECT_EQ(hasDataFlash(i), i >= 36 && i <= 41) << i;

    EXPECT_EQ(dataFlashPaneTextOf(38, 5), "M25P40");
    EXPECT_EQ(dataFlashPaneTextOf(36, kDefaultDataFlashType), "AT25DF041A");
    EXPECT_EQ(dataFlashPaneTextOf(26, 5), "");
    EXPECT_EQ(dataFlashPaneTextOf(35, 0), "");
    EXPECT_EQ(dataFlashPaneTextOf(42, 0), "");
}

TEST(DeviceCatalogue, DownloadFirmwareGates)
{
    const std::string_view needs16 = "선택한 DSP는 POD Firmware 버전 1.6이상에서만 지원됩니다.";
    const std::string_view needs21 = "선택한 DSP는 POD Firmware 버전 2.1이상에서만 지원됩니다.";
    for (int row : {0, 5, 6, 26}) {
        EXPECT_EQ(requiredFirmwareForDownload(row), 0) << row;
        EXPECT_EQ(firmwareTooOldMessage(row), "") << row;
    }
    for (int row : {27, 35, 36, 41, 42, 65}) {
        EXPECT_EQ(requiredFirmwareForDownload(row), 16) << row;
        EXPECT_EQ(firmwareTooOldMessage(row), needs16) << row;
    }
    for (int row : {66, 70}) {
        EXPECT_EQ(requiredFirmwareForDownload(row), 21) << row;
        EXPECT_EQ(firmwareTooOldMessage(row), needs21) << row;
    }
    EXPECT_EQ(kDataFlashRequiredFirmware, 19);
}

TEST(DeviceCatalogue, FreshInstallationUsesRow26)
{
    EXPECT_EQ(kDefaultDeviceIndex, 26);
    EXPECT_EQ(resolveStoredDeviceIndex(kDefaultDeviceIndex), 26);
    EXPECT_EQ(statusPaneTextOf(kDefaultDeviceIndex), "F2812-150HMz(30MHz*5)");
    EXPECT_EQ(dataFlashPaneTextOf(kDefaultDeviceIndex, kDefaultDataFlashType), "");
}

TEST(DeviceCatalogue, StoredIndexWithoutRowBecomes26WithTheMHzPaneText)
{
    for (int stored : {71, 200, 255}) {
        EXPECT_EQ(resolveStoredDeviceIndex(stored), 26) << stored;
        EXPECT_EQ(statusPaneTextOf(stored), "F2812-150MHz(30MHz*5)") << stored;
    }
    for (int stored : {0, 3, 70}) {
        EXPECT_EQ(resolveStoredDeviceIndex(stored), stored) << stored;
        EXPECT_EQ(statusPaneTextOf(stored), statusNameOf(stored)) << stored;
    }
}

// The device index is a byte: a stored number counts by its low byte only.
TEST(DeviceCatalogue, StoredNumberCountsByItsLowByte)
{
    EXPECT_EQ(resolveStoredDeviceIndex(256 + 3), 3);
    EXPECT_EQ(statusPaneTextOf(256 + 3), statusNameOf(3));
    EXPECT_EQ(resolveStoredDeviceIndex(512 + 70), 70);
    for (int stored : {256 + 71, -1, 0x1FF}) {
        EXPECT_EQ(resolveStoredDeviceIndex(stored), 26) << stored;
        EXPECT_EQ(statusPaneTextOf(stored), "F2812-150MHz(30MHz*5)") << stored;
    }
}

TEST(DeviceCatalogue, IndexWithoutRowIsAnsweredAsRow26)
{
    for (int index : {-1, 71, 259}) {
        EXPECT_FALSE(isValidDeviceIndex(index)) << index;
        EXPECT_EQ(listNameOf(index), listNameOf(26)) << index;
        EXPECT_EQ(groupOf(index), DeviceGroup::F281x) << index;
        EXPECT_EQ(csmKeyCountOf(index), 8) << index;
        EXPECT_FALSE(hasDataFlash(index)) << index;
    }
    EXPECT_TRUE(isValidDeviceIndex(0));
    EXPECT_TRUE(isValidDeviceIndex(70));
}

} // namespace
} // namespace lumetra::core
