#include "imaging/PixelBuffer.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace img {

namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;

// A full-size picture is written once right after it is made, and filling tens of
// megabytes a 4 KiB page fault at a time costs as much as the writing itself: memory
// of many large pages is asked for in 2 MiB pages, where the kernel allows them.
void* AllocateUndefined(std::size_t bytes)
{
    if (bytes < 8 * kHugePage) return std::malloc(bytes);
    const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
    void* const data = std::aligned_alloc(kHugePage, rounded);
    if (data != nullptr) (void)madvise(data, rounded, MADV_HUGEPAGE); // a hint only
    return data;
}

} // namespace

void PixelBuffer::Free::operator()(std::uint8_t* data) const
{
    std::free(data);
}

PixelBuffer::PixelBuffer(Memory data, int width, int height, std::size_t capacity)
    : m_data(std::move(data)), m_capacity(capacity), m_width(width), m_height(height)
{
}

PixelBuffer::PixelBuffer(PixelBuffer&& other) noexcept
    : m_data(std::move(other.m_data)),
      m_capacity(std::exchange(other.m_capacity, 0)),
      m_width(std::exchange(other.m_width, 0)),
      m_height(std::exchange(other.m_height, 0))
{
}

PixelBuffer& PixelBuffer::operator=(PixelBuffer&& other) noexcept
{
    if (this != &other) {
        m_data = std::move(other.m_data);
        m_capacity = std::exchange(other.m_capacity, 0);
        m_width = std::exchange(other.m_width, 0);
        m_height = std::exchange(other.m_height, 0);
    }
    return *this;
}

Result<PixelBuffer> PixelBuffer::Allocate(int width, int height)
{
    return Make(width, height, true, 3);
}

Result<PixelBuffer> PixelBuffer::AllocateForOverwrite(int width, int height)
{
    return Make(width, height, false, 3);
}

Result<PixelBuffer> PixelBuffer::AllocateWithRoom(int width, int height, std::size_t bytesPerPixel)
{
    return Make(width, height, false, std::max<std::size_t>(bytesPerPixel, 3));
}

// calloc for the black buffer: fresh pages from the system are zero already, so a
// large picture is not written twice.
Result<PixelBuffer> PixelBuffer::Make(int width, int height, bool zeroed, std::size_t bytesPerPixel)
{
    if (width < 1 || height < 1) return kErrBadArgument;
    if (static_cast<long long>(width) * height > MaxPixels()) return kErrTooLarge;
    const std::size_t bytes =
        static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * bytesPerPixel;
    Memory data(static_cast<std::uint8_t*>(zeroed ? std::calloc(bytes, 1) : AllocateUndefined(bytes)));
    if (data == nullptr) return kErrNoMemory;
    return PixelBuffer(std::move(data), width, height, bytes);
}

void PixelBuffer::ReleaseRoom()
{
    if (m_capacity <= ByteSize()) return;
    // Shrinking a large block moves nothing: its tail pages go back to the system.
    if (auto* smaller = static_cast<std::uint8_t*>(std::realloc(m_data.get(), ByteSize()))) {
        (void)m_data.release();
        m_data.reset(smaller);
        m_capacity = ByteSize();
    }
}

void PixelBuffer::Narrow(int width, int height)
{
    if (width < 1 || height < 1 ||
        static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3 > m_capacity)
        return;
    m_width = width;
    m_height = height;
    ReleaseRoom();
}

void PixelBuffer::Reset()
{
    m_data.reset();
    m_capacity = 0;
    m_width = 0;
    m_height = 0;
}

} // namespace img
