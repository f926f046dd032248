#include "imaging/ExifThumbnail.h"

#include "imaging/TiffBytes.h"

#include <optional>

namespace img {

namespace {

constexpr std::uint16_t kOffsetTag = 0x0201; // JPEGInterchangeFormat
constexpr std::uint16_t kLengthTag = 0x0202; // JPEGInterchangeFormatLength
constexpr std::size_t kEntrySize = 12;

// The offset of the directory after the one at `ifd`, or 0.
std::size_t NextIfd(const TiffBytes& bytes, std::size_t ifd)
{
    if (!bytes.Has(ifd, 2)) return 0;
    const std::size_t end = ifd + 2 + bytes.U16(ifd) * kEntrySize;
    return bytes.Has(end, 4) ? bytes.U32(end) : 0;
}

} // namespace

std::span<const std::uint8_t> ExifThumbnail::FromApp1(std::span<const std::uint8_t> payload)
{
    const std::optional<TiffBytes> tiff = TiffBytes::OfExifSegment(payload);
    if (!tiff) return {};
    const std::size_t ifd = NextIfd(*tiff, tiff->FirstIfd());
    if (ifd == 0 || ifd == tiff->FirstIfd() || !tiff->Has(ifd, 2)) return {};
    std::size_t offset = 0;
    std::size_t length = 0;
    const std::size_t count = tiff->U16(ifd);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = ifd + 2 + i * kEntrySize;
        if (!tiff->Has(entry, kEntrySize)) return {};
        const std::uint16_t tag = tiff->U16(entry);
        if (tag == kOffsetTag) offset = tiff->U32(entry + 8);
        if (tag == kLengthTag) length = tiff->U32(entry + 8);
    }
    if (offset == 0 || length < 4 || !tiff->Has(offset, length)) return {};
    const auto thumbnail = tiff->Bytes().subspan(offset, length);
    if (thumbnail[0] != 0xFF || thumbnail[1] != 0xD8) return {};
    return thumbnail;
}

} // namespace img
