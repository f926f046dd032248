#pragma once

#include "imaging/ImagingErrors.h"

namespace img {

// The outcome of an imaging operation that makes nothing else: kErrNone, or the error
// that stopped it. Returned rather than stored per thread, so a caller can only read the
// failure of the call it made; [[nodiscard]] so a failure is never dropped unseen.
class [[nodiscard]] Status {
public:
    constexpr Status() = default;
    // Implicit so that an operation can `return kErrBadArgument;`.
    constexpr Status(ErrorCode error) : m_error(error) {}

    constexpr bool Ok() const { return m_error == kErrNone; }
    constexpr explicit operator bool() const { return Ok(); }
    constexpr ErrorCode Error() const { return m_error; }

private:
    ErrorCode m_error = kErrNone;
};

} // namespace img
