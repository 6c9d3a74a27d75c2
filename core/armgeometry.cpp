#include "armgeometry.h"

#include "modglobalsconstants.h"

#include <cmath>
#include <limits>

SegmentEnd segmentEnd(float x1, float y1, int32_t radius, int64_t angle)
{
    const double radians = static_cast<double>(angle) * pi / 180.0;
    return { static_cast<float>(radius * std::cos(radians) + x1),
        static_cast<float>(radius * std::sin(radians) + y1) };
}

int32_t baseAngle(bool rigid, int32_t arm1Angle)
{
    return rigid ? arm1Angle : 0;
}

int64_t worldAngle(int32_t base, int32_t arm2Angle)
{
    return int64_t { base } + arm2Angle;
}

int directionOf(int64_t angle)
{
    return static_cast<int>((angle % 360 + 360) % 360);
}

int32_t fitAngle(int64_t angle)
{
    constexpr int64_t turn = 360;
    constexpr int64_t highest = std::numeric_limits<int32_t>::max();
    constexpr int64_t lowest = std::numeric_limits<int32_t>::min();
    if (angle > highest) {
        angle -= turn * ((angle - highest + turn - 1) / turn);
    } else if (angle < lowest) {
        angle += turn * ((lowest - angle + turn - 1) / turn);
    }
    return static_cast<int32_t>(angle);
}

int32_t turnAngle(int32_t angle, int32_t delta)
{
    return fitAngle(int64_t { angle } + delta);
}

int32_t toFloatingAngle(int32_t arm1Angle, int32_t arm2Angle)
{
    return fitAngle(int64_t { arm1Angle } + arm2Angle);
}

int32_t toRigidAngle(int32_t arm1Angle, int32_t arm2Angle)
{
    return fitAngle(int64_t { arm2Angle } - arm1Angle);
}
