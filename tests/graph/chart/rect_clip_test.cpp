#include "graph/chart/rect_clip.h"

#include <gtest/gtest.h>

namespace lumetra::graph {
namespace {

constexpr ClipRect kBox {0, 0, 10, 10};

TEST(RectClip, SegmentsAreCutAtTheEdges)
{
    const std::optional<ClipSegment> across = clipSegment({-5, 5}, {15, 5}, kBox);
    ASSERT_TRUE(across);
    EXPECT_EQ(across->from, (ClipPoint {0, 5}));
    EXPECT_EQ(across->to, (ClipPoint {10, 5}));
    const std::optional<ClipSegment> inside = clipSegment({2, 3}, {4, 8}, kBox);
    ASSERT_TRUE(inside);
    EXPECT_EQ(inside->to, (ClipPoint {4, 8}));
    EXPECT_FALSE(clipSegment({-5, -1}, {15, -1}, kBox));
    EXPECT_FALSE(clipSegment({12, 0}, {20, 10}, kBox)); // beside the box
    EXPECT_FALSE(clipSegment({1, 1}, {2, 2}, ClipRect {5, 5, 5, 9})); // an empty box
    const std::optional<ClipSegment> diagonal = clipSegment({-10, -10}, {20, 20}, kBox);
    ASSERT_TRUE(diagonal);
    EXPECT_EQ(diagonal->from, (ClipPoint {0, 0}));
    EXPECT_EQ(diagonal->to, (ClipPoint {10, 10}));
}

TEST(RectClip, PolylinesSplitWhereTheyLeaveTheBox)
{
    const auto runs = clipPolyline({{1, 1}, {5, 5}, {5, 20}, {8, 20}, {8, 2}}, kBox);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0], (std::vector<ClipPoint> {{1, 1}, {5, 5}, {5, 10}}));
    EXPECT_EQ(runs[1], (std::vector<ClipPoint> {{8, 10}, {8, 2}}));
    EXPECT_TRUE(clipPolyline({{20, 20}, {30, 30}}, kBox).empty());
}

TEST(RectClip, PolygonsAreCutToTheBox)
{
    const std::vector<ClipPoint> cut = clipPolygon({{-5, -5}, {5, -5}, {5, 5}, {-5, 5}}, kBox);
    ASSERT_EQ(cut.size(), 4u);
    for (const ClipPoint& p : cut) {
        EXPECT_GE(p.x, 0);
        EXPECT_LE(p.x, 5);
        EXPECT_GE(p.y, 0);
        EXPECT_LE(p.y, 5);
    }
    EXPECT_TRUE(clipPolygon({{20, 20}, {30, 20}, {30, 30}}, kBox).empty());
    EXPECT_EQ(intersect(kBox, {5, -3, 20, 4}).bottom, 4);
    EXPECT_TRUE(intersect(kBox, {20, 20, 30, 30}).empty());
}

} // namespace
} // namespace lumetra::graph
