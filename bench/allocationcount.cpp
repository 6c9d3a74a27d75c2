#include "allocationcount.h"

#include <atomic>
#include <cstddef>

// glibc lets a program define malloc and friends; every library's calls then come here. The
// __libc_ entry points are glibc's own allocator, so free() needs no replacement.
extern "C" {
void *__libc_malloc(std::size_t size);
void *__libc_calloc(std::size_t count, std::size_t size);
void *__libc_realloc(void *pointer, std::size_t size);
}

namespace {
std::atomic<std::uint64_t> s_allocations { 0 };
}

extern "C" void *malloc(std::size_t size)
{
    s_allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_malloc(size);
}

extern "C" void *calloc(std::size_t count, std::size_t size)
{
    s_allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_calloc(count, size);
}

extern "C" void *realloc(void *pointer, std::size_t size)
{
    s_allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_realloc(pointer, size);
}

std::uint64_t AllocationCount::total()
{
    return s_allocations.load(std::memory_order_relaxed);
}
