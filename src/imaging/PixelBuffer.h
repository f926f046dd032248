#pragma once

#include "imaging/Result.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace img {

// Owning picture memory: width x height pixels of three bytes each, in the order red,
// green, blue, rows top to bottom without padding (a row is width x 3 bytes). This is
// the layout of QImage::Format_RGB888 with a tight stride and of an OpenCV CV_8UC3 Mat,
// so both can look at the same bytes (see PixelAdapter.h). Move-only; an empty buffer
// owns nothing and has size 0 x 0.
class PixelBuffer {
public:
    PixelBuffer() = default;
    PixelBuffer(PixelBuffer&& other) noexcept;
    PixelBuffer& operator=(PixelBuffer&& other) noexcept;
    PixelBuffer(const PixelBuffer&) = delete;
    PixelBuffer& operator=(const PixelBuffer&) = delete;
    ~PixelBuffer() = default;

    // A black buffer of that size; sizes below 1 fail with kErrBadArgument, more than
    // kMaxPixels with kErrTooLarge, a failed allocation with kErrNoMemory.
    static Result<PixelBuffer> Allocate(int width, int height);
    // As Allocate, but the bytes are left undefined: for callers that overwrite them all.
    static Result<PixelBuffer> AllocateForOverwrite(int width, int height);
    // As AllocateForOverwrite, with room for `bytesPerPixel` bytes a pixel (at least 3),
    // for a decoder that writes a wider layout and packs it to three bytes where it
    // lies; ReleaseRoom then gives the rest back. Saves a second full-size buffer.
    static Result<PixelBuffer> AllocateWithRoom(int width, int height, std::size_t bytesPerPixel);
    // Shrinks the memory to ByteSize(), in place.
    void ReleaseRoom();
    // Takes a smaller size whose pixels the caller has already laid out at the front of
    // the memory (rows width x 3 bytes apart), then gives the rest back as ReleaseRoom.
    // A size that would need more memory than the buffer owns changes nothing.
    void Narrow(int width, int height);

    bool Empty() const { return m_data == nullptr; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    std::size_t Stride() const { return static_cast<std::size_t>(m_width) * 3; }
    std::size_t ByteSize() const { return Stride() * static_cast<std::size_t>(m_height); }

    std::uint8_t* Data() { return m_data.get(); }
    const std::uint8_t* Data() const { return m_data.get(); }
    std::uint8_t* Row(int y) { return m_data.get() + Stride() * static_cast<std::size_t>(y); }
    const std::uint8_t* Row(int y) const
    {
        return m_data.get() + Stride() * static_cast<std::size_t>(y);
    }

    // Frees the memory; the buffer becomes empty.
    void Reset();

private:
    // malloc'ed rather than new'ed, so that ReleaseRoom can shrink a block with realloc.
    struct Free {
        void operator()(std::uint8_t* data) const;
    };
    using Memory = std::unique_ptr<std::uint8_t, Free>;

    PixelBuffer(Memory data, int width, int height, std::size_t capacity);
    static Result<PixelBuffer> Make(int width, int height, bool zeroed, std::size_t bytesPerPixel);

    Memory m_data;
    std::size_t m_capacity = 0;
    int m_width = 0;
    int m_height = 0;
};

} // namespace img
