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
    EXPECT_EQ(&Arm(1), &Arm(1));
    EXPECT_EQ(&Arm(2), &Arm(2));
    EXPECT_NE(&Arm(1), &Arm(2));
}

// The drawing depends on pi's single-precision error.
static_assert(pi == 3.141590118408203125);

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
