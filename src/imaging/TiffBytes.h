#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>

namespace img {

// Bounds-checked reads of the TIFF structure inside an Exif segment, in either byte
// order; every offset is checked with Has before it is read.
class TiffBytes {
public:
    TiffBytes(std::span<const std::uint8_t> bytes, bool bigEndian)
        : m_bytes(bytes), m_bigEndian(bigEndian)
    {
    }
    // The TIFF structure of an APP1 payload that starts "Exif\0\0"; nothing when the
    // payload is no Exif segment or its TIFF header is broken.
    static std::optional<TiffBytes> OfExifSegment(std::span<const std::uint8_t> payload)
    {
        static constexpr std::uint8_t kExifId[6] = {'E', 'x', 'i', 'f', 0, 0};
        if (payload.size() < 14 || std::memcmp(payload.data(), kExifId, 6) != 0) return std::nullopt;
        const auto tiff = payload.subspan(6);
        const bool bigEndian = tiff[0] == 'M' && tiff[1] == 'M';
        if (!bigEndian && !(tiff[0] == 'I' && tiff[1] == 'I')) return std::nullopt;
        const TiffBytes bytes(tiff, bigEndian);
        if (bytes.U16(2) != 42) return std::nullopt;
        return bytes;
    }
    // The offset of the first image file directory.
    std::size_t FirstIfd() const { return U32(4); }
    std::span<const std::uint8_t> Bytes() const { return m_bytes; }
    bool Has(std::size_t offset, std::size_t length) const
    {
        return offset <= m_bytes.size() && length <= m_bytes.size() - offset;
    }
    std::uint16_t U16(std::size_t at) const
    {
        const std::uint8_t a = m_bytes[at], b = m_bytes[at + 1];
        return static_cast<std::uint16_t>(m_bigEndian ? (a << 8) | b : (b << 8) | a);
    }
    std::uint32_t U32(std::size_t at) const
    {
        const std::uint32_t high = U16(at), low = U16(at + 2);
        return m_bigEndian ? (high << 16) | low : (low << 16) | high;
    }

private:
    std::span<const std::uint8_t> m_bytes;
    bool m_bigEndian;
};

} // namespace img
