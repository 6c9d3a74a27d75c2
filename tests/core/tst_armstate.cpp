// The shared arm state: segments 1 and 2 only, and the single-precision pi.
#include "errorof.h"
#include "modglobalsconstants.h"
#include "runtimeerror.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(Arm, IndicesOtherThanOneAndTwoAreSubscriptErrors)
{
    for (const int index : { 0, 3, -1, std::numeric_limits<int>::max() }) {
        EXPECT_EQ(errorOf([&] { Arm(index); }), RuntimeError::Kind::SubscriptOutOfRange)
            << "index " << index;
    }
}

TEST(Arm, OneAndTwoAreSeparateLastingSegments)
{
    const ArmState saved1 = Arm(1);
    const ArmState saved2 = Arm(2);
    Arm(1).Angle = 45;
    Arm(1).Radius = 4000;
    Arm(2).Angle = 90;
    Arm(2).Mode = "ABS";
    EXPECT_EQ(Arm(1).Angle, 45);
    EXPECT_EQ(Arm(1).Radius, 4000);
    EXPECT_EQ(Arm(1).Mode, "");
    EXPECT_EQ(Arm(2).Angle, 90);
    EXPECT_EQ(Arm(2).Mode, "ABS");
    Arm(1) = saved1;
    Arm(2) = saved2;
}

TEST(Pi, IsTheSinglePrecisionValueWidened)
{
    EXPECT_EQ(pi, 3.141590118408203125);
}

// --- The error type names each run-time error by its classic number and text.

TEST(RuntimeError, NamesEachKind)
{
    const struct
    {
        RuntimeError::Kind kind;
        int number;
        const char *text;
    } rows[] = {
        { RuntimeError::Kind::Overflow, 6, "Overflow" },
        { RuntimeError::Kind::SubscriptOutOfRange, 9, "Subscript out of range" },
        { RuntimeError::Kind::InvalidPropertyValue, 380, "Invalid property value" },
    };
    for (const auto &row : rows) {
        const RuntimeError error(row.kind);
        EXPECT_EQ(error.number(), row.number);
        EXPECT_STREQ(error.what(), row.text);
    }
}

} // namespace
