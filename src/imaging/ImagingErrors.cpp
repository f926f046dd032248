#include "imaging/ImagingErrors.h"

#include <atomic>

namespace img {

namespace {
std::atomic<long long> g_maxPixels{kMaxPixels};
} // namespace

long long MaxPixels()
{
    return g_maxPixels.load(std::memory_order_relaxed);
}

void SetMaxPixels(long long pixels)
{
    g_maxPixels.store(pixels, std::memory_order_relaxed);
}

} // namespace img
