// Segment end points with the single-precision pi, the base angle by mode and the world angle.
#include "armgeometry.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace {

constexpr int32_t Max32 = std::numeric_limits<int32_t>::max();
constexpr int32_t Min32 = std::numeric_limits<int32_t>::min();

// Below one single-precision step at 10000 twips doubled, and well below the 0.005..0.02 twip
// offsets that the single-precision pi produces: an exact pi would fail these rows.
constexpr float Tolerance = 0.002f;

// --- A 4000-twip segment from the centre anchor (5302, 4822), clockwise on screen from +X.

struct EndCase
{
    std::string name;
    int64_t angle;
    float x;
    float y;
};

class SegmentEndTest : public testing::TestWithParam<EndCase>
{
};

TEST_P(SegmentEndTest, PointsClockwiseFromPlusX)
{
    const EndCase &row = GetParam();
    const SegmentEnd end = segmentEnd(5302, 4822, 4000, row.angle);
    EXPECT_NEAR(end.x, row.x, Tolerance);
    EXPECT_NEAR(end.y, row.y, Tolerance);
}

INSTANTIATE_TEST_SUITE_P(Angles, SegmentEndTest,
    testing::Values(EndCase { "right_0", 0, 9302.0f, 4822.0f },
        EndCase { "down_90", 90, 5302.0049f, 8822.0f },
        EndCase { "left_180", 180, 1302.0f, 4822.0103f },
        EndCase { "up_270", 270, 5301.9849f, 822.0f },
        EndCase { "up_minus_90", -90, 5302.0049f, 822.0f },
        EndCase { "right_360", 360, 9302.0f, 4821.9795f },
        EndCase { "right_720", 720, 9302.0f, 4821.9595f },
        EndCase { "one_step_5", 5, 9286.7793f, 5170.6226f }),
    [](const testing::TestParamInfo<EndCase> &info) { return info.param.name; });

TEST(SegmentEnd, ZeroDegreesIsExact)
{
    const SegmentEnd end = segmentEnd(5302, 4822, 4000, 0);
    EXPECT_EQ(end.x, 9302.0f);
    EXPECT_EQ(end.y, 4822.0f);
}

TEST(SegmentEnd, ThreeSixtyLiesAboutTwoHundredthsOfATwipAboveZero)
{
    const SegmentEnd atZero = segmentEnd(5302, 4822, 4000, 0);
    const SegmentEnd atTurn = segmentEnd(5302, 4822, 4000, 360);
    EXPECT_EQ(atTurn.x, atZero.x);
    EXPECT_LT(atTurn.y, atZero.y);
    EXPECT_NEAR(atZero.y - atTurn.y, 0.0205f, 0.001f);
}

// The start picture: segment 1 right from the centre, segment 2 down from its tip (Floating, 90).
TEST(SegmentEnd, StartPicture)
{
    const SegmentEnd tip1 = segmentEnd(5302, 4822, 4000, worldAngle(baseAngle(false, 0), 0));
    EXPECT_EQ(tip1.x, 9302.0f);
    EXPECT_EQ(tip1.y, 4822.0f);
    const SegmentEnd tip2 = segmentEnd(tip1.x, tip1.y, 1500, worldAngle(baseAngle(false, 0), 90));
    EXPECT_NEAR(tip2.x, 9302.0f, 0.01f);
    EXPECT_NEAR(tip2.y, 6322.0f, Tolerance);
}

// --- Rigid continues segment 1's direction; Floating keeps the world direction.

TEST(BaseAngle, RigidContinuesSegmentOneInAStraightLine)
{
    const SegmentEnd tip1 = segmentEnd(5302, 4822, 4000, 30);
    const SegmentEnd tip2 = segmentEnd(tip1.x, tip1.y, 1500, worldAngle(baseAngle(true, 30), 0));
    const SegmentEnd straight = segmentEnd(5302, 4822, 5500, 30);
    EXPECT_NEAR(tip2.x, straight.x, 0.01f);
    EXPECT_NEAR(tip2.y, straight.y, 0.01f);
}

TEST(BaseAngle, FloatingPointsSegmentTwoAlongTheWorldAngle)
{
    const SegmentEnd tip1 = segmentEnd(5302, 4822, 4000, 30);
    const SegmentEnd tip2 = segmentEnd(tip1.x, tip1.y, 1500, worldAngle(baseAngle(false, 30), 0));
    EXPECT_NEAR(tip2.x, tip1.x + 1500, Tolerance);
    EXPECT_EQ(tip2.y, tip1.y);
}

TEST(BaseAngle, IsSegmentOnesAngleOnlyWhenRigid)
{
    EXPECT_EQ(baseAngle(true, -725), -725);
    EXPECT_EQ(baseAngle(false, -725), 0);
}

// --- The world angle cannot overflow, whatever the stored angles.

struct WorldCase
{
    std::string name;
    int32_t base;
    int32_t arm2;
    int64_t world;
};

class WorldAngleTest : public testing::TestWithParam<WorldCase>
{
};

TEST_P(WorldAngleTest, SumsExactly)
{
    const WorldCase &row = GetParam();
    EXPECT_EQ(worldAngle(row.base, row.arm2), row.world);
}

INSTANTIATE_TEST_SUITE_P(Limits, WorldAngleTest,
    testing::Values(WorldCase { "small", 45, 50, 95 },
        WorldCase { "max_plus_max", Max32, Max32, int64_t { 2 } * Max32 },
        WorldCase { "min_plus_min", Min32, Min32, int64_t { 2 } * Min32 },
        WorldCase { "max_plus_one", Max32, 1, int64_t { Max32 } + 1 },
        WorldCase { "min_minus_one", Min32, -1, int64_t { Min32 } - 1 }),
    [](const testing::TestParamInfo<WorldCase> &info) { return info.param.name; });

} // namespace
