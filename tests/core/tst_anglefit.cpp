// Stored angles kept inside 32 bits by whole turns: fitAngle and the turns and mode conversions
// built on it.
#include "armgeometry.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace {

constexpr int32_t Max32 = std::numeric_limits<int32_t>::max();
constexpr int32_t Min32 = std::numeric_limits<int32_t>::min();

// The result names the exact angle's direction, lies in range, and is the exact angle itself
// when that fits, otherwise the exact angle moved towards zero by the fewest whole turns.
void expectFitted(int64_t exact, int32_t fitted)
{
    EXPECT_EQ((int64_t { fitted } - exact) % 360, 0)
        << "not a whole number of turns from " << exact;
    if (exact > Max32) {
        EXPECT_GT(int64_t { fitted } + 360, Max32) << "more turns than needed";
    } else if (exact < Min32) {
        EXPECT_LT(int64_t { fitted } - 360, Min32) << "more turns than needed";
    } else {
        EXPECT_EQ(fitted, exact) << "an angle in range was changed";
    }
}

// --- fitAngle alone.

struct FitCase
{
    std::string name;
    int64_t exact;
    int32_t fitted;
};

class FitAngleTest : public testing::TestWithParam<FitCase>
{
};

TEST_P(FitAngleTest, KeepsTheDirectionWithinThirtyTwoBits)
{
    const FitCase &row = GetParam();
    const int32_t fitted = fitAngle(row.exact);
    EXPECT_EQ(fitted, row.fitted);
    expectFitted(row.exact, fitted);
}

INSTANTIATE_TEST_SUITE_P(Limits, FitAngleTest,
    testing::Values(FitCase { "zero", 0, 0 }, FitCase { "full_turn_not_wrapped", 360, 360 },
        FitCase { "minus_full_turn_not_wrapped", -360, -360 }, FitCase { "max", Max32, Max32 },
        FitCase { "min", Min32, Min32 },
        FitCase { "one_above_max", int64_t { Max32 } + 1, 2147483288 },
        FitCase { "one_turn_above_max", int64_t { Max32 } + 360, Max32 },
        FitCase { "one_turn_and_one_above_max", int64_t { Max32 } + 361, 2147483288 },
        FitCase { "one_below_min", int64_t { Min32 } - 1, -2147483289 },
        FitCase { "one_turn_below_min", int64_t { Min32 } - 360, Min32 },
        FitCase { "twice_max", int64_t { 2 } * Max32, 2147483414 },
        FitCase { "twice_min", int64_t { 2 } * Min32, -2147483416 }),
    [](const testing::TestParamInfo<FitCase> &info) { return info.param.name; });

// --- Turns and mode conversions, each the exact result fitted.

using AngleOperation = int32_t (*)(int32_t, int32_t);

struct OperationCase
{
    std::string name;
    AngleOperation operation;
    int32_t a;
    int32_t b;
    int64_t exact;
    int32_t result;
};

class AngleOperationTest : public testing::TestWithParam<OperationCase>
{
};

TEST_P(AngleOperationTest, StaysInRangeAndKeepsTheDirection)
{
    const OperationCase &row = GetParam();
    const int32_t result = row.operation(row.a, row.b);
    EXPECT_EQ(result, row.result);
    expectFitted(row.exact, result);
}

// turnAngle(angle, delta): angle + delta.
OperationCase turn(std::string name, int32_t angle, int32_t delta, int32_t result)
{
    return { std::move(name), turnAngle, angle, delta, int64_t { angle } + delta, result };
}

// toFloatingAngle(arm1, arm2): arm1 + arm2.
OperationCase floating(std::string name, int32_t arm1, int32_t arm2, int32_t result)
{
    return { std::move(name), toFloatingAngle, arm1, arm2, int64_t { arm1 } + arm2, result };
}

// toRigidAngle(arm1, arm2): arm2 - arm1.
OperationCase rigid(std::string name, int32_t arm1, int32_t arm2, int32_t result)
{
    return { std::move(name), toRigidAngle, arm1, arm2, int64_t { arm2 } - arm1, result };
}

INSTANTIATE_TEST_SUITE_P(Turn, AngleOperationTest,
    testing::Values(turn("from_zero", 0, 5, 5), turn("to_a_full_turn", 355, 5, 360),
        turn("backwards_below_zero", 0, -5, -5), turn("up_to_max", Max32 - 5, 5, Max32),
        turn("beyond_max", Max32, 5, 2147483292), turn("back_from_max", Max32, -5, Max32 - 5),
        turn("down_to_min", Min32 + 5, -5, Min32), turn("beyond_min", Min32, -5, -2147483293),
        turn("back_from_min", Min32, 5, Min32 + 5)),
    [](const testing::TestParamInfo<OperationCase> &info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(ToFloating, AngleOperationTest,
    testing::Values(floating("relative_45_after_turn_to_50", 50, 45, 95),
        floating("up_to_max", 0, Max32, Max32), floating("beyond_max", 1, Max32, 2147483288),
        floating("twice_max", Max32, Max32, 2147483414), floating("down_to_min", 0, Min32, Min32),
        floating("beyond_min", -1, Min32, -2147483289),
        floating("twice_min", Min32, Min32, -2147483416),
        floating("opposite_limits", Max32, Min32, -1)),
    [](const testing::TestParamInfo<OperationCase> &info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(ToRigid, AngleOperationTest,
    testing::Values(rigid("world_90_against_45", 45, 90, 45),
        rigid("up_to_max", -1, Max32 - 1, Max32), rigid("beyond_max", -1, Max32, 2147483288),
        rigid("max_minus_min", Min32, Max32, 2147483415), rigid("down_to_min", Max32, -1, Min32),
        rigid("beyond_min", 1, Min32, -2147483289),
        rigid("min_minus_max", Max32, Min32, -2147483415)),
    [](const testing::TestParamInfo<OperationCase> &info) { return info.param.name; });

// --- Angles stay unbounded in ordinary use.

TEST(TurnAngle, SeventyTwoStepsOfFiveGiveThreeSixtyNotZero)
{
    int32_t clockwise = 0;
    int32_t counterClockwise = 0;
    for (int step = 0; step < 72; ++step) {
        clockwise = turnAngle(clockwise, 5);
        counterClockwise = turnAngle(counterClockwise, -5);
    }
    EXPECT_EQ(clockwise, 360);
    EXPECT_EQ(counterClockwise, -360);
}

// --- Switching modes and back restores the stored angle, and keeps its direction at the limits.

struct RoundTripCase
{
    std::string name;
    int32_t arm1;
    int32_t world;
};

class ModeRoundTripTest : public testing::TestWithParam<RoundTripCase>
{
};

TEST_P(ModeRoundTripTest, FloatingToRigidAndBack)
{
    const RoundTripCase &row = GetParam();
    const int32_t relative = toRigidAngle(row.arm1, row.world);
    const int32_t back = toFloatingAngle(row.arm1, relative);
    const int64_t exactRelative = int64_t { row.world } - row.arm1;
    if (exactRelative >= Min32 && exactRelative <= Max32) {
        EXPECT_EQ(back, row.world);
    } else {
        EXPECT_EQ((int64_t { back } - row.world) % 360, 0);
    }
    // Once fitted, further round trips change nothing.
    int32_t world = back;
    for (int trip = 0; trip < 10; ++trip) {
        world = toFloatingAngle(row.arm1, toRigidAngle(row.arm1, world));
    }
    EXPECT_EQ(world, back);
}

TEST_P(ModeRoundTripTest, RigidToFloatingAndBack)
{
    const RoundTripCase &row = GetParam();
    const int32_t relative = row.world; // the same numbers read as a stored relative angle
    const int32_t world = toFloatingAngle(row.arm1, relative);
    const int32_t back = toRigidAngle(row.arm1, world);
    const int64_t exactWorld = int64_t { row.arm1 } + relative;
    if (exactWorld >= Min32 && exactWorld <= Max32) {
        EXPECT_EQ(back, relative);
    } else {
        EXPECT_EQ((int64_t { back } - relative) % 360, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Angles, ModeRoundTripTest,
    testing::Values(RoundTripCase { "start", 0, 90 }, RoundTripCase { "example", 45, 90 },
        RoundTripCase { "negative", -725, 1085 },
        RoundTripCase { "max_world_min_arm1", Min32, Max32 },
        RoundTripCase { "min_world_max_arm1", Max32, Min32 },
        RoundTripCase { "both_max", Max32, Max32 }, RoundTripCase { "both_min", Min32, Min32 }),
    [](const testing::TestParamInfo<RoundTripCase> &info) { return info.param.name; });

} // namespace
