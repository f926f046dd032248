#include "FailingAllocation.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

// Allocations left before the failing one; negative when none is due.
std::atomic<long> g_left{-1};
std::atomic<bool> g_failed{false};

} // namespace

FailingAllocation::FailingAllocation(long skip)
{
    g_failed = false;
    g_left = skip;
}

FailingAllocation::~FailingAllocation()
{
    g_left = -1;
}

bool FailingAllocation::Failed() const
{
    return g_failed;
}

// The other forms of operator new (arrays, nothrow) call this one.
void* operator new(std::size_t size)
{
    if (g_left.load() >= 0 && g_left.fetch_sub(1) == 0) {
        g_failed = true;
        throw std::bad_alloc();
    }
    if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
    throw std::bad_alloc();
}

void operator delete(void* memory) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}
