// Checked 32-bit arithmetic, half-even rounding and the 16-bit narrowing.
#include "checkedmath.h"
#include "errorof.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace {

constexpr int32_t Max32 = std::numeric_limits<int32_t>::max();
constexpr int32_t Min32 = std::numeric_limits<int32_t>::min();

template<typename Info> std::string rowName(const Info &info)
{
    return info.param.name;
}

// --- Addition and subtraction: results at the limits pass, one beyond them is Overflow.

struct BinaryCase
{
    std::string name;
    int32_t a;
    int32_t b;
    std::optional<int32_t> result; // none: Overflow
};

class CheckedAddTest : public testing::TestWithParam<BinaryCase>
{
};

TEST_P(CheckedAddTest, GivesTheSumOrOverflow)
{
    const BinaryCase &row = GetParam();
    if (row.result) {
        EXPECT_EQ(checkedAdd(row.a, row.b), *row.result);
    } else {
        EXPECT_EQ(errorOf([&] { checkedAdd(row.a, row.b); }), RuntimeError::Kind::Overflow);
    }
}

INSTANTIATE_TEST_SUITE_P(Limits, CheckedAddTest,
    testing::Values(BinaryCase { "small", 5, -7, -2 },
        BinaryCase { "up_to_max", Max32 - 5, 5, Max32 },
        BinaryCase { "one_above_max", Max32, 1, std::nullopt },
        BinaryCase { "max_plus_max", Max32, Max32, std::nullopt },
        BinaryCase { "down_to_min", Min32 + 5, -5, Min32 },
        BinaryCase { "one_below_min", Min32, -1, std::nullopt },
        BinaryCase { "min_plus_min", Min32, Min32, std::nullopt },
        BinaryCase { "max_plus_min", Max32, Min32, -1 }),
    rowName<testing::TestParamInfo<BinaryCase>>);

class CheckedSubTest : public testing::TestWithParam<BinaryCase>
{
};

TEST_P(CheckedSubTest, GivesTheDifferenceOrOverflow)
{
    const BinaryCase &row = GetParam();
    if (row.result) {
        EXPECT_EQ(checkedSub(row.a, row.b), *row.result);
    } else {
        EXPECT_EQ(errorOf([&] { checkedSub(row.a, row.b); }), RuntimeError::Kind::Overflow);
    }
}

INSTANTIATE_TEST_SUITE_P(Limits, CheckedSubTest,
    testing::Values(BinaryCase { "small", 5, 7, -2 },
        BinaryCase { "down_to_min", Min32 + 5, 5, Min32 },
        BinaryCase { "one_below_min", Min32, 1, std::nullopt },
        BinaryCase { "up_to_max", Max32 - 5, -5, Max32 },
        BinaryCase { "one_above_max", Max32, -1, std::nullopt },
        BinaryCase { "zero_minus_min", 0, Min32, std::nullopt },
        BinaryCase { "minus_one_minus_min", -1, Min32, Max32 },
        BinaryCase { "min_minus_max", Min32, Max32, std::nullopt }),
    rowName<testing::TestParamInfo<BinaryCase>>);

// --- Rounding: halves go to the even neighbour on both sides of zero.

struct RoundCase
{
    std::string name;
    double value;
    std::optional<int32_t> result; // none: Overflow
};

class RoundToInt32Test : public testing::TestWithParam<RoundCase>
{
};

TEST_P(RoundToInt32Test, RoundsHalvesToEven)
{
    const RoundCase &row = GetParam();
    if (row.result) {
        EXPECT_EQ(roundToInt32(row.value), *row.result);
    } else {
        EXPECT_EQ(errorOf([&] { roundToInt32(row.value); }), RuntimeError::Kind::Overflow);
    }
}

constexpr double Infinity = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(Values, RoundToInt32Test,
    testing::Values(RoundCase { "plus_half", 0.5, 0 }, RoundCase { "one_and_a_half", 1.5, 2 },
        RoundCase { "two_and_a_half", 2.5, 2 }, RoundCase { "three_and_a_half", 3.5, 4 },
        RoundCase { "minus_half", -0.5, 0 }, RoundCase { "minus_one_and_a_half", -1.5, -2 },
        RoundCase { "minus_two_and_a_half", -2.5, -2 },
        RoundCase { "minus_three_and_a_half", -3.5, -4 }, RoundCase { "below_half", 2.4999, 2 },
        RoundCase { "above_half", 2.5001, 3 }, RoundCase { "minus_above_half", -2.5001, -3 },
        RoundCase { "surface_half_width", 10605.0 / 2, 5302 },
        RoundCase { "surface_half_height", 9645.0 / 2, 4822 },
        RoundCase { "max", 2147483647.0, Max32 },
        RoundCase { "just_below_max_half", 2147483647.4, Max32 },
        RoundCase { "max_half_rounds_up_to_even", 2147483647.5, std::nullopt },
        RoundCase { "min", -2147483648.0, Min32 },
        RoundCase { "min_half_rounds_to_even_min", -2147483648.5, Min32 },
        RoundCase { "beyond_min", -2147483649.0, std::nullopt },
        RoundCase { "huge", 1e300, std::nullopt },
        RoundCase { "plus_infinity", Infinity, std::nullopt },
        RoundCase { "minus_infinity", -Infinity, std::nullopt },
        RoundCase { "nan", std::numeric_limits<double>::quiet_NaN(), std::nullopt }),
    rowName<testing::TestParamInfo<RoundCase>>);

} // namespace
