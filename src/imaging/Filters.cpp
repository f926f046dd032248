// Sharpen, soften and colour tables through OpenCV.
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
    return OpenCvGuard::Run([&] {
        cv::Mat lut(1, 256, CV_8UC3);
        for (int i = 0; i < 256; ++i) {
            const auto identity = static_cast<std::uint8_t>(i);
            const std::uint8_t mapped = table[static_cast<std::size_t>(i)];
            lut.at<cv::Vec3b>(0, i) = {(channelMask & kRedChannel) ? mapped : identity,
                                       (channelMask & kGreenChannel) ? mapped : identity,
                                       (channelMask & kBlueChannel) ? mapped : identity};
        }
        cv::Mat image = PixelAdapter::AsMat(pixels);
        cv::LUT(image, lut, image);
    });
}

} // namespace img
