// Counts the heap allocations this process makes (malloc, calloc, realloc and everything built on
// them, C++'s new included), so that a benchmark can show which steps allocate.
#pragma once

#include <cstdint>

namespace AllocationCount {

// Allocations since the process started.
std::uint64_t total();

} // namespace AllocationCount
