// The nine anchor places on the surface and the shapes drawn around the anchor.
#include "anchorgrid.h"
#include "errorof.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace {

// --- The 3 x 3 grid on the 10605 x 9645 twip surface; centres are halves rounded to even.

struct GridCase
{
    std::string name;
    int index;
    int32_t x;
    int32_t y;
};

class AnchorGridTest : public testing::TestWithParam<GridCase>
{
};

TEST_P(AnchorGridTest, PlacesTheAnchor)
{
    const GridCase &row = GetParam();
    const AnchorPoint point = anchorForButton(row.index, 10605, 9645);
    EXPECT_EQ(point.x, row.x);
    EXPECT_EQ(point.y, row.y);
}

INSTANTIATE_TEST_SUITE_P(Buttons, AnchorGridTest,
    testing::Values(GridCase { "top_left_1", 1, 1, 1 }, GridCase { "top_centre_2", 2, 5302, 1 },
        GridCase { "top_right_3", 3, 10605, 1 }, GridCase { "middle_left_4", 4, 1, 4822 },
        GridCase { "centre_5", 5, 5302, 4822 }, GridCase { "middle_right_6", 6, 10605, 4822 },
        GridCase { "bottom_left_7", 7, 1, 9645 }, GridCase { "bottom_centre_8", 8, 5302, 9645 },
        GridCase { "bottom_right_9", 9, 10605, 9645 }),
    [](const testing::TestParamInfo<GridCase> &info) { return info.param.name; });

TEST(AnchorGrid, OddHalvesRoundUpToEven)
{
    // 10635 / 2 = 5317.5 and 9675 / 2 = 4837.5: the even neighbours lie above.
    const AnchorPoint centre = anchorForButton(5, 10635, 9675);
    EXPECT_EQ(centre.x, 5318);
    EXPECT_EQ(centre.y, 4838);
}

TEST(AnchorGrid, IndicesOutsideOneToNineAreSubscriptErrors)
{
    for (const int index : { 0, 10, -1, std::numeric_limits<int>::min() }) {
        EXPECT_EQ(errorOf([&] { anchorForButton(index, 10605, 9645); }),
            RuntimeError::Kind::SubscriptOutOfRange)
            << "index " << index;
    }
}

// --- The base block and the post around the anchor.

TEST(AnchorShapes, SitAroundTheCentreAnchor)
{
    const AnchorShapes shapes = anchorShapes(5302, 4822);
    EXPECT_EQ(shapes.base.x, 5302 - 850);
    EXPECT_EQ(shapes.base.y, 4822 + 300);
    EXPECT_EQ(shapes.post.x, 5302 - 125);
    EXPECT_EQ(shapes.post.y, 4822 - 100);
}

TEST(AnchorShapes, MayLieOffTheSurfaceAtTheTopLeftCorner)
{
    const AnchorShapes shapes = anchorShapes(1, 1);
    EXPECT_EQ(shapes.base.x, -849);
    EXPECT_EQ(shapes.base.y, 301);
    EXPECT_EQ(shapes.post.x, -124);
    EXPECT_EQ(shapes.post.y, -99);
}

struct ShapeOverflowCase
{
    std::string name;
    int32_t x;
    int32_t y;
};

class AnchorShapesOverflowTest : public testing::TestWithParam<ShapeOverflowCase>
{
};

TEST_P(AnchorShapesOverflowTest, OffsetsBeyondThirtyTwoBitsOverflow)
{
    const ShapeOverflowCase &row = GetParam();
    EXPECT_EQ(errorOf([&] { anchorShapes(row.x, row.y); }), RuntimeError::Kind::Overflow);
}

constexpr int32_t Max32 = std::numeric_limits<int32_t>::max();
constexpr int32_t Min32 = std::numeric_limits<int32_t>::min();

INSTANTIATE_TEST_SUITE_P(Limits, AnchorShapesOverflowTest,
    testing::Values(ShapeOverflowCase { "base_left", Min32 + 849, 0 },
        ShapeOverflowCase { "post_left", Min32 + 124, 0 },
        ShapeOverflowCase { "base_top", 0, Max32 - 299 },
        ShapeOverflowCase { "post_top", 0, Min32 + 99 }),
    [](const testing::TestParamInfo<ShapeOverflowCase> &info) { return info.param.name; });

} // namespace
