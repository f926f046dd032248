#include "TestImages.h"
#include "imaging/PixelAdapter.h"

#include <gtest/gtest.h>

#include <opencv2/core.hpp>

namespace {

TEST(PixelAdapter, QImageAndMatShareTheBuffersMemory)
{
    img::PixelBuffer pixels = testimg::MakeBlocks(8, 6);
    QImage image = img::PixelAdapter::AsQImage(pixels);
    cv::Mat mat = img::PixelAdapter::AsMat(pixels);
    EXPECT_EQ(image.constBits(), pixels.Data());
    EXPECT_EQ(mat.data, pixels.Data());
    // A write through the Mat shows in the buffer and through the QImage.
    mat.at<cv::Vec3b>(2, 3) = cv::Vec3b(1, 2, 3);
    EXPECT_EQ(testimg::PixelAt(pixels, 3, 2), (testimg::Rgb{1, 2, 3}));
    EXPECT_EQ(image.pixel(3, 2), qRgb(1, 2, 3));
    // A view of a const buffer copies on its first write.
    const img::PixelBuffer& constant = pixels;
    QImage view = img::PixelAdapter::AsQImage(constant);
    EXPECT_EQ(view.constBits(), pixels.Data());
    view.setPixel(1, 1, qRgb(200, 0, 0));
    EXPECT_NE(view.constBits(), pixels.Data());
    EXPECT_NE(testimg::PixelAt(pixels, 1, 1), (testimg::Rgb{200, 0, 0}));
    img::PixelBuffer empty;
    EXPECT_TRUE(img::PixelAdapter::AsQImage(empty).isNull());
    EXPECT_TRUE(img::PixelAdapter::AsMat(empty).empty());
}

} // namespace
