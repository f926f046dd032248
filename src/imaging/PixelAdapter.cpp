#include "imaging/PixelAdapter.h"

namespace img {

QImage PixelAdapter::AsQImage(PixelBuffer& pixels)
{
    if (pixels.Empty()) return {};
    return QImage(pixels.Data(), pixels.Width(), pixels.Height(),
                  static_cast<qsizetype>(pixels.Stride()), QImage::Format_RGB888);
}

QImage PixelAdapter::AsQImage(const PixelBuffer& pixels)
{
    if (pixels.Empty()) return {};
    return QImage(pixels.Data(), pixels.Width(), pixels.Height(),
                  static_cast<qsizetype>(pixels.Stride()), QImage::Format_RGB888);
}

cv::Mat PixelAdapter::AsMat(PixelBuffer& pixels)
{
    if (pixels.Empty()) return {};
    return cv::Mat(pixels.Height(), pixels.Width(), CV_8UC3, pixels.Data(), pixels.Stride());
}

cv::Mat PixelAdapter::AsMat(const PixelBuffer& pixels)
{
    if (pixels.Empty()) return {};
    // cv::Mat has no read-only form; the const overload documents the promise instead.
    return cv::Mat(pixels.Height(), pixels.Width(), CV_8UC3,
                   const_cast<std::uint8_t*>(pixels.Data()), pixels.Stride());
}

} // namespace img
