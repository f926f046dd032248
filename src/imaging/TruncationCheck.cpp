#include "imaging/TruncationCheck.h"

#include <cstdlib>
#include <utility>

namespace img {

namespace {

std::uint32_t LittleU32(std::span<const std::uint8_t> b, std::size_t at)
{
    return static_cast<std::uint32_t>(b[at]) | (static_cast<std::uint32_t>(b[at + 1]) << 8) |
           (static_cast<std::uint32_t>(b[at + 2]) << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

std::uint16_t LittleU16(std::span<const std::uint8_t> b, std::size_t at)
{
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

class TiffFields {
public:
    TiffFields(std::span<const std::uint8_t> bytes, bool bigEndian) : m_bytes(bytes), m_bigEndian(bigEndian) {}
    bool Has(std::uint64_t at, std::uint64_t length) const
    {
        return at <= m_bytes.size() && length <= m_bytes.size() - at;
    }
    std::uint32_t U16(std::size_t at) const
    {
        return m_bigEndian ? (m_bytes[at] << 8) | m_bytes[at + 1] : (m_bytes[at + 1] << 8) | m_bytes[at];
    }
    std::uint32_t U32(std::size_t at) const
    {
        return m_bigEndian ? (U16(at) << 16) | U16(at + 2) : (U16(at + 2) << 16) | U16(at);
    }

private:
    std::span<const std::uint8_t> m_bytes;
    bool m_bigEndian;
};

struct TiffArray {
    std::uint32_t type = 0;
    std::uint32_t count = 0;
    std::size_t at = 0; // where the values are
};

} // namespace

bool TruncationCheck::EndsEarly(std::span<const std::uint8_t> bytes, std::string_view format)
{
    if (format == "bmp") return BmpEndsEarly(bytes);
    if (format == "gif") return GifEndsEarly(bytes);
    if (format == "tiff") return TiffEndsEarly(bytes);
    return false;
}

bool TruncationCheck::BmpEndsEarly(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() < 18 || bytes[0] != 'B' || bytes[1] != 'M') return bytes.size() < 18;
    const std::uint32_t header = LittleU32(bytes, 14);
    if (bytes.size() < 14 + std::size_t{header}) return true;
    const std::size_t start = LittleU32(bytes, 10);
    long long width = 0, height = 0;
    int bits = 0;
    std::uint32_t compression = 0;
    if (header == 12) {
        width = LittleU16(bytes, 18);
        height = LittleU16(bytes, 20);
        bits = LittleU16(bytes, 24);
    } else if (header >= 40) {
        width = static_cast<std::int32_t>(LittleU32(bytes, 18));
        height = std::llabs(static_cast<std::int32_t>(LittleU32(bytes, 22)));
        bits = LittleU16(bytes, 28);
        compression = LittleU32(bytes, 30);
    } else {
        return false;
    }
    if (start >= bytes.size()) return true;
    if (compression == 1 || compression == 2)
        return BmpRleEndsEarly(bytes, start, static_cast<int>(height), compression == 2);
    if (compression != 0 && compression != 3) return false;
    const unsigned long long rowBytes = ((static_cast<unsigned long long>(width) * static_cast<unsigned>(bits) + 31) / 32) * 4;
    return start + rowBytes * static_cast<unsigned long long>(height) > bytes.size();
}

// Complete when the stream reaches its end-of-bitmap mark or covers every row; some
// writers leave the mark out.
bool TruncationCheck::BmpRleEndsEarly(std::span<const std::uint8_t> bytes, std::size_t at, int rows, bool fourBits)
{
    int row = 0;
    while (at + 1 < bytes.size()) {
        const std::uint8_t count = bytes[at], value = bytes[at + 1];
        at += 2;
        if (count != 0) continue; // a run
        if (value == 0) {
            if (++row >= rows) return false;
        } else if (value == 1) {
            return false;
        } else if (value == 2) {
            if (at + 1 >= bytes.size()) return true;
            row += bytes[at + 1];
            at += 2;
        } else { // literal pixels, padded to a 16-bit boundary
            const std::size_t literal = fourBits ? (value + 1u) / 2u : value;
            at += (literal + 1u) & ~std::size_t{1};
        }
    }
    return row < rows;
}

bool TruncationCheck::GifEndsEarly(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() < 13) return true;
    std::size_t at = 13;
    if (bytes[10] & 0x80) at += 3u << ((bytes[10] & 7) + 1);
    auto skipSubBlocks = [&]() {
        while (at < bytes.size() && bytes[at] != 0) at += 1u + bytes[at];
        if (at >= bytes.size()) return false;
        ++at;
        return true;
    };
    while (at < bytes.size()) {
        const std::uint8_t kind = bytes[at];
        if (kind == 0x21) { // extension: label, then sub-blocks
            at += 2;
            if (!skipSubBlocks()) return true;
        } else if (kind == 0x2C) { // the first picture: complete when its data is
            if (at + 10 > bytes.size()) return true;
            const std::uint8_t flags = bytes[at + 9];
            at += 10;
            if (flags & 0x80) at += 3u << ((flags & 7) + 1);
            at += 1; // LZW code size
            return !skipSubBlocks();
        } else {
            return false; // a trailer before any picture, or garbage: the reader decides
        }
    }
    return true;
}

bool TruncationCheck::TiffEndsEarly(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() < 8) return true;
    const bool bigEndian = bytes[0] == 'M' && bytes[1] == 'M';
    if (!bigEndian && !(bytes[0] == 'I' && bytes[1] == 'I')) return false;
    const TiffFields tiff(bytes, bigEndian);
    if (tiff.U16(2) != 42) return false; // BigTIFF and others: left to the reader
    const std::size_t ifd = tiff.U32(4);
    if (!tiff.Has(ifd, 2)) return true;
    const std::size_t entries = tiff.U16(ifd);
    if (!tiff.Has(ifd + 2, entries * 12)) return true;
    TiffArray offsets, counts;
    for (std::size_t i = 0; i < entries; ++i) {
        const std::size_t entry = ifd + 2 + i * 12;
        const std::uint32_t tag = tiff.U16(entry);
        TiffArray* array = tag == 273 || tag == 324 ? &offsets : tag == 279 || tag == 325 ? &counts : nullptr;
        if (array == nullptr) continue;
        array->type = tiff.U16(entry + 2);
        array->count = tiff.U32(entry + 4);
        const std::uint64_t size = std::uint64_t{array->count} * (array->type == 3 ? 2 : 4);
        array->at = size <= 4 ? entry + 8 : tiff.U32(entry + 8);
        if (!tiff.Has(array->at, size)) return true;
    }
    if (offsets.count == 0 || offsets.count != counts.count) return false;
    auto value = [&](const TiffArray& array, std::size_t i) -> std::uint64_t {
        return array.type == 3 ? tiff.U16(array.at + i * 2) : tiff.U32(array.at + i * 4);
    };
    for (std::size_t i = 0; i < offsets.count; ++i)
        if (!tiff.Has(value(offsets, i), value(counts, i))) return true;
    return false;
}

} // namespace img
