#include "image/section_rows.h"

#include <gtest/gtest.h>

using namespace lumetra::image;

TEST(SectionRows, AddressWidthFollowsTheTargetId)
{
    LoadedSection section;
    section.name = "text";
    section.startAddress = 0x40;
    section.sizeWords = 0x184;
    const auto c2xx = buildSectionRows(std::span(&section, 1), 0x0092);
    ASSERT_EQ(c2xx.size(), 1u);
    EXPECT_EQ(c2xx[0].name, "text");
    EXPECT_EQ(c2xx[0].start, "0x0040");
    EXPECT_EQ(c2xx[0].end, "0x01C3");
    EXPECT_EQ(c2xx[0].size, "0x184 Words");
    const auto c28x = buildSectionRows(std::span(&section, 1), 0x009D);
    EXPECT_EQ(c28x[0].start, "0x000040");
    EXPECT_EQ(c28x[0].end, "0x0001C3");
    // Before any load the target id is 0: 22-bit addresses.
    EXPECT_EQ(buildSectionRows(std::span(&section, 1), 0)[0].start, "0x000040");
}
