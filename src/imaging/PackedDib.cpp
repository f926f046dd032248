#include "imaging/PackedDib.h"

#include "imaging/PixelAdapter.h"

#include <QPainter>

#include <limits>
#include <utility>

namespace {

constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kBitFields = 3;

std::uint32_t U32(const std::uint8_t* at)
{
    return static_cast<std::uint32_t>(at[0]) | (static_cast<std::uint32_t>(at[1]) << 8) |
           (static_cast<std::uint32_t>(at[2]) << 16) | (static_cast<std::uint32_t>(at[3]) << 24);
}

std::uint16_t U16(const std::uint8_t* at)
{
    return static_cast<std::uint16_t>(at[0] | (at[1] << 8));
}

// The header size when the DIB is long enough to hold that header; 0 otherwise.
std::uint32_t HeaderSize(const std::uint8_t* dib, std::size_t size)
{
    if (dib == nullptr || size < 4) return 0;
    const std::uint32_t header = U32(dib);
    if (header == kCoreHeaderSize) return size >= kCoreHeaderSize ? header : 0;
    if (header < kInfoHeaderSize || header > size) return 0;
    return header;
}

int BitsPerPixel(const std::uint8_t* dib, std::uint32_t header)
{
    return U16(dib + (header == kCoreHeaderSize ? 10 : 14));
}

} // namespace

int DibColorCount(const std::uint8_t* dib, std::size_t size)
{
    const std::uint32_t header = HeaderSize(dib, size);
    if (header == 0) return 0;
    if (header != kCoreHeaderSize) {
        const std::uint32_t used = U32(dib + 32);
        if (used != 0) return static_cast<int>(used & 0xFFFF);
    }
    switch (BitsPerPixel(dib, header)) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
    }
}

int DibColorTableSize(const std::uint8_t* dib, std::size_t size)
{
    const std::uint32_t header = HeaderSize(dib, size);
    if (header == 0) return 0;
    return DibColorCount(dib, size) * (header == kCoreHeaderSize ? 3 : 4);
}

const std::uint8_t* DibBits(const std::uint8_t* dib, std::size_t size)
{
    const std::uint32_t header = HeaderSize(dib, size);
    if (header == 0) return nullptr;
    std::size_t offset = header + static_cast<std::size_t>(DibColorTableSize(dib, size));
    // A 40-byte header with BI_BITFIELDS is followed by its three colour masks.
    if (header == kInfoHeaderSize && U32(dib + 16) == kBitFields) offset += 12;
    return offset <= size ? dib + offset : nullptr;
}

int DibWidth(const std::uint8_t* dib, std::size_t size)
{
    const std::uint32_t header = HeaderSize(dib, size);
    if (header == 0) return 0;
    if (header == kCoreHeaderSize) return U16(dib + 4);
    return static_cast<std::int32_t>(U32(dib + 4));
}

// For an information header the field is signed: negative for rows stored top-down.
int DibHeight(const std::uint8_t* dib, std::size_t size)
{
    const std::uint32_t header = HeaderSize(dib, size);
    if (header == 0) return 0;
    if (header == kCoreHeaderSize) return U16(dib + 6);
    return static_cast<std::int32_t>(U32(dib + 8));
}

int PaintDib(QPainter* painter, const QRect& dest, const std::uint8_t* dib, std::size_t size,
             const QRect& source, const img::Palette* /*palette: drawing is true colour*/)
{
    if (painter == nullptr || dib == nullptr) return 0;
    const auto decoded = img::FromDib(dib, size);
    if (!decoded) return 0;
    const img::PixelBuffer& pixels = decoded.Value();
    const QImage image = img::PixelAdapter::AsQImage(pixels);
    if (dest.size() == source.size()) {
        painter->drawImage(dest.topLeft(), image, source);
        return pixels.Height();
    }
    painter->drawImage(dest, image, source);
    return source.height();
}
