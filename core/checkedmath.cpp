#include "checkedmath.h"

#include "runtimeerror.h"

#include <cmath>
#include <limits>

namespace {

int32_t toInt32(int64_t value)
{
    if (value < std::numeric_limits<int32_t>::min()
        || value > std::numeric_limits<int32_t>::max()) {
        throw RuntimeError(RuntimeError::Kind::Overflow);
    }
    return static_cast<int32_t>(value);
}

} // namespace

int32_t checkedAdd(int32_t a, int32_t b)
{
    return toInt32(int64_t { a } + b);
}

int32_t checkedSub(int32_t a, int32_t b)
{
    return toInt32(int64_t { a } - b);
}

int32_t roundToInt32(double value)
{
    // Checked before rounding so that NaN and huge values cannot reach the integer conversion.
    // -2147483648.5 is a half whose even neighbour still fits; +2147483647.5's does not.
    if (!(value >= -2147483648.5 && value < 2147483647.5)) {
        throw RuntimeError(RuntimeError::Kind::Overflow);
    }
    double rounded = std::round(value); // halves away from zero
    if (std::fabs(rounded - value) == 0.5) {
        rounded = 2.0 * std::round(value / 2.0);
    }
    return toInt32(static_cast<int64_t>(rounded));
}
