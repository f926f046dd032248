#include "imaging/ExifOrientation.h"

#include "imaging/PixelAdapter.h"

#include <opencv2/core.hpp>

#include <cstring>

namespace img {

namespace {

constexpr std::uint16_t kOrientationTag = 0x0112;
constexpr std::uint16_t kShortType = 3;

class TiffBytes {
public:
    TiffBytes(std::span<const std::uint8_t> bytes, bool bigEndian)
        : m_bytes(bytes), m_bigEndian(bigEndian)
    {
    }
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

} // namespace

bool ExifOrientation::IsExifSegment(std::span<const std::uint8_t> payload)
{
    static constexpr std::uint8_t kExifId[6] = {'E', 'x', 'i', 'f', 0, 0};
    return payload.size() >= 6 && std::memcmp(payload.data(), kExifId, 6) == 0;
}

int ExifOrientation::FromApp1(std::span<const std::uint8_t> payload)
{
    if (payload.size() < 14 || !IsExifSegment(payload)) return 1;
    const auto tiff = payload.subspan(6);
    const bool bigEndian = tiff[0] == 'M' && tiff[1] == 'M';
    if (!bigEndian && !(tiff[0] == 'I' && tiff[1] == 'I')) return 1;
    const TiffBytes bytes(tiff, bigEndian);
    if (bytes.U16(2) != 42) return 1;
    const std::size_t ifd = bytes.U32(4);
    if (!bytes.Has(ifd, 2)) return 1;
    const std::size_t count = bytes.U16(ifd);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = ifd + 2 + i * 12;
        if (!bytes.Has(entry, 12)) return 1;
        if (bytes.U16(entry) != kOrientationTag) continue;
        if (bytes.U16(entry + 2) != kShortType) return 1;
        const int value = bytes.U16(entry + 8);
        return value >= 1 && value <= 8 ? value : 1;
    }
    return 1;
}

Status ExifOrientation::Apply(PixelBuffer& pixels, int orientation)
{
    if (orientation <= 1 || orientation > 8) return kErrNone;
    try {
        const cv::Mat source = PixelAdapter::AsMat(pixels);
        if (orientation <= 4) { // same size: mirror or half turn, in place
            const int flip = orientation == 2 ? 1 : orientation == 3 ? -1 : 0;
            cv::Mat copy = source.clone();
            cv::flip(copy, source, flip);
            return kErrNone;
        }
        auto turned = PixelBuffer::AllocateForOverwrite(pixels.Height(), pixels.Width());
        if (!turned) return turned.Error();
        cv::Mat target = PixelAdapter::AsMat(turned.Value());
        switch (orientation) {
        case 5: cv::transpose(source, target); break;
        case 6: cv::rotate(source, target, cv::ROTATE_90_CLOCKWISE); break;
        case 7: { // transverse: a transpose across the other diagonal
            cv::rotate(source, target, cv::ROTATE_90_CLOCKWISE);
            cv::flip(target.clone(), target, 0);
            break;
        }
        default: cv::rotate(source, target, cv::ROTATE_90_COUNTERCLOCKWISE); break;
        }
        pixels = std::move(turned).Value();
        return kErrNone;
    } catch (const std::exception&) {
        return kErrFilterFailed;
    }
}

} // namespace img
