#include "imaging/ImagingErrors.h"

#include <atomic>

namespace img {

namespace {
// Per thread, so pictures worked on in parallel never see each other's errors.
thread_local int t_lastError = kErrNone;
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

int LastError()
{
    return t_lastError;
}

void SetLastError(int error)
{
    t_lastError = error;
}

} // namespace img
