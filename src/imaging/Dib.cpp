// Packed DIBs to and from pixel buffers. Writing is our own (24-bit, bottom-up); reading
// hands the DIB to Qt's BMP reader behind a made-up file header, so every variant Qt
// reads (RLE, bit fields, core headers, top-down rows) works here as it does for files.

#include "imaging/Imaging.h"
#include "imaging/PackedDib.h"
#include "imaging/QtReader.h"

#include <cstring>
#include <limits>

namespace img {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;

void PutU32(std::uint8_t* at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

void PutU16(std::uint8_t* at, std::uint16_t value)
{
    at[0] = static_cast<std::uint8_t>(value);
    at[1] = static_cast<std::uint8_t>(value >> 8);
}

} // namespace

Result<std::vector<std::uint8_t>> ToDib(const PixelBuffer& pixels)
{
    if (pixels.Empty()) return kErrBadArgument;
    const std::size_t rowBytes = (pixels.Stride() + 3) & ~std::size_t{3};
    const std::size_t imageBytes = rowBytes * static_cast<std::size_t>(pixels.Height());
    if (imageBytes > std::numeric_limits<std::uint32_t>::max() - kInfoHeaderSize) return kErrTooLarge;
    std::vector<std::uint8_t> dib;
    try {
        dib.assign(kInfoHeaderSize + imageBytes, 0);
    } catch (const std::bad_alloc&) {
        return kErrNoMemory;
    }
    std::uint8_t* header = dib.data();
    PutU32(header, kInfoHeaderSize);
    PutU32(header + 4, static_cast<std::uint32_t>(pixels.Width()));
    PutU32(header + 8, static_cast<std::uint32_t>(pixels.Height())); // positive: bottom-up
    PutU16(header + 12, 1);
    PutU16(header + 14, 24);
    PutU32(header + 20, static_cast<std::uint32_t>(imageBytes));
    PutU32(header + 24, 2835); // 72 dots per inch, in dots per metre
    PutU32(header + 28, 2835);
    for (int y = 0; y < pixels.Height(); ++y) {
        const std::uint8_t* from = pixels.Row(y);
        std::uint8_t* to = dib.data() + kInfoHeaderSize +
                           rowBytes * static_cast<std::size_t>(pixels.Height() - 1 - y);
        for (int x = 0; x < pixels.Width(); ++x, from += 3, to += 3) {
            to[0] = from[2];
            to[1] = from[1];
            to[2] = from[0];
        }
    }
    return dib;
}

Result<PixelBuffer> FromDib(const std::uint8_t* dib, std::size_t size)
{
    const std::uint8_t* bits = DibBits(dib, size);
    if (bits == nullptr || size > std::numeric_limits<std::uint32_t>::max() - kFileHeaderSize)
        return kErrBadData;
    std::vector<std::uint8_t> file;
    try {
        file.resize(kFileHeaderSize + size);
    } catch (const std::bad_alloc&) {
        return kErrNoMemory;
    }
    file[0] = 'B';
    file[1] = 'M';
    PutU32(file.data() + 2, static_cast<std::uint32_t>(file.size()));
    PutU32(file.data() + 10, static_cast<std::uint32_t>(kFileHeaderSize + static_cast<std::size_t>(bits - dib)));
    std::memcpy(file.data() + kFileHeaderSize, dib, size);
    return QtReader::Decode(file, "bmp");
}

} // namespace img
