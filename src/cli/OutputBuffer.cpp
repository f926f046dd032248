#include "cli/OutputBuffer.h"

#include <cerrno>
#include <unistd.h>

OutputBuffer::OutputBuffer(int descriptor) : m_descriptor(descriptor)
{
    setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
}

OutputBuffer::~OutputBuffer() { Drain(); }

OutputBuffer::int_type OutputBuffer::overflow(int_type c)
{
    if (!Drain()) return traits_type::eof();
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
    return c;
}

int OutputBuffer::sync() { return Drain() ? 0 : -1; }

// After a failure nothing more is written: output with a hole in it is worth less
// than output that stops.
bool OutputBuffer::Drain()
{
    const char* next = pbase();
    while (m_error == 0 && next < pptr()) {
        const ssize_t written = ::write(m_descriptor, next, static_cast<size_t>(pptr() - next));
        if (written > 0) {
            next += written;
        } else if (written == 0) {
            m_error = EIO;  // no progress and no reason: do not spin
        } else if (errno != EINTR) {
            m_error = errno;
        }
    }
    setp(m_buffer.data(), m_buffer.data() + m_buffer.size());
    return m_error == 0;
}
