#include "imaging/PixelBuffer.h"

#include <new>
#include <utility>

namespace img {

PixelBuffer::PixelBuffer(std::unique_ptr<std::uint8_t[]> data, int width, int height)
    : m_data(std::move(data)), m_width(width), m_height(height)
{
}

PixelBuffer::PixelBuffer(PixelBuffer&& other) noexcept
    : m_data(std::move(other.m_data)),
      m_width(std::exchange(other.m_width, 0)),
      m_height(std::exchange(other.m_height, 0))
{
}

PixelBuffer& PixelBuffer::operator=(PixelBuffer&& other) noexcept
{
    if (this != &other) {
        m_data = std::move(other.m_data);
        m_width = std::exchange(other.m_width, 0);
        m_height = std::exchange(other.m_height, 0);
    }
    return *this;
}

Result<PixelBuffer> PixelBuffer::Allocate(int width, int height)
{
    return Make(width, height, true);
}

Result<PixelBuffer> PixelBuffer::AllocateForOverwrite(int width, int height)
{
    return Make(width, height, false);
}

Result<PixelBuffer> PixelBuffer::Make(int width, int height, bool zeroed)
{
    if (width < 1 || height < 1) return kErrBadArgument;
    if (static_cast<long long>(width) * height > MaxPixels()) return kErrTooLarge;
    const std::size_t bytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3;
    try {
        auto data = zeroed ? std::make_unique<std::uint8_t[]>(bytes)
                           : std::make_unique_for_overwrite<std::uint8_t[]>(bytes);
        return PixelBuffer(std::move(data), width, height);
    } catch (const std::bad_alloc&) {
        return kErrNoMemory;
    }
}

void PixelBuffer::Reset()
{
    m_data.reset();
    m_width = 0;
    m_height = 0;
}

} // namespace img
