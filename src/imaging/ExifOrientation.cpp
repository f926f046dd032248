#include "imaging/ExifOrientation.h"

#include "imaging/PixelAdapter.h"
#include "imaging/TiffBytes.h"

#include <opencv2/core.hpp>

#include <cstring>

namespace img {

namespace {

constexpr std::uint16_t kOrientationTag = 0x0112;
constexpr std::uint16_t kShortType = 3;

} // namespace

bool ExifOrientation::IsExifSegment(std::span<const std::uint8_t> payload)
{
    static constexpr std::uint8_t kExifId[6] = {'E', 'x', 'i', 'f', 0, 0};
    return payload.size() >= 6 && std::memcmp(payload.data(), kExifId, 6) == 0;
}

int ExifOrientation::FromApp1(std::span<const std::uint8_t> payload)
{
    const std::optional<TiffBytes> tiff = TiffBytes::OfExifSegment(payload);
    if (!tiff) return 1;
    const TiffBytes& bytes = *tiff;
    const std::size_t ifd = bytes.FirstIfd();
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
