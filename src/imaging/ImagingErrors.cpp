#include "imaging/ImagingErrors.h"

namespace img {

namespace {
// Per thread, so pictures worked on in parallel never see each other's errors.
thread_local int t_lastError = kErrNone;
} // namespace

int LastError()
{
    return t_lastError;
}

void SetLastError(int error)
{
    t_lastError = error;
}

} // namespace img
