// Checked integer arithmetic and the rounding of the classic run time.
#pragma once

#include <cstdint>

// 32-bit addition and subtraction; throw RuntimeError (Overflow) when the result leaves the range.
int32_t checkedAdd(int32_t a, int32_t b);
int32_t checkedSub(int32_t a, int32_t b);

// Nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
// Throws Overflow when the result does not fit 32 bits (NaN included).
int32_t roundToInt32(double value);
