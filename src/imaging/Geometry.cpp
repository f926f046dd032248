// Resampling and free rotation through OpenCV, cropping and quarter turns by hand.
// OpenCV reports failures by throwing; every entry point that calls it catches at its
// edge and turns the exception into an error number.

#include "imaging/AreaScaler.h"
#include "imaging/Imaging.h"
#include "imaging/OpenCvGuard.h"
#include "imaging/PixelAdapter.h"

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

namespace img {

namespace {

bool Shrinks(const PixelBuffer& source, int width, int height)
{
    return width <= source.Width() && height <= source.Height();
}

bool InsideRect(const PixelBuffer& pixels, int left, int top, int right, int bottom)
{
    return !pixels.Empty() && left >= 0 && top >= 0 && right <= pixels.Width() &&
           bottom <= pixels.Height() && left < right && top < bottom;
}

// Square tiles whose source and target rows stay in the first-level cache together:
// a whole column at a time would miss the cache (and the TLB) on every pixel.
constexpr int kTurnTile = 64;

void TurnQuarterInto(const PixelBuffer& source, PixelBuffer& target, bool clockwise)
{
    const int width = source.Width(), height = source.Height();
    // Source pixel (x, y) lands in target row x, column height - 1 - y on a clockwise
    // turn, in row width - 1 - x, column y on the other; along a source row the target
    // moves a whole row down or up.
    const auto step = static_cast<std::ptrdiff_t>(target.Stride());
    const std::ptrdiff_t along = clockwise ? step : -step;
    for (int top = 0; top < height; top += kTurnTile) {
        const int bottom = std::min(top + kTurnTile, height);
        for (int left = 0; left < width; left += kTurnTile) {
            const int right = std::min(left + kTurnTile, width);
            for (int y = top; y < bottom; ++y) {
                const std::uint8_t* from = source.Row(y) + static_cast<std::size_t>(left) * 3;
                // An offset rather than a pointer: the step past the last pixel of a
                // counter-clockwise tile would point before the buffer.
                std::ptrdiff_t into =
                    clockwise ? step * left + static_cast<std::ptrdiff_t>(height - 1 - y) * 3
                              : step * (width - 1 - left) + static_cast<std::ptrdiff_t>(y) * 3;
                for (int x = left; x < right; ++x, from += 3, into += along)
                    std::memcpy(target.Data() + into, from, 3);
            }
        }
    }
}

// Into a target of its own size: area averaging to reduce, bicubic when a side grows.
void ResampleMat(const cv::Mat& source, cv::Mat& target)
{
    if (target.cols <= source.cols && target.rows <= source.rows)
        AreaScaler::Shrink(source, target);
    else
        cv::resize(source, target, target.size(), 0, 0, cv::INTER_CUBIC);
}

Result<PixelBuffer> ResampleWith(const PixelBuffer& source, int width, int height)
{
    if (source.Empty()) return kErrBadArgument;
    auto target = PixelBuffer::AllocateForOverwrite(width, height);
    if (!target) return target;
    const Status done = OpenCvGuard::Run([&] {
        cv::Mat into = PixelAdapter::AsMat(target.Value());
        ResampleMat(PixelAdapter::AsMat(source), into);
    });
    if (!done) return done.Error();
    return target;
}

} // namespace

Result<PixelBuffer> Resample(const PixelBuffer& pixels, int newWidth, int newHeight)
{
    return ResampleWith(pixels, newWidth, newHeight);
}

Result<PixelBuffer> Reduce(const PixelBuffer& pixels, int newWidth, int newHeight)
{
    if (!Shrinks(pixels, newWidth, newHeight)) return kErrBadArgument;
    return ResampleWith(pixels, newWidth, newHeight);
}

Status ResampleInto(const PixelBuffer& source, PixelBuffer& target)
{
    if (source.Empty() || target.Empty()) return kErrBadArgument;
    return OpenCvGuard::Run([&] {
        cv::Mat into = PixelAdapter::AsMat(target);
        ResampleMat(PixelAdapter::AsMat(source), into);
    });
}

Result<PixelBuffer> Crop(const PixelBuffer& pixels, int left, int top, int right, int bottom)
{
    if (!InsideRect(pixels, left, top, right, bottom)) return kErrBadArgument;
    auto target = PixelBuffer::AllocateForOverwrite(right - left, bottom - top);
    if (!target) return target;
    const std::size_t rowBytes = target->Stride();
    for (int y = 0; y < target->Height(); ++y) {
        const std::uint8_t* from = pixels.Row(top + y) + static_cast<std::size_t>(left) * 3;
        std::copy_n(from, rowBytes, target->Row(y));
    }
    return target;
}

Status CropInPlace(PixelBuffer& pixels, int left, int top, int right, int bottom)
{
    if (!InsideRect(pixels, left, top, right, bottom)) return kErrBadArgument;
    const std::size_t rowBytes = static_cast<std::size_t>(right - left) * 3;
    std::uint8_t* into = pixels.Data();
    // Every kept row moves to a place at or before its own, so going down never
    // overwrites a row still to be moved; memmove takes the overlap of the first.
    for (int y = top; y < bottom; ++y, into += rowBytes)
        std::memmove(into, pixels.Row(y) + static_cast<std::size_t>(left) * 3, rowBytes);
    pixels.Narrow(right - left, bottom - top);
    return kErrNone;
}

Status RotateQuarter(PixelBuffer& pixels, Turn turn)
{
    if (pixels.Empty()) return kErrBadArgument;
    if (turn == Turn::Half) { // the same pixels in reverse order: no second buffer
        std::uint8_t* first = pixels.Data();
        std::uint8_t* last = pixels.Data() + pixels.ByteSize() - 3;
        for (; first < last; first += 3, last -= 3) std::swap_ranges(first, first + 3, last);
        return kErrNone;
    }
    // A quarter turn of a non-square picture cannot be done well in place; a blocked
    // turn into a second buffer reads and writes each pixel once.
    auto turned = TurnQuarter(pixels, turn);
    if (!turned) return turned.ToStatus();
    pixels = std::move(turned).Value();
    return kErrNone;
}

Result<PixelBuffer> TurnQuarter(const PixelBuffer& pixels, Turn turn)
{
    if (pixels.Empty()) return kErrBadArgument;
    const bool half = turn == Turn::Half;
    auto turned = half ? PixelBuffer::AllocateForOverwrite(pixels.Width(), pixels.Height())
                       : PixelBuffer::AllocateForOverwrite(pixels.Height(), pixels.Width());
    if (!turned) return turned;
    if (half) {
        std::memcpy(turned->Data(), pixels.Data(), pixels.ByteSize());
        if (const Status done = RotateQuarter(turned.Value(), Turn::Half); !done) return done.Error();
    } else {
        TurnQuarterInto(pixels, turned.Value(), turn == Turn::Quarter);
    }
    return turned;
}

Result<PixelBuffer> Rotate(const PixelBuffer& pixels, double radians, QRgb fill)
{
    if (pixels.Empty()) return kErrBadArgument;
    const double cosine = std::cos(radians), sine = std::sin(radians);
    const double width = pixels.Width(), height = pixels.Height();
    // The bounding box of the turned picture. Absolute values keep it right in every
    // quadrant; rounding keeps 360 degrees from losing a pixel to 0.99999999.
    const auto newWidth = static_cast<int>(std::lround(std::abs(cosine) * width + std::abs(sine) * height));
    const auto newHeight = static_cast<int>(std::lround(std::abs(sine) * width + std::abs(cosine) * height));
    auto target = PixelBuffer::AllocateForOverwrite(std::max(newWidth, 1), std::max(newHeight, 1));
    if (!target) return target;
    const Status done = OpenCvGuard::Run([&] {
        // With y pointing down, this matrix turns clockwise on screen for positive angles.
        const double centreX = (width - 1) / 2, centreY = (height - 1) / 2;
        const double newCentreX = (target->Width() - 1) / 2.0, newCentreY = (target->Height() - 1) / 2.0;
        cv::Matx23d matrix(cosine, -sine, 0, sine, cosine, 0);
        matrix(0, 2) = newCentreX - (cosine * centreX - sine * centreY);
        matrix(1, 2) = newCentreY - (sine * centreX + cosine * centreY);
        cv::Mat into = PixelAdapter::AsMat(target.Value());
        cv::warpAffine(PixelAdapter::AsMat(pixels), into, matrix, into.size(), cv::INTER_LINEAR,
                       cv::BORDER_CONSTANT, cv::Scalar(qRed(fill), qGreen(fill), qBlue(fill)));
    });
    if (!done) return done.Error();
    return target;
}

} // namespace img
