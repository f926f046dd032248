#pragma once

#include "imaging/ImagingErrors.h"
#include "imaging/Status.h"

#include <cassert>
#include <type_traits>
#include <utility>

namespace img {

// The outcome of an imaging operation that makes a value: the value, or the error that
// stopped it (C++20 has no std::expected). A failed result still holds an empty T (an
// empty buffer, an empty vector, a null image), so code that only asks "is there a
// picture?" reads the same as before; the error says why there is none.
template <typename T>
class [[nodiscard]] Result {
    static_assert(std::is_default_constructible_v<T>, "a failed Result holds an empty T");

public:
    // Implicit both ways so that an operation can `return pixels;` or `return kErrTooLarge;`.
    Result(T value) : m_value(std::move(value)) {}
    Result(ErrorCode error) : m_error(error) { assert(error != kErrNone); }

    bool Ok() const { return m_error == kErrNone; }
    explicit operator bool() const { return Ok(); }
    ErrorCode Error() const { return m_error; }
    Status ToStatus() const { return m_error; }

    T& Value() & { return m_value; }
    const T& Value() const& { return m_value; }
    T Value() && { return std::move(m_value); }
    T* operator->() { return &m_value; }
    const T* operator->() const { return &m_value; }

private:
    T m_value{};
    ErrorCode m_error = kErrNone;
};

} // namespace img
