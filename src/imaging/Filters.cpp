// Sharpen and soften through OpenCV; colour tables by hand.
//
// Sharpen is an unsharp mask: target = source + (amount / 20) x (source - blur), the blur
// a Gaussian of sigma 1.5 pixels. Amount 10 adds half the detail again (visible, moderate),
// 40 adds it twice (strong). Soften is a Gaussian blur of sigma amount / 10 pixels: one
// pixel at 10, four at 40. Amounts of 0 or less copy the picture unchanged.

#include "imaging/Imaging.h"
#include "imaging/OpenCvGuard.h"
#include "imaging/PixelAdapter.h"

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

namespace img {

namespace {

constexpr double kSharpenSigma = 1.5;
constexpr double kSharpenAmountPerUnit = 1.0 / 20.0;
constexpr double kSoftenSigmaPerUnit = 1.0 / 10.0;

bool SameSize(const PixelBuffer& source, const PixelBuffer& target)
{
    return !source.Empty() && source.Width() == target.Width() && source.Height() == target.Height();
}

} // namespace

Status Sharpen(const PixelBuffer& source, PixelBuffer& target, int amount)
{
    if (!SameSize(source, target)) return kErrBadArgument;
    return OpenCvGuard::Run([&] {
        const cv::Mat from = PixelAdapter::AsMat(source);
        cv::Mat into = PixelAdapter::AsMat(target);
        if (amount <= 0) {
            from.copyTo(into);
            return;
        }
        cv::Mat blurred;
        cv::GaussianBlur(from, blurred, cv::Size(), kSharpenSigma);
        const double weight = amount * kSharpenAmountPerUnit;
        cv::addWeighted(from, 1.0 + weight, blurred, -weight, 0.0, into);
    });
}

Status Soften(const PixelBuffer& source, PixelBuffer& target, int amount)
{
    if (!SameSize(source, target)) return kErrBadArgument;
    return OpenCvGuard::Run([&] {
        const cv::Mat from = PixelAdapter::AsMat(source);
        cv::Mat into = PixelAdapter::AsMat(target);
        if (amount <= 0) {
            from.copyTo(into);
            return;
        }
        cv::GaussianBlur(from, into, cv::Size(), amount * kSoftenSigmaPerUnit, 0.0,
                         cv::BORDER_REFLECT_101);
    });
}

Status ApplyTable(PixelBuffer& pixels, int channelMask, const std::array<std::uint8_t, 256>& table)
{
    if (pixels.Empty()) return kErrBadArgument;
    std::array<std::uint8_t, 256> identity{};
    for (std::size_t i = 0; i < identity.size(); ++i) identity[i] = static_cast<std::uint8_t>(i);
    const auto& red = (channelMask & kRedChannel) ? table : identity;
    const auto& green = (channelMask & kGreenChannel) ? table : identity;
    const auto& blue = (channelMask & kBlueChannel) ? table : identity;
    // A plain pass in place: OpenCV's three-channel table walk took twice the time.
    std::uint8_t* pixel = pixels.Data();
    std::uint8_t* const end = pixel + pixels.ByteSize();
    for (; pixel != end; pixel += 3) {
        pixel[0] = red[pixel[0]];
        pixel[1] = green[pixel[1]];
        pixel[2] = blue[pixel[2]];
    }
    return kErrNone;
}

} // namespace img
